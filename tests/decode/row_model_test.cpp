#include <gtest/gtest.h>

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

TEST(DetailDlg, GenericRowsAndEndOfTable)
{
    const std::pair<Bytes, Rows> cases[] = {
        {Structure(200, 0x1234, {0xAA, 0xBB}, {"abc"}),
         {{"Type", "200"},
          {"Length", "0x0006"},
          {"Handle", "0x1234"},
          {"Data Source", "0000: C8 06 34 12 AA BB "},
          {"String 1", "abc"}}},
        // Eight bytes fill one dump row and a ninth starts the next; no string, no string row.
        {Structure(126, 1, {1, 2, 3, 4}),
         {{"Type", "126"}, {"Length", "0x0008"}, {"Handle", "0x0001"}, {"Data Source", "0000: 7E 08 01 00 01 02 03 04 "}}},
        // A type above 127 is generic, even when its low bits name a decoded type.
        {Structure(129, 1, {1, 2, 3, 4, 5}, {"s"}),
         {{"Type", "129"},
          {"Length", "0x0009"},
          {"Handle", "0x0001"},
          {"Data Source", "0000: 81 09 01 00 01 02 03 04 "},
          {"", "0008: 05 "},
          {"String 1", "s"}}},
        // Length 0: the header rows alone, read from the header bytes.
        {Structure(14, 0x0E01, {}, {}, 0), {{"Type", "14"}, {"Length", "0x0000"}, {"Handle", "0x0E01"}}},
        {Structure(127, 0xFEFF), {{"", "End-of-table indicator"}}},
    };
    for (const auto& [structure, want] : cases)
        EXPECT_EQ(Decode(structure).rows(), want) << +structure[0];

    // String numbers are 8-bit, so the listing stops at 255.
    Rows rows = Decode(Structure(11, 1, {0}, std::vector<std::string>(300, "x"))).rows();
    EXPECT_EQ(rows.size(), 3u + 1u + 255u);
    EXPECT_EQ(rows.back()[0], "String 255");
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
