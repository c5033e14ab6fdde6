// Types 5 and 6: memory controller and memory module information, as the original had them.
// Texts such as "Supported Momory Types" are the original tables' own, kept as they are.
#include "decode/decoders.h"

// Error correcting method (type 5, 0x04).
static const char* const kErrorCorrectingMethod[] = {
    "",
    "Other",
    "Unknown",
    "None",
    "8-bit Parity",
    "32-bit ECC",
    "64-bit ECC",
    "128-bit ECC",
    "CRC",
};

// Error detecting capability (type 5, 0x05), by bit.
static const char* const kErrorDetectingCapability[] = {
    "Other",
    "Unknown",
    "None",
    "Single Bit Error Correcting",
    "Double Bit Error Correcting",
    "Error Scrubbing",
};

// Interleave (type 5, 0x06 and 0x07).
static const char* const kInterleave[] = {
    "",
    "Other",
    "Unknown",
    "One Way Interleave",
    "Two Way Interleave",
    "Four Way Interleave",
    "Eight Way Interleave",
    "Sixteen Way Interleave",
};

// Supported speeds (type 5, 0x09), by bit.
static const char* const kSpeed[] = {
    "Other",
    "Unknown",
    "70ns",
    "60ns",
    "50ns",
};

// Memory types (type 5, 0x0B and type 6, 0x07), by bit.
static const char* const kMemoryType[] = {
    "Other",
    "Unknown",
    "Standard",
    "Fast Page Mode",
    "EDO",
    "Parity",
    "ECC",
    "SIMM",
    "DIMM",
    "Burst EDO",
    "SDRAM",
};

// Size codes of type 6 that are not a power of two.
constexpr uint8_t kSizeNotDeterminable = 0x7D;
constexpr uint8_t kSizeNotEnabled = 0x7E;
constexpr uint8_t kSizeNotInstalled = 0x7F;

// Bits 0 to 6 of a size byte: a power of two in MB, or one of the codes above.
static const char* ModuleSizeText(CDetailDlg& dlg, uint8_t size, bool knowsNotDeterminable)
{
    uint8_t code = size & 0x7F;
    if (knowsNotDeterminable && code == kSizeNotDeterminable)
        return "Not determinable ";
    if (code == kSizeNotEnabled)
        return "Module is installed,but no memory has been enabled.";
    if (code == kSizeNotInstalled)
        return "Not installed";
    return dlg.Format("%u MB", 1u << (code & 0x1F));
}

constexpr uint8_t kNoBank = 0x0F;

void DecodeMemoryControllerInformation(CDetailDlg& dlg)
{
    dlg.AddEnumField("Error Correcting Method", kErrorCorrectingMethod, 0x04);
    dlg.AddFlagField("Error Detecting Capability", 0x05, 1, kErrorDetectingCapability);
    dlg.AddEnumField("Supported Interleave", kInterleave, 0x06);
    dlg.AddEnumField("Current Interleave", kInterleave, 0x07);
    // Sizes are powers of two, unsigned so that a shift count of 31 does not print as negative.
    if (dlg.Has(0x08, 1))
        dlg.AddSizeRow("Maximum Memory Module Size", 1u << (dlg.Byte(0x08) & 0x1F), 'M');
    dlg.AddFlagField("Supported Speeds", 0x09, 2, kSpeed);
    dlg.AddFlagField("Supported Momory Types", 0x0B, 2, kMemoryType);
    dlg.AddFlagField("Memory Module Voltage", 0x0D, 1, kVoltageFlags);
    dlg.AddNumberRow("Number of Associated Memory Slots", 0x0E, 1, "%u        (Refer to Type 6)");
}

void DecodeMemoryModuleInformation(CDetailDlg& dlg)
{
    dlg.AddStringRow("Socket Designation", 0x04);
    if (dlg.Has(0x05, 1)) {
        // Either nibble may say "no connection"; a single bank is named by the other one.
        uint8_t banks = dlg.Byte(0x05);
        int high = banks >> 4;
        int low = banks & 0x0F;
        const char* value;
        if (high == kNoBank && low == kNoBank)
            value = "None";
        else if (low == kNoBank)
            value = dlg.Format("RAS %d", high);
        else if (high == kNoBank)
            value = dlg.Format("RAS %d", low);
        else
            value = dlg.Format("RAS %d & %d ", high, low);
        dlg.AddRow("Bank Connections", value);
    }
    dlg.AddNumberRow("Current Speed", 0x06, 1, "%u ns", 0, "Unknown");
    dlg.AddFlagField("Current Momory Types", 0x07, 2, kMemoryType);
    if (dlg.Has(0x09, 1))
        dlg.AddRow("Installed Size", ModuleSizeText(dlg, dlg.Byte(0x09), true));
    // Unlike the installed size, 0x7D is an ordinary size code here.
    if (dlg.Has(0x0A, 1))
        dlg.AddRow("Enabled Size", ModuleSizeText(dlg, dlg.Byte(0x0A), false));
}
