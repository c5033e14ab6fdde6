#include <gtest/gtest.h>

#include "shell/views.h"
#include "tests/decode_helpers.h"

TEST(OnBoardDevicesDecoder, ThreeColumnsOfItsOwnEvenWithoutDevices)
{
    for (const Bytes& body : {Bytes{0x83, 1}, Bytes{0x83}}) {
        Decoded d = Decode(Structure(10, 1, body, {"VGA"}), 602);
        std::vector<std::string> headings;
        for (const MemoryList::Column& c : d.list.Columns()) {
            headings.push_back(c.heading);
            EXPECT_EQ(c.width, 200);
        }
        EXPECT_EQ(headings, (std::vector<std::string>{"Description", "Device Status", "Device Type"}));
    }
    // The views show whatever columns the decoder made.
    std::string json = RenderJson(*OpenTable({Structure(10, 1, {0x83, 1}, {"VGA"})}), "PC");
    EXPECT_NE(json.find("\"columns\": [\"Description\", \"Device Status\", \"Device Type\"]"), std::string::npos);
    EXPECT_NE(json.find("[\"VGA\", \"Enabled\", \"Video\"]"), std::string::npos);
}

TEST(OnBoardLanguageDecoders, WholeStructures)
{
    auto languages = [](uint8_t count, uint8_t flags, uint8_t current) {
        Bytes b(0x16 - 4, 0);
        b[0x04 - 4] = count;
        b[0x05 - 4] = flags;
        b[0x15 - 4] = current;
        return b;
    };
    const std::string longName(60, 'x');
    ExpectRows({
        {10, {0x83, 1, 0x05, 2}, {"VGA", "LAN"}, {{"VGA", "Enabled", "Video"}, {"LAN", "Disabled", "Ethernet"}}},
        // An odd last byte is no device; type code 0 has an empty text.
        {10, {0x80, 1, 0x85}, {"VGA"}, {{"VGA", "Enabled", ""}}},
        {10, {0xFF, 9}, {"VGA"}, {{"", "Enabled", "0x7F"}}},
        // Later device types by name, up to the last the reference defines.
        {10,
         {0x89, 1, 0x10, 1, 0x11, 1},
         {"AHCI"},
         {{"AHCI", "Enabled", "SATA Controller"}, {"AHCI", "Disabled", "UFS Controller"}, {"AHCI", "Disabled", "0x11"}}},
        {10, {0x83}, {"VGA"}, {}},
        {13,
         languages(3, 0x02, 2),
         {"en|US|iso8859-1", "fr|FR|iso8859-1", "ja|JP|unicode"},
         {{"Language String Format", "long format"},
          {"Language Support", "en|US|iso8859-1"},
          {"", "fr|FR|iso8859-1 (Current Language)"},
          {"", "ja|JP|unicode"}}},
        // Fewer strings than the count: those there are, none of them current.
        {13,
         languages(5, 0x01, 5),
         {"enUS", "frFR"},
         {{"Language String Format", "abbreviated format"}, {"Language Support", "enUS"}, {"", "frFR"}}},
        {13,
         languages(1, 0, 1),
         {longName},
         {{"Language String Format", "long format"}, {"Language Support", longName + " (Current Language)"}}},
        // Length 5 holds the count only; it caps the list.
        {13, {2}, {"enUS", "frFR", "deDE"}, {{"Language Support", "enUS"}, {"", "frFR"}}},
    });
}
