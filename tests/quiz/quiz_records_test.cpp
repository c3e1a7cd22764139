#include "quiz/Records.h"

#include "fw/Framework.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// The record as the framework's reader walks it: " Name=value" per entry, in
// order (one stream: GCC 12 flags a false -Wrestrict on "literal" + string).
std::string ReadBack(const fw::ClassInfo& cls, const std::string& record)
{
    std::ostringstream read;
    fw::ReadPropertyRecord(cls, record, [&](const fw::RecordEntry& entry) {
        read << ' ' << entry.name << '=';
        std::visit(
            [&](const auto& v) {
                using V = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<V, fw::Color>)
                    read << "rgb" << +v.red << ',' << +v.green << ',' << +v.blue << ',' << +v.transparency;
                else if constexpr (std::is_arithmetic_v<V>)
                    read << +v;
                else
                    read << v;
            },
            entry.value);
    });
    return read.str();
}

const std::string kFont = " FontName=System FontSize=0 FontUnit=0 Bold=0 Italic=0 Underline=0";

std::string Place(int left, int top, int width, int height)
{
    return " Index=-2147483648 Left=" + std::to_string(left) + " Top=" + std::to_string(top)
        + " Width=" + std::to_string(width) + " Height=" + std::to_string(height)
        + " LockLeft=1 LockTop=1 LockRight=0 LockBottom=0";
}

std::string Button(
    std::string name, int left, int top, int width, int height, int tab, std::string caption, std::string shown = "1")
{
    return " AllowAutoDeactivate=1 Transparent=1 Name=" + name + Place(left, top, width, height)
        + " TabPanelIndex=0 TabIndex=" + std::to_string(tab) + " TabStop=1 InitialParent= Visible=" + shown
        + " Tooltip= Enabled=" + shown + " Caption=" + caption
        + " CaptionAlignment=3 CaptionPosition=1 CaptionDelta=0 IconAlignment=0 IconDeltaX=0 IconDeltaY=0 "
          "BevelStyle=0 MenuStyle=0 HasBackgroundColor=0 BackgroundColor=rgb0,0,0,0 TextColor=rgb0,0,0,0 Value=0 "
          "ButtonStyle=0 AllowFocus=0"
        + kFont;
}

std::string Canvas(std::string name, int left, int top, int width, int height, int tab)
{
    return " Name=" + name + Place(left, top, width, height) + " TabIndex=" + std::to_string(tab)
        + " TabPanelIndex=0 TabStop=1 AllowAutoDeactivate=1 Enabled=1 Tooltip= AllowFocusRing=1 Visible=1 "
          "AllowFocus=0 AllowTabs=0 Transparent=1 DoubleBuffer=0 Transparent=1 InitialParent=";
}

TEST(QuizRecords, ReadBackInTheirStoredOrderWithTheirValues)
{
    using namespace velunto::records;
    const std::tuple<const std::string&, const fw::ClassInfo&, std::size_t, std::string> records[] = {
        { MainWindow(), fw::Window::Lookup__(), 374,
            " Width=730 Height=518 MinimumWidth=64 MinimumHeight=64 MaximumWidth=32000 MaximumHeight=32000 Type=0 "
            "Title=Velunto HasCloseButton=1 HasMaximizeButton=0 HasMinimizeButton=1 HasFullScreenButton=0 "
            "Resizeable=1 Composite=0 MacProcID=0 FullScreen=0 DefaultLocation=0 Visible=1 HasBackgroundColor=1 "
            "BackgroundColor=rgb36,190,20,0 MenuBarVisible=1 LiveResize=1" },
        { TextField1(), fw::TextField::Lookup__(), 552,
            " Name=TextField1" + Place(33, 20, 645, 137)
                + " TabIndex=0 TabPanelIndex=0 TabStop=1 AllowAutoDeactivate=1 BackgroundColor=rgb255,255,255,0 "
                  "HasBorder=1 Enabled=1 Format= Tooltip= Password=0 TextColor=rgb0,0,0,0 Transparent=1 "
                  "AllowFocusRing=1 Visible=1"
                + kFont
                + " Hint= Text= AllowTabs=1 TextAlignment=1 AllowSpellChecking=0 MaximumCharactersAllowed=-1 "
                  "ValidationMask= ReadOnly=1 DataSource= DataField=" },
        { OKButton(), fw::BevelButton::Lookup__(), 598, Button("OKButton", 52, 368, 68, 41, 2, "OK") },
        { NoBtutton(), fw::BevelButton::Lookup__(), 599, Button("NoBtutton", 132, 368, 68, 41, 3, "NO", "0") },
        { AButton(), fw::BevelButton::Lookup__(), 596, Button("AButton", 52, 421, 60, 33, 4, "A") },
        { BButton(), fw::BevelButton::Lookup__(), 596, Button("BButton", 124, 421, 60, 33, 5, "B") },
        { DButton(), fw::BevelButton::Lookup__(), 596, Button("DButton", 261, 421, 60, 33, 7, "D") },
        { CButton(), fw::BevelButton::Lookup__(), 596, Button("CButton", 196, 421, 60, 33, 6, "C") },
        { ResetButton(), fw::BevelButton::Lookup__(), 604, Button("ResetButton", 212, 368, 68, 41, 8, "Reset") },
        { Canvas1(), fw::Canvas::Lookup__(), 322, Canvas("Canvas1", 261, 159, 206, 176, 1) },
        { Canvas2(), fw::Canvas::Lookup__(), 322, Canvas("Canvas2", 552, 368, 105, 105, 9) },
    };
    for (const auto& [record, cls, length, expected] : records) {
        EXPECT_EQ(record.size(), length);
        EXPECT_EQ(ReadBack(cls, record), expected);
    }
}

} // namespace
