#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>

#include "reader/locate.h"
#include "reader/table_reader.h"
#include "tests/table_builder.h"

namespace {

// Physical memory made of a few regions; anything else is unreadable.
struct FakePhysicalMemory {
    std::map<uint64_t, Bytes> regions;

    Bytes& Region(uint64_t base, size_t size)
    {
        Bytes& r = regions[base];
        r.assign(size, 0xAA);
        return r;
    }
    void Put(uint64_t address, const Bytes& bytes)
    {
        for (auto& [base, r] : regions)
            if (address >= base && address + bytes.size() <= base + r.size()) {
                std::memcpy(r.data() + (address - base), bytes.data(), bytes.size());
                return;
            }
        FAIL() << "no region at " << address;
    }
    const uint8_t* At(uint64_t address, uint64_t length)
    {
        for (auto& [base, r] : regions)
            if (address >= base && address + length <= base + r.size())
                return r.data() + (address - base);
        return nullptr;
    }
};

struct FakeDirectMemory : IDirectMemory {
    FakePhysicalMemory& memory;
    explicit FakeDirectMemory(FakePhysicalMemory& m) : memory(m) {}
    const uint8_t* Readable(uint32_t address, uint32_t length) override { return memory.At(address, length); }
};

// Records every library call; can refuse to map.
struct RecordingDriver : IPhysMemDriver {
    FakePhysicalMemory& memory;
    std::vector<std::string>& calls;
    bool mapFails = false;
    RecordingDriver(FakePhysicalMemory& m, std::vector<std::string>& c) : memory(m), calls(c) {}

    void Pre_Open_Device(int32_t id, const char* file, const char* device) override
    {
        calls.push_back("Pre_Open_Device " + std::to_string(id) + " " + file + " " + device);
    }
    void MapMem_Open() override { calls.push_back("MapMem_Open"); }
    void MapMem_Phys_To_Linear(uint32_t low, uint32_t high, uint32_t length, const uint8_t** linear) override
    {
        char line[96];
        std::snprintf(line, sizeof line, "MapMem_Phys_To_Linear 0x%X 0x%X 0x%X", low, high, length);
        calls.push_back(line);
        if (!mapFails)
            *linear = memory.At((uint64_t{high} << 32) | low, length);
    }
    void MapMem_Close() override { calls.push_back("MapMem_Close"); }
    void Post_Close_Device(const char* file, const char* device) override
    {
        calls.push_back(std::string("Post_Close_Device ") + file + " " + device);
    }
};

const Bytes kTable = Concat({Structure(0, 0x0000, {1, 2, 0}, {"Vendor"}), Structure(127, 0x7F00)});

class LocateTest : public ::testing::Test {
protected:
    FakePhysicalMemory memory;
    std::vector<std::string> calls;

    void SetUp() override
    {
        memory.Region(0xF0000, 0x10000);
        memory.Region(0x80000000, 0x10000);
        memory.Put(0x80000000, kTable);
    }
    void PutAnchor(uint32_t address, uint32_t table = 0x80000000)
    {
        memory.Put(address, EntryPointSm(table, 2));
    }
    ResultCode Driver(LocateResult& out, std::string& reason, bool mapFails = false)
    {
        auto driver = std::make_unique<RecordingDriver>(memory, calls);
        driver->mapFails = mapFails;
        DriverPathLocator locator(std::move(driver), false, "test");
        return locator.Locate(out, reason);
    }
    ResultCode Direct(LocateResult& out, std::string& reason)
    {
        FakeDirectMemory direct(memory);
        return DirectPathLocator(direct).Locate(out, reason);
    }
};

const std::vector<std::string> kDriverCallsFound = {
    "Pre_Open_Device 102 c:\\mapmem.tmp mapmem_dv",
    "MapMem_Open",
    "MapMem_Phys_To_Linear 0xF0000 0x0 0xF000",
    "MapMem_Phys_To_Linear 0x80000000 0x0 0xF000",
    "MapMem_Close",
    "Post_Close_Device c:\\mapmem.tmp mapmem_dv",
};

} // namespace

TEST_F(LocateTest, DriverPathCallsTheLibraryInOrder)
{
    PutAnchor(0xF0000);
    LocateResult out;
    std::string reason;
    ASSERT_EQ(Driver(out, reason), kOk) << reason;
    EXPECT_EQ(calls, kDriverCallsFound);
    EXPECT_EQ(out.table.size, 0xF000u);
    EXPECT_EQ(out.fields.structureCount, 2);
    EXPECT_EQ(out.fields.version, 0x0802);
}

TEST_F(LocateTest, DriverPathWithoutAnchorClosesAndFails)
{
    memory.Put(0xF0008, Bytes{'_', 'S', 'M', '_'}); // not on a 16-byte boundary
    LocateResult out;
    std::string reason;
    EXPECT_EQ(Driver(out, reason), kFail);
    EXPECT_EQ(calls, (std::vector<std::string>{kDriverCallsFound[0], kDriverCallsFound[1], kDriverCallsFound[2],
                                               kDriverCallsFound[4], kDriverCallsFound[5]}));
    EXPECT_EQ(reason, "no SMBIOS entry point anchor in 0xF0000-0xFEFFF");
}

TEST_F(LocateTest, DriverPathLeavingThePointerUnsetFails)
{
    PutAnchor(0xF0000);
    LocateResult out;
    std::string reason;
    EXPECT_EQ(Driver(out, reason, true), kFail);
    EXPECT_EQ(calls.back(), kDriverCallsFound.back());
}

TEST_F(LocateTest, WhichAnchorPositionsEachPathFinds)
{
    struct Case {
        uint32_t anchor;
        bool driverFinds, directFinds;
    } cases[] = {
        {0xF0000, true, true},
        {0xFEFE0, true, true},   // last position whose whole entry point is in the driver window
        {0xFF000, false, true},  // beyond the driver window
        {0xFFFD0, false, true},
    };
    for (const Case& c : cases) {
        SetUp();
        calls.clear();
        PutAnchor(c.anchor);
        LocateResult out;
        std::string reason;
        EXPECT_EQ(Driver(out, reason) == kOk, c.driverFinds) << std::hex << c.anchor << " " << reason;
        EXPECT_EQ(Direct(out, reason) == kOk, c.directFinds) << std::hex << c.anchor << " " << reason;
        if (c.directFinds) {
            EXPECT_EQ(out.entry.data, memory.At(c.anchor, 4));
        }
    }
}

TEST_F(LocateTest, AnchorCutOffByTheWindowEndIsFoundButNotRead)
{
    // The last driver position: the anchor is inside the window, its fields are not.
    memory.Put(0xFEFF0, Bytes{'_', 'S', 'M', '_'});
    LocateResult out;
    std::string reason;
    EXPECT_EQ(Driver(out, reason), kFail);
    EXPECT_EQ(reason, "the entry point at 0xFEFF0 runs past the end of the mapped area");
    EXPECT_EQ(calls.size(), 5u); // the table is never mapped
}

TEST_F(LocateTest, LowerOfTwoAnchorsWinsAndChecksumsAreIgnored)
{
    Bytes first = EntryPointSm(0x80000000, 2);
    first[0x04] = 0x55; // wrong checksum
    first[0x10] = 0;    // no intermediate anchor
    memory.Put(0xF1000, first);
    PutAnchor(0xF2000, 0x12345678);
    LocateResult out;
    std::string reason;
    ASSERT_EQ(Direct(out, reason), kOk);
    EXPECT_EQ(out.fields.tableAddress, 0x80000000u);
    EXPECT_EQ(out.table.data, memory.At(0x80000000, 1));
}

TEST_F(LocateTest, DirectPathFailsOnUnreadableMemory)
{
    PutAnchor(0xF0000, 0x10000000);
    LocateResult out;
    std::string reason;
    EXPECT_EQ(Direct(out, reason), kFail);
    EXPECT_EQ(reason, "the structure table at 0x10000000 is not readable");
    memory.regions.clear();
    EXPECT_EQ(Direct(out, reason), kFail);
}

TEST(OsKindLocator, KindsWithoutPathFailWithoutReading)
{
    for (OsKind kind : {0, 1, 8}) {
        auto locator = MakeOsKindLocator(kind, nullptr, nullptr);
        LocateResult out;
        std::string reason;
        EXPECT_EQ(locator->Locate(out, reason), kFail);
        EXPECT_NE(reason.find("no access"), std::string::npos);
    }
}

TEST(SavedTables, FixturesOpenInEveryForm)
{
    struct Case {
        const char* path;
        AnchorKind anchor;
        uint16_t version;
        size_t structures;
    } cases[] = {
        {"pc-default/dump.bin", AnchorKind::Sm, 0x0802, 9},
        {"pc-default/sysfs", AnchorKind::Sm, 0x0802, 9},
        {"q35-workstation/dump.bin", AnchorKind::Sm, 0x0802, 12},
        {"sm3/dump.bin", AnchorKind::Sm3, 0x0003, 9},
        {"sm3/sysfs", AnchorKind::Sm3, 0x0003, 9},
    };
    for (const Case& c : cases) {
        CTableReader reader(MakeSavedTableLocator(TestData(c.path)));
        ASSERT_EQ(reader.Open(), kOk) << c.path << ": " << reader.Reason();
        EXPECT_EQ(reader.Anchor(), c.anchor) << c.path;
        EXPECT_EQ(reader.Version(), c.version) << c.path;
        EXPECT_EQ(reader.IndexedCount(), c.structures) << c.path;
        EXPECT_EQ(reader.StructureCount(), c.structures) << c.path;
        EXPECT_EQ(reader.IndexEntry(c.structures - 1).Type(), 127) << c.path;
    }
}

TEST(SavedTables, FirmwareImageOfPhysicalMemoryOnTheDirectPath)
{
    // fseg.bin is 0xF0000-0xFFFFF and table.bin lies at 0xF5A10 inside it.
    FakePhysicalMemory memory;
    Bytes& fseg = memory.Region(0xF0000, 0x10000);
    FILE* f = std::fopen(TestData("pc-default/fseg.bin").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fread(fseg.data(), 1, fseg.size(), f), fseg.size());
    std::fclose(f);
    FakeDirectMemory direct(memory);
    CTableReader reader(std::make_unique<DirectPathLocator>(direct), 3);
    ASSERT_EQ(reader.Open(), kOk) << reader.Reason();
    EXPECT_EQ(reader.IndexedCount(), 9u);
    const uint8_t* bios = nullptr;
    ASSERT_EQ(reader.GetStructure(0x0000, &bios), kOk);
    const char* vendor = nullptr;
    ASSERT_EQ(reader.GetString(1, &vendor), kOk);
    EXPECT_STREQ(vendor, "SeaBIOS");
}

TEST(SavedTables, BrokenFilesGiveAReason)
{
    CTableReader missing(MakeSavedTableLocator(TestData("no-such-file.bin")));
    EXPECT_EQ(missing.Open(), kFail);
    EXPECT_NE(missing.Reason().find("no-such-file.bin: No such file or directory"), std::string::npos);

    // An anchor inside the table part of a dump is never taken for an entry point.
    std::string path = ::testing::TempDir() + "/anchor-in-table.bin";
    Bytes dump(0x20, 0);
    Bytes tail = EntryPointSm(0x20, 1);
    dump.insert(dump.end(), tail.begin(), tail.end());
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(dump.data(), 1, dump.size(), f);
    std::fclose(f);
    CTableReader reader(MakeSavedTableLocator(path));
    EXPECT_EQ(reader.Open(), kFail);
    EXPECT_EQ(reader.Reason(), path + ": no SMBIOS entry point anchor");

    // A table address beyond the file.
    Bytes far = EntryPointSm(0x1000, 1);
    far.resize(0x20, 0);
    f = std::fopen(path.c_str(), "wb");
    std::fwrite(far.data(), 1, far.size(), f);
    std::fclose(f);
    CTableReader beyond(MakeSavedTableLocator(path));
    EXPECT_EQ(beyond.Open(), kFail);
    EXPECT_NE(beyond.Reason().find("lies beyond the end of the file"), std::string::npos);
}

TEST(Sm3EntryPoint, CountStopsAtEndOfTableAndWindowIsCutToMaximum)
{
    Bytes table = Concat({Structure(1, 1), Structure(127, 2), Structure(1, 3)});
    // Three structures, but only up to End-of-Table count.
    CTableReader reader(std::make_unique<MemoryLocator>(EntryPointSm3(0, 1000), table, AnchorKind::Sm3));
    ASSERT_EQ(reader.Open(), kOk);
    EXPECT_EQ(reader.IndexedCount(), 2u);
    EXPECT_EQ(reader.StructureCount(), 2);
    EXPECT_EQ(reader.MaxStructureSize(), 0);
    EXPECT_EQ(reader.Version(), 0x0003);

    // A maximum size that cuts the second structure in half leaves one.
    std::string path = ::testing::TempDir() + "/sm3-cut.bin";
    Bytes dump = EntryPointSm3(0x20, 8);
    dump.resize(0x20, 0);
    dump.insert(dump.end(), table.begin(), table.end());
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(dump.data(), 1, dump.size(), f);
    std::fclose(f);
    CTableReader cut(MakeSavedTableLocator(path));
    ASSERT_EQ(cut.Open(), kOk) << cut.Reason();
    EXPECT_EQ(cut.IndexedCount(), 1u);
}
