// The driver path on Windows, through the program's own host layer: velkdrv.dll is
// loaded by name from beside this program. The ImageLibrary cases run beside the test
// build of the library, which serves a physical-memory image and logs its calls;
// RealLibrary beside the shipped one, which has no \Device\PhysicalMemory under Wine;
// MissingLibrary where there is none.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/phys_mem_driver.h"
#include "reader/locate.h"
#include "reader/table_reader.h"
#include "shell/views.h"

namespace {

const std::string kData = LUMETRA_WIN_TEST_DATA;

std::vector<uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void PutLe(std::vector<uint8_t>& bytes, size_t at, uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// The test library's image: "PHYSIMG1", then (address, length, bytes) segments.
class PhysImage {
public:
    void Add(uint64_t address, std::vector<uint8_t> bytes) { m_segments.push_back({address, std::move(bytes)}); }
    void Write(const std::string& path) const
    {
        std::vector<uint8_t> out = {'P', 'H', 'Y', 'S', 'I', 'M', 'G', '1'};
        for (const auto& s : m_segments) {
            size_t at = out.size();
            out.resize(at + 12);
            PutLe(out, at, s.address, 8);
            PutLe(out, at + 8, s.bytes.size(), 4);
            out.insert(out.end(), s.bytes.begin(), s.bytes.end());
        }
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(out.data()),
                                                    static_cast<std::streamsize>(out.size()));
    }

private:
    struct Segment {
        uint64_t address;
        std::vector<uint8_t> bytes;
    };
    std::vector<Segment> m_segments;
};

// A fixture's dump laid out as firmware would have it: the entry point at entryAt
// in the 64 KiB firmware area, the table at tableAt (its address patched in), with
// the driver path's whole window of zero-padded memory behind it.
struct Layout {
    std::vector<uint8_t> firmware;
    std::vector<uint8_t> table;
};

Layout FromDump(const std::string& fixture, uint32_t entryAt, uint64_t tableAt)
{
    std::vector<uint8_t> dump = ReadAll(kData + "/" + fixture + "/dump.bin");
    Layout layout;
    layout.firmware.assign(kFirmwareSize, 0);
    layout.table.assign(kDriverWindow, 0);
    if (dump.size() < 0x20)
        return layout;
    bool sm3 = dump[3] == '3';
    size_t field = sm3 ? 0x10 : 0x18;
    size_t dumpTable = dump[field] | dump[field + 1] << 8 | dump[field + 2] << 16;
    if (dumpTable > dump.size())
        return layout;
    std::copy(dump.begin(), dump.begin() + 0x20, layout.firmware.begin() + (entryAt - kFirmwareBase));
    PutLe(layout.firmware, entryAt - kFirmwareBase + (sm3 ? 0x10 : 0x18), tableAt, sm3 ? 8 : 4);
    std::copy(dump.begin() + dumpTable, dump.end(), layout.table.begin());
    return layout;
}

std::string TempPath(const char* name)
{
    char dir[MAX_PATH] = {};
    GetTempPathA(sizeof dir, dir);
    return std::string(dir) + "lumetra-velkdrv-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

std::vector<std::string> LogLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The JSON view without its first line, which names the source.
std::string JsonWithoutSource(CTableReader& reader)
{
    std::string json = RenderJson(reader, "HOST");
    size_t smbios = json.find("\n  \"smbios\"");
    return smbios == std::string::npos ? json : json.substr(smbios);
}

std::string ExeFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s(path);
    return s.substr(0, s.find_last_of("\\/") + 1);
}

const std::string kPreOpen = "Pre_Open_Device 102 \"c:\\mapmem.tmp\" \"mapmem_dv\"";
const std::string kFirmwareMap = "MapMem_Phys_To_Linear 0xF0000 0x0 0xF000";
const std::string kPostClose = "Post_Close_Device \"c:\\mapmem.tmp\" \"mapmem_dv\"";

class ImageLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_image = TempPath("image.bin");
        m_log = TempPath("calls.log");
        DeleteFileA(m_log.c_str());
        SetEnvironmentVariableA("LUMETRA_PHYSMEM_IMAGE", m_image.c_str());
        SetEnvironmentVariableA("LUMETRA_VELKDRV_LOG", m_log.c_str());
    }
    void TearDown() override
    {
        DeleteFileA(m_image.c_str());
        DeleteFileA(m_log.c_str());
    }
    std::unique_ptr<ITableLocator> HostDriverPath(bool acceptSm3 = false)
    {
        return std::make_unique<DriverPathLocator>(MakeHostPhysMemDriver(), acceptSm3, "physical memory");
    }

    std::string m_image;
    std::string m_log;
};

struct ReadCase {
    const char* name;
    const char* fixture;
    bool acceptSm3;
    uint32_t entryAt;  // 0: the fixture's fseg.bin as it stands
    uint64_t tableAt;
    const char* tableMap; // the second map's arguments
};

TEST_F(ImageLibrary, ReadsTheTableAsTheDumpHoldsIt)
{
    const ReadCase cases[] = {
        {"firmware area as saved", "pc-default", false, 0, 0xF5A10, "0xF5A10 0x0 0xF000"},
        {"table in high memory", "q35-workstation", false, 0xF5A30, 0x7FFEC000, "0x7FFEC000 0x0 0xF000"},
        {"table past 4 GiB", "sm3", true, 0xFE000, 0x123456780ULL, "0x23456780 0x1 0xF000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PhysImage image;
        if (c.entryAt == 0) {
            // The table lies near the area's top: its window runs on past 1 MiB.
            std::vector<uint8_t> fseg = ReadAll(kData + "/" + c.fixture + "/fseg.bin");
            fseg.resize(0x20000, 0);
            image.Add(kFirmwareBase, fseg);
        } else {
            Layout layout = FromDump(c.fixture, c.entryAt, c.tableAt);
            image.Add(kFirmwareBase, layout.firmware);
            image.Add(c.tableAt, layout.table);
        }
        image.Write(m_image);
        DeleteFileA(m_log.c_str());

        CTableReader driven(HostDriverPath(c.acceptSm3), 7);
        ASSERT_EQ(driven.Open(), kOk) << driven.Reason();
        EXPECT_EQ(driven.Source(), "physical memory");
        EXPECT_EQ(LogLines(m_log), (std::vector<std::string>{kPreOpen, "MapMem_Open", kFirmwareMap,
                                                             std::string("MapMem_Phys_To_Linear ") + c.tableMap,
                                                             "MapMem_Close", kPostClose}));

        CTableReader saved(std::make_unique<DumpFileLocator>(kData + "/" + c.fixture + "/dump.bin"));
        ASSERT_EQ(saved.Open(), kOk) << saved.Reason();
        EXPECT_EQ(driven.Version(), saved.Version());
        EXPECT_EQ(driven.StructureCount(), saved.StructureCount());
        EXPECT_EQ(driven.IndexedCount(), saved.IndexedCount());
        EXPECT_GT(driven.IndexedCount(), 0u);
        EXPECT_EQ(JsonWithoutSource(driven), JsonWithoutSource(saved));
    }
    // Loaded by name from beside the program, not from anywhere else on the path.
    char loaded[MAX_PATH] = {};
    GetModuleFileNameA(GetModuleHandleA("velkdrv.dll"), loaded, sizeof loaded);
    EXPECT_EQ(lstrcmpiA(loaded, (ExeFolder() + "velkdrv.dll").c_str()), 0) << loaded;
}

struct FailCase {
    const char* name;
    bool withFirmware;
    bool withTable;
    bool imageExists;
    std::vector<std::string> calls;
    const char* reasonStart;
};

TEST_F(ImageLibrary, FailedMapsEndOpenWithTheirReason)
{
    const std::string tableMap = "MapMem_Phys_To_Linear 0x7FFEC000 0x0 0xF000";
    const FailCase cases[] = {
        {"no firmware area", false, true, true, {kPreOpen, "MapMem_Open", kFirmwareMap, "MapMem_Close", kPostClose},
         "velkdrv.dll could not map physical memory at 0xF0000: "},
        {"no table", true, false, true,
         {kPreOpen, "MapMem_Open", kFirmwareMap, tableMap, "MapMem_Close", kPostClose},
         "velkdrv.dll could not map physical memory at 0x7FFEC000: "},
        {"no image to open", true, true, false,
         {kPreOpen, "MapMem_Open", kFirmwareMap, "MapMem_Close", kPostClose},
         "velkdrv.dll could not map physical memory at 0xF0000: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout = FromDump("q35-workstation", 0xF5A30, 0x7FFEC000);
        PhysImage image;
        if (c.withFirmware)
            image.Add(kFirmwareBase, layout.firmware);
        if (c.withTable)
            image.Add(0x7FFEC000, layout.table);
        image.Write(m_image);
        if (!c.imageExists)
            DeleteFileA(m_image.c_str());
        DeleteFileA(m_log.c_str());

        CTableReader reader(HostDriverPath(), 7);
        EXPECT_EQ(reader.Open(), kFail);
        EXPECT_FALSE(reader.IsOpen());
        // The system's words for the cause follow the address.
        EXPECT_EQ(reader.Reason().rfind(c.reasonStart, 0), 0u) << reader.Reason();
        EXPECT_GT(reader.Reason().size(), std::string(c.reasonStart).size()) << reader.Reason();
        EXPECT_EQ(LogLines(m_log), c.calls);
    }
}

typedef int(WINAPI* OpenFn)();
typedef int(WINAPI* MapFn)(DWORD, DWORD, DWORD, const void**);

struct Exports {
    OpenFn open = nullptr;
    MapFn map = nullptr;
    OpenFn close = nullptr;
};

Exports LoadExports()
{
    Exports e;
    HMODULE module = LoadLibraryA("velkdrv.dll");
    if (module == nullptr)
        return e;
    e.open = reinterpret_cast<OpenFn>(reinterpret_cast<void*>(GetProcAddress(module, "MapMem_Open")));
    e.map = reinterpret_cast<MapFn>(reinterpret_cast<void*>(GetProcAddress(module, "MapMem_Phys_To_Linear")));
    e.close = reinterpret_cast<OpenFn>(reinterpret_cast<void*>(GetProcAddress(module, "MapMem_Close")));
    return e;
}

// The library itself: a view points at the exact address, within its page as a real
// view would, and stays after closing; a failed map leaves the pointer as it was.
TEST_F(ImageLibrary, ViewsAndFailuresAtTheExports)
{
    std::vector<uint8_t> bytes(0x3000);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 7 + 3);
    PhysImage image;
    image.Add(0x10000, bytes);
    image.Write(m_image);
    Exports e = LoadExports();
    ASSERT_TRUE(e.open && e.map && e.close);
    ASSERT_NE(e.open(), 0);

    const void* view = nullptr;
    ASSERT_NE(e.map(0x10123, 0, 0x100, &view), 0);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(view) & 0xFFF, 0x123u);
    EXPECT_EQ(std::memcmp(view, bytes.data() + 0x123, 0x100), 0);

    const void* const sentinel = reinterpret_cast<const void*>(uintptr_t{0x5A5A});
    struct Miss {
        DWORD low, high, length;
    };
    const Miss misses[] = {
        {0x12F00, 0, 0x200},  // runs past the segment's end
        {0x0FFFF, 0, 0x10},   // starts before it
        {0x10000, 1, 0x10},   // the same low part, 4 GiB higher
        {0x10000, 0, 0},      // nothing to map
    };
    for (const auto& m : misses) {
        const void* p = sentinel;
        SetLastError(0);
        EXPECT_EQ(e.map(m.low, m.high, m.length, &p), 0) << std::hex << m.low;
        EXPECT_EQ(p, sentinel);
        EXPECT_NE(GetLastError(), 0u);
    }
    EXPECT_EQ(e.map(0x10000, 0, 0x10, nullptr), 0);

    ASSERT_NE(e.close(), 0);
    EXPECT_EQ(std::memcmp(view, bytes.data() + 0x123, 0x100), 0);
    const void* p = sentinel;
    EXPECT_EQ(e.map(0x10000, 0, 0x10, &p), 0) << "maps after closing";
    EXPECT_EQ(p, sentinel);
}

// The shipped library under Wine, which has no \Device\PhysicalMemory: the open
// fails, and so the first map, with the system's reason; nothing crashes.
TEST(RealLibrary, FailsCleanlyWithoutPhysicalMemory)
{
    CTableReader reader(std::make_unique<DriverPathLocator>(MakeHostPhysMemDriver(), false, "physical memory"), 7);
    EXPECT_EQ(reader.Open(), kFail);
    const std::string start = "velkdrv.dll could not map physical memory at 0xF0000: ";
    EXPECT_EQ(reader.Reason().rfind(start, 0), 0u) << reader.Reason();
    EXPECT_GT(reader.Reason().size(), start.size()) << reader.Reason();

    Exports e = LoadExports();
    ASSERT_TRUE(e.open && e.map && e.close);
    SetLastError(0);
    EXPECT_EQ(e.open(), 0);
    EXPECT_NE(GetLastError(), 0u);
    const void* const sentinel = reinterpret_cast<const void*>(uintptr_t{0x5A5A});
    const void* p = sentinel;
    EXPECT_EQ(e.map(0xF0000, 0, 0xF000, &p), 0);
    EXPECT_EQ(p, sentinel);
    EXPECT_NE(e.close(), 0);
}

TEST(MissingLibrary, OpenSaysTheLibraryIsMissing)
{
    CTableReader reader(std::make_unique<DriverPathLocator>(MakeHostPhysMemDriver(), false, "physical memory"), 7);
    EXPECT_EQ(reader.Open(), kFail);
    const std::string start = "velkdrv.dll could not be loaded: ";
    EXPECT_EQ(reader.Reason().rfind(start, 0), 0u) << reader.Reason();
    EXPECT_GT(reader.Reason().size(), start.size()) << reader.Reason();
}

} // namespace
