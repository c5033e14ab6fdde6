// Types 43 to 46: TPM device, processor additional information, firmware inventory, string property.
// Layouts: SMBIOS 3.9.0.
#include "decode/decoders.h"

// TPM device characteristics (type 43, 0x13), by bit; the field is 64 bits wide.
static const char* const kTpmCharacteristics[64] = {
    nullptr,
    nullptr,
    "TPM Device Characteristics are not supported",
    "Family configurable via firmware update",
    "Family configurable via platform software support",
    "Family configurable via OEM proprietary mechanism",
};

// Processor architecture type (type 44, 0x07: the block's second byte).
static const char* const kProcessorArchitecture[] = {
    nullptr,
    "IA32 (x86)",
    "x64 (x86-64, Intel64, AMD64, EM64T)",
    "Intel Itanium architecture",
    "32-bit ARM (Aarch32)",
    "64-bit ARM (Aarch64)",
    "32-bit RISC-V (RV32)",
    "64-bit RISC-V (RV64)",
    "128-bit RISC-V (RV128)",
    "32-bit LoongArch (LoongArch32)",
    "64-bit LoongArch (LoongArch64)",
};

constexpr unsigned kFirstRiscV = 0x06;
constexpr unsigned kLastRiscV = 0x08;

// RISC-V instruction set supported (type 44, RISC-V data 0x44), by bit: the misa extension letters.
static const char* const kRiscVExtensions[32] = {
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
    "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z",
};

// RISC-V privilege level supported (type 44, RISC-V data 0x48), by bit.
static const char* const kRiscVPrivilegeLevels[8] = {
    "Machine Mode",
    nullptr,
    "Supervisor Mode",
    "User Mode",
    nullptr,
    nullptr,
    nullptr,
    "Debug Mode",
};

// RISC-V native base integer ISA width (type 44, RISC-V data 0x69 to 0x6D).
static const char* const kRiscVWidth[] = {
    "Unsupported",
    "32-bit",
    "64-bit",
    "128-bit",
};

// RISC-V boot hart (type 44, RISC-V data 0x13).
static const char* const kRiscVBootHart[] = {
    "No",
    "Yes",
};

// Version format (type 45, 0x06). Codes 0x80 and up belong to the BIOS vendor or OEM.
static const char* const kVersionFormat[] = {
    "Free-form",
    "MAJOR.MINOR",
    "32-bit hexadecimal string",
    "64-bit hexadecimal string",
};

// Firmware ID format (type 45, 0x08). Codes 0x80 and up belong to the BIOS vendor or OEM.
static const char* const kFirmwareIdFormat[] = {
    "Free-form",
    "UEFI GUID",
};

constexpr unsigned kFirstVendorFormat = 0x80;

// Firmware characteristics (type 45, 0x14), by bit.
static const char* const kFirmwareCharacteristics[16] = {
    "Updatable",
    "Write-Protect",
};

// Firmware state (type 45, 0x16).
static const char* const kFirmwareState[] = {
    nullptr,
    "Other",
    "Unknown",
    "Disabled",
    "Enabled",
    "Absent",
    "Stand-by Offline",
    "Stand-by Spare",
    "Unavailable Offline",
};

constexpr uint64_t kUnknownImageSize = ~uint64_t{0};

// String property ID (type 46, 0x04): the one SMBIOS names, then the ranges by owner.
constexpr uint16_t kUefiDevicePath = 0x0001;
constexpr uint16_t kFirstBiosVendorProperty = 0x8000;
constexpr uint16_t kFirstOemProperty = 0xC000;

// A format code whose upper half SMBIOS leaves to the BIOS vendor or OEM.
template <size_t N>
static const char* FormatText(CDetailDlg& dlg, const char* const (&table)[N], unsigned code)
{
    return code >= kFirstVendorFormat ? "BIOS Vendor/OEM-specific" : dlg.EnumText(table, code);
}

void DecodeTpmDevice(CDetailDlg& dlg)
{
    if (dlg.Has(0x04, 4)) {
        // Four ASCII bytes, shorter when one is NUL; other unprintable bytes show as dots.
        char vendor[5] = {};
        for (size_t n = 0; n < 4 && dlg.Byte(0x04 + n) != 0; ++n) {
            uint8_t c = dlg.Byte(0x04 + n);
            vendor[n] = c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '.';
        }
        dlg.AddRow("Vendor ID", vendor);
    }
    if (!dlg.Has(0x08, 2))
        return;
    unsigned major = dlg.Byte(0x08);
    dlg.AddRow("Specification Version", dlg.Format("%u.%u", major, dlg.Byte(0x09)));

    // The firmware version's form follows the TPM family: 1.2 keeps a TPM_VERSION in the first
    // double word, 2.0 splits the two TPM_PT_FIRMWARE_VERSION words into 16-bit parts.
    uint32_t version1 = dlg.Dword(0x0A), version2 = dlg.Dword(0x0E);
    if (major == 1 && dlg.Has(0x0A, 4)) {
        dlg.AddRow("Firmware Version", dlg.Format("%u.%u.%u.%u", version1 & 0xFFu, (version1 >> 8) & 0xFFu,
                                                  (version1 >> 16) & 0xFFu, version1 >> 24));
    } else if (major == 2 && dlg.Has(0x0A, 8)) {
        dlg.AddRow("Firmware Version", dlg.Format("%u.%u.%u.%u", version1 >> 16, version1 & 0xFFFFu, version2 >> 16,
                                                  version2 & 0xFFFFu));
    } else if (major != 1 && major != 2) {
        dlg.AddNumberRow("Firmware Version 1", 0x0A, 4, "0x%.8X");
        dlg.AddNumberRow("Firmware Version 2", 0x0E, 4, "0x%.8X");
    }
    dlg.AddStringRow("Description", 0x12);
    if (dlg.Has(0x13, 8))
        dlg.AddFlagRows("Characteristics", dlg.Qword(0x13), kTpmCharacteristics);
    dlg.AddNumberRow("OEM-defined", 0x1B, 4, "0x%.8X");
}

// The RISC-V processor-specific data, its offsets counted from the data's first byte;
// a field shows only when the block and the structure both hold it.
static void AddRiscVRows(CDetailDlg& dlg, size_t data, size_t end)
{
    auto fits = [&](size_t offset, size_t width) { return data + offset + width <= end; };
    auto dqword = [&](const char* description, size_t offset) {
        if (!fits(offset, 16))
            return;
        unsigned long long low = dlg.Qword(data + offset), high = dlg.Qword(data + offset + 8);
        dlg.AddRow(description, high ? dlg.Format("0x%llX%.16llX", high, low) : dlg.Format("0x%llX", low));
    };
    auto width = [&](const char* description, size_t offset) {
        if (fits(offset, 1))
            dlg.AddEnumRow(description, kRiscVWidth, dlg.Byte(data + offset));
    };
    if (fits(0x00, 2)) {
        uint16_t revision = dlg.Word(data);
        dlg.AddRow("Revision", dlg.Format("%u.%u", revision >> 8, revision & 0xFFu));
    }
    if (fits(0x02, 1))
        dlg.AddRow("Structure Length", dlg.Format("%u", dlg.Byte(data + 0x02)));
    dqword("Hart ID", 0x03);
    if (fits(0x13, 1))
        dlg.AddEnumRow("Boot Hart", kRiscVBootHart, dlg.Byte(data + 0x13));
    dqword("Machine Vendor ID", 0x14);
    dqword("Machine Architecture ID", 0x24);
    dqword("Machine Implementation ID", 0x34);
    if (fits(0x44, 4))
        dlg.AddFlagRows("Instruction Set Supported", dlg.Dword(data + 0x44), kRiscVExtensions);
    if (fits(0x48, 1))
        dlg.AddFlagRows("Privilege Level Supported", dlg.Byte(data + 0x48), kRiscVPrivilegeLevels);
    dqword("Machine Exception Trap Delegation Information", 0x49);
    dqword("Machine Interrupt Trap Delegation Information", 0x59);
    width("Register Width (XLEN)", 0x69);
    width("Machine Mode Native Base Integer ISA Width (M-XLEN)", 0x6A);
    // 0x6B is kept for a hypervisor mode.
    width("Supervisor Mode Native Base Integer ISA Width (S-XLEN)", 0x6C);
    width("User Mode Native Base Integer ISA Width (U-XLEN)", 0x6D);
}

void DecodeProcessorAdditionalInformation(CDetailDlg& dlg)
{
    dlg.AddNumberRow("Referenced Handle", 0x04, 2, "0x%.4X");
    // The processor-specific block: its data's length, the architecture, then the data.
    if (!dlg.Has(0x06, 1))
        return;
    unsigned blockLength = dlg.Byte(0x06);
    dlg.AddRow("Block Length", dlg.Format("%u", blockLength));
    if (!dlg.Has(0x07, 1))
        return;
    unsigned architecture = dlg.Byte(0x07);
    dlg.AddEnumRow("Processor Type", kProcessorArchitecture, architecture);
    // A length that runs past the structure keeps to what the structure holds.
    constexpr size_t kData = 0x08;
    size_t end = kData + blockLength;
    if (end > dlg.Length())
        end = dlg.Length() > kData ? dlg.Length() : kData;
    if (architecture >= kFirstRiscV && architecture <= kLastRiscV)
        AddRiscVRows(dlg, kData, end);
    else
        dlg.AddHexRows("Processor-Specific Data", kData, end);
}

void DecodeFirmwareInventoryInformation(CDetailDlg& dlg)
{
    dlg.AddStringRow("Firmware Component Name", 0x04);
    dlg.AddStringRow("Firmware Version", 0x05);
    if (dlg.Has(0x06, 1))
        dlg.AddRow("Version Format", FormatText(dlg, kVersionFormat, dlg.Byte(0x06)));
    dlg.AddStringRow("Firmware ID", 0x07);
    if (dlg.Has(0x08, 1))
        dlg.AddRow("Firmware ID Format", FormatText(dlg, kFirmwareIdFormat, dlg.Byte(0x08)));
    dlg.AddStringRow("Release Date", 0x09);
    dlg.AddStringRow("Manufacturer", 0x0A);
    dlg.AddStringRow("Lowest Supported Firmware Version", 0x0B);
    if (dlg.Has(0x0C, 8)) {
        // Bytes; whole kilobytes and megabytes show in the larger unit.
        unsigned long long size = dlg.Qword(0x0C);
        if (size == kUnknownImageSize)
            dlg.AddRow("Image Size", "Unknown");
        else if (size != 0 && size % (1024 * 1024) == 0)
            dlg.AddSizeRow("Image Size", size >> 20, 'M');
        else if (size != 0 && size % 1024 == 0)
            dlg.AddSizeRow("Image Size", size >> 10, 'K');
        else
            dlg.AddRow("Image Size", dlg.Format("%llu Bytes", size));
    }
    dlg.AddFlagField("Characteristics", 0x14, 2, kFirmwareCharacteristics);
    dlg.AddEnumField("State", kFirmwareState, 0x16);
    if (!dlg.Has(0x17, 1))
        return;
    unsigned count = dlg.Byte(0x17);
    dlg.AddRow("Number of Associated Components", dlg.Format("%u", count));
    // A count larger than the structure shows the handles that fit.
    for (unsigned n = 0; n < count && dlg.Has(0x18 + 2 * n, 2); ++n)
        dlg.AddRow(n == 0 ? "Associated Component Handles" : "", dlg.Format("0x%.4X", dlg.Word(0x18 + 2 * n)));
}

void DecodeStringProperty(CDetailDlg& dlg)
{
    if (dlg.Has(0x04, 2)) {
        uint16_t id = dlg.Word(0x04);
        const char* value = id == kUefiDevicePath            ? "UEFI device path"
                            : id >= kFirstOemProperty        ? dlg.Format("0x%.4X (OEM)", id)
                            : id >= kFirstBiosVendorProperty ? dlg.Format("0x%.4X (BIOS vendor)", id)
                                                             : dlg.Format("0x%.4X (Reserved)", id);
        dlg.AddRow("String Property ID", value);
    }
    dlg.AddStringRow("String Property Value", 0x06);
    dlg.AddNumberRow("Parent Handle", 0x07, 2, "0x%.4X");
}
