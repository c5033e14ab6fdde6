#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>

#include "reader/locate.h"
#include "reader/table_reader.h"
#include "tests/table_builder.h"

namespace {

// Physical memory made of a few regions; anything else is unreadable.
struct FakePhysicalMemory : IDirectMemory {
    std::map<uint64_t, Bytes> regions;

    const uint8_t* At(uint64_t address, uint64_t length)
    {
        for (auto& [base, r] : regions)
            if (address >= base && address + length <= base + r.size())
                return r.data() + (address - base);
        return nullptr;
    }
    void Put(uint64_t address, const Bytes& bytes)
    {
        uint8_t* p = const_cast<uint8_t*>(At(address, bytes.size()));
        ASSERT_NE(p, nullptr);
        std::memcpy(p, bytes.data(), bytes.size());
    }
    const uint8_t* Readable(uint32_t address, uint32_t length) override { return At(address, length); }
};

// Records every library call; can refuse to map.
struct RecordingDriver : IPhysMemDriver {
    FakePhysicalMemory& memory;
    std::vector<std::string>& calls;
    bool mapFails;
    RecordingDriver(FakePhysicalMemory& m, std::vector<std::string>& c, bool fails)
        : memory(m), calls(c), mapFails(fails) {}

    void Pre_Open_Device(int32_t id, const char* file, const char* device) override
    {
        calls.push_back("Pre_Open_Device " + std::to_string(id) + " " + file + " " + device);
    }
    void MapMem_Open() override { calls.push_back("MapMem_Open"); }
    void MapMem_Phys_To_Linear(uint32_t low, uint32_t high, uint32_t length, const uint8_t** linear) override
    {
        char line[96];
        std::snprintf(line, sizeof line, "Map 0x%X 0x%X 0x%X", low, high, length);
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

struct Located {
    ResultCode rc;
    LocateResult out;
    std::string reason;
};

class LocateTest : public ::testing::Test {
protected:
    FakePhysicalMemory memory;
    std::vector<std::string> calls;

    void SetUp() override
    {
        memory.regions.clear();
        memory.regions[0xF0000].assign(0x10000, 0xAA);
        memory.regions[0x80000000].assign(0x10000, 0);
        memory.Put(0x80000000, Concat({Structure(0, 0, {1, 2, 0}, {"Vendor"}), Structure(127, 0x7F00)}));
        calls.clear();
    }
    void PutAnchor(uint32_t address, uint32_t table = 0x80000000) { memory.Put(address, EntryPointSm(table, 2)); }
    Located Driver(bool mapFails = false)
    {
        Located l;
        DriverPathLocator locator(std::make_unique<RecordingDriver>(memory, calls, mapFails), false, "test");
        l.rc = locator.Locate(l.out, l.reason);
        return l;
    }
    Located Direct()
    {
        Located l;
        l.rc = DirectPathLocator(memory).Locate(l.out, l.reason);
        return l;
    }
};

const char* const kPreOpen = "Pre_Open_Device 102 c:\\mapmem.tmp mapmem_dv";
const char* const kMapFirmware = "Map 0xF0000 0x0 0xF000";
const char* const kPostClose = "Post_Close_Device c:\\mapmem.tmp mapmem_dv";
} // namespace

TEST_F(LocateTest, DriverPathCallsTheLibraryInOrder)
{
    PutAnchor(0xF0000);
    Located l = Driver();
    ASSERT_EQ(l.rc, kOk) << l.reason;
    // A table at 0x80000000 or above is passed with a high half of 0.
    EXPECT_EQ(calls, (std::vector<std::string>{kPreOpen, "MapMem_Open", kMapFirmware, "Map 0x80000000 0x0 0xF000",
                                               "MapMem_Close", kPostClose}));
    EXPECT_EQ(l.out.table.size, 0xF000u);
    EXPECT_EQ(l.out.fields.structureCount, 2);
    EXPECT_EQ(l.out.fields.version, 0x0802);
}

TEST_F(LocateTest, DriverPathFailuresCloseTheLibrary)
{
    memory.Put(0xF0008, Bytes{'_', 'S', 'M', '_'}); // not on a 16-byte boundary
    Located none = Driver();
    EXPECT_EQ(none.rc, kFail);
    EXPECT_EQ(none.reason, "no SMBIOS entry point anchor in 0xF0000-0xFEFFF");
    EXPECT_EQ(calls, (std::vector<std::string>{kPreOpen, "MapMem_Open", kMapFirmware, "MapMem_Close", kPostClose}));

    // A call that leaves the pointer unset is a failure, never a read through it.
    PutAnchor(0xF0000);
    calls.clear();
    EXPECT_EQ(Driver(true).rc, kFail);
    EXPECT_EQ(calls.back(), kPostClose);
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
        PutAnchor(c.anchor);
        EXPECT_EQ(Driver().rc == kOk, c.driverFinds) << std::hex << c.anchor;
        Located direct = Direct();
        EXPECT_EQ(direct.rc == kOk, c.directFinds) << std::hex << c.anchor;
        EXPECT_EQ(direct.out.entry.data, memory.At(c.anchor, 4));
    }

    // The last driver position: the anchor is inside the window, its fields are not.
    SetUp();
    memory.Put(0xFEFF0, Bytes{'_', 'S', 'M', '_'});
    Located cut = Driver();
    EXPECT_EQ(cut.rc, kFail);
    EXPECT_EQ(cut.reason, "the entry point at 0xFEFF0 runs past the end of the mapped area");
    EXPECT_EQ(calls.size(), 5u); // the table is never mapped
}

TEST_F(LocateTest, LowerOfTwoAnchorsWinsAndChecksumsAreIgnored)
{
    Bytes first = EntryPointSm(0x80000000, 2);
    first[0x04] = 0x55; // wrong checksum
    first[0x10] = 0;    // no intermediate anchor
    memory.Put(0xF1000, first);
    PutAnchor(0xF2000, 0x12345678);
    Located l = Direct();
    ASSERT_EQ(l.rc, kOk);
    EXPECT_EQ(l.out.table.data, memory.At(0x80000000, 1));
}

TEST_F(LocateTest, DirectPathFailsOnUnreadableMemory)
{
    PutAnchor(0xF0000, 0x10000000);
    EXPECT_EQ(Direct().reason, "the structure table at 0x10000000 is not readable");
    memory.regions.clear();
    EXPECT_EQ(Direct().rc, kFail);
}

TEST(OsKindLocator, KindsWithoutPathFailWithoutReading)
{
    for (OsKind kind : {0, 1, 8}) {
        LocateResult out;
        std::string reason;
        EXPECT_EQ(MakeOsKindLocator(kind, nullptr, nullptr)->Locate(out, reason), kFail);
        EXPECT_NE(reason.find("no access"), std::string::npos);
    }
}

TEST(SavedTables, FirmwareImageOfPhysicalMemoryOnTheDirectPath)
{
    // fseg.bin is 0xF0000-0xFFFFF and the table lies at 0xF5A10 inside it.
    FakePhysicalMemory memory;
    Bytes& fseg = memory.regions[0xF0000];
    fseg.resize(0x10000);
    FILE* f = std::fopen(TestData("pc-default/fseg.bin").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fread(fseg.data(), 1, fseg.size(), f), fseg.size());
    std::fclose(f);
    CTableReader reader(std::make_unique<DirectPathLocator>(memory), 3);
    ASSERT_EQ(reader.Open(), kOk) << reader.Reason();
    EXPECT_EQ(reader.IndexedCount(), 9u);
    const uint8_t* bios = nullptr;
    const char* vendor = nullptr;
    ASSERT_EQ(reader.GetStructure(0x0000, &bios), kOk);
    ASSERT_EQ(reader.GetString(1, &vendor), kOk);
    EXPECT_STREQ(vendor, "SeaBIOS");
}

TEST(SavedTables, BrokenFilesGiveAReason)
{
    CTableReader missing(MakeSavedTableLocator(TestData("no-such-file.bin")));
    EXPECT_EQ(missing.Open(), kFail);
    EXPECT_NE(missing.Reason().find("no-such-file.bin: No such file or directory"), std::string::npos);
#ifndef _WIN32
    // A device would be read for ever.
    CTableReader device(MakeSavedTableLocator("/dev/zero"));
    EXPECT_EQ(device.Open(), kFail);
    EXPECT_EQ(device.Reason(), "/dev/zero: not a regular file");
#endif
}

TEST(Sm3EntryPoint, WithoutEndOfTableTheWalkStopsAtACountOf65535)
{
    // Without an End-of-Table, the walk stops where a 16-bit count would overflow.
    Bytes many;
    for (int i = 0; i < 70000; ++i) {
        Bytes s = Structure(17, static_cast<uint16_t>(i));
        many.insert(many.end(), s.begin(), s.end());
    }
    CTableReader huge(std::make_unique<MemoryLocator>(EntryPointSm3(0, 0), many, AnchorKind::Sm3));
    ASSERT_EQ(huge.Open(), kOk);
    EXPECT_EQ(huge.IndexedCount(), 0xFFFFu);
    EXPECT_EQ(huge.StructureCount(), 0xFFFF);
}
