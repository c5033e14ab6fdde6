// Types 18, 20, 33 and 37: memory errors, device mapped addresses, memory channels.
// Layouts: SMBIOS 3.9.0.
#include <cstdio>

#include "decode/decoders.h"

// Error type (type 18, 0x04 and type 33, 0x04).
static const char* const kMemoryErrorType[] = {
    nullptr,
    "Other",
    "Unknown",
    "OK",
    "Bad read",
    "Parity error",
    "Single-bit error",
    "Double-bit error",
    "Multi-bit error",
    "Nibble error",
    "Checksum error",
    "CRC error",
    "Corrected single-bit error",
    "Corrected error",
    "Uncorrectable error",
};

// Error granularity (type 18, 0x05 and type 33, 0x05).
static const char* const kMemoryErrorGranularity[] = {
    nullptr,
    "Other",
    "Unknown",
    "Device level",
    "Memory partition level",
};

// Error operation (type 18, 0x06 and type 33, 0x06).
static const char* const kMemoryErrorOperation[] = {
    nullptr,
    "Other",
    "Unknown",
    "Read",
    "Write",
    "Partial write",
};

// Channel type (type 37, 0x04).
static const char* const kMemoryChannelType[] = {
    nullptr,
    "Other",
    "Unknown",
    "RamBus",
    "SyncLink",
};

// Values the firmware gives when it does not know.
constexpr uint32_t kUnknownSyndrome = 0;                          // types 18 and 33, 0x07
constexpr uint32_t kUnknownErrorValue = 0x80000000;               // type 18 addresses, both resolutions
constexpr uint64_t kUnknownErrorAddress64 = 0x8000000000000000ull; // type 33 addresses
constexpr uint8_t kUnknownPosition = 0xFF;                        // type 20, 0x10 to 0x12
constexpr uint8_t kNotInterleaved = 0;                            // type 20, 0x11 and 0x12
constexpr uint32_t kAddressSeeExtended = 0xFFFFFFFF;              // type 20, 0x04 -> 0x13 and 0x1B (2.7)

// The rows that types 18 and 33 share ahead of their addresses.
static void AddErrorKindRows(CDetailDlg& dlg)
{
    dlg.AddEnumField("Error Type", kMemoryErrorType, 0x04);
    dlg.AddEnumField("Error Granularity", kMemoryErrorGranularity, 0x05);
    dlg.AddEnumField("Error Operation", kMemoryErrorOperation, 0x06);
    dlg.AddNumberRow("Vendor Syndrome", 0x07, 4, "0x%.8X", kUnknownSyndrome, "Unknown");
}

static void AddErrorAddress64Row(CDetailDlg& dlg, const char* description, size_t offset)
{
    if (!dlg.Has(offset, 8))
        return;
    unsigned long long address = dlg.Qword(offset);
    dlg.AddRow(description, address == kUnknownErrorAddress64 ? "Unknown" : dlg.Format("0x%.16llX", address));
}

void DecodeMemoryErrorInformation32(CDetailDlg& dlg)
{
    AddErrorKindRows(dlg);
    dlg.AddNumberRow("Memory Array Error Address", 0x0B, 4, "0x%.8X", kUnknownErrorValue, "Unknown");
    dlg.AddNumberRow("Device Error Address", 0x0F, 4, "0x%.8X", kUnknownErrorValue, "Unknown");
    dlg.AddNumberRow("Error Resolution", 0x13, 4, "%u Bytes", kUnknownErrorValue, "Unknown");
}

// A range size in bytes, in the largest unit that holds it whole.
static void AddRangeSizeRow(CDetailDlg& dlg, unsigned long long start, unsigned long long end)
{
    if (end < start) {
        dlg.AddRow("Range Size", "Invalid");
        return;
    }
    unsigned long long bytes = end - start + 1;
    if (bytes == 0) // the whole 64-bit space, one more than the type holds
        dlg.AddSizeRow("Range Size", 1ull << 44, 'M');
    else if (bytes % (1024 * 1024) == 0)
        dlg.AddSizeRow("Range Size", bytes >> 20, 'M');
    else if (bytes % 1024 == 0)
        dlg.AddSizeRow("Range Size", bytes >> 10, 'K');
    else
        dlg.AddRow("Range Size", dlg.Format("%llu Bytes", bytes));
}

// Kilobyte addresses shown in bytes, as type 19 shows them.
static void AddKilobyteAddressRow(CDetailDlg& dlg, const char* description, uint32_t kilobytes, unsigned lastByte)
{
    dlg.AddRow(description, dlg.Format("0x%.8llX", (static_cast<unsigned long long>(kilobytes) << 10) + lastByte));
}

static void AddByteAddressRow(CDetailDlg& dlg, const char* description, unsigned long long address)
{
    dlg.AddRow(description, dlg.Format("0x%.8llX", address));
}

// Interleave position or depth: 0 when the device takes part in no interleave.
static void AddInterleaveRow(CDetailDlg& dlg, const char* description, size_t offset)
{
    if (!dlg.Has(offset, 1))
        return;
    uint8_t value = dlg.Byte(offset);
    dlg.AddRow(description, value == kNotInterleaved   ? "Non-interleaved"
                            : value == kUnknownPosition ? "Unknown"
                                                        : dlg.Format("%u", value));
}

void DecodeMemoryDeviceMappedAddress(CDetailDlg& dlg)
{
    // Ranges beyond 4 TB: byte addresses in 64 bits, used only when the start says so.
    bool deferred = dlg.Has(0x04, 4) && dlg.Dword(0x04) == kAddressSeeExtended;
    if (dlg.Has(0x04, 4))
        AddKilobyteAddressRow(dlg, "Starting Address", dlg.Dword(0x04), 0);
    if (dlg.Has(0x08, 4)) {
        AddKilobyteAddressRow(dlg, "Ending Address", dlg.Dword(0x08), 1023);
        if (!deferred)
            AddRangeSizeRow(dlg, static_cast<unsigned long long>(dlg.Dword(0x04)) << 10,
                            (static_cast<unsigned long long>(dlg.Dword(0x08)) << 10) + 1023);
    }
    dlg.AddNumberRow("Memory Device Handle", 0x0C, 2, "0x%.4X");
    dlg.AddNumberRow("Memory Array Mapped Address Handle", 0x0E, 2, "0x%.4X");
    dlg.AddNumberRow("Partition Row Position", 0x10, 1, "%u", kUnknownPosition, "Unknown");
    AddInterleaveRow(dlg, "Interleave Position", 0x11);
    AddInterleaveRow(dlg, "Interleaved Data Depth", 0x12);
    if (!deferred)
        return;
    if (dlg.Has(0x13, 8))
        AddByteAddressRow(dlg, "Extended Starting Address", dlg.Qword(0x13));
    if (dlg.Has(0x1B, 8)) {
        AddByteAddressRow(dlg, "Extended Ending Address", dlg.Qword(0x1B));
        if (dlg.Has(0x13, 8))
            AddRangeSizeRow(dlg, dlg.Qword(0x13), dlg.Qword(0x1B));
    }
}

void DecodeMemoryErrorInformation64(CDetailDlg& dlg)
{
    AddErrorKindRows(dlg);
    AddErrorAddress64Row(dlg, "Memory Array Error Address", 0x0B);
    AddErrorAddress64Row(dlg, "Device Error Address", 0x13);
    dlg.AddNumberRow("Error Resolution", 0x1B, 4, "%u Bytes", kUnknownErrorValue, "Unknown");
}

void DecodeMemoryChannel(CDetailDlg& dlg)
{
    dlg.AddEnumField("Channel Type", kMemoryChannelType, 0x04);
    dlg.AddNumberRow("Maximum Channel Load", 0x05, 1, "%u");
    dlg.AddNumberRow("Memory Device Count", 0x06, 1, "%u");
    // Three bytes per device from 0x07: its load, then its handle; only those the length holds.
    unsigned count = dlg.Byte(0x06);
    for (unsigned n = 0; n < count; ++n) {
        size_t at = 0x07 + 3 * n;
        if (!dlg.Has(at, 3))
            break;
        char description[32];
        std::snprintf(description, sizeof description, "Memory Device %u Load", n + 1);
        dlg.AddRow(description, dlg.Format("%u", dlg.Byte(at)));
        std::snprintf(description, sizeof description, "Memory Device %u Handle", n + 1);
        dlg.AddRow(description, dlg.Format("0x%.4X", dlg.Word(at + 1)));
    }
}
