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
#include <utility>
#include <vector>

#include "platform/phys_mem_driver.h"
#include "reader/locate.h"
#include "reader/table_reader.h"
#include "shell/views.h"

namespace {

const std::string kData = LUMETRA_WIN_TEST_DATA;
using Bytes = std::vector<uint8_t>;
using Segments = std::vector<std::pair<uint64_t, Bytes>>; // (physical address, bytes)

Bytes ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void PutLe(Bytes& bytes, size_t at, uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// The test library's image: "PHYSIMG1", then (address, length, bytes) segments.
void WriteImage(const std::string& path, const Segments& segments)
{
    Bytes out = {'P', 'H', 'Y', 'S', 'I', 'M', 'G', '1'};
    for (const auto& segment : segments) {
        size_t at = out.size();
        out.resize(at + 12);
        PutLe(out, at, segment.first, 8);
        PutLe(out, at + 8, segment.second.size(), 4);
        out.insert(out.end(), segment.second.begin(), segment.second.end());
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}

// A fixture's dump laid out as firmware would have it: the 64 KiB firmware area with
// the entry point at entryAt, and the driver path's whole window of zero-padded memory
// at tableAt, holding the table (its address patched into the entry point). With
// entryAt 0, the fixture's saved firmware area as it stands, run on past 1 MiB.
Segments FromDump(const std::string& fixture, uint32_t entryAt, uint64_t tableAt)
{
    if (entryAt == 0) {
        Bytes area = ReadAll(kData + "/" + fixture + "/fseg.bin");
        area.resize(0x20000, 0);
        return {{kFirmwareBase, area}};
    }
    Bytes dump = ReadAll(kData + "/" + fixture + "/dump.bin");
    Bytes firmware(kFirmwareSize, 0), table(kDriverWindow, 0);
    bool sm3 = dump.at(3) == '3';
    size_t field = sm3 ? 0x10 : 0x18;
    size_t dumpTable = dump.at(field) | dump.at(field + 1) << 8 | dump.at(field + 2) << 16;
    std::copy(dump.begin(), dump.begin() + 0x20, firmware.begin() + (entryAt - kFirmwareBase));
    PutLe(firmware, entryAt - kFirmwareBase + field, tableAt, sm3 ? 8 : 4);
    std::copy(dump.begin() + dumpTable, dump.end(), table.begin());
    return {{kFirmwareBase, firmware}, {tableAt, table}};
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
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(0, line.find('\r')));
    return lines;
}

// The JSON view without its first line, which names the source.
std::string JsonWithoutSource(CTableReader& reader)
{
    std::string json = RenderJson(reader, "HOST");
    return json.substr(json.find("\n  \"smbios\""));
}

std::unique_ptr<ITableLocator> HostDriverPath(bool acceptSm3 = false)
{
    return std::make_unique<DriverPathLocator>(MakeHostPhysMemDriver(), acceptSm3, "physical memory");
}

// The reason begins so, and the system's words for the cause follow.
void ExpectReason(const CTableReader& reader, const std::string& start)
{
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(reader.Reason().rfind(start, 0), 0u) << reader.Reason();
    EXPECT_GT(reader.Reason().size(), start.size()) << reader.Reason();
}

const std::string kMapFailed = "velkdrv.dll could not map physical memory at ";

// An export of the velkdrv.dll beside the program, or null.
template <typename Fn>
Fn Export(const char* name)
{
    HMODULE module = LoadLibraryA("velkdrv.dll");
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

struct Exports {
    int(WINAPI* open)() = Export<decltype(open)>("MapMem_Open");
    int(WINAPI* map)(DWORD, DWORD, DWORD, const void**) = Export<decltype(map)>("MapMem_Phys_To_Linear");
    int(WINAPI* close)() = Export<decltype(close)>("MapMem_Close");
};

const void* const kSentinel = reinterpret_cast<const void*>(uintptr_t{0x5A5A});

class ImageLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetEnvironmentVariableA("LUMETRA_PHYSMEM_IMAGE", m_image.c_str());
        SetEnvironmentVariableA("LUMETRA_VELKDRV_LOG", m_log.c_str());
    }
    void TearDown() override
    {
        DeleteFileA(m_image.c_str());
        DeleteFileA(m_log.c_str());
    }

    const std::string m_image = TempPath("image.bin");
    const std::string m_log = TempPath("calls.log");
};

// An image (or none) -> the calls the driver path makes, and the table as the saved
// dump holds it or the reason naming the address whose map failed.
TEST_F(ImageLibrary, OpenReadsTheTableOrEndsWithTheFailedMap)
{
    enum Image { kWhole, kNoFirmware, kNoTable, kNoFile };
    struct Case {
        const char* fixture;
        bool acceptSm3;
        uint32_t entryAt; // 0: the fixture's saved firmware area
        uint64_t tableAt;
        Image image;
        const char* tableMap; // the second map's arguments, if it is made
        const char* failedAt; // null: opened
    };
    const uint64_t high = 0x7FFEC000;
    const Case cases[] = {
        {"pc-default", false, 0, 0, kWhole, "0xF5A10 0x0 0xF000", nullptr},
        {"sm3", true, 0xFE000, 0x123456780ULL, kWhole, "0x23456780 0x1 0xF000", nullptr}, // past 4 GiB
        {"q35-workstation", false, 0xF5A30, high, kNoFirmware, nullptr, "0xF0000"},
        {"q35-workstation", false, 0xF5A30, high, kNoTable, "0x7FFEC000 0x0 0xF000", "0x7FFEC000"},
        {"q35-workstation", false, 0xF5A30, high, kNoFile, nullptr, "0xF0000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fixture) + ", image kind " + std::to_string(c.image));
        Segments segments = FromDump(c.fixture, c.entryAt, c.tableAt);
        if (c.image == kNoFirmware)
            segments.erase(segments.begin());
        if (c.image == kNoTable)
            segments.pop_back();
        WriteImage(m_image, segments);
        if (c.image == kNoFile)
            DeleteFileA(m_image.c_str());
        DeleteFileA(m_log.c_str());

        CTableReader driven(HostDriverPath(c.acceptSm3), 7);
        EXPECT_EQ(driven.Open(), c.failedAt ? kFail : kOk) << driven.Reason();
        std::vector<std::string> calls = {"Pre_Open_Device 102 \"c:\\mapmem.tmp\" \"mapmem_dv\"", "MapMem_Open",
                                          "MapMem_Phys_To_Linear 0xF0000 0x0 0xF000"};
        if (c.tableMap)
            calls.push_back(std::string("MapMem_Phys_To_Linear ") + c.tableMap);
        calls.insert(calls.end(), {"MapMem_Close", "Post_Close_Device \"c:\\mapmem.tmp\" \"mapmem_dv\""});
        EXPECT_EQ(LogLines(m_log), calls);
        if (c.failedAt) {
            ExpectReason(driven, kMapFailed + c.failedAt + ": ");
            continue;
        }
        ASSERT_TRUE(driven.IsOpen());
        EXPECT_EQ(driven.Source(), "physical memory");
        CTableReader saved(std::make_unique<DumpFileLocator>("saved", ReadAll(kData + "/" + c.fixture + "/dump.bin")));
        ASSERT_EQ(saved.Open(), kOk) << saved.Reason();
        EXPECT_GT(driven.IndexedCount(), 0u);
        EXPECT_EQ(JsonWithoutSource(driven), JsonWithoutSource(saved));
    }
    // Loaded by name from beside the program, not from anywhere else on the path.
    char exe[MAX_PATH] = {}, loaded[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    GetModuleFileNameA(GetModuleHandleA("velkdrv.dll"), loaded, sizeof loaded);
    std::string beside(exe);
    beside = beside.substr(0, beside.find_last_of("\\/") + 1) + "velkdrv.dll";
    EXPECT_EQ(lstrcmpiA(loaded, beside.c_str()), 0) << loaded;
}

// The library itself: a view points at the exact address, within its page as a real
// view would, and stays after closing; a failed map leaves the pointer as it was.
TEST_F(ImageLibrary, ViewsAndFailuresAtTheExports)
{
    Bytes bytes(0x3000);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 7 + 3);
    WriteImage(m_image, {{0x10000, bytes}});
    Exports e;
    ASSERT_TRUE(e.open && e.map && e.close);
    ASSERT_NE(e.open(), 0);

    const void* view = nullptr;
    ASSERT_NE(e.map(0x10123, 0, 0x100, &view), 0);
    ASSERT_EQ(reinterpret_cast<uintptr_t>(view) & 0xFFF, 0x123u);
    EXPECT_EQ(std::memcmp(view, bytes.data() + 0x123, 0x100), 0);
    EXPECT_EQ(e.map(0x10000, 0, 0x10, nullptr), 0) << "nowhere to store the pointer";

    struct Miss {
        const char* what;
        DWORD low, high, length;
        bool closed;
    };
    const Miss misses[] = {
        {"runs past the segment's end", 0x12F00, 0, 0x200, false},
        {"starts before it", 0x0FFFF, 0, 0x10, false},
        {"the same low part, 4 GiB higher", 0x10000, 1, 0x10, false},
        {"nothing to map", 0x10000, 0, 0, false},
        {"after closing", 0x10000, 0, 0x10, true},
    };
    for (const auto& m : misses) {
        SCOPED_TRACE(m.what);
        if (m.closed) {
            ASSERT_NE(e.close(), 0);
        }
        const void* p = kSentinel;
        SetLastError(0);
        EXPECT_EQ(e.map(m.low, m.high, m.length, &p), 0);
        EXPECT_EQ(p, kSentinel);
        EXPECT_NE(GetLastError(), 0u);
    }
    EXPECT_EQ(std::memcmp(view, bytes.data() + 0x123, 0x100), 0) << "the view went with the closing";
}

// The shipped library under Wine, which has no \Device\PhysicalMemory: the open
// fails, and so the first map, with the system's reason; nothing crashes.
TEST(RealLibrary, FailsCleanlyWithoutPhysicalMemory)
{
    CTableReader reader(HostDriverPath(), 7);
    EXPECT_EQ(reader.Open(), kFail);
    ExpectReason(reader, kMapFailed + "0xF0000: ");

    Exports e;
    ASSERT_TRUE(e.open && e.map && e.close);
    SetLastError(0);
    EXPECT_EQ(e.open(), 0);
    EXPECT_NE(GetLastError(), 0u);
    const void* p = kSentinel;
    EXPECT_EQ(e.map(0xF0000, 0, 0xF000, &p), 0);
    EXPECT_EQ(p, kSentinel);
    EXPECT_NE(e.close(), 0);
}

TEST(MissingLibrary, OpenSaysTheLibraryIsMissing)
{
    CTableReader reader(HostDriverPath(), 7);
    EXPECT_EQ(reader.Open(), kFail);
    ExpectReason(reader, "velkdrv.dll could not be loaded: ");
}

} // namespace
