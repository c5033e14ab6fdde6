#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "shell/dump_bin.h"
#include "shell/main_dlg.h"
#include "tests/table_builder.h"
#include "ui/memory_controls.h"

namespace {

// Shows no windows: records what a detail window would read, the type and string 1 of
// the reader's current structure, and counts the About boxes.
class Recorder : public IDialogRunner, public IMessageBox {
public:
    void Show(const std::string&, const std::string&) override {}
    void RunDetail(const uint8_t* structure, CTableReader& reader) override
    {
        const char* text = nullptr;
        reader.GetString(1, &text);
        details.push_back(std::to_string(structure[0]) + " " + (text ? text : ""));
    }
    void RunAbout() override { ++abouts; }
    std::vector<std::string> details;
    int abouts = 0;
};

struct MainDlgFixture {
    explicit MainDlgFixture(std::unique_ptr<CTableReader> reader) : dlg(std::move(reader), tree, runner, runner) {}
    MemoryTree tree;
    Recorder runner;
    CMainDlg dlg;
};

} // namespace

TEST(MainDlg, DoubleClickOpensTheSelectedLeafOnly)
{
    MainDlgFixture f(OpenTable({Structure(17, 0x1100, {}, {"DIMM 0"}), Structure(0, 0x0000, {}, {"Vendor"}),
                                Structure(17, 0x1101, {}, {"DIMM 1"}), Structure(17, 0x1102, {}, {"DIMM 2"})}));
    ASSERT_TRUE(f.dlg.OnInitDialog());
    const std::vector<TreeItem>& types = f.tree.Find(f.dlg.Root())->children;
    // Nothing selected, the root and a type node open nothing; a leaf opens its own
    // structure, made current so that its strings are the ones read.
    for (TreeItem item : {kTreeRoot, f.dlg.Root(), types[1], f.tree.Find(types[1])->children[1], types[0]}) {
        f.tree.Select(item);
        f.dlg.OnDblClk();
    }
    EXPECT_EQ(f.runner.details, (std::vector<std::string>{"17 DIMM 1", "0 Vendor"}));
}

TEST(MainDlg, SystemCommands0x10To0x1FOpenTheAboutBox)
{
    MainDlgFixture f(OpenTable({Structure(0, 0)}));
    for (unsigned id : {0x0Fu, 0x10u, 0x1Au, 0x1Fu, 0x20u, 0x30u, 0xF060u})
        EXPECT_EQ(f.dlg.OnSysCommand(id), id >= 0x10 && id <= 0x1F) << id;
    EXPECT_EQ(f.runner.abouts, 3);
}

TEST(MainDlg, AboutLineAndApplicationTitle)
{
    EXPECT_EQ(AboutSecondLine(*OpenTable({Structure(0, 0)})), "SMBIOS 2.8, 1 structure");
    EXPECT_EQ(ApplicationTitle("/opt/v1.0/lumetra"), "lumetra");
    EXPECT_EQ(ApplicationTitle("C:\\Tools\\LUMETRA.EXE"), "LUMETRA");
}

// Built for Windows too, where the runtime cannot rename over a file.
TEST(MainDlg, SaveTableReplacesAFileWholeAndLeavesNothingBesideIt)
{
    MainDlgFixture f(OpenTable({Structure(0, 0)}));
    ASSERT_TRUE(f.dlg.OnInitDialog());
    const std::string path = "main_dlg_saved.bin";
    std::ofstream(path) << "old";
    EXPECT_TRUE(f.dlg.SaveTable(path));
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> image = DumpBinImage(f.dlg.Reader());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), std::string(image.begin(), image.end()));
    for (const char* left : {".tmp0", ".tmp0.old"})
        EXPECT_FALSE(std::ifstream(path + left).good()) << left;
    in.close();
    std::remove(path.c_str());
}
