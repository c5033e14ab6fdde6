#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/process_posix.h"
#include "shell/table_source.h"

namespace {

// This machine's sources as a user without root finds them.
class DeniedLocator : public ITableLocator {
public:
    ResultCode Locate(LocateResult&, std::string& reason) override
    {
        reason = "/sys/firmware/dmi/tables/smbios_entry_point: Permission denied; /dev/mem: Permission denied";
        return kFail;
    }
};

std::string FakeDir()
{
    std::string dir = testing::TempDir() + "lumetra-fake-" + std::to_string(getpid());
    mkdir(dir.c_str(), 0755);
    return dir;
}

// A fake pkexec: checks that it was asked to run the helper, then runs body.
std::string FakePkexec(const std::string& name, const std::string& body)
{
    std::string path = FakeDir() + "/" + name;
    std::ofstream(path) << "#!/bin/sh\n[ \"$#\" = 1 ] && [ \"$1\" = /fake/lumetra-read-table ] || exit 3\n"
                        << body << "\n";
    chmod(path.c_str(), 0755);
    return path;
}

HostAccess Host(int openError, std::string pkexec)
{
    HostAccess host;
    host.sources = [] { return std::make_unique<DeniedLocator>(); };
    host.files = {"/sys/firmware/dmi/tables/DMI", "/dev/mem"};
    host.openError = [openError](const std::string& path) { return path == "/dev/mem" ? ENOENT : openError; };
    host.pkexec = std::move(pkexec);
    host.helper = "/fake/lumetra-read-table";
    return host;
}

} // namespace

TEST(TableSource, PermissionAdviceAndThePkexecFallback)
{
    const std::string dump = std::string(LUMETRA_TEST_DATA) + "/sm3/dump.bin";
    const std::string succeeds = FakePkexec("pkexec-ok", "exec cat '" + dump + "'");
    const std::string dismissed =
        FakePkexec("pkexec-dismissed", "echo 'Error executing command as another user: Request dismissed' >&2\nexit 126");
    const std::string garbage = FakePkexec("pkexec-garbage", "echo not a table");
    struct Case {
        const char* name;
        int openError;
        bool ask;
        std::string pkexec;
        bool opened;
        std::string adviceHas; // empty: no advice at all
    };
    const Case cases[] = {
        {"no such source: root would not help", ENOENT, true, succeeds, false, ""},
        {"denied, command line", EACCES, false, succeeds, false, kPermissionAdvice},
        {"denied, windows, pkexec succeeds", EACCES, true, succeeds, true, ""},
        {"denied, windows, dismissed", EACCES, true, dismissed, false,
         "Reading it as the administrator failed: the request for the administrator's password was dismissed "
         "(Error executing command as another user: Request dismissed)\n" + std::string(kPermissionAdvice)},
        {"denied, windows, helper output unreadable", EACCES, true, garbage, false, "no SMBIOS entry point anchor"},
        {"denied, windows, pkexec missing", EPERM, true, "", false, "pkexec, which would ask"},
    };
    for (const Case& c : cases) {
        OpenedTable table = OpenChosenTable({"", c.ask}, Host(c.openError, c.pkexec));
        ASSERT_NE(table.reader, nullptr) << c.name;
        EXPECT_EQ(table.reader->IsOpen(), c.opened) << c.name;
        if (c.adviceHas.empty()) {
            EXPECT_EQ(table.advice, "") << c.name;
        } else {
            EXPECT_NE(table.advice.find(c.adviceHas), std::string::npos) << c.name << ": " << table.advice;
        }
        if (!c.opened) {
            EXPECT_NE(table.reader->Reason().find("Permission denied"), std::string::npos) << c.name;
        }
    }
    // What came through the helper is the table of the dump it printed.
    OpenedTable table = OpenChosenTable({"", true}, Host(EACCES, succeeds));
    EXPECT_EQ(table.reader->Anchor(), AnchorKind::Sm3);
    EXPECT_EQ(table.reader->Source(), "/fake/lumetra-read-table");
    // A saved table never asks anyone.
    EXPECT_TRUE(OpenChosenTable({dump, true}, Host(EACCES, succeeds)).reader->IsOpen());
}

TEST(TableSource, PkexecIsLookedForOnlyInAbsoluteFoldersOfThePath)
{
    std::string dir = FakeDir();
    FakePkexec("pkexec", "exit 0");
    EXPECT_EQ(FindOnPath("pkexec", ("/nonexistent:" + dir).c_str()), dir + "/pkexec");
    EXPECT_EQ(FindOnPath("pkexec", "/nonexistent"), "");
    EXPECT_EQ(FindOnPath("pkexec", nullptr), "");
    ASSERT_EQ(chdir(dir.c_str()), 0);
    EXPECT_EQ(FindOnPath("pkexec", ":."), ""); // the current folder never counts
}
