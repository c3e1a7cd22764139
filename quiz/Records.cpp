#include "quiz/Records.h"

#include "fw/PropertyRecord.h"

#include <cstdint>
#include <limits>
#include <string_view>

namespace velunto::records {

namespace {

    using fw::Color;
    using fw::PropertyRecordWriter;

    // Stored as 14 BE 24 00: red 36, green 190, blue 20, opaque.
    constexpr Color kWindowGreen = Color::FromValue(0x0024BE14);
    constexpr Color kWhite = Color::FromValue(0x00FFFFFF);
    constexpr Color kBlack = Color::FromValue(0);

    // No control of the window is an element of a control array.
    constexpr std::int64_t kNoIndex = std::numeric_limits<std::int32_t>::min();

    struct Place {
        std::int64_t left;
        std::int64_t top;
        std::int64_t width;
        std::int64_t height;
        std::int64_t tabIndex;
    };

    PropertyRecordWriter& Font(PropertyRecordWriter& w)
    {
        return w.String("FontName", "System")
            .Single("FontSize", 0)
            .FontUnits("FontUnit", 0)
            .Boolean("Bold", false)
            .Boolean("Italic", false)
            .Boolean("Underline", false);
    }

    // Each builder writes its kind's keys in their stored order; the orders differ
    // between kinds and are kept as they are.
    std::string WindowRecord(std::string_view title)
    {
        PropertyRecordWriter w;
        w.Integer("Width", 730)
            .Integer("Height", 518)
            .Integer("MinimumWidth", 64)
            .Integer("MinimumHeight", 64)
            .Integer("MaximumWidth", 32000)
            .Integer("MaximumHeight", 32000)
            .Enumeration("Type", 0)
            .String("Title", title)
            .Boolean("HasCloseButton", true)
            .Boolean("HasMaximizeButton", false)
            .Boolean("HasMinimizeButton", true)
            .Boolean("HasFullScreenButton", false)
            .Boolean("Resizeable", true)
            .Boolean("Composite", false)
            .Integer("MacProcID", 0)
            .Boolean("FullScreen", false)
            .Enumeration("DefaultLocation", 0)
            .Boolean("Visible", true)
            .Boolean("HasBackgroundColor", true)
            .ColorValue("BackgroundColor", kWindowGreen)
            .Boolean("MenuBarVisible", true)
            .Boolean("LiveResize", true);
        return std::move(w).Bytes();
    }

    std::string TextFieldRecord(std::string_view name, const Place& p)
    {
        PropertyRecordWriter w;
        w.String("Name", name)
            .Integer("Index", kNoIndex)
            .Integer("Left", p.left)
            .Integer("Top", p.top)
            .Integer("Width", p.width)
            .Integer("Height", p.height)
            .Boolean("LockLeft", true)
            .Boolean("LockTop", true)
            .Boolean("LockRight", false)
            .Boolean("LockBottom", false)
            .Integer("TabIndex", p.tabIndex)
            .Integer("TabPanelIndex", 0)
            .Boolean("TabStop", true)
            .Boolean("AllowAutoDeactivate", true)
            .ColorValue("BackgroundColor", kWhite)
            .Boolean("HasBorder", true)
            .Boolean("Enabled", true)
            .String("Format", "")
            .String("Tooltip", "")
            .Boolean("Password", false)
            .ColorValue("TextColor", kBlack)
            .Boolean("Transparent", true)
            .Boolean("AllowFocusRing", true)
            .Boolean("Visible", true);
        Font(w)
            .String("Hint", "")
            .String("Text", "")
            .Boolean("AllowTabs", true)
            .Enumeration("TextAlignment", 1)
            .Boolean("AllowSpellChecking", false)
            .Integer("MaximumCharactersAllowed", -1)
            .String("ValidationMask", "")
            .Boolean("ReadOnly", true)
            .String("DataSource", "")
            .String("DataField", "");
        return std::move(w).Bytes();
    }

    std::string BevelButtonRecord(
        std::string_view name, const Place& p, std::string_view caption, bool visible, bool enabled)
    {
        PropertyRecordWriter w;
        w.Boolean("AllowAutoDeactivate", true)
            .Boolean("Transparent", true)
            .String("Name", name)
            .Integer("Index", kNoIndex)
            .Integer("Left", p.left)
            .Integer("Top", p.top)
            .Integer("Width", p.width)
            .Integer("Height", p.height)
            .Boolean("LockLeft", true)
            .Boolean("LockTop", true)
            .Boolean("LockRight", false)
            .Boolean("LockBottom", false)
            .Integer("TabPanelIndex", 0)
            .Integer("TabIndex", p.tabIndex)
            .Boolean("TabStop", true)
            .String("InitialParent", "")
            .Boolean("Visible", visible)
            .String("Tooltip", "")
            .Boolean("Enabled", enabled)
            .String("Caption", caption)
            .Enumeration("CaptionAlignment", 3)
            .Enumeration("CaptionPosition", 1)
            .Integer("CaptionDelta", 0)
            .Enumeration("IconAlignment", 0)
            .Integer("IconDeltaX", 0)
            .Integer("IconDeltaY", 0)
            .Enumeration("BevelStyle", 0)
            .Enumeration("MenuStyle", 0)
            .Boolean("HasBackgroundColor", false)
            .ColorValue("BackgroundColor", kBlack)
            .ColorValue("TextColor", kBlack)
            .Boolean("Value", false)
            .Enumeration("ButtonStyle", 0)
            .Boolean("AllowFocus", false);
        Font(w);
        return std::move(w).Bytes();
    }

    std::string CanvasRecord(std::string_view name, const Place& p)
    {
        PropertyRecordWriter w;
        w.String("Name", name)
            .Integer("Index", kNoIndex)
            .Integer("Left", p.left)
            .Integer("Top", p.top)
            .Integer("Width", p.width)
            .Integer("Height", p.height)
            .Boolean("LockLeft", true)
            .Boolean("LockTop", true)
            .Boolean("LockRight", false)
            .Boolean("LockBottom", false)
            .Integer("TabIndex", p.tabIndex)
            .Integer("TabPanelIndex", 0)
            .Boolean("TabStop", true)
            .Boolean("AllowAutoDeactivate", true)
            .Boolean("Enabled", true)
            .String("Tooltip", "")
            .Boolean("AllowFocusRing", true)
            .Boolean("Visible", true)
            .Boolean("AllowFocus", false)
            .Boolean("AllowTabs", false)
            .Boolean("Transparent", true)
            .Boolean("DoubleBuffer", false)
            .Boolean("Transparent", true)
            .String("InitialParent", "");
        return std::move(w).Bytes();
    }

} // namespace

const std::string& MainWindow()
{
    static const std::string record = WindowRecord("Velunto");
    return record;
}

const std::string& TextField1()
{
    static const std::string record = TextFieldRecord("TextField1", { 33, 20, 645, 137, 0 });
    return record;
}

const std::string& OKButton()
{
    static const std::string record = BevelButtonRecord("OKButton", { 52, 368, 68, 41, 2 }, "OK", true, true);
    return record;
}

// Created like every button, but hidden and disabled: nothing ever shows it.
const std::string& NoBtutton()
{
    static const std::string record = BevelButtonRecord("NoBtutton", { 132, 368, 68, 41, 3 }, "NO", false, false);
    return record;
}

const std::string& AButton()
{
    static const std::string record = BevelButtonRecord("AButton", { 52, 421, 60, 33, 4 }, "A", true, true);
    return record;
}

const std::string& BButton()
{
    static const std::string record = BevelButtonRecord("BButton", { 124, 421, 60, 33, 5 }, "B", true, true);
    return record;
}

const std::string& DButton()
{
    static const std::string record = BevelButtonRecord("DButton", { 261, 421, 60, 33, 7 }, "D", true, true);
    return record;
}

const std::string& CButton()
{
    static const std::string record = BevelButtonRecord("CButton", { 196, 421, 60, 33, 6 }, "C", true, true);
    return record;
}

const std::string& ResetButton()
{
    static const std::string record = BevelButtonRecord("ResetButton", { 212, 368, 68, 41, 8 }, "Reset", true, true);
    return record;
}

const std::string& Canvas1()
{
    static const std::string record = CanvasRecord("Canvas1", { 261, 159, 206, 176, 1 });
    return record;
}

const std::string& Canvas2()
{
    static const std::string record = CanvasRecord("Canvas2", { 552, 368, 105, 105, 9 });
    return record;
}

} // namespace velunto::records
