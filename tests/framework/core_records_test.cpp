#include "RecordFixture.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using namespace fw;

namespace {

using namespace fw::test;

// "DA 02 00" -> the three bytes.
std::string Hex(std::string_view text)
{
    std::istringstream in { std::string(text) };
    std::string bytes;
    for (unsigned value; in >> std::hex >> value;)
        bytes += char(value);
    return bytes;
}

// One entry of every type, made by hand, with names in other letter case.
const std::string kEveryType = "nAME " + Hex("02 00 00 00 4F 4B") + "Width " + Hex("DA 02 00 00 00 00 00 00")
    + "vIsIbLe " + Hex("01") + "backgroundcolor " + Hex("14 BE 24 00") + "FontSize " + Hex("00 00 C0 3F") + "FONTUNIT "
    + Hex("02");

// The writer makes the hand-made bytes, and the reader sets every type from them.
TEST(PropertyRecord, WriterAndReaderAgreeOnEveryType)
{
    EXPECT_EQ(PropertyRecordWriter()
                  .String("nAME", "OK")
                  .Enumeration("Width", 730)
                  .Boolean("vIsIbLe", true)
                  .ColorValue("backgroundcolor", Color::FromValue(0x24BE14))
                  .Single("FontSize", 1.5f)
                  .FontUnits("FONTUNIT", 2)
                  .Bytes(),
        kEveryType);
    auto thing = NewThing();
    SetProperties_(thing, kEveryType);
    EXPECT_EQ(
        std::tuple(thing->name, thing->width, thing->visible, thing->background, thing->fontSize, thing->fontUnit),
        std::tuple("OK", 730, true, Color { 36, 190, 20, 0 }, 1.5f, 2));
    EXPECT_THROW(PropertyRecordWriter().Integer("", 1), PropertyRecordException);
    EXPECT_THROW(PropertyRecordWriter().Integer("Two words", 1), PropertyRecordException);
    // Zero and non-UTF-8 bytes are kept; a name set twice is set twice, in order.
    thing = NewThing();
    SetProperties_(thing,
        "Transparent " + Hex("01") + "Name " + Hex("00 00 00 00") + "Transparent " + Hex("00") + "Name "
            + Hex("04 00 00 00 DA 00 FF 20") + "Transparent " + Hex("7F"));
    EXPECT_EQ(thing->name, Hex("DA 00 FF 20"));
    EXPECT_EQ(thing->transparentSets, (std::vector<bool> { true, false, true }));
}

TEST(PropertyRecordReader, RejectsMalformedRecordsKeepingWhatWasSetBefore)
{
    const struct {
        const char* what;
        std::string tail; // follows a valid "Visible 01" entry
        std::vector<std::string> inMessage;
    } cases[] = {
        { "empty name", " " + Hex("01"), { "entry 1", "byte 9", "empty" } },
        { "no space before the end", "Width", { "entry 1", "\"Width\"", "no space" } },
        { "undeclared name", "Height " + Hex("01"), { "\"Height\"", "no property" } },
        { "integer past the end", "Width " + Hex("DA 02"), { "\"Width\" (Integer)", "past the end" } },
        { "string length cut short", "Name " + Hex("02 00"), { "(String)", "string length" } },
        { "string past the end", "Name " + Hex("05 00 00 00 4F 4B"), { "5 bytes", "2 bytes left" } },
        { "unprintable long name", Hex("01 22") + std::string(60, 'x') + " ", { "\\x01\\x22xx", "... (62 bytes)" } },
    };
    for (const auto& c : cases) {
        auto thing = NewThing();
        try {
            SetProperties_(thing, "Visible " + Hex("01") + c.tail);
            ADD_FAILURE() << c.what << ": no exception";
        } catch (const PropertyRecordException& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find("class RecThing"), std::string::npos) << c.what << ": " << message;
            for (const auto& part : c.inMessage)
                EXPECT_NE(message.find(part), std::string::npos) << c.what << ": " << message;
        }
        EXPECT_TRUE(thing->visible) << c.what;
    }
    // A setter's exception passes on unchanged, and nil is refused.
    EXPECT_THROW(SetProperties_(NewThing(), "Broken " + Hex("00 00 00 00 00 00 00 00")), NilObjectException);
    EXPECT_THROW(SetProperties_(nullptr, ""), NilObjectException);
    // An object not made by the registry is a plain Object without properties.
    EXPECT_THROW(SetProperties_(std::make_shared<RecThing>(), "Visible " + Hex("01")), PropertyRecordException);
}

} // namespace
