#include <gtest/gtest.h>

#include <cstdlib>

#include "shell/main_dlg.h"
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
}
#endif

// The problems of a broken table reach the windows too: the About box's extra line
// and a warning on the tree's root; a sound table has neither.
TEST(Views, ProblemsReachTheAboutLineAndTheTreesRoot)
{
    struct NoBox : IMessageBox {
        void Show(const std::string&, const std::string&) override {}
    } box;
    struct NoDialogs : IDialogRunner {
        void RunDetail(const uint8_t*, CTableReader&) override {}
        void RunAbout() override {}
    } dialogs;
    auto broken = OpenTable({Structure(0, 0, {}, {}, 0), Structure(1, 1)}, 3);
    ASSERT_EQ(broken->Problems().size(), 2u);
    EXPECT_EQ(AboutProblemLine(*broken).substr(0, 2), "2 ");
    EXPECT_NE(ProblemLines(*broken).find(broken->Problems()[1]), std::string::npos);
    std::string first = broken->Problems()[0];
    MemoryTree tree;
    CMainDlg dlg(std::move(broken), tree, box, dialogs);
    ASSERT_TRUE(dlg.OnInitDialog());
    EXPECT_EQ(tree.Find(dlg.Root())->warning.find(first), 0u);

    auto sound = OpenTable({Structure(0, 0), Structure(127, 1)});
    EXPECT_EQ(ProblemLines(*sound), "");
    EXPECT_EQ(AboutProblemLine(*sound), "");
}

TEST(Views, RowBufferKeepsRowsAsMemoryListDoes)
{
    // The views read RowBuffer, the tests and the windows a list of strings: the same
    // calls, columns changed around existing rows included, must leave the same cells.
    MemoryList strings;
    RowBuffer buffer(600);
    auto both = [&](auto call) {
        call(static_cast<IListControl&>(strings));
        call(static_cast<IListControl&>(buffer));
    };
    both([](IListControl& l) { l.InsertColumn(0, "Description", 200); });
    both([](IListControl& l) { l.InsertColumn(1, "Value", 400); });
    const char* cells[] = {"a", nullptr};
    both([&](IListControl& l) { l.InsertRow(0, cells, 2); });
    both([](IListControl& l) { l.InsertItem(0, "first"); });
    both([](IListControl& l) { l.SetItemText(0, 1, "one"); });
    both([](IListControl& l) { l.SetItemText(5, 1, "nowhere"); });
    both([](IListControl& l) { l.InsertColumn(1, "Middle", 100); });
    both([](IListControl& l) { l.SetItemText(1, 2, "two"); });
    both([](IListControl& l) { l.DeleteColumn(0); });
    both([](IListControl& l) { l.InsertItem(9, "last"); });

    ASSERT_EQ(buffer.GetColumnCount(), strings.GetColumnCount());
    for (size_t c = 0; c < strings.Columns().size(); ++c)
        EXPECT_EQ(buffer.Heading(c), strings.Columns()[c].heading);
    ASSERT_EQ(buffer.RowCount(), strings.Rows().size());
    for (size_t r = 0; r < strings.Rows().size(); ++r) {
        ASSERT_EQ(buffer.CellCount(r), strings.Rows()[r].size()) << "row " << r;
        for (size_t c = 0; c < strings.Rows()[r].size(); ++c)
            EXPECT_EQ(buffer.Cell(r, c), strings.Rows()[r][c]) << "row " << r << " column " << c;
    }
}
