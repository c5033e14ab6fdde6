// Types 7, 8 and 9: cache information, port connector, system slots; fields past the original's
// as of SMBIOS 2.1 to 3.2. Texts such as "Properietary" and "Short Lengrh" are the original tables' own,
// kept as they are.
#include "decode/decoders.h"

// Cache configuration (type 7, 0x05, bits 8 to 9).
static const char* const kCacheOperationalMode[] = {
    "Write Through",
    "Write Back",
    "Varies with Memory Address",
    "Unknown",
};

// Cache configuration (type 7, 0x05, bits 5 to 6).
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
    // End of the original list; later codes: SMBIOS 3.9.
    {0x22, "SAS/SATA Plug Receptacle"},
    {0x23, "USB Type-C Receptacle"},
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
    // End of the original list; later codes: SMBIOS 3.9.
    {0x20, "SATA"},
    {0x21, "SAS"},
    {0x22, "MFM (Multi-Function Monitor)"},
    {0x23, "Thunderbolt"},
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
    // End of the original list; later codes: SMBIOS 3.9.
    {0x12, "PCI-X"},
    {0x13, "AGP 8X"},
    {0x14, "M.2 Socket 1-DP (Mechanical Key A)"},
    {0x15, "M.2 Socket 1-SD (Mechanical Key E)"},
    {0x16, "M.2 Socket 2 (Mechanical Key B)"},
    {0x17, "M.2 Socket 3 (Mechanical Key M)"},
    {0x18, "MXM Type I"},
    {0x19, "MXM Type II"},
    {0x1A, "MXM Type III (standard connector)"},
    {0x1B, "MXM Type III (HE connector)"},
    {0x1C, "MXM Type IV"},
    {0x1D, "MXM 3.0 Type A"},
    {0x1E, "MXM 3.0 Type B"},
    {0x1F, "PCI Express Gen 2 SFF-8639 (U.2)"},
    {0x20, "PCI Express Gen 3 SFF-8639 (U.2)"},
    {0x21, "PCI Express Mini 52-pin (CEM spec. 2.0) with bottom-side keep-outs"},
    {0x22, "PCI Express Mini 52-pin (CEM spec. 2.0) without bottom-side keep-outs"},
    {0x23, "PCI Express Mini 76-pin (CEM spec. 2.0)"},
    {0x24, "PCI Express Gen 4 SFF-8639 (U.2)"},
    {0x25, "PCI Express Gen 5 SFF-8639 (U.2)"},
    {0x26, "OCP NIC 3.0 Small Form Factor (SFF)"},
    {0x27, "OCP NIC 3.0 Large Form Factor (LFF)"},
    {0x28, "OCP NIC Prior to 3.0"},
    {0x30, "CXL Flexbus 1.0"},
    {0xA5, "PCI Express"},
    {0xA6, "PCI Express x1"},
    {0xA7, "PCI Express x2"},
    {0xA8, "PCI Express x4"},
    {0xA9, "PCI Express x8"},
    {0xAA, "PCI Express x16"},
    {0xAB, "PCI Express Gen 2"},
    {0xAC, "PCI Express Gen 2 x1"},
    {0xAD, "PCI Express Gen 2 x2"},
    {0xAE, "PCI Express Gen 2 x4"},
    {0xAF, "PCI Express Gen 2 x8"},
    {0xB0, "PCI Express Gen 2 x16"},
    {0xB1, "PCI Express Gen 3"},
    {0xB2, "PCI Express Gen 3 x1"},
    {0xB3, "PCI Express Gen 3 x2"},
    {0xB4, "PCI Express Gen 3 x4"},
    {0xB5, "PCI Express Gen 3 x8"},
    {0xB6, "PCI Express Gen 3 x16"},
    {0xB8, "PCI Express Gen 4"},
    {0xB9, "PCI Express Gen 4 x1"},
    {0xBA, "PCI Express Gen 4 x2"},
    {0xBB, "PCI Express Gen 4 x4"},
    {0xBC, "PCI Express Gen 4 x8"},
    {0xBD, "PCI Express Gen 4 x16"},
    {0xBE, "PCI Express Gen 5"},
    {0xBF, "PCI Express Gen 5 x1"},
    {0xC0, "PCI Express Gen 5 x2"},
    {0xC1, "PCI Express Gen 5 x4"},
    {0xC2, "PCI Express Gen 5 x8"},
    {0xC3, "PCI Express Gen 5 x16"},
    {0xC4, "PCI Express Gen 6 and Beyond"},
    {0xC5, "Enterprise and Datacenter 1U E1 Form Factor Slot (EDSFF E1.S, E1.L)"},
    {0xC6, "Enterprise and Datacenter 3\" E3 Form Factor Slot (EDSFF E3.S, E3.L)"},
    {0xFF, ""},
};

// Slot data bus width (type 9, 0x06).
static const char* const kSlotDataBusWidth[] = {
    "",
    "Other",
    "Unknown",
    "8 bit",
    "16 bit",
    "32 bit",
    "64 bit",
    "128 bit",
    // End of the original table; later codes: SMBIOS 3.9.
    "1x or x1",
    "2x or x2",
    "4x or x4",
    "8x or x8",
    "12x or x12",
    "16x or x16",
    "32x or x32",
};

// Current usage (type 9, 0x07).
static const char* const kSlotUsage[] = {
    nullptr,
    "Other",
    "Unknown",
    "Available",
    "In use",
    // End of the original table; later codes: SMBIOS 3.9.
    "Unavailable",
};

// Slot length (type 9, 0x08).
static const char* const kSlotLength[] = {
    nullptr,
    "Other",
    "Unknown",
    "Short Lengrh",
    "Long Length",
    // End of the original table; later codes: SMBIOS 3.9.
    "2.5\" drive form factor",
    "3.5\" drive form factor",
};

// SRAM type (type 7, 0x0B and 0x0D; SMBIOS 2.1), by bit; a later group, so bits without
// a name show too.
static const char* const kSramType[16] = {
    "Other",
    "Unknown",
    "Non-Burst",
    "Burst",
    "Pipeline Burst",
    "Synchronous",
    "Asynchronous",
};

// System cache type (type 7, 0x11; SMBIOS 2.1).
static const char* const kSystemCacheType[] = {
    nullptr,
    "Other",
    "Unknown",
    "Instruction",
    "Data",
    "Unified",
};

// Associativity (type 7, 0x12; SMBIOS 2.1).
static const char* const kCacheAssociativity[] = {
    nullptr,
    "Other",
    "Unknown",
    "Direct Mapped",
    "2-way Set-Associative",
    "4-way Set-Associative",
    "Fully Associative",
    "8-way Set-Associative",
    "16-way Set-Associative",
    "12-way Set-Associative",
    "24-way Set-Associative",
    "32-way Set-Associative",
    "48-way Set-Associative",
    "64-way Set-Associative",
    "20-way Set-Associative",
};

// A cache size word: bits 0-14 count units of 1K, or of 64K when bit 15 is set.
static void AddCacheSizeRow(CDetailDlg& dlg, const char* description, size_t offset)
{
    if (!dlg.Has(offset, 2))
        return;
    uint16_t size = dlg.Word(offset);
    dlg.AddRow(description, dlg.Format("%d x %dK", size & 0x7FFF, (size & 0x8000) ? 64 : 1));
}

// The 32-bit form of SMBIOS 3.1: bits 0-30 count units of 1K, or of 64K when bit 31 is set.
static void AddCacheSize2Row(CDetailDlg& dlg, const char* description, size_t offset)
{
    if (!dlg.Has(offset, 4))
        return;
    uint32_t size = dlg.Dword(offset);
    dlg.AddRow(description, dlg.Format("%u x %uK", size & 0x7FFFFFFFu, (size & 0x80000000u) ? 64u : 1u));
}

// A cache's error correction codes are those of kErrorCorrection up to multi-bit ECC.
constexpr unsigned kLastCacheErrorCorrection = 6;

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
    dlg.AddFlagField("Supported SRAM Type", 0x0B, 2, kSramType);
    dlg.AddFlagField("Current SRAM Type", 0x0D, 2, kSramType);
    dlg.AddNumberRow("Cache Speed", 0x0F, 1, "%u ns", 0, "Unknown");
    if (dlg.Has(0x10, 1)) {
        unsigned code = dlg.Byte(0x10);
        dlg.AddRow("Error Correction Type", code >= 1 && code <= kLastCacheErrorCorrection
                                                ? kErrorCorrection[code]
                                                : dlg.Format("0x%.2X", code));
    }
    dlg.AddEnumField("System Cache Type", kSystemCacheType, 0x11);
    dlg.AddEnumField("Associativity", kCacheAssociativity, 0x12);
    AddCacheSize2Row(dlg, "Maximum Cache Size 2", 0x13);
    AddCacheSize2Row(dlg, "Installed Size 2", 0x17);
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
    dlg.AddEnumField("Current Usage", kSlotUsage, 0x07);
    dlg.AddEnumField("Slot Length", kSlotLength, 0x08);
    dlg.AddNumberRow("Slot ID", 0x09, 2, "%.4X");

    // The PCI address of the slot's device (SMBIOS 2.6), written as a PCI tool would.
    dlg.AddNumberRow("Segment Group Number", 0x0D, 2, "%.4X");
    dlg.AddNumberRow("Bus Number", 0x0F, 1, "%.2X");
    // Bits 7:3 the device, bits 2:0 the function.
    if (dlg.Has(0x10, 1))
        dlg.AddRow("Device/Function Number", dlg.Format("%.2X.%X", dlg.Byte(0x10) >> 3, dlg.Byte(0x10) & 7u));
    // SMBIOS 3.2: the electrical width of the slot's own device, then its peers, five bytes each.
    dlg.AddNumberRow("Data Bus Width", 0x11, 1, "%u");
    if (dlg.Has(0x12, 1)) {
        unsigned peers = dlg.Byte(0x12);
        dlg.AddRow("Peer Grouping Count", dlg.Format("%u", peers));
        for (unsigned n = 0; n < peers; ++n) {
            size_t at = 0x13 + 5 * n;
            if (!dlg.Has(at, 5))
                break;
            uint8_t devfn = dlg.Byte(at + 3);
            dlg.AddRow(n == 0 ? "Peer Groups" : "",
                       dlg.Format("%.4X:%.2X:%.2X.%X (Width %u)", dlg.Word(at), dlg.Byte(at + 2), devfn >> 3,
                                  devfn & 7u, dlg.Byte(at + 4)));
        }
    }
}
