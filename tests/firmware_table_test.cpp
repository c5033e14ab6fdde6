// The table from Windows' firmware table service, and when the Windows build asks for it.
#include <gtest/gtest.h>

#include <fstream>

#include "reader/locate.h"
#include "shell/dump_bin.h"
#include "shell/views.h"
#include "table_builder.h"

namespace {

Bytes ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// The service's answer, RawSMBIOSData: calling method, major, minor, DMI revision,
// 32-bit length, table.
FirmwareTableLocator::Fetch Serve(uint8_t major, uint8_t minor, const Bytes& table, int* calls = nullptr)
{
    Bytes raw = {0, major, minor, 0, 0, 0, 0, 0};
    PutU32(raw, 4, static_cast<uint32_t>(table.size()));
    raw.insert(raw.end(), table.begin(), table.end());
    return [raw, calls](std::vector<uint8_t>& out, std::string&) {
        calls && ++*calls;
        out = raw;
        return true;
    };
}

std::string WithoutSourceAndAnchor(const std::string& json)
{
    std::string out = json;
    for (const std::string key : {"\"source\": \"", "\"anchor\": \""}) {
        size_t at = out.find(key) + key.size();
        out.erase(at, out.find('"', at) - at);
    }
    return out;
}

struct VersionAnswer : IVersionQuery {
    uint32_t platformId, major;
    bool accepts;
    VersionAnswer(uint32_t p, uint32_t m, bool a = true) : platformId(p), major(m), accepts(a) {}
    bool Query(OsVersionRecord& record) override
    {
        record.platformId = platformId;
        record.major = major;
        return accepts;
    }
};

} // namespace

TEST(FirmwareTable, FixtureTablesReadAsTheirDumpsDo)
{
    for (const char* fixture : {"pc-default/dump.bin", "q35-workstation/dump.bin", "sm3/dump.bin"}) {
        Bytes dump = ReadAll(TestData(fixture));
        ASSERT_GT(dump.size(), 0x20u) << fixture;
        Bytes table(dump.begin() + 0x20, dump.end());
        CTableReader rsmb(std::make_unique<FirmwareTableLocator>(Serve(3, 4, table)));
        ASSERT_EQ(rsmb.Open(), kOk) << rsmb.Reason();
        EXPECT_EQ(rsmb.Anchor(), AnchorKind::Rsmb);
        EXPECT_EQ(rsmb.Version(), 0x0403);
        EXPECT_TRUE(rsmb.Problems().empty()) << fixture;

        CTableReader saved(MakeSavedTableLocator(TestData(fixture)));
        ASSERT_EQ(saved.Open(), kOk);
        EXPECT_EQ(rsmb.IndexedCount(), saved.IndexedCount()) << fixture;
        std::string json = RenderJson(rsmb, "PC");
        EXPECT_NE(json.find("\"anchor\": \"RSMB\", \"version\": \"3.4\""), std::string::npos) << json.substr(0, 200);

        // Saved with --dump-bin, it reads back as an "_SM3_" dump with the same structures.
        Bytes image = DumpBinImage(rsmb);
        CTableReader back(std::make_unique<DumpFileLocator>("saved", image));
        ASSERT_EQ(back.Open(), kOk) << back.Reason();
        EXPECT_EQ(back.Anchor(), AnchorKind::Sm3);
        EXPECT_EQ(WithoutSourceAndAnchor(RenderJson(back, "PC")), WithoutSourceAndAnchor(json)) << fixture;

        // Saved as it came (a Windows tool's RawSMBIOSData file), it reads as the service's
        // answer does, and --dump-bin makes the same dump of it.
        Bytes blob = {0, 3, 4, 0, 0, 0, 0, 0};
        PutU32(blob, 4, static_cast<uint32_t>(table.size()));
        blob.insert(blob.end(), table.begin(), table.end());
        CTableReader file(std::make_unique<DumpFileLocator>("blob.bin", blob));
        ASSERT_EQ(file.Open(), kOk) << file.Reason();
        EXPECT_EQ(WithoutSourceAndAnchor(RenderJson(file, "PC")), WithoutSourceAndAnchor(json)) << fixture;
        EXPECT_EQ(DumpBinImage(file), image) << fixture;
    }
}

TEST(FirmwareTable, ServiceFailuresGiveTheirReason)
{
    // The service's answers themselves are in cases/malformed.case.
    struct Case {
        FirmwareTableLocator::Fetch fetch;
        const char* reason;
    } cases[] = {
        {[](std::vector<uint8_t>&, std::string& why) { why = "GetSystemFirmwareTable('RSMB') failed (error 1)"; return false; },
         "GetSystemFirmwareTable('RSMB') failed (error 1)"},
        {[](std::vector<uint8_t>&, std::string&) { return false; }, "the firmware table service gave no table"},
        {nullptr, "the firmware table service gave no table"},
    };
    for (const Case& c : cases) {
        CTableReader reader(std::make_unique<FirmwareTableLocator>(c.fetch));
        ASSERT_EQ(reader.Open(), kFail);
        EXPECT_EQ(reader.Reason(), c.reason);
    }
}

TEST(FirmwareTable, AskedForOnlyWhereNoOtherPathExists)
{
    constexpr uint32_t k9x = 1, kNt = 2;
    struct Case {
        OsKind kind;
        VersionAnswer version;
        bool asks;
    } cases[] = {
        {0, {kNt, 6}, true},          // Vista, 7
        {0, {kNt, 10}, true},         // 10 and 11
        {0, {kNt, 6, false}, false},  // the version query fails: no path
        {0, {3, 6}, false},           // an unknown platform
        {1, {0, 3}, false},           // Win32s
        {7, {kNt, 5}, false},         // XP keeps its driver path
        {3, {k9x, 4}, false},         // 98 keeps the direct path
    };
    for (Case& c : cases) {
        int calls = 0;
        auto locator = MakeWindowsLocator(c.kind, c.version, nullptr, nullptr,
                                          Serve(3, 0, Structure(127, 0), &calls));
        LocateResult out;
        std::string reason;
        ResultCode rc = locator->Locate(out, reason);
        EXPECT_EQ(calls, c.asks ? 1 : 0) << "kind " << c.kind << " major " << c.version.major;
        EXPECT_EQ(rc, c.asks ? kOk : kFail) << reason;
    }
}
