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
};

// Memory device type detail (type 17, 0x13), bits 0 to 12; bits 13-15 are not shown.
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
};

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

void DecodePhysicalMemoryArray(CDetailDlg& dlg)
{
    dlg.AddRow("Data Structure Handle", dlg.Format("0x%.4X", dlg.Handle()));
    dlg.AddPairField("Location", kMemoryArrayLocation, 0x04);
    dlg.AddEnumField("Use in", kMemoryArrayUse, 0x05);
    dlg.AddEnumField("Memory Error Correction", kMemoryErrorCorrection, 0x06);
    if (dlg.Has(0x07, 4)) {
        uint32_t kilobytes = dlg.Dword(0x07);
        dlg.AddRow("Maximum Capacity", kilobytes <= 1024 ? dlg.Format("%u K Bytes", kilobytes)
                                                         : dlg.Format("%u M Bytes", kilobytes >> 10));
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
        const char* value = size == 0xFFFF ? "Unknown"
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
}

void DecodeMemoryArrayMappedAddress(CDetailDlg& dlg)
{
    AddAddressRow(dlg, "Starting Address", 0x04, 0);
    AddAddressRow(dlg, "Ending Address", 0x08, 1023);
    AddWordRow(dlg, "Memory Array Handle", 0x0C, "0x%.4X  (Refer to Type 16)");
    if (dlg.Has(0x0E, 1))
        dlg.AddRow("Partition Width", dlg.Format("%u", dlg.Byte(0x0E)));
}
