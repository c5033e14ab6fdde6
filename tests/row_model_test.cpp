#include <gtest/gtest.h>
#include <cstdio>
#include <string>

#include "shell/views.h"
#include "tests/decode_helpers.h"

TEST(DetailDlg, CaptionAndColumns)
{
    Decoded d = Decode(Structure(126, 1), 602);
    EXPECT_EQ(d.caption, "Inactive (Type 126)");
    ASSERT_EQ(d.list.Columns().size(), 2u);
    EXPECT_EQ(d.list.Columns()[0].heading, "Description");
    EXPECT_EQ(d.list.Columns()[0].width, 200);
    EXPECT_EQ(d.list.Columns()[1].heading, "Value");
    EXPECT_EQ(d.list.Columns()[1].width, 401);
    EXPECT_EQ(Decode(Structure(200, 1)).caption, "");
}

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

TEST(RowModel, FlagEnumAndPairRows)
{
    const char* const flags[] = {"b0", "b1", "b2", "b3", "b4", "b5", "b6", "b7"};
    const char* const table[] = {"zero", "one"};
    const CodeText pairs[] = {{3, "three"}, {0x10, "sixteen"}, {0xFF, "Other code"}};
    MemoryList list;
    DetailFixture fixture(Structure(127, 1), list);
    CDetailDlg& dlg = fixture.dlg;

    dlg.AddFlagRows("Flags", 0, flags, 8); // no bit, no row, not even the description
    dlg.AddFlagRows("Flags", (1 << 3) | (1 << 5) | (1 << 8), flags, 8);
    dlg.AddEnumRow("Enum", table, 1);
    dlg.AddEnumRow("Enum", table, 2);
    for (uint8_t code : {0x10, 0x07, 0xFF})
        dlg.AddRow("Pair", CDetailDlg::FindPairText(pairs, code));
    Rows want = {{"", "End-of-table indicator"},
                 {"Flags", "b3"},
                 {"", "b5"},
                 {"Enum", "one"},
                 {"Enum", "0x02"},
                 {"Pair", "sixteen"},
                 {"Pair", "Other code"},
                 {"Pair", "Other code"}};
    EXPECT_EQ(list.Rows(), want);
}

// Format's own digit loops must write what snprintf writes, for every form decoders use
// and for those it leaves to snprintf.
TEST(RowModel, FormatWritesWhatSnprintfWrites)
{
    MemoryList list;
    DetailFixture fixture(Structure(127, 1), list);
    CDetailDlg& dlg = fixture.dlg;
    char want[256];
    auto check = [&](const char* format, auto... args) {
        std::snprintf(want, sizeof want, format, args...);
        EXPECT_STREQ(dlg.Format(format, args...), want) << format;
    };
    for (unsigned v : {0u, 1u, 9u, 10u, 255u, 0xABCDu, 0x7FFFFFFFu, 0xFFFFFFFFu})
        for (const char* format : {"%u", "%.4X", "%.2X", "%.8X", "%02x", "%04x", "%x", "%X", "%5u", "%.2u", "%05.3u",
                                   "%0u", "%-4u|", "%#x", "%% %u MHz", "(%3X)"})
            check(format, v);
    for (int v : {0, 7, -1, -42, 2147483647, -2147483647 - 1})
        for (const char* format : {"%d", "%3d", "%03d", "%.3d", "%+d", "% d", "%6.4d"})
            check(format, v);
    for (unsigned long long v : {0ULL, 0x8000000000000000ULL, 0x123456789ABCDEFULL, ~0ULL})
        for (const char* format : {"%llu", "%llX", "%.8llX", "%.16llX", "%llu K Bytes"})
            check(format, v);
    check("%lu", 4000000000UL);
    check("%zu bytes", size_t{12});
    check("%c Bytes", 'K');
    check("%s%lu.%0*lu %s", "-", 12UL, 3, 5UL, "V");
    check("%s%lu.%0*lu %s", "", 0UL, 1, 0UL, "A");
    check("[%4s|%s]", "ab", "");
    check("%.1f V", 12.25);
    check("%g", 0.125);
    check("%hhu", 300); // h lengths go to snprintf
    check("%s", std::string(300, 'x').c_str()); // cut to the buffer as snprintf cuts
    check("%u%s", 7u, std::string(300, 'y').c_str());
}
