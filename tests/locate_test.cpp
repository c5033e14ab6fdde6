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

} // namespace

// Where the anchor lies -> what each path makes of it ("ok" or its reason), and the
// driver path's maps between opening the library and closing it, which it always does.
TEST_F(LocateTest, AnchorPositionsOnTheDriverAndDirectPaths)
{
    struct Case {
        uint32_t anchor;
        bool entryPoint; // a whole entry point, or the anchor's four bytes only
        bool mapFails;
        const char* driver;
        const char* maps;
        const char* direct;
    } cases[] = {
        // A table at 0x80000000 or above is passed with a high half of 0.
        {0xF0000, true, false, "ok", "0xF0000 0x0 0xF000|0x80000000 0x0 0xF000", "ok"},
        // The last position whose whole entry point is in the driver window, then beyond it.
        {0xFEFE0, true, false, "ok", "0xF0000 0x0 0xF000|0x80000000 0x0 0xF000", "ok"},
        {0xFF000, true, false, "no SMBIOS entry point anchor in 0xF0000-0xFEFFF", "0xF0000 0x0 0xF000", "ok"},
        {0xFFFD0, true, false, "no SMBIOS entry point anchor in 0xF0000-0xFEFFF", "0xF0000 0x0 0xF000", "ok"},
        {0xF0008, false, false, "no SMBIOS entry point anchor in 0xF0000-0xFEFFF", "0xF0000 0x0 0xF000",
         "no SMBIOS entry point anchor in 0xF0000-0xFFFFF"}, // not on a 16-byte boundary
        {0xFEFF0, false, false, "the entry point at 0xFEFF0 runs past the end of the mapped area", "0xF0000 0x0 0xF000",
         "the structure table at 0xAAAAAAAA is not readable"},
        // A call that leaves the pointer unset is a failure, never a read through it.
        {0xF0000, true, true, "the firmware area 0xF0000-0xFEFFF could not be mapped", "0xF0000 0x0 0xF000", "ok"},
    };
    for (const Case& c : cases) {
        SetUp();
        if (c.entryPoint)
            PutAnchor(c.anchor);
        else
            memory.Put(c.anchor, Bytes{'_', 'S', 'M', '_'});
        Located driver = Driver(c.mapFails), direct = Direct();
        EXPECT_EQ(driver.rc == kOk ? "ok" : driver.reason, c.driver) << std::hex << c.anchor;
        std::string maps;
        for (size_t i = 2; i + 2 < calls.size(); ++i)
            maps += (i > 2 ? "|" : "") + calls[i].substr(4);
        EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 2),
                  (std::vector<std::string>{"Pre_Open_Device 102 c:\\mapmem.tmp mapmem_dv", "MapMem_Open"}));
        EXPECT_EQ(maps, c.maps) << std::hex << c.anchor;
        EXPECT_EQ(std::vector<std::string>(calls.end() - 2, calls.end()),
                  (std::vector<std::string>{"MapMem_Close", "Post_Close_Device c:\\mapmem.tmp mapmem_dv"}));
        EXPECT_EQ(direct.rc == kOk ? "ok" : direct.reason, c.direct) << std::hex << c.anchor;
        if (direct.rc == kOk && driver.rc == kOk) {
            EXPECT_EQ(direct.out.entry.data, memory.At(c.anchor, 4));
            EXPECT_EQ(driver.out.table.size, 0xF000u);
            EXPECT_EQ(driver.out.fields.structureCount, 2);
            EXPECT_EQ(driver.out.fields.version, 0x0802);
        }
    }
}

TEST_F(LocateTest, DirectPathTakesTheLowerAnchorAndFailsOnUnreadableMemory)
{
    Bytes first = EntryPointSm(0x80000000, 2);
    first[0x04] = 0x55; // wrong checksum: ignored
    first[0x10] = 0;    // no intermediate anchor
    memory.Put(0xF1000, first);
    PutAnchor(0xF2000, 0x12345678);
    Located l = Direct();
    ASSERT_EQ(l.rc, kOk);
    EXPECT_EQ(l.out.table.data, memory.At(0x80000000, 1));

    SetUp();
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
