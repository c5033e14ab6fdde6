#include <gtest/gtest.h>

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
