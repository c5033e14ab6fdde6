#include <gtest/gtest.h>

#include <cstdlib>

#include "shell/main_dlg.h"
#include "shell/views.h"
#include "tests/table_builder.h"
#include "ui/memory_controls.h"

TEST(Views, HostileTextIsEscaped)
{
    std::string hostile = "a\x1b[2J\x7f\x85\xe9\"\\";
    EXPECT_EQ(TerminalText(hostile), "a\\x1B[2J\\x7F\\x85\xc3\xa9\"\\");
    EXPECT_EQ(JsonString(hostile), "\"a\\u001B[2J\\u007F\\u0085\xc3\xa9\\\"\\\\\"");
}

TEST(Views, JsonCarriesTheEntryPointAndDecodesDuplicateHandlesSeparately)
{
    auto reader = OpenTable({Structure(200, 7, {}, {"first"}), Structure(201, 7, {}, {"second"})}, 5);
    std::string json = RenderJson(*reader, "PC");
    EXPECT_NE(json.find("\"smbios\": {\"anchor\": \"_SM_\", \"version\": \"2.8\", \"max_structure_size\": 0, "
                        "\"structure_count\": 5, \"indexed_count\": 2, \"problems\": [\"2 of 5 structures could be "
                        "read: the table ends at offset 0x17\"]}"),
              std::string::npos);
    EXPECT_NE(json.find("[\"String 1\", \"first\"]"), std::string::npos);
    EXPECT_NE(json.find("[\"String 1\", \"second\"]"), std::string::npos);
    EXPECT_NE(json.find("\"tree\": {\"text\": \"Computer Name : PC\", \"handle\": 0, \"children\": ["),
              std::string::npos);
}

TEST(Views, TextAlignsColumnsAndKeepsTrailingBlanksOfValues)
{
    auto reader = OpenTable({Structure(200, 0x1234, {0xAA, 0xBB}, {"abc"})});
    std::string text = RenderText(*reader, "PC");
    EXPECT_NE(text.find("\n[0] Type 200, handle 0x1234\n"
                        "  Description  Value\n"
                        "  Type         200\n"),
              std::string::npos);
    EXPECT_NE(text.find("  Data Source  0000: C8 06 34 12 AA BB \n"), std::string::npos);
}

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

// Both broken tables from the field say what is wrong in every view; the count stays
// the one the walk gives, and a sound table has an empty list.
TEST(Views, ProblemsOfBrokenTablesShowInEveryView)
{
    struct Broken {
        std::unique_ptr<CTableReader> reader;
        const char* problem;
        size_t indexed;
    };
    Broken broken[] = {{OpenLengthZeroTable(), kLengthZeroProblem, 251}, {OpenCutSm3Table(), kCutSm3Problem, 43}};
    for (Broken& b : broken) {
        CTableReader& reader = *b.reader;
        SCOPED_TRACE(b.problem);
        EXPECT_EQ(reader.IndexedCount(), b.indexed);
        EXPECT_EQ(reader.Problems().at(0), b.problem);
        std::string text = RenderText(reader, "PC");
        EXPECT_NE(text.find(" structures\nProblem: " + std::string(b.problem) + "\n"), std::string::npos) << text;
        std::string json = RenderJson(reader, "PC");
        EXPECT_NE(json.find("\"indexed_count\": " + std::to_string(b.indexed) + ", \"problems\": [" +
                            JsonString(b.problem)),
                  std::string::npos);
        EXPECT_NE(ProblemLines(reader).find(b.problem), std::string::npos);

        // The windows: the About box's extra line and a warning on the tree's root.
        EXPECT_EQ(AboutProblemLine(reader).substr(0, 2), reader.Problems().size() == 1 ? "1 " : "2 ");
        MemoryTree tree;
        struct NoBox : IMessageBox {
            void Show(const std::string&, const std::string&) override {}
        } box;
        struct NoDialogs : IDialogRunner {
            void RunDetail(const uint8_t*, CTableReader&) override {}
            void RunAbout() override {}
        } dialogs;
        CMainDlg dlg(std::move(b.reader), tree, box, dialogs);
        ASSERT_TRUE(dlg.OnInitDialog());
        EXPECT_EQ(tree.Find(dlg.Root())->warning.find(b.problem), 0u);
    }
    auto sound = OpenTable({Structure(0, 0), Structure(127, 1)});
    EXPECT_NE(RenderJson(*sound, "PC").find("\"indexed_count\": 2, \"problems\": []}"), std::string::npos);
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
