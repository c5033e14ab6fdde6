#include "decode/decoders.h"

#include <cstdio>

// BIOS characteristics, bit n of the low double word at 0x0A of type 0.
static const char* const kBiosCharacteristics[] = {
    "Reserved",
    "Reserved",
    "Unknown",
    "BIOS Characteristics Not Supported",
    "ISA is supported",
    "MCA is supported",
    "EISA is supported",
    "PCI is supported",
    "PC Card (PCMCIA) is supported",
    "Plug and Play is supported",
    "APM is supported",
    "BIOS is Upgradeable",
    "BIOS shadowing is allowed",
    "VL-VESA is supported",
    "ESCD support is available",
    "Boot from CD is supported",
    "Selectable Boot is supported",
    "BIOS ROM is socketed",
    "Boot From PC Card (PCMCIA) is supported",
    "EDD (Enhanced Disk Drive) Specification is supported",
    "Int 13h - Japanese Floppy for NEC 9800 1.2mb (3.5 1k Bytes/Sector,360 RPM) is supported",
    "Int 13h - Japanese Floopy for Toshiba 1.2mb(3.5 360 RPM) is supported",
    "Int 13h - 5.25 / 360 KB Floppy  Services are supported",
    "Int 13h - 5.25 / 1.2 MB Floppy  Services are supported",
    "Int 13h - 3.5 / 720 KB Floppy  Services are supported",
    "Int 13h - 3.5 / 2.88 MB Floppy  Services are supported",
    "Int 5h , Print Screen Services are supported",
    "Int 9h , 8042 Keyboard Services are supported",
    "Int 14h , Serial Services are supported",
    "Int 17h , Printer Services are supported",
    "Int 10h , CGA/Mono Video Services are supported",
    "NEC PC-98",
};

// BIOS characteristics extension, bit n of the byte at 0x12 of type 0.
static const char* const kBiosCharacteristicsExtension[] = {
    "ACPI supported",
    "USB Legacy is supported",
    "AGP is supported",
    "I2O boot is supported",
    "LS-120 boot is supported",
    "ATAPI ZIP Driver boot is supported",
    "1394 boot is supported",
    "Smart Battery supported",
};

// Wake-up type, byte at 0x18 of type 1.
static const char* const kWakeUpType[] = {
    "Reserved",
    "Other",
    "Unknown",
    "APM Timer",
    "Modem Ring",
    "LAN Remote",
    "Power Switch",
    "AC Power Restored",
};

// Chassis type, byte at 0x05 of type 3 masked with 0x3F.
static const char* const kChassisType[] = {
    "",
    "Other",
    "Unknown",
    "Desktop",
    "Low Profile Desktop",
    "Pizza Box",
    "Mini Tower",
    "Tower",
    "Portable",
    "LapTop",
    "Notebook",
    "Hand Held",
    "Docking Station",
    "All in One",
    "Sub Notebook",
    "Space-saving",
    "Lunch Box",
    "Main Server Chassis",
    "Expansion Chassis",
    "SubChassis",
    "Bus Expansion Chassis",
    "Peripheral Chassis",
    "RAID Chassis",
    "Rack Mount Chassis",
    "Sealed-case PC",
};

void DecodeBiosInformation(CDetailDlg& dlg)
{
    dlg.AddStringRow("Vendor name", 0x04);
    dlg.AddStringRow("BIOS Version", 0x05);
    if (dlg.Has(0x06, 2))
        dlg.AddRow("BIOS Start Address", dlg.Format("0x%X", dlg.Word(0x06)));
    dlg.AddStringRow("BIOS Release Date", 0x08);
    if (dlg.Has(0x09, 1))
        dlg.AddRow("BIOS ROM Size", dlg.Format("%d K Bytes", (dlg.Byte(0x09) + 1) << 6));
    // Only the low half of the 64-bit field has texts; the vendor-reserved upper half is not shown.
    if (dlg.Has(0x0A, 4))
        dlg.AddFlagRows("BIOS Characteristics", dlg.Dword(0x0A), kBiosCharacteristics, 32);
    if (dlg.Has(0x12, 1))
        dlg.AddFlagRows("BIOS Characteristics Extension", dlg.Byte(0x12), kBiosCharacteristicsExtension, 8);
}

void DecodeSystemInformation(CDetailDlg& dlg)
{
    dlg.AddStringRow("Manufacturer", 0x04);
    dlg.AddStringRow("Product Name", 0x05);
    dlg.AddStringRow("Version", 0x06);
    dlg.AddStringRow("Serial Number", 0x07);
    // The bytes in the order the firmware stored them, with no regrouping into fields.
    if (dlg.Has(0x08, 16)) {
        char uuid[16 * 3 + 1];
        for (int i = 0; i < 16; ++i)
            std::snprintf(uuid + i * 3, 4, "%.2X ", dlg.Byte(0x08 + i));
        dlg.AddRow("UUID", uuid);
    }
    dlg.AddEnumField("Wake-up Type", kWakeUpType, 0x18);
}

void DecodeBaseBoardInformation(CDetailDlg& dlg)
{
    dlg.AddStringRow("Manufacturer", 0x04);
    dlg.AddStringRow("Product", 0x05);
    dlg.AddStringRow("Version", 0x06);
    dlg.AddStringRow("Serial Number", 0x07);
}

void DecodeSystemEnclosure(CDetailDlg& dlg)
{
    dlg.AddStringRow("Manufacturer", 0x04);
    // Bit 7 is the chassis lock; bit 6 is dropped with it.
    dlg.AddEnumField("Type", kChassisType, 0x05, 0x3F);
    dlg.AddStringRow("AssetTag", 0x08);
    dlg.AddStringRow("Version", 0x06);
    dlg.AddStringRow("Serial Number", 0x07);
}
