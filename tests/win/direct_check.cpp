// The shipped 32-bit reader on this machine's table under Wine, run by
// tools/run-32bit-checks.sh where 32-bit programs run. Under a 9x setting Wine keeps
// the first megabyte of the process committed, so the firmware area copied to
// 0xF0000 is what the direct path finds; under an NT setting the driver path has no
// physical memory to map and must say so. No test framework: old-runtime friendly.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "reader/os_kind.h"
#include "reader/table_reader.h"

namespace {

int Fail(const std::string& what)
{
    std::printf("FAIL: %s\n", what.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return Fail("usage: direct_check 9x|nt FSEG.BIN");
    std::string family = argv[1];
    OsKind kind = DetectOsKind();
    std::printf("kind %d\n", static_cast<int>(kind));
    if (family == "nt") {
        if (kind != 6 && kind != 7)
            return Fail("an NT setting gave kind " + std::to_string(kind));
        CTableReader reader;
        if (reader.Open() == kOk || reader.Reason().empty())
            return Fail("the driver path opened a table, or failed without a reason");
        std::printf("ok: %s\n", reader.Reason().c_str());
        return 0;
    }
    if (kind < 2 || kind > 5)
        return Fail("a 9x setting gave kind " + std::to_string(kind));

    FILE* f = std::fopen(argv[2], "rb");
    if (f == nullptr)
        return Fail(std::string("cannot open ") + argv[2]);
    static unsigned char fseg[0x10000];
    size_t got = std::fread(fseg, 1, sizeof fseg, f);
    std::fclose(f);
    if (got != sizeof fseg)
        return Fail("fseg.bin is not 64 KiB");
    void* area = reinterpret_cast<void*>(0xF0000);
    DWORD old = 0;
    if (!VirtualProtect(area, sizeof fseg, PAGE_READWRITE, &old) &&
        VirtualAlloc(area, sizeof fseg, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE) == nullptr)
        return Fail("0xF0000 cannot be made writable (error " + std::to_string(GetLastError()) + ")");
    std::memcpy(area, fseg, sizeof fseg);

    CTableReader reader;
    if (reader.Open() != kOk)
        return Fail("direct path: " + reader.Reason());
    const char* vendor = nullptr;
    const uint8_t* bios = nullptr;
    if (reader.IndexedCount() != 9 || reader.GetStructure(0, &bios) != kOk || reader.GetString(1, &vendor) != kOk ||
        std::strcmp(vendor, "SeaBIOS") != 0)
        return Fail("direct path: not the table of fseg.bin");
    std::printf("ok: %u structures from %s\n", static_cast<unsigned>(reader.IndexedCount()), reader.Source().c_str());
    return 0;
}
