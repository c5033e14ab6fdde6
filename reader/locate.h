#pragma once
// Finding the SMBIOS entry point and making the structure table readable.
// Each locator yields two bounded windows: the entry point (from its anchor on)
// and the table. The windows stay valid as long as the locator lives.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/byte_window.h"
#include "platform/direct_memory.h"
#include "platform/phys_mem_driver.h"
#include "reader/os_kind.h"
#include "reader/result.h"

// Rsmb: no entry point in memory; the firmware table service of Windows Vista and
// later hands out the table behind an 8-byte header of its own.
enum class AnchorKind { None, Sm, Sm3, Rsmb };

// "_SM_" counts its structures; the others are walked to End-of-Table or their end.
inline bool HasStructureCount(AnchorKind kind)
{
    return kind != AnchorKind::Sm3 && kind != AnchorKind::Rsmb;
}

constexpr uint32_t kFirmwareBase = 0xF0000;
constexpr uint32_t kFirmwareSize = 0x10000;  // the direct path scans all of it
constexpr uint32_t kDriverWindow = 0xF000;   // the driver path maps this much, twice
constexpr size_t kSmEntryFieldsEnd = 0x1E;   // "_SM_" fields end with the count at 0x1C
constexpr size_t kSm3EntryFieldsEnd = 0x18;  // "_SM3_" fields end with the address at 0x10

// The driver library's fixed arguments.
constexpr int32_t kDriverId = 102;
constexpr const char* kDriverFile = "c:\\mapmem.tmp";
constexpr const char* kDriverName = "mapmem_dv";

struct EntryFields {
    AnchorKind anchor = AnchorKind::None;
    uint16_t version = 0;          // major in the low byte, minor in the high byte
    uint16_t maxStructureSize = 0; // 0 for "_SM3_", which has none
    uint64_t tableAddress = 0;
    uint16_t structureCount = 0;   // 0 for "_SM3_": the reader counts instead
    uint32_t maxTableSize = 0;     // "_SM3_" only
};

// Whether the table is this machine's, or a saved copy the user named (a file, or a
// folder laid out like sysfs), which the views name instead of the computer.
enum class TableOrigin { ThisMachine, Saved };

struct LocateResult {
    ByteWindow entry; // starts at the anchor
    ByteWindow table;
    EntryFields fields;
    std::string source; // where the table came from, for the user
    TableOrigin origin = TableOrigin::ThisMachine;
};

// Scans 16-byte aligned positions of area for "_SM_", then (when acceptSm3) for
// "_SM3_". The first match wins, even when its entry point is cut off by the end
// of the area; EntryFits tells whether its fields can be read.
bool ScanForAnchor(ByteWindow area, bool acceptSm3, size_t& offset, AnchorKind& kind);
bool EntryFits(ByteWindow entry, AnchorKind kind);
EntryFields ReadEntryFields(ByteWindow entry, AnchorKind kind);

class ITableLocator {
public:
    virtual ~ITableLocator() = default;
    // On failure, reason says why in one line.
    virtual ResultCode Locate(LocateResult& out, std::string& reason) = 0;
};

// The steps every source shares: find the anchor in the source's firmware area,
// check that the entry point's fields lie inside it, read them, then take the
// table window. A source only provides the bytes.
class EntryPointLocator : public ITableLocator {
public:
    ResultCode Locate(LocateResult& out, std::string& reason) final;

protected:
    // Where to look, for the reasons given to the user: "path: " before them, or
    // " in 0xF0000-0xFFFFF" after the missing anchor's.
    struct Naming {
        std::string prefix;
        std::string area;
    };
    EntryPointLocator(bool acceptSm3, uint64_t areaBase, Naming naming)
        : m_acceptSm3(acceptSm3), m_areaBase(areaBase), m_naming(std::move(naming))
    {
    }
    virtual bool FirmwareArea(ByteWindow& area, std::string& reason) = 0;
    virtual bool TableArea(ByteWindow entry, const EntryFields& fields, ByteWindow& table, std::string& reason) = 0;
    // Runs after the table window is taken, or after a failure on the way.
    virtual void Release() {}
    virtual std::string SourceName() const = 0;
    virtual TableOrigin Origin() const { return TableOrigin::ThisMachine; }

private:
    ResultCode Find(LocateResult& out, std::string& reason);

    bool m_acceptSm3;
    uint64_t m_areaBase;
    Naming m_naming;
};

// Windows 9x: physical addresses are process addresses.
class DirectPathLocator : public EntryPointLocator {
public:
    explicit DirectPathLocator(IDirectMemory& memory);

protected:
    bool FirmwareArea(ByteWindow& area, std::string& reason) override;
    bool TableArea(ByteWindow entry, const EntryFields& fields, ByteWindow& table, std::string& reason) override;
    std::string SourceName() const override { return "physical memory"; }

private:
    IDirectMemory& m_memory;
};

// Windows NT, and /dev/mem: two windows mapped through the driver library's calls.
class DriverPathLocator : public EntryPointLocator {
public:
    DriverPathLocator(std::unique_ptr<IPhysMemDriver> driver, bool acceptSm3, std::string source);

protected:
    bool FirmwareArea(ByteWindow& area, std::string& reason) override;
    bool TableArea(ByteWindow entry, const EntryFields& fields, ByteWindow& table, std::string& reason) override;
    void Release() override;
    std::string SourceName() const override { return m_source; }

private:
    bool Failure(const std::string& why, std::string& reason);

    std::unique_ptr<IPhysMemDriver> m_driver;
    std::string m_source;
    bool m_open = false;
};

// A saved table file in either layout that tools write: dmidecode --dump-bin's (the
// entry point in the first 0x20 bytes, the table at the offset that its table address
// gives), or, with no anchor there, the firmware table service's RawSMBIOSData as
// Windows tools save it (the 8-byte header, then exactly the table it announces).
class DumpFileLocator : public ITableLocator {
public:
    explicit DumpFileLocator(std::string path); // a saved table
    // A dump already in memory (the helper's output, say); name stands for its path.
    DumpFileLocator(std::string name, std::vector<uint8_t> bytes, TableOrigin origin = TableOrigin::ThisMachine);
    ResultCode Locate(LocateResult& out, std::string& reason) override;

private:
    std::string m_path;
    std::vector<uint8_t> m_bytes;
    bool m_inMemory = false;
    TableOrigin m_origin = TableOrigin::Saved;
    std::unique_ptr<ITableLocator> m_layout; // reads the bytes in their layout; its windows live with it
};

// A directory laid out like /sys/firmware/dmi/tables: smbios_entry_point and DMI.
class SysfsLocator : public EntryPointLocator {
public:
    explicit SysfsLocator(std::string dir, TableOrigin origin = TableOrigin::ThisMachine);

protected:
    bool FirmwareArea(ByteWindow& area, std::string& reason) override;
    bool TableArea(ByteWindow entry, const EntryFields& fields, ByteWindow& table, std::string& reason) override;
    std::string SourceName() const override { return m_dir; }
    TableOrigin Origin() const override { return m_origin; }

private:
    std::string m_dir;
    TableOrigin m_origin;
    std::vector<uint8_t> m_entry;
    std::vector<uint8_t> m_table;
};

// The table from Windows' firmware table service (GetSystemFirmwareTable 'RSMB'): a
// RawSMBIOSData header (calling method, major, minor, DMI revision, 32-bit length)
// and the table. The entry window is an "_SM3_" entry point made from the header, so
// that a saved copy reads back like any dump.
class FirmwareTableLocator : public ITableLocator {
public:
    using Fetch = std::function<bool(std::vector<uint8_t>& raw, std::string& reason)>;
    explicit FirmwareTableLocator(Fetch fetch) : m_fetch(std::move(fetch)) {}
    ResultCode Locate(LocateResult& out, std::string& reason) override;

private:
    Fetch m_fetch;
    std::vector<uint8_t> m_raw;
    uint8_t m_entry[kSm3EntryFieldsEnd] = {};
};
constexpr size_t kRawSmbiosHeader = 8;
constexpr const char* kFirmwareTableSource = "firmware table RSMB";

// A path that names either a dump file or a sysfs-style directory: a saved table.
std::unique_ptr<ITableLocator> MakeSavedTableLocator(const std::string& path);

// The access path that an OsKind selects: direct, driver, or none.
std::unique_ptr<ITableLocator> MakeOsKindLocator(OsKind kind, IDirectMemory* direct,
                                                 std::unique_ptr<IPhysMemDriver> driver);

// Windows: the access path of OsKind. Code 0 on NT 6.0 or later (Vista and later,
// which have no access path of their own) reads the firmware table service instead.
std::unique_ptr<ITableLocator> MakeWindowsLocator(OsKind kind, IVersionQuery& query, IDirectMemory* direct,
                                                  std::unique_ptr<IPhysMemDriver> driver,
                                                  FirmwareTableLocator::Fetch firmwareTable);

// This machine's table: on Windows by OsKind; elsewhere sysfs, then /dev/mem.
std::unique_ptr<ITableLocator> MakeHostLocator(OsKind kind);

// Tries locators in order; the first success wins, and the reasons of all failures are kept.
class ChainLocator : public ITableLocator {
public:
    void Add(std::unique_ptr<ITableLocator> locator) { m_locators.push_back(std::move(locator)); }
    ResultCode Locate(LocateResult& out, std::string& reason) override;

private:
    std::vector<std::unique_ptr<ITableLocator>> m_locators;
};

constexpr const char* kSysfsTables = "/sys/firmware/dmi/tables";
