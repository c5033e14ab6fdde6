#include <gtest/gtest.h>

#include "res/string_table.h"
#include "tests/decode_helpers.h"

namespace {

// A list that records the calls the detail window makes, in order.
struct RecordingList : MemoryList {
    std::vector<std::string> calls;
    using MemoryList::MemoryList;
    int InsertColumn(int index, const std::string& heading, int width) override
    {
        calls.push_back("column " + std::to_string(index) + " " + heading + " " + std::to_string(width));
        return MemoryList::InsertColumn(index, heading, width);
    }
    void SetBkColor(uint32_t color) override
    {
        calls.push_back("bk " + std::to_string(color));
        MemoryList::SetBkColor(color);
    }
    void SetTextBkColor(uint32_t color) override
    {
        calls.push_back("textbk " + std::to_string(color));
        MemoryList::SetTextBkColor(color);
    }
};

const char* const kFlags[] = {"b0", "b1", "b2", "b3", "b4", "b5", "b6", "b7"};
const char* const kTable[] = {"zero", "one"};
const CodeText kPairs[] = {{3, "three"}, {0x10, "sixteen"}, {0xFF, "Other code"}};

} // namespace

TEST(DetailDlg, ColumnsAndColourFromTheListWidth)
{
    for (auto [width, description, value] : {std::tuple{600, 200, 400}, {601, 200, 400}, {602, 200, 401}}) {
        RecordingList list(width);
        DetailFixture fixture(Structure(200, 1), list);
        std::vector<std::string> want = {"column 0 Description " + std::to_string(description),
                                         "column 1 Value " + std::to_string(value), "bk 13172680",
                                         "textbk 13172680"};
        EXPECT_EQ(list.calls, want) << width;
    }
}

TEST(DetailDlg, CaptionsComeFromTheStringTable)
{
    EXPECT_EQ(Decode(Structure(126, 1)).caption, "Inactive (Type 126)");
    EXPECT_EQ(Decode(Structure(12, 1, {0})).caption, "System Cnfiguration Options (Type 12)");
    EXPECT_EQ(Decode(Structure(200, 1)).caption, "");
    EXPECT_EQ(Decode(Structure(24, 1)).caption, "");
    EXPECT_STREQ(LoadResString(101), "&About Corvane...");
    EXPECT_STREQ(LoadResString(1255), "");
}

TEST(DetailDlg, GenericDecodingOfTheExampleStructure)
{
    Decoded d = Decode(Structure(200, 0x1234, {0xAA, 0xBB}, {"abc"}));
    Rows want = {{"Type", "200"}, {"Length", "0x0006"}, {"Handle", "0x1234"},
                 {"Data Source", "0000: C8 06 34 12 AA BB "}, {"String 1", "abc"}};
    EXPECT_EQ(d.rows(), want);
}

TEST(DetailDlg, DumpRowBoundaries)
{
    Decoded eight = Decode(Structure(126, 1, {1, 2, 3, 4}));
    ASSERT_EQ(eight.rows().size(), 4u);
    EXPECT_EQ(eight.rows()[3], (Row{"Data Source", "0000: 7E 08 01 00 01 02 03 04 "}));

    Decoded nine = Decode(Structure(126, 1, {1, 2, 3, 4, 5}, {"s"}));
    ASSERT_EQ(nine.rows().size(), 6u);
    EXPECT_EQ(nine.rows()[4], (Row{"", "0008: 05 "}));
    EXPECT_EQ(nine.rows()[5], (Row{"String 1", "s"}));
}

TEST(DetailDlg, GenericDecodingOfShortAndStringlessStructures)
{
    // Length 0: header rows only, read from the header bytes; no dump, no strings.
    Decoded empty = Decode(Structure(14, 0x0E01, {}, {}, 0));
    EXPECT_EQ(empty.rows(), (Rows{{"Type", "14"}, {"Length", "0x0000"}, {"Handle", "0x0E01"}}));

    // The string set is never shown as formatted bytes.
    Decoded stringless = Decode(Structure(15, 2, {0x11}));
    EXPECT_EQ(stringless.rows().back(), (Row{"Data Source", "0000: 0F 05 02 00 11 "}));
}

TEST(DetailDlg, StringListingEndsAt255)
{
    std::vector<std::string> strings(300, "x");
    Decoded d = Decode(Structure(11, 1, {0}, strings));
    EXPECT_EQ(d.rows().size(), 3u + 1u + 255u);
    EXPECT_EQ(d.rows().back()[0], "String 255");
}

TEST(DetailDlg, EndOfTableHasOneRow)
{
    EXPECT_EQ(Decode(Structure(127, 0xFEFF)).rows(), (Rows{{"", "End-of-table indicator"}}));
}

TEST(DetailDlg, TypesAbove127AreGenericEvenWithTheLowBitsOfADecodedType)
{
    Decoded d = Decode(Structure(128 + 1, 1, Body(0x19)));
    EXPECT_EQ(d.rows()[0], (Row{"Type", "129"}));
}

TEST(RowModel, FlagRowsEnumRowsAndPairs)
{
    MemoryList list;
    DetailFixture fixture(Structure(200, 1), list);
    CDetailDlg& dlg = fixture.dlg;
    size_t before = list.Rows().size();

    dlg.AddFlagRows("Flags", 0, kFlags, 8);
    EXPECT_EQ(list.Rows().size(), before); // no bit, no row, not even the description
    dlg.AddFlagRows("Flags", (1 << 3) | (1 << 5) | (1 << 8), kFlags, 8);
    dlg.AddEnumRow("Enum", kTable, 1);
    dlg.AddEnumRow("Enum", kTable, 2);
    dlg.AddEnumRow("Enum", kTable, 0x1AB);
    dlg.AddRow("Pair", CDetailDlg::FindPairText(kPairs, 0x10));
    dlg.AddRow("Pair", CDetailDlg::FindPairText(kPairs, 7));
    dlg.AddRow("Pair", CDetailDlg::FindPairText(kPairs, 0xFF));
    dlg.AddRow(nullptr, nullptr);
    Rows tail(list.Rows().begin() + static_cast<long>(before), list.Rows().end());
    Rows want = {{"Flags", "b3"}, {"", "b5"},          {"Enum", "one"},        {"Enum", "0x02"},
                 {"Enum", "0x1AB"}, {"Pair", "sixteen"}, {"Pair", "Other code"}, {"Pair", "Other code"},
                 {"", ""}};
    EXPECT_EQ(tail, want);
}

TEST(RowModel, FieldsBeyondTheFormattedAreaAreAbsent)
{
    MemoryList list;
    DetailFixture fixture(Structure(200, 1, {0x11, 0x22, 0x33}, {"s"}), list);
    CDetailDlg& dlg = fixture.dlg;
    EXPECT_TRUE(dlg.Has(4, 3));
    EXPECT_FALSE(dlg.Has(5, 3));  // would take the string set's first byte
    EXPECT_EQ(dlg.Word(5), 0x3322);
    EXPECT_EQ(dlg.Word(6), 0);    // absent: a steering field counts as 0
    EXPECT_STREQ(dlg.String(1), "s");
    EXPECT_STREQ(dlg.String(2), ""); // missing string: empty value
}
