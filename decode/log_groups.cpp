// Types 11, 12, 14 and 15: OEM strings, configuration options, group associations, system event log.
// Layouts: SMBIOS 3.9.0.
#include "decode/decoders.h"
#include "res/string_table.h"

// Access method (type 15, 0x0A).
static const char* const kLogAccessMethod[] = {
    "Indexed I/O: 1 8-bit index port, 1 8-bit data port",
    "Indexed I/O: 2 8-bit index ports, 1 8-bit data port",
    "Indexed I/O: 1 16-bit index port, 1 8-bit data port",
    "Memory-mapped physical 32-bit address",
    "Available through General-Purpose NonVolatile Data functions",
};

// Log header format (type 15, 0x14).
static const char* const kLogHeaderFormat[] = {
    "No Header",
    "Type 1 Log Header",
};

// Log type of a supported event log type descriptor (type 15, 0x17 + n*y, byte 0).
static const char* const kLogType[] = {
    "Reserved",
    "Single-bit ECC memory error",
    "Multi-bit ECC memory error",
    "Parity memory error",
    "Bus time-out",
    "I/O Channel Check",
    "Software NMI",
    "POST Memory Resize",
    "POST Error",
    "PCI Parity Error",
    "PCI System Error",
    "CPU Failure",
    "EISA FailSafe Timer time-out",
    "Correctable memory log disabled",
    "Logging disabled for a specific Event Type",
    "Reserved",
    "System Limit Exceeded",
    "Asynchronous hardware timer expired and issued a system reset",
    "System configuration information",
    "Hard-disk information",
    "System reconfigured",
    "Uncorrectable CPU-complex error",
    "Log Area Reset/Cleared",
    "System boot",
};

// Variable data format type of a descriptor (type 15, 0x17 + n*y, byte 1).
static const char* const kLogDataFormat[] = {
    "None",
    "Handle",
    "Multiple-Event",
    "Multiple-Event Handle",
    "POST Results Bitmap",
    "System Management Type",
    "Multiple-Event System Management Type",
};

constexpr uint8_t kFirstOemCode = 0x80; // access method, header format, log and data types
constexpr uint8_t kEndOfLog = 0xFF;     // a log type
constexpr uint8_t kFirstOemType = 128;  // structure types

// Codes from 0x80 up belong to the firmware vendor in every code field of the event log.
template <size_t N>
static const char* LogCodeText(CDetailDlg& dlg, const char* const (&table)[N], unsigned code)
{
    return code >= kFirstOemCode ? dlg.Format("OEM-specific (0x%.2X)", code) : dlg.EnumText(table, code);
}

void DecodeOemStrings(CDetailDlg& dlg)
{
    dlg.AddNumberRow("Count", 0x04, 1, "%u");
}

void DecodeSystemConfigurationOptions(CDetailDlg& dlg)
{
    dlg.AddNumberRow("Count", 0x04, 1, "%u");
}

void DecodeGroupAssociations(CDetailDlg& dlg)
{
    dlg.AddStringRow("Group Name", 0x04);
    // Three bytes per item from 0x05, as many as the length holds whole.
    for (size_t at = 0x05; dlg.Has(at, 3); at += 3) {
        unsigned type = dlg.Byte(at);
        const char* caption = LoadResString(kIdsCaptionBase + type);
        if (*caption == '\0')
            caption = type >= kFirstOemType ? dlg.Format("OEM-specific (Type %u)", type) : dlg.Format("Type %u", type);
        dlg.AddRow("Item Type", caption);
        dlg.AddRow("Item Handle", dlg.Format("0x%.4X", dlg.Word(at + 1)));
    }
}

// The access method address, read as the method says: two I/O ports, a physical address or a GPNV handle.
static void AddLogAddressRow(CDetailDlg& dlg)
{
    if (!dlg.Has(0x0A, 1) || !dlg.Has(0x10, 4))
        return;
    unsigned method = dlg.Byte(0x0A);
    const char* value = method <= 2   ? dlg.Format("Index 0x%.4X, Data 0x%.4X", dlg.Word(0x10), dlg.Word(0x12))
                        : method == 3 ? dlg.Format("0x%.8X", dlg.Dword(0x10))
                        : method == 4 ? dlg.Format("0x%.4X", dlg.Word(0x10))
                                      : dlg.Format("0x%.8X", dlg.Dword(0x10)); // meaning unknown: raw
    dlg.AddRow("Access Method Address", value);
}

void DecodeSystemEventLog(CDetailDlg& dlg)
{
    dlg.AddNumberRow("Log Area Length", 0x04, 2, "%u Bytes");
    dlg.AddNumberRow("Log Header Start Offset", 0x06, 2, "0x%.4X");
    dlg.AddNumberRow("Log Data Start Offset", 0x08, 2, "0x%.4X");
    if (dlg.Has(0x0A, 1))
        dlg.AddRow("Access Method", LogCodeText(dlg, kLogAccessMethod, dlg.Byte(0x0A)));
    if (dlg.Has(0x0B, 1)) {
        unsigned status = dlg.Byte(0x0B);
        dlg.AddRow("Log Status",
                   dlg.Format("%s, %s", (status & 1) ? "Valid" : "Invalid", (status & 2) ? "Full" : "Not Full"));
    }
    dlg.AddNumberRow("Log Change Token", 0x0C, 4, "0x%.8X");
    AddLogAddressRow(dlg);
    if (dlg.Has(0x14, 1))
        dlg.AddRow("Log Header Format", LogCodeText(dlg, kLogHeaderFormat, dlg.Byte(0x14)));
    dlg.AddNumberRow("Number of Supported Log Type Descriptors", 0x15, 1, "%u");
    dlg.AddNumberRow("Length of each Log Type Descriptor", 0x16, 1, "%u");
    if (!dlg.Has(0x16, 1))
        return;

    // Each descriptor needs its two bytes; a longer one keeps its extra bytes to itself.
    unsigned count = dlg.Byte(0x15);
    size_t size = dlg.Byte(0x16);
    if (size < 2)
        return;
    for (unsigned n = 0; n < count; ++n) {
        size_t at = 0x17 + n * size;
        if (!dlg.Has(at, size))
            break;
        unsigned type = dlg.Byte(at);
        dlg.AddRow("Log Type", type == kEndOfLog ? "End of log" : LogCodeText(dlg, kLogType, type));
        dlg.AddRow("Variable Data Format Type", LogCodeText(dlg, kLogDataFormat, dlg.Byte(at + 1)));
    }
}
