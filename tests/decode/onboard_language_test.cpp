#include <gtest/gtest.h>

#include "shell/views.h"
#include "tests/decode_helpers.h"

namespace {

Bytes Languages(uint8_t count, uint8_t flags, uint8_t current, const std::vector<std::string>& strings)
{
    Bytes b = Body(0x16);
    b[0x04 - 4] = count;
    b[0x05 - 4] = flags;
    b[0x15 - 4] = current;
    return Structure(13, 0x0D00, b, strings);
}

} // namespace

TEST(OnBoardDevices, ThreeColumnsAndOneLinePerDevice)
{
    Decoded d = Decode(Structure(10, 0x0A00, {0x83, 0x01, 0x05, 0x02}, {"VGA", "LAN"}), 602);
    EXPECT_EQ(d.caption, "On Board Device Information (Type 10)");
    ASSERT_EQ(d.list.Columns().size(), 3u);
    const char* const headings[] = {"Description", "Device Status", "Device Type"};
    for (size_t c = 0; c < 3; ++c) {
        EXPECT_EQ(d.list.Columns()[c].heading, headings[c]);
        EXPECT_EQ(d.list.Columns()[c].width, 200);
    }
    EXPECT_EQ(d.rows(), (Rows{{"VGA", "Enabled", "Video"}, {"LAN", "Disabled", "Ethernet"}}));

    // Length 7: the odd last byte is no device. Lengths 5 and 4: the headers alone.
    EXPECT_EQ(Decode(Structure(10, 1, {0x83, 0x01, 0x85}, {"VGA"})).rows(), (Rows{{"VGA", "Enabled", "Video"}}));
    for (const Bytes& body : {Bytes{0x83}, Bytes{}}) {
        Decoded none = Decode(Structure(10, 1, body, {"VGA"}));
        EXPECT_EQ(none.list.Columns().size(), 3u);
        EXPECT_TRUE(none.rows().empty()) << body.size();
    }
}

TEST(OnBoardDevices, TypeByteAndDescriptionString)
{
    const std::pair<Bytes, Row> cases[] = {
        {{0x80, 1}, {"Sound Blaster", "Enabled", ""}},
        {{0x07, 1}, {"Sound Blaster", "Disabled", "Sound"}},
        {{0x84, 9}, {"", "Enabled", "SCSI Controller"}}, // no such string
        {{0x08, 0}, {"", "Disabled", "0x08"}},
        {{0xFF, 1}, {"Sound Blaster", "Enabled", "0x7F"}},
    };
    for (const auto& [body, want] : cases)
        EXPECT_EQ(Decode(Structure(10, 1, body, {"Sound Blaster"})).rows(), Rows{want}) << +body[0];

    auto reader = OpenTable({Structure(10, 0x0A00, {0x83, 0x01}, {"VGA"})});
    std::string json = RenderJson(*reader, "PC");
    EXPECT_NE(json.find("\"columns\": [\"Description\", \"Device Status\", \"Device Type\"]"), std::string::npos);
    EXPECT_NE(json.find("[\"VGA\", \"Enabled\", \"Video\"]"), std::string::npos);
}

TEST(BiosLanguage, FormatAndLanguages)
{
    const std::vector<std::string> three = {"en|US|iso8859-1", "fr|FR|iso8859-1", "ja|JP|unicode"};
    Decoded d = Decode(Languages(3, 0x02, 2, three));
    EXPECT_EQ(d.caption, "BIOS Language Information (Type 13)");
    Rows want = {{"Language String Format", "long format"},
                 {"Language Support", "en|US|iso8859-1"},
                 {"", "fr|FR|iso8859-1 (Current Language)"},
                 {"", "ja|JP|unicode"}};
    EXPECT_EQ(d.rows(), want);
    EXPECT_EQ(Decode(Languages(0, 0x01, 1, three)).rows(), (Rows{{"Language String Format", "abbreviated format"}}));

    // No current language, one past the count, and a count beyond the strings that exist.
    Rows two = {{"Language String Format", "abbreviated format"}, {"Language Support", "enUS"}, {"", "frFR"}};
    EXPECT_EQ(Decode(Languages(2, 1, 0, {"enUS", "frFR", "deDE"})).rows(), two);
    EXPECT_EQ(Decode(Languages(2, 1, 3, {"enUS", "frFR", "deDE"})).rows(), two);
    EXPECT_EQ(Decode(Languages(5, 1, 5, {"enUS", "frFR"})).rows(), two);
}

TEST(BiosLanguage, LongStringsAndShortStructures)
{
    std::string longName(300, 'x');
    Rows rows = Decode(Languages(1, 0, 1, {longName})).rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][1], longName + " (Current Language)");

    // Length 5 holds the count only; length 4 not even that.
    Rows countOnly = Decode(Structure(13, 1, {2}, {"enUS", "frFR"})).rows();
    EXPECT_EQ(countOnly, (Rows{{"Language Support", "enUS"}, {"", "frFR"}}));
    EXPECT_TRUE(Decode(Structure(13, 1, {}, {"enUS"})).rows().empty());
}
