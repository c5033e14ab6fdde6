#include <iterator>

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
    // End of the original list; later codes after DSP0134 3.9.0.
    {0xA4, "CXL add-on card"},
    {0xFF, ""},
};

// Memory array use (type 16, 0x05), codes 0 to 7.
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

// Memory error correction (type 16, 0x06), codes 0 to 7.
static const char* const kMemoryErrorCorrection[] = {
    "",
    "Other",
    "Unknown",
    "None",
    "Parity",
    "Single-bit ECC",
    "Multi-bit ECC",
    "CRC",
};

// Memory device form factor (type 17, 0x0E); the first entry is code 1.
static const char* const kMemoryFormFactor[] = {
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
    // End of the original table; later codes after DSP0134 3.9.0.
    "SRIMM",
    "FB-DIMM",
    "Die",
    "CAMM",
};

// Memory device type (type 17, 0x12); the first entry is code 1.
static const char* const kMemoryType[] = {
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
    // End of the original table; later codes after DSP0134 3.9.0.
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

// Memory device type detail (type 17, 0x13), bit n.
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
    // End of the original table; later bits after DSP0134 3.9.0.
    "Registered (Buffered)",
    "Unbuffered (Unregistered)",
    "LRDIMM",
};

// Memory technology (type 17, 0x28); the first entry is code 1.
static const char* const kMemoryTechnology[] = {
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

// format takes the word as its one argument.
static void AddWordRow(CDetailDlg& dlg, const char* description, size_t offset, const char* format)
{
    if (dlg.Has(offset, 2))
        dlg.AddRow(description, dlg.Format(format, dlg.Word(offset)));
}

static void AddErrorHandleRow(CDetailDlg& dlg, size_t offset, const char* format)
{
    if (!dlg.Has(offset, 2))
        return;
    uint16_t handle = dlg.Word(offset);
    dlg.AddRow("Memory Error Information Handle", handle == 0xFFFE ? "Not provide" : dlg.Format(format, handle));
}

static void AddWidthRow(CDetailDlg& dlg, const char* description, size_t offset)
{
    if (!dlg.Has(offset, 2))
        return;
    uint16_t bits = dlg.Word(offset);
    dlg.AddRow(description, bits == 0xFFFF ? "Unknown" : dlg.Format("%u Bits", bits));
}

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
    dlg.AddEnumField("Memory Error Correction", kMemoryErrorCorrection, 0x06);
    if (dlg.Has(0x07, 4)) {
        // Arrays of 2 TB and more give their capacity in bytes at 0x0F.
        unsigned long long kilobytes = dlg.Dword(0x07);
        if (kilobytes == kCapacitySeeExtended && dlg.Has(0x0F, 8))
            kilobytes = dlg.Qword(0x0F) >> 10;
        dlg.AddRow("Maximum Capacity", kilobytes <= 1024 ? dlg.Format("%llu K Bytes", kilobytes)
                                                         : dlg.Format("%llu M Bytes", kilobytes >> 10));
    }
    AddErrorHandleRow(dlg, 0x0B, "%.4X (See Type 18)");
    AddWordRow(dlg, "Memory of Memory Devices", 0x0D, "%u");
}

void DecodeMemoryDevice(CDetailDlg& dlg)
{
    dlg.AddRow("Data Structure Handle", dlg.Format("0x%.4X", dlg.Handle()));
    AddWordRow(dlg, "Memory Array Handle", 0x04, "0x%.4X  (Refer to Type 16)");
    AddErrorHandleRow(dlg, 0x06, "0x%.4X  (Refer to Type 18 & 33)");
    if (dlg.Has(0x0C, 2)) {
        // Bit 15 picks kilobytes over megabytes; all ones means the size is unknown.
        uint16_t size = dlg.Word(0x0C);
        // Modules of 32 GB and more give their size in megabytes at 0x1C.
        const char* value = size == kSizeSeeExtended && dlg.Has(0x1C, 4)
                                ? dlg.Format("%u M Bytes", dlg.Dword(0x1C) & 0x7FFFFFFFu)
                            : size == 0xFFFF ? "Unknown"
                            : (size & 0x7FFF) == 0
                                ? "No memory device in socket"
                                : dlg.Format("%u %c Bytes", size & 0x7FFFu, (size & 0x8000) ? 'K' : 'M');
        dlg.AddRow("Size of Memory Device", value);
    }
    AddWidthRow(dlg, "Total Width", 0x08);
    AddWidthRow(dlg, "Data Width", 0x0A);
    dlg.AddEnumFieldFromOne("Form Factor", kMemoryFormFactor, 0x0E);
    if (dlg.Has(0x0F, 1))
        dlg.AddRow("Device Set", dlg.Format("%u", dlg.Byte(0x0F)));
    dlg.AddStringRow("Device Locator", 0x10);
    dlg.AddStringRow("Bank Locator", 0x11);
    dlg.AddEnumFieldFromOne("Memory Type", kMemoryType, 0x12);
    if (dlg.Has(0x13, 2))
        dlg.AddFlagRows("Type Detail", dlg.Word(0x13), kMemoryTypeDetail,
                        static_cast<int>(std::size(kMemoryTypeDetail)));

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
    dlg.AddEnumFieldFromOne("Memory Technology", kMemoryTechnology, 0x28);
}

void DecodeMemoryArrayMappedAddress(CDetailDlg& dlg)
{
    AddAddressRow(dlg, "Starting Address", 0x04, 0);
    AddAddressRow(dlg, "Ending Address", 0x08, 1023);
    AddWordRow(dlg, "Memory Array Handle", 0x0C, "0x%.4X  (Refer to Type 16)");
    if (dlg.Has(0x0E, 1))
        dlg.AddRow("Partition Width", dlg.Format("%u", dlg.Byte(0x0E)));
    // Ranges beyond 4 TB: byte addresses in 64 bits, used only when the start says so.
    if (dlg.Has(0x04, 4) && dlg.Dword(0x04) == kAddressSeeExtended) {
        AddQwordAddressRow(dlg, "Extended Starting Address", 0x0F);
        AddQwordAddressRow(dlg, "Extended Ending Address", 0x17);
    }
}
