#include <gtest/gtest.h>

#include <sstream>

#include "shell/main_dlg.h"
#include "tests/table_builder.h"
#include "ui/memory_controls.h"

namespace {

class RecordingMessageBox : public IMessageBox {
public:
    void Show(const std::string& text, const std::string& caption) override { shown.push_back({text, caption}); }
    std::vector<std::pair<std::string, std::string>> shown;
};

// What a detail window would see: the structure, and string 1 read through the reader.
struct DetailRun {
    uint8_t type;
    uint16_t handle;
    std::string string1;
    bool operator==(const DetailRun& o) const { return type == o.type && handle == o.handle && string1 == o.string1; }
};

class RecordingRunner : public IDialogRunner {
public:
    void RunDetail(const uint8_t* structure, CTableReader& reader) override
    {
        const char* text = nullptr;
        reader.GetString(1, &text);
        details.push_back({structure[0], static_cast<uint16_t>(structure[2] | (structure[3] << 8)), text ? text : ""});
    }
    void RunAbout() override { ++abouts; }
    std::vector<DetailRun> details;
    int abouts = 0;
};

struct MainDlgFixture {
    explicit MainDlgFixture(std::unique_ptr<CTableReader> reader) : dlg(std::move(reader), tree, box, runner)
    {
        dlg.m_appTitle = "lumetra";
        dlg.m_computerName = "PC1";
        dlg.m_log = &log;
    }
    MemoryTree tree;
    RecordingMessageBox box;
    RecordingRunner runner;
    std::ostringstream log;
    CMainDlg dlg;
};

TreeItem ChildOf(const MemoryTree& tree, TreeItem item, size_t n)
{
    return tree.Find(item)->children.at(n);
}

} // namespace

TEST(MainDlg, NoTableShowsTheMessageOnceAndEnds)
{
    MainDlgFixture f(std::make_unique<CTableReader>(MakeSavedTableLocator(TestData("missing.bin"))));
    EXPECT_FALSE(f.dlg.OnInitDialog());
    using Shown = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(f.box.shown, (Shown{{"No DMI Function", "lumetra"}}));
    EXPECT_NE(f.log.str().find("No DMI Function: "), std::string::npos);
    EXPECT_NE(f.log.str().find("missing.bin: No such file"), std::string::npos) << f.log.str();
    EXPECT_TRUE(f.tree.TopLevel().empty());
}

TEST(MainDlg, DoubleClickOpensTheSelectedLeafOnly)
{
    MainDlgFixture f(OpenTable({Structure(17, 0x1100, {}, {"DIMM 0"}), Structure(0, 0x0000, {}, {"Vendor"}),
                                Structure(17, 0x1101, {}, {"DIMM 1"}),
                                Structure(17, 0x1102, {}, {"DIMM 2"})}));
    ASSERT_TRUE(f.dlg.OnInitDialog());
    EXPECT_TRUE(f.box.shown.empty());
    TreeItem root = f.dlg.Root();
    TreeItem bios = ChildOf(f.tree, root, 0);
    TreeItem memory = ChildOf(f.tree, root, 1);

    // Nothing selected, the root and a type node with instances: the tree's own business.
    for (TreeItem item : {kTreeRoot, root, memory}) {
        f.tree.Select(item);
        f.dlg.OnDblClk();
    }
    EXPECT_TRUE(f.runner.details.empty());

    // A leaf opens its own structure, made current so that its strings are the ones read.
    f.tree.Select(ChildOf(f.tree, memory, 1));
    f.dlg.OnDblClk();
    f.tree.Select(bios);
    f.dlg.OnDblClk();
    EXPECT_EQ(f.runner.details, (std::vector<DetailRun>{{17, 0x1101, "DIMM 1"}, {0, 0x0000, "Vendor"}}));
}

TEST(MainDlg, RootOfAnEmptyTableOpensNothing)
{
    MainDlgFixture f(OpenTable({}, 0));
    ASSERT_TRUE(f.dlg.OnInitDialog());
    f.tree.Select(f.dlg.Root());
    f.dlg.OnDblClk();
    EXPECT_TRUE(f.runner.details.empty());
}

TEST(MainDlg, SystemCommands0x10To0x1FOpenTheAboutBox)
{
    MainDlgFixture f(OpenTable({Structure(0, 0)}));
    for (unsigned id = 0x10; id <= 0x1F; ++id)
        EXPECT_TRUE(f.dlg.OnSysCommand(id)) << id;
    EXPECT_EQ(f.runner.abouts, 16);
    for (unsigned id : {0x0Fu, 0x20u, 0xF060u})
        EXPECT_FALSE(f.dlg.OnSysCommand(id)) << id;
    EXPECT_EQ(f.runner.abouts, 16);
}

TEST(MainDlg, AboutLineAndApplicationTitle)
{
    EXPECT_EQ(AboutSecondLine(*OpenTable({Structure(0, 0)})), "SMBIOS 2.8, 1 structure");
    EXPECT_EQ(AboutSecondLine(*OpenTable({Structure(0, 0), Structure(127, 1)})), "SMBIOS 2.8, 2 structures");
    EXPECT_EQ(AboutSecondLine(CTableReader(MakeSavedTableLocator(TestData("missing.bin")))), "");

    EXPECT_EQ(ApplicationTitle("/usr/bin/lumetra"), "lumetra");
    EXPECT_EQ(ApplicationTitle("/opt/v1.0/lumetra"), "lumetra");
    EXPECT_EQ(ApplicationTitle("C:\\Tools\\LUMETRA.EXE"), "LUMETRA");
}
