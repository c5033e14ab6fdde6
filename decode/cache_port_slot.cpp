#include "decode/decoders.h"

// Cache configuration (type 7, 0x05), bits 8-9.
static const char* const kCacheOperationalMode[] = {
    "Write Through",
    "Write Back",
    "Varies with Memory Address",
    "Unknown",
};

// Cache configuration (type 7, 0x05), bits 5-6.
static const char* const kCacheLocation[] = {
    "Internal",
    "External",
    "Reserved",
    "Unknown",
};

// Internal and external connector type (type 8, 0x05 and 0x07).
static const CodeText kConnectorType[] = {
    {0x00, "None"},
    {0x01, "Centronics"},
    {0x02, "Mini Centronics"},
    {0x03, "Properietary"},
    {0x04, "DB-25 pin male"},
    {0x05, "DB-25 pin female"},
    {0x06, "DB-15 pin male"},
    {0x07, "DB-15 pin female"},
    {0x08, "DB-9 pin male"},
    {0x09, "DB-9 pin female"},
    {0x0A, "RJ-11"},
    {0x0B, "RJ-45"},
    {0x0C, "50 Pin MiniSCSI"},
    {0x0D, "Mini-DIN"},
    {0x0E, "Micro-DIN"},
    {0x0F, "PS/2"},
    {0x10, "Infrared"},
    {0x11, "HP-HIL"},
    {0x12, "Access Bus (USB)"},
    {0x13, "SSA SCSI"},
    {0x14, "Circular DIN-8 male"},
    {0x15, "Circular DIN-8 female"},
    {0x16, "On Board IDE"},
    {0x17, "On Board Floppy"},
    {0x18, "9 Pin Dual Inline"},
    {0x19, "25 Pin Dual Inline"},
    {0x1A, "50 Pin Dual Inline"},
    {0x1B, "68 Pin Dual Inline"},
    {0x1C, "On Board Sound Input from CD-ROM"},
    {0x1D, "Mini-Centronics Type-14"},
    {0x1E, "Mini-Centronics Type-26"},
    {0x1F, "Mini-jack (headphones"},
    {0x20, "BNC"},
    {0x21, "1394"},
    {0xA0, "PC-98"},
    {0xA1, "PC-98Hireso"},
    {0xA2, "PC-H98"},
    {0xA3, "PC-98Note"},
    {0xA4, "PC-98Full"},
    {0xFF, "Other-Use Ref. Designator."},
};

// Port type (type 8, 0x08).
static const CodeText kPortType[] = {
    {0x00, "None"},
    {0x01, "Parallel Port XT/AT Compatible"},
    {0x02, "Parallel Port PS/2"},
    {0x03, "Parallel Port ECP"},
    {0x04, "Parallel Port EPP"},
    {0x05, "Parallel Port ECP/EPP"},
    {0x06, "Serial Port XT/AT Compatible"},
    {0x07, "Serial Port 16450 Compatible"},
    {0x08, "Serial Port 16550 Compatible"},
    {0x09, "Serial Port 16550A Compatible"},
    {0x0A, "SCSI Port"},
    {0x0B, "MIDI Port"},
    {0x0C, "Joy Stick Port"},
    {0x0D, "Keyboard Port"},
    {0x0E, "Mouse Port"},
    {0x0F, "SSA SCSI"},
    {0x10, "USB"},
    {0x11, "FireWire (IEEE P1394)"},
    {0x12, "PCMCIA TypeI"},
    {0x13, "PCMCIA TypeII"},
    {0x14, "PCMCIA TypeIII"},
    {0x15, "Cardbus"},
    {0x16, "Access Bus Port"},
    {0x17, "SCSI II"},
    {0x18, "SCSI Wide"},
    {0x19, "PC-98"},
    {0x1A, "PC-98-Hireso"},
    {0x1B, "PC-H98"},
    {0x1C, "Video Port"},
    {0x1D, "Audio Port"},
    {0x1E, "Modem Port"},
    {0x1F, "Network Port"},
    {0xA0, "8251 Compatible"},
    {0xA1, "8251 FIFO Compatible"},
    {0xFF, "Other"},
};

// Slot type (type 9, 0x05). Code 0 has no pair, so it falls to the empty closing text.
static const CodeText kSlotType[] = {
    {0x01, "Other"},
    {0x02, "Unknown"},
    {0x03, "ISA"},
    {0x04, "MCA"},
    {0x05, "EISA"},
    {0x06, "PCI"},
    {0x07, "PC Card(PCMCIA)"},
    {0x08, "VL-VESA"},
    {0x09, "Proprietary"},
    {0x0A, "Processor Card Slot"},
    {0x0B, "Proprietary Memory Card Slot"},
    {0x0C, "I/O Riser Card Slot"},
    {0x0D, "NuBus"},
    {0x0E, "PCI - 66MHz Capable"},
    {0x0F, "AGP"},
    {0x10, "AGP 2X"},
    {0x11, "AGP 4X"},
    {0xA0, "PC-98/C20"},
    {0xA1, "PC-98/C24"},
    {0xA2, "PC-98/E"},
    {0xA3, "PC-98/Local Bus"},
    {0xA4, "PC-98/Card"},
    {0xFF, ""},
};

// Slot data bus width (type 9, 0x06), codes 0 to 7.
static const char* const kSlotDataBusWidth[] = {
    "",
    "Other",
    "Unknown",
    "8 bit",
    "16 bit",
    "32 bit",
    "64 bit",
    "128 bit",
};

// Current usage (type 9, 0x07); the first entry is code 1.
static const char* const kSlotUsage[] = {
    "Other",
    "Unknown",
    "Available",
    "In use",
};

// Slot length (type 9, 0x08); the first entry is code 1.
static const char* const kSlotLength[] = {
    "Other",
    "Unknown",
    "Short Lengrh",
    "Long Length",
};

// A cache size word: bits 0-14 count units of 1K, or of 64K when bit 15 is set.
static void AddCacheSizeRow(CDetailDlg& dlg, const char* description, size_t offset)
{
    if (!dlg.Has(offset, 2))
        return;
    uint16_t size = dlg.Word(offset);
    dlg.AddRow(description, dlg.Format("%d x %dK", size & 0x7FFF, (size & 0x8000) ? 64 : 1));
}

void DecodeCacheInformation(CDetailDlg& dlg)
{
    dlg.AddStringRow("Socket Designation", 0x04);
    if (dlg.Has(0x05, 2)) {
        uint16_t config = dlg.Word(0x05);
        dlg.AddEnumRow("Cache Operational Mode", kCacheOperationalMode, (config >> 8) & 3);
        dlg.AddRow("Cache Enabled (at boot time)", (config & 0x80) ? "Enabled" : "Disabled");
        dlg.AddEnumRow("Cache Location (relative to CPU module)", kCacheLocation, (config >> 5) & 3);
        dlg.AddRow("Cache Socketed", (config & 0x08) ? "Socketed" : "Not Socketed");
        dlg.AddRow("Cache Level (1 through 8)", dlg.Format("Level-%d", (config & 7) + 1));
    }
    AddCacheSizeRow(dlg, "Maximum Cache Size", 0x07);
    AddCacheSizeRow(dlg, "Installed Size", 0x09);
}

void DecodePortConnectorInformation(CDetailDlg& dlg)
{
    dlg.AddStringRow("Internel referance Designator", 0x04);
    dlg.AddPairField("Internel Connector Type", kConnectorType, 0x05);
    dlg.AddStringRow("Externel Reference", 0x06);
    dlg.AddPairField("Externel Connector Type", kConnectorType, 0x07);
    dlg.AddPairField("Port Type", kPortType, 0x08);
}

void DecodeSystemSlots(CDetailDlg& dlg)
{
    dlg.AddStringRow("Slot Designation", 0x04);
    dlg.AddPairField("Slot Type", kSlotType, 0x05);
    dlg.AddEnumField("Slot Data Bus Width", kSlotDataBusWidth, 0x06);
    dlg.AddEnumFieldFromOne("Current Usage", kSlotUsage, 0x07);
    dlg.AddEnumFieldFromOne("Slot Length", kSlotLength, 0x08);
    if (dlg.Has(0x09, 2))
        dlg.AddRow("Slot ID", dlg.Format("%.4X", dlg.Word(0x09)));
}
