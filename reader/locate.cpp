#include "reader/locate.h"

#include <cstdio>
#include <cstring>

#include "platform/file_bytes.h"
#include "platform/firmware_table.h"

namespace {

bool AnchorAt(ByteWindow area, size_t offset, const char* anchor)
{
    size_t n = std::strlen(anchor);
    return area.Has(offset, n) && std::memcmp(area.data + offset, anchor, n) == 0;
}

std::string Hex(uint64_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

// The table window of a saved table: "_SM3_" gives its own maximum size.
ByteWindow CutToMaximum(ByteWindow table, const EntryFields& fields)
{
    if (fields.anchor == AnchorKind::Sm3 && fields.maxTableSize != 0 && fields.maxTableSize < table.size)
        table.size = fields.maxTableSize;
    return table;
}

ByteWindow WholeOf(const std::vector<uint8_t>& bytes)
{
    return {bytes.data(), bytes.size()};
}

} // namespace

bool ScanForAnchor(ByteWindow area, bool acceptSm3, size_t& offset, AnchorKind& kind)
{
    for (size_t at = 0; area.Has(at, 4); at += 16) {
        if (AnchorAt(area, at, "_SM_")) {
            offset = at;
            kind = AnchorKind::Sm;
            return true;
        }
    }
    if (!acceptSm3)
        return false;
    for (size_t at = 0; area.Has(at, 5); at += 16) {
        if (AnchorAt(area, at, "_SM3_")) {
            offset = at;
            kind = AnchorKind::Sm3;
            return true;
        }
    }
    return false;
}

bool EntryFits(ByteWindow entry, AnchorKind kind)
{
    return entry.Has(0, kind == AnchorKind::Sm3 ? kSm3EntryFieldsEnd : kSmEntryFieldsEnd);
}

std::string CutOffReason(uint64_t where)
{
    return "the entry point at " + Hex(where) + " runs past the end of the mapped area";
}

EntryFields ReadEntryFields(ByteWindow entry, AnchorKind kind)
{
    EntryFields f;
    f.anchor = kind;
    if (kind == AnchorKind::Sm) {
        f.version = entry.U16(0x06);
        f.maxStructureSize = entry.U16(0x08);
        f.tableAddress = entry.U32(0x18);
        f.structureCount = entry.U16(0x1C);
    } else if (kind == AnchorKind::Sm3) {
        f.version = static_cast<uint16_t>(entry.U8(0x07) | (entry.U8(0x08) << 8));
        f.maxTableSize = entry.U32(0x0C);
        f.tableAddress = entry.U64(0x10);
    }
    return f;
}

ResultCode EntryPointLocator::Locate(LocateResult& out, std::string& reason)
{
    ResultCode rc = Find(out, reason);
    Release();
    return rc;
}

ResultCode EntryPointLocator::Find(LocateResult& out, std::string& reason)
{
    ByteWindow area;
    if (!FirmwareArea(area, reason))
        return kFail;
    size_t offset = 0;
    AnchorKind kind = AnchorKind::None;
    if (!ScanForAnchor(area, m_acceptSm3, offset, kind)) {
        reason = m_naming.prefix + "no SMBIOS entry point anchor" + m_naming.area;
        return kFail;
    }
    ByteWindow entry = area.Sub(offset, area.size);
    if (!EntryFits(entry, kind)) {
        reason = m_naming.prefix + CutOffReason(m_areaBase + offset);
        return kFail;
    }
    EntryFields fields = ReadEntryFields(entry, kind);
    ByteWindow table;
    if (!TableArea(entry, fields, table, reason))
        return kFail;
    out.entry = entry;
    out.table = CutToMaximum(table, fields);
    out.fields = fields;
    out.source = SourceName();
    out.origin = Origin();
    return kOk;
}

DirectPathLocator::DirectPathLocator(IDirectMemory& memory)
    : EntryPointLocator(false, kFirmwareBase, {"", " in 0xF0000-0xFFFFF"}), m_memory(memory)
{
}

bool DirectPathLocator::FirmwareArea(ByteWindow& area, std::string& reason)
{
    area = {m_memory.Readable(kFirmwareBase, kFirmwareSize), kFirmwareSize};
    if (area.data == nullptr)
        reason = "the firmware area 0xF0000-0xFFFFF is not readable";
    return area.data != nullptr;
}

bool DirectPathLocator::TableArea(ByteWindow entry, const EntryFields& fields, ByteWindow& table, std::string& reason)
{
    uint32_t address = static_cast<uint32_t>(fields.tableAddress);
    // A table within 0xF000 bytes of the end of readable memory (one at the top of
    // the firmware area, say) is read by the length that the entry point gives it.
    uint32_t length = kDriverWindow;
    const uint8_t* bytes = m_memory.Readable(address, length);
    if (bytes == nullptr) {
        length = entry.U16(0x16);
        bytes = m_memory.Readable(address, length);
    }
    if (bytes == nullptr) {
        reason = "the structure table at " + Hex(address) + " is not readable";
        return false;
    }
    table = {bytes, length};
    return true;
}

DriverPathLocator::DriverPathLocator(std::unique_ptr<IPhysMemDriver> driver, bool acceptSm3, std::string source)
    : EntryPointLocator(acceptSm3, kFirmwareBase, {"", " in 0xF0000-0xFEFFF"}),
      m_driver(std::move(driver)),
      m_source(std::move(source))
{
}

bool DriverPathLocator::Failure(const std::string& why, std::string& reason)
{
    Release(); // the library's own error is read after it is closed
    std::string driverError = m_driver->LastError();
    reason = driverError.empty() ? why : driverError;
    return false;
}

bool DriverPathLocator::FirmwareArea(ByteWindow& area, std::string& reason)
{
    m_driver->Pre_Open_Device(kDriverId, kDriverFile, kDriverName);
    m_driver->MapMem_Open();
    m_open = true;
    const uint8_t* bytes = nullptr;
    m_driver->MapMem_Phys_To_Linear(kFirmwareBase, 0, kDriverWindow, &bytes);
    if (bytes == nullptr)
        return Failure("the firmware area 0xF0000-0xFEFFF could not be mapped", reason);
    area = {bytes, kDriverWindow};
    return true;
}

bool DriverPathLocator::TableArea(ByteWindow, const EntryFields& fields, ByteWindow& table, std::string& reason)
{
    const uint8_t* bytes = nullptr;
    m_driver->MapMem_Phys_To_Linear(static_cast<uint32_t>(fields.tableAddress),
                                    static_cast<uint32_t>(fields.tableAddress >> 32), kDriverWindow, &bytes);
    if (bytes == nullptr)
        return Failure("the structure table at " + Hex(fields.tableAddress) + " could not be mapped", reason);
    Release();
    table = {bytes, kDriverWindow};
    return true;
}

// The mapped views outlive the library's handle: closing ends the mapping calls only.
void DriverPathLocator::Release()
{
    if (!m_open)
        return;
    m_open = false;
    m_driver->MapMem_Close();
    m_driver->Post_Close_Device(kDriverFile, kDriverName);
}

namespace {

// dmidecode's layout: the entry point in the file's first 0x20 bytes.
class DumpLayoutLocator : public EntryPointLocator {
public:
    DumpLayoutLocator(const std::string& path, ByteWindow file)
        : EntryPointLocator(true, 0, {path + ": ", ""}), m_path(path), m_file(file)
    {
    }

protected:
    bool FirmwareArea(ByteWindow& area, std::string&) override
    {
        // Only the dump's entry-point area is scanned, so anchors inside the table never count.
        area = m_file.Sub(0, 0x20);
        return true;
    }
    bool TableArea(ByteWindow, const EntryFields& fields, ByteWindow& table, std::string& reason) override
    {
        if (fields.tableAddress > m_file.size) {
            reason = m_path + ": table address " + Hex(fields.tableAddress) + " lies beyond the end of the file";
            return false;
        }
        table = m_file.Sub(static_cast<size_t>(fields.tableAddress), m_file.size);
        return true;
    }
    std::string SourceName() const override { return m_path; }

private:
    std::string m_path;
    ByteWindow m_file;
};

// A RawSMBIOSData header starts with the calling-method flag and the SMBIOS major
// version. Files that have neither that nor an anchor keep the dump's own reason.
bool IsRawSmbiosData(ByteWindow file)
{
    size_t offset = 0;
    AnchorKind kind = AnchorKind::None;
    if (ScanForAnchor(file.Sub(0, 0x20), true, offset, kind) || !file.Has(0, 2))
        return false;
    return file.U8(0) <= 1 && (file.U8(1) == 2 || file.U8(1) == 3);
}

} // namespace

DumpFileLocator::DumpFileLocator(std::string path) : m_path(std::move(path)) {}

DumpFileLocator::DumpFileLocator(std::string name, std::vector<uint8_t> bytes, TableOrigin origin)
    : m_path(std::move(name)), m_bytes(std::move(bytes)), m_inMemory(true), m_origin(origin)
{
}

ResultCode DumpFileLocator::Locate(LocateResult& out, std::string& reason)
{
    if (!m_inMemory && !ReadFileBytes(m_path, m_bytes, reason))
        return kFail;
    ByteWindow file = WholeOf(m_bytes);
    if (!IsRawSmbiosData(file)) {
        m_layout = std::make_unique<DumpLayoutLocator>(m_path, file);
    } else if (!file.Has(0, kRawSmbiosHeader)) {
        reason = m_path + ": " + std::to_string(file.size) + " bytes, fewer than the 8-byte RawSMBIOSData header";
        return kFail;
    } else {
        // The service may answer with more than its length; a saved copy holds exactly the table.
        uint32_t length = file.U32(4);
        if (length != file.size - kRawSmbiosHeader) {
            reason = m_path + ": the RawSMBIOSData header gives a table of " + std::to_string(length) +
                     " bytes, but " + std::to_string(file.size - kRawSmbiosHeader) + " bytes follow it";
            return kFail;
        }
        m_layout = std::make_unique<FirmwareTableLocator>([file](std::vector<uint8_t>& raw, std::string&) {
            raw.assign(file.data, file.data + file.size);
            return true;
        });
    }
    if (m_layout->Locate(out, reason) != kOk)
        return kFail;
    out.source = m_path;
    out.origin = m_origin;
    return kOk;
}

SysfsLocator::SysfsLocator(std::string dir, TableOrigin origin)
    : EntryPointLocator(true, 0, {dir + "/smbios_entry_point: ", ""}), m_dir(std::move(dir)), m_origin(origin)
{
}

bool SysfsLocator::FirmwareArea(ByteWindow& area, std::string& reason)
{
    if (!ReadFileBytes(m_dir + "/smbios_entry_point", m_entry, reason) ||
        !ReadFileBytes(m_dir + "/DMI", m_table, reason))
        return false;
    area = WholeOf(m_entry);
    return true;
}

bool SysfsLocator::TableArea(ByteWindow, const EntryFields&, ByteWindow& table, std::string&)
{
    table = WholeOf(m_table);
    return true;
}

ResultCode ChainLocator::Locate(LocateResult& out, std::string& reason)
{
    std::string reasons;
    for (auto& locator : m_locators) {
        std::string why;
        if (locator->Locate(out, why) == kOk)
            return kOk;
        reasons += (reasons.empty() ? "" : "; ") + why;
    }
    reason = reasons.empty() ? "no table source" : reasons;
    return kFail;
}

std::unique_ptr<ITableLocator> MakeSavedTableLocator(const std::string& path)
{
    if (IsDirectory(path))
        return std::make_unique<SysfsLocator>(path, TableOrigin::Saved);
    return std::make_unique<DumpFileLocator>(path);
}

namespace {
class NoAccessLocator : public ITableLocator {
public:
    explicit NoAccessLocator(OsKind kind) : m_kind(kind) {}
    ResultCode Locate(LocateResult&, std::string& reason) override
    {
        reason = "no access to physical memory on this Windows version (kind " + std::to_string(m_kind) + ")";
        return kFail;
    }

private:
    OsKind m_kind;
};
} // namespace

std::unique_ptr<ITableLocator> MakeOsKindLocator(OsKind kind, IDirectMemory* direct,
                                                 std::unique_ptr<IPhysMemDriver> driver)
{
    if (kind >= 2 && kind <= 5 && direct != nullptr)
        return std::make_unique<DirectPathLocator>(*direct);
    if ((kind == 6 || kind == 7) && driver)
        return std::make_unique<DriverPathLocator>(std::move(driver), false, "physical memory");
    return std::make_unique<NoAccessLocator>(kind);
}

ResultCode FirmwareTableLocator::Locate(LocateResult& out, std::string& reason)
{
    if (!m_fetch || !m_fetch(m_raw, reason)) {
        if (reason.empty())
            reason = "the firmware table service gave no table";
        return kFail;
    }
    ByteWindow raw = WholeOf(m_raw);
    if (!raw.Has(0, kRawSmbiosHeader)) {
        reason = "the firmware table service gave " + std::to_string(raw.size) + " bytes, fewer than its header";
        return kFail;
    }
    // A length beyond what came back is cut to it; the walk then says what is missing.
    uint32_t length = raw.U32(4);
    ByteWindow table = raw.Sub(kRawSmbiosHeader, raw.size);
    if (length < table.size)
        table.size = length;

    std::memset(m_entry, 0, sizeof m_entry);
    std::memcpy(m_entry, "_SM3_", 5);
    m_entry[0x06] = kSm3EntryFieldsEnd;
    m_entry[0x07] = raw.U8(1);
    m_entry[0x08] = raw.U8(2);
    m_entry[0x09] = raw.U8(3);
    m_entry[0x0A] = 1; // entry point revision 3.0
    for (int i = 0; i < 4; ++i)
        m_entry[0x0C + i] = static_cast<uint8_t>(length >> (8 * i));
    uint8_t sum = 0;
    for (uint8_t byte : m_entry)
        sum = static_cast<uint8_t>(sum + byte);
    m_entry[0x05] = static_cast<uint8_t>(-sum);

    out.entry = {m_entry, sizeof m_entry};
    out.table = table;
    out.fields = ReadEntryFields(out.entry, AnchorKind::Sm3);
    out.fields.anchor = AnchorKind::Rsmb;
    out.source = kFirmwareTableSource;
    out.origin = TableOrigin::ThisMachine;
    return kOk;
}

std::unique_ptr<ITableLocator> MakeWindowsLocator(OsKind kind, IVersionQuery& query, IDirectMemory* direct,
                                                  std::unique_ptr<IPhysMemDriver> driver,
                                                  FirmwareTableLocator::Fetch firmwareTable)
{
    if (kind == 0 && HasFirmwareTableService(query))
        return std::make_unique<FirmwareTableLocator>(std::move(firmwareTable));
    return MakeOsKindLocator(kind, direct, std::move(driver));
}

std::unique_ptr<ITableLocator> MakeHostLocator(OsKind kind)
{
#ifdef _WIN32
    return MakeWindowsLocator(kind, HostVersionQuery(), &HostDirectMemory(), MakeHostPhysMemDriver(),
                              HostFirmwareTable);
#else
    (void)kind;
    auto chain = std::make_unique<ChainLocator>();
    chain->Add(std::make_unique<SysfsLocator>(kSysfsTables));
    chain->Add(std::make_unique<DriverPathLocator>(MakeHostPhysMemDriver(), true, "/dev/mem"));
    return chain;
#endif
}
