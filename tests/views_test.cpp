#include <gtest/gtest.h>

#include <cstdlib>

#include "shell/views.h"
#include "tests/table_builder.h"
#include "ui/memory_controls.h"

// What the views print for crafted tables is in cases/views.case.

#ifndef _WIN32 // Windows names files in its own code page, not in bytes
TEST(Views, UtfEightPathsKeepTheirBytes)
{
    std::string path = ::testing::TempDir() + "tabl\xc3\xa9.bin";
    std::string copy = "cp '" + TestData("pc-default/dump.bin") + "' '" + path + "'";
    ASSERT_EQ(std::system(copy.c_str()), 0);
    CTableReader reader(MakeSavedTableLocator(path));
    ASSERT_EQ(reader.Open(), kOk);
    EXPECT_NE(RenderJson(reader, "PC").find("\"source\": \"" + path + "\""), std::string::npos);
    EXPECT_NE(RenderText(reader, "PC").find(" from " + path + ", "), std::string::npos);
    // The root names the file alone; tree text is Latin-1, so the é comes out as UTF-8 again.
    EXPECT_NE(RenderText(reader, "PC").find("\nSaved Table : tabl\xc3\xa9.bin\n"), std::string::npos);
}
#endif

// A decoder may change its columns after adding rows; the compact list must move each
// row's cells with them.
TEST(MemoryList, ColumnsChangedAroundRowsKeepEachRowsCells)
{
    MemoryList list;
    list.InsertColumn(0, "Description", 200);
    list.InsertColumn(1, "Value", 400);
    const char* cells[] = {"a", nullptr};
    list.InsertRow(0, cells, 2);
    list.InsertItem(0, "first");
    list.SetItemText(0, 1, "one");
    EXPECT_FALSE(list.SetItemText(5, 1, "nowhere"));
    list.InsertColumn(1, "Middle", 100);
    list.SetItemText(1, 2, "two");
    list.DeleteColumn(0);
    list.InsertItem(9, "last");

    ASSERT_EQ(list.Columns().size(), 2u);
    EXPECT_EQ(list.Columns()[0].heading, "Middle");
    EXPECT_EQ(list.Columns()[1].width, 400);
    EXPECT_EQ(list.Rows(), (std::vector<std::vector<std::string>>{{"", "one"}, {"", "two"}, {"last", ""}}));
}
