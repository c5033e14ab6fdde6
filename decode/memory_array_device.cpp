// Types 16, 17 and 19: physical memory array, memory device, memory array mapped address;
// fields past the original's as of SMBIOS 2.7 to 3.3.
// Texts such as "Not provide" and "Memory of Memory Devices" are the original tables' own, kept as they are.
#include "decode/decoders.h"

// Memory array location (type 16, 0x04). Codes not listed show the empty closing text.
static const CodeText kMemoryArrayLocation[] = {
    {0x01, "Other"},
    {0x02, "Unknown"},
    {0x03, "System board or motherboard"},
    {0x04, "ISA add-on card"},
    {0x05, "EISA add-on card"},
    {0x06, "PCI add-on card"},
    {0x07, "MCA add-on card"},
    {0x08, "PCMCIA add-on card"},
    {0x09, "Proprietary add-on card"},
    {0x0A, "NuBus"},
    {0xA0, "PC-98/C20 add-on card"},
    {0xA1, "PC-98/C24 add-on card"},
    {0xA2, "PC-98/E add-on card"},
    {0xA3, "PC-98/Local bus add-on card"},
    // End of the original list; later codes: SMBIOS 3.9.
    {0xA4, "CXL add-on card"},
    {0xFF, ""},
};

// Memory array use (type 16, 0x05).
static const char* const kMemoryArrayUse[] = {
    "",
    "Other",
    "Unknown",
    "System memory",
    "Video memory",
    "Flash memory",
    "Non-volatile RAM",
    "Cache memory",
};

// Memory device form factor (type 17, 0x0E).
static const char* const kMemoryFormFactor[] = {
    nullptr,
    "Other",
    "Unknown",
    "SIMM",
    "SIP",
    "Chip",
    "DIP",
    "ZIP",
    "Proprietary Card",
    "DIMM",
    "TSOP",
    "Row of chips",
    "RIMM",
    "SODIMM",
    // End of the original table; later codes: SMBIOS 3.9.
    "SRIMM",
    "FB-DIMM",
    "Die",
    "CAMM",
};

// Memory device type (type 17, 0x12).
static const char* const kMemoryType[] = {
    nullptr,
    "Other",
    "Unknown",
    "DRAM",
    "EDRAM",
    "VRAM",
    "SRAM",
    "RAM",
    "ROM",
    "FLASH",
    "EEPROM",
    "FEPROM",
    "EPROM",
    "CDRAM",
    "3DRAM",
    "SDRAM",
    "SGRAM",
    // End of the original table; later codes: SMBIOS 3.9.
    "RDRAM",
    "DDR",
    "DDR2",
    "DDR2 FB-DIMM",
    "Reserved",
    "Reserved",
    "Reserved",
    "DDR3",
    "FBD2",
    "DDR4",
    "LPDDR",
    "LPDDR2",
    "LPDDR3",
    "LPDDR4",
    "Logical non-volatile device",
    "HBM (High Bandwidth Memory)",
    "HBM2 (High Bandwidth Memory Generation 2)",
    "DDR5",
    "LPDDR5",
    "HBM3 (High Bandwidth Memory Generation 3)",
};

// Memory device type detail (type 17, 0x13), by bit.
static const char* const kMemoryTypeDetail[] = {
    "Reserved",
    "Other",
    "Unknown",
    "Fast-Paged",
    "Static column",
    "Pseudo-static",
    "RAMBUS",
    "Synchronous",
    "CMOS",
    "EDO",
    "Window SRAM",
    "Cache DRAM",
    "Non-volatile",
    // End of the original table; later bits: SMBIOS 3.9.
    "Registered (Buffered)",
    "Unbuffered (Unregistered)",
    "LRDIMM",
};

// Memory technology (type 17, 0x28; SMBIOS 3.2).
static const char* const kMemoryTechnology[] = {
    nullptr,
    "Other",
    "Unknown",
    "DRAM",
    "NVDIMM-N",
    "NVDIMM-F",
    "NVDIMM-P",
    "Intel Optane persistent memory",
};

// Values that defer to a wider field added later.
constexpr uint32_t kCapacitySeeExtended = 0x80000000; // type 16, 0x07 -> 0x0F (2.7)
constexpr uint16_t kSizeSeeExtended = 0x7FFF;         // type 17, 0x0C -> 0x1C (2.7)
constexpr uint16_t kSpeedSeeExtended = 0xFFFF;        // type 17, 0x15 and 0x20 -> 0x54 and 0x58 (3.3)
constexpr uint32_t kAddressSeeExtended = 0xFFFFFFFF;  // type 19, 0x04 -> 0x0F and 0x17 (2.7)

constexpr uint16_t kNoErrorHandle = 0xFFFE; // no error information structure
constexpr uint16_t kUnknownWidth = 0xFFFF;

// Addresses are in kilobytes; in 64 bits, ranges above 4 GiB keep their place.
static void AddAddressRow(CDetailDlg& dlg, const char* description, size_t offset, unsigned lastByte)
{
    if (!dlg.Has(offset, 4))
        return;
    unsigned long long address = (static_cast<unsigned long long>(dlg.Dword(offset)) << 10) + lastByte;
    dlg.AddRow(description, dlg.Format("0x%.8llX", address));
}

// Transfers per second; the all-ones word defers to the double word of SMBIOS 3.3 when present.
static void AddSpeedRow(CDetailDlg& dlg, const char* description, size_t offset, size_t extendedOffset)
{
    if (!dlg.Has(offset, 2))
        return;
    uint32_t speed = dlg.Word(offset);
    if (speed == kSpeedSeeExtended && dlg.Has(extendedOffset, 4))
        speed = dlg.Dword(extendedOffset) & 0x7FFFFFFFu;
    dlg.AddRow(description, speed == 0 ? "Unknown" : dlg.Format("%u MT/s", speed));
}

// Millivolts shown in volts, with no more digits than the value has.
static void AddVoltageRow(CDetailDlg& dlg, const char* description, size_t offset)
{
    if (!dlg.Has(offset, 2))
        return;
    unsigned millivolts = dlg.Word(offset);
    const char* value = millivolts == 0         ? "Unknown"
                        : millivolts % 100 == 0 ? dlg.Format("%.1f V", millivolts / 1000.0)
                                                : dlg.Format("%g V", millivolts / 1000.0);
    dlg.AddRow(description, value);
}

static void AddQwordAddressRow(CDetailDlg& dlg, const char* description, size_t offset)
{
    if (dlg.Has(offset, 8))
        dlg.AddRow(description, dlg.Format("0x%.8llX", static_cast<unsigned long long>(dlg.Qword(offset))));
}

void DecodePhysicalMemoryArray(CDetailDlg& dlg)
{
    dlg.AddRow("Data Structure Handle", dlg.Format("0x%.4X", dlg.Handle()));
    dlg.AddPairField("Location", kMemoryArrayLocation, 0x04);
    dlg.AddEnumField("Use in", kMemoryArrayUse, 0x05);
    dlg.AddEnumField("Memory Error Correction", kErrorCorrection, 0x06);
    if (dlg.Has(0x07, 4)) {
        // Arrays of 2 TB and more give their capacity in bytes at 0x0F.
        unsigned long long kilobytes = dlg.Dword(0x07);
        if (kilobytes == kCapacitySeeExtended && dlg.Has(0x0F, 8))
            kilobytes = dlg.Qword(0x0F) >> 10;
        if (kilobytes <= 1024)
            dlg.AddSizeRow("Maximum Capacity", kilobytes, 'K');
        else
            dlg.AddSizeRow("Maximum Capacity", kilobytes >> 10, 'M');
    }
    dlg.AddHandleRow("Memory Error Information Handle", 0x0B, "%.4X (See Type 18)", kNoErrorHandle, "Not provide");
    dlg.AddNumberRow("Memory of Memory Devices", 0x0D, 2, "%u");
}

void DecodeMemoryDevice(CDetailDlg& dlg)
{
    dlg.AddRow("Data Structure Handle", dlg.Format("0x%.4X", dlg.Handle()));
    dlg.AddNumberRow("Memory Array Handle", 0x04, 2, "0x%.4X  (Refer to Type 16)");
    dlg.AddHandleRow("Memory Error Information Handle", 0x06, "0x%.4X  (Refer to Type 18 & 33)", kNoErrorHandle,
                     "Not provide");
    if (dlg.Has(0x0C, 2)) {
        // Bit 15 picks kilobytes over megabytes; all ones means the size is unknown.
        uint16_t size = dlg.Word(0x0C);
        // Modules of 32 GB and more give their size in megabytes at 0x1C.
        if (size == kSizeSeeExtended && dlg.Has(0x1C, 4))
            dlg.AddSizeRow("Size of Memory Device", dlg.Dword(0x1C) & 0x7FFFFFFFu, 'M');
        else if (size == 0xFFFF)
            dlg.AddRow("Size of Memory Device", "Unknown");
        else if ((size & 0x7FFF) == 0)
            dlg.AddRow("Size of Memory Device", "No memory device in socket");
        else
            dlg.AddSizeRow("Size of Memory Device", size & 0x7FFFu, (size & 0x8000) ? 'K' : 'M');
    }
    dlg.AddNumberRow("Total Width", 0x08, 2, "%u Bits", kUnknownWidth, "Unknown");
    dlg.AddNumberRow("Data Width", 0x0A, 2, "%u Bits", kUnknownWidth, "Unknown");
    dlg.AddEnumField("Form Factor", kMemoryFormFactor, 0x0E);
    dlg.AddNumberRow("Device Set", 0x0F, 1, "%u");
    dlg.AddStringRow("Device Locator", 0x10);
    dlg.AddStringRow("Bank Locator", 0x11);
    dlg.AddEnumField("Memory Type", kMemoryType, 0x12);
    dlg.AddFlagField("Type Detail", 0x13, 2, kMemoryTypeDetail);

    AddSpeedRow(dlg, "Speed", 0x15, 0x54);
    dlg.AddStringRow("Manufacturer", 0x17);
    dlg.AddStringRow("Serial Number", 0x18);
    dlg.AddStringRow("Asset Tag", 0x19);
    dlg.AddStringRow("Part Number", 0x1A);
    if (dlg.Has(0x1B, 1)) {
        unsigned rank = dlg.Byte(0x1B) & 0x0Fu;
        dlg.AddRow("Rank", rank == 0 ? "Unknown" : dlg.Format("%u", rank));
    }
    AddSpeedRow(dlg, "Configured Memory Speed", 0x20, 0x58);
    AddVoltageRow(dlg, "Minimum Voltage", 0x22);
    AddVoltageRow(dlg, "Maximum Voltage", 0x24);
    AddVoltageRow(dlg, "Configured Voltage", 0x26);
    dlg.AddEnumField("Memory Technology", kMemoryTechnology, 0x28);
}

void DecodeMemoryArrayMappedAddress(CDetailDlg& dlg)
{
    AddAddressRow(dlg, "Starting Address", 0x04, 0);
    AddAddressRow(dlg, "Ending Address", 0x08, 1023);
    dlg.AddNumberRow("Memory Array Handle", 0x0C, 2, "0x%.4X  (Refer to Type 16)");
    dlg.AddNumberRow("Partition Width", 0x0E, 1, "%u");
    // Ranges beyond 4 TB: byte addresses in 64 bits, used only when the start says so.
    if (dlg.Has(0x04, 4) && dlg.Dword(0x04) == kAddressSeeExtended) {
        AddQwordAddressRow(dlg, "Extended Starting Address", 0x0F);
        AddQwordAddressRow(dlg, "Extended Ending Address", 0x17);
    }
}
