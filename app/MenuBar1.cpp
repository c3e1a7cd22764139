#include "app/MenuBar1.h"

#include "fw/Exceptions.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velunto {

namespace {

    struct MenuRow {
        std::string_view name;
        const fw::ClassInfo& (*cls)();
        std::string_view parent; // empty: the top-level menu goes on the bar itself
        std::string_view caption;
        std::optional<std::string_view> shortcut; // separators never have theirs set
    };

    constexpr MenuRow kMenuTable[] = {
        { "FileMenu", &fw::MenuItem::Lookup__, "", "ファイル", "" },
        { "FileQuit", &fw::QuitMenuItem::Lookup__, "FileMenu", "終了", "Cmd+Q" },
        { "EditMenu", &fw::MenuItem::Lookup__, "", "編集", "" },
        { "EditUndo", &fw::MenuItem::Lookup__, "EditMenu", "元に戻す", "Cmd+Z" },
        { "UntitledMenu1", &fw::MenuItem::Lookup__, "EditMenu", "-", std::nullopt },
        { "EditCut", &fw::MenuItem::Lookup__, "EditMenu", "カット", "Cmd+X" },
        { "EditCopy", &fw::MenuItem::Lookup__, "EditMenu", "コピー", "Cmd+C" },
        { "EditPaste", &fw::MenuItem::Lookup__, "EditMenu", "貼り付け", "Cmd+V" },
        { "EditClear", &fw::MenuItem::Lookup__, "EditMenu", "削除", "" },
        { "UntitledMenu0", &fw::MenuItem::Lookup__, "EditMenu", "-", std::nullopt },
        { "EditSelectAll", &fw::MenuItem::Lookup__, "EditMenu", "すべてを選択", "Cmd+A" },
    };
    const std::span<const MenuRow> kFileRows = std::span(kMenuTable).first(2);
    const std::span<const MenuRow> kEditRows = std::span(kMenuTable).subspan(2);

    // Builds one row completely and appends it; a menu stands in the bar before
    // its first item is built, so Child finds it.
    void AddRow(fw::MenuBar& bar, const MenuRow& row)
    {
        auto item = fw::RuntimeCheckCast<fw::MenuItem>(fw::RuntimeNewObject(row.cls()));
        item->Constructor();
        item->Name(std::string(row.name));
        item->AutoEnabled(true);
        item->Text(std::string(row.caption));
        item->Visible(true);
        if (row.shortcut)
            item->Shortcut(std::string(*row.shortcut));
        if (row.parent.empty()) {
            bar.AddMenu(item);
            return;
        }
        auto menu = bar.Child(row.parent);
        if (!menu)
            throw fw::NilObjectException(
                "MenuBar1: no menu named " + std::string(row.parent) + " to add " + std::string(row.name) + " to");
        menu->AddMenu(item);
    }

} // namespace

std::shared_ptr<MenuBar1> MenuBar1::implicitInstance_;

const fw::ClassInfo& MenuBar1::Lookup__()
{
    static const fw::ClassInfo& cls = fw::RegisterClass<MenuBar1>("MenuBar1.MenuBar1", fw::MenuBar::Lookup__());
    return cls;
}

void MenuBar1::ctblinit__() { Lookup__(); }

void MenuBar1::implicitInstanceInit__() { }

std::shared_ptr<MenuBar1> MenuBar1::Instance()
{
    if (implicitInstance_)
        return implicitInstance_;
    auto bar = fw::RuntimeCheckCast<MenuBar1>(fw::RuntimeNewObject(Lookup__()));
    bar->Constructor();
    // Only a finished bar reaches the holder; on failure the half-built one dies here.
    implicitInstance_ = bar;
    return bar;
}

void MenuBar1::Constructor()
{
    Untitled0();
    Untitled1();
}

void MenuBar1::Untitled0()
{
    for (const MenuRow& row : kFileRows)
        AddRow(*this, row);
}

void MenuBar1::Untitled1()
{
    for (const MenuRow& row : kEditRows)
        AddRow(*this, row);
}

} // namespace velunto
