// Types 0 to 3: BIOS, system, base board and system enclosure information; fields past the
// original's as of SMBIOS 2.0 to 3.1. Texts such as "Japanese Floopy" and "AssetTag" are the
// original tables' own, kept as they are.
#include <cstdio>

#include "decode/decoders.h"

// BIOS characteristics (type 0, 0x0A, the low double word), by bit.
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

// BIOS characteristics extension (type 0, 0x12), by bit.
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

// BIOS characteristics extension byte 2 (type 0, 0x13; SMBIOS 2.4, names of 3.9), by bit; a
// later group, so bits without a name show too.
static const char* const kBiosCharacteristicsExtension2[8] = {
    "BIOS Boot Specification is supported",
    "Function key-initiated network service boot is supported",
    "Targeted content distribution is supported",
    "UEFI Specification is supported",
    "SMBIOS table describes a virtual machine",
    "Manufacturing mode is supported",
    "Manufacturing mode is enabled",
};

// Wake-up type (type 1, 0x18).
static const char* const kWakeUpType[] = {
    "Reserved",
    "Other",
    "Unknown",
    "APM Timer",
    "Modem Ring",
    "LAN Remote",
    "Power Switch",
    // Code 7 once read "AC Power Restored", but SMBIOS gives 7 to PCI PME# and 8 to power restored.
    "PCI PME#",
    // End of the original table; later codes: SMBIOS 3.9.
    "AC Power Restored",
};

// Chassis type (type 3, 0x05, bits 0 to 5).
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
    // End of the original table; later codes: SMBIOS 3.9.
    "Multi-system chassis",
    "Compact PCI",
    "Advanced TCA",
    "Blade",
    "Blade Enclosure",
    "Tablet",
    "Convertible",
    "Detachable",
    "IoT Gateway",
    "Embedded PC",
    "Mini PC",
    "Stick PC",
};

// Base board feature flags (type 2, 0x09), by bit; a later group, so bits without a name show too.
static const char* const kBoardFeatures[8] = {
    "Board is a hosting board",
    "Board requires at least one daughter board",
    "Board is removable",
    "Board is replaceable",
    "Board is hot swappable",
};

// Board type (type 2, 0x0D).
static const char* const kBoardType[] = {
    nullptr,
    "Unknown",
    "Other",
    "Server Blade",
    "Connectivity Switch",
    "System Management Module",
    "Processor Module",
    "I/O Module",
    "Memory Module",
    "Daughter board",
    "Motherboard (includes processor, memory, and I/O)",
    "Processor/Memory Module",
    "Processor/IO Module",
    "Interconnect board",
};

// Boot-up, power supply and thermal state (type 3, 0x09 to 0x0B; SMBIOS 2.1).
static const char* const kChassisState[] = {
    nullptr,
    "Other",
    "Unknown",
    "Safe",
    "Warning",
    "Critical",
    "Non-recoverable",
};

// Security status (type 3, 0x0C; SMBIOS 2.1).
static const char* const kChassisSecurity[] = {
    nullptr,
    "Other",
    "Unknown",
    "None",
    "External interface locked out",
    "External interface enabled",
};

// A ROM size byte of 0xFF defers to the extended size at 0x18 (SMBIOS 3.1).
constexpr uint8_t kRomSizeSeeExtended = 0xFF;

// major.minor of two bytes; 0xFF in either means the firmware does not give the release.
static void AddReleaseRow(CDetailDlg& dlg, const char* description, size_t offset)
{
    if (!dlg.Has(offset, 2))
        return;
    uint8_t major = dlg.Byte(offset);
    uint8_t minor = dlg.Byte(offset + 1);
    dlg.AddRow(description, major == 0xFF || minor == 0xFF ? "Not Provided" : dlg.Format("%u.%u", major, minor));
}

// Chassis height and power cords: 0 when the firmware leaves them unspecified.
constexpr uint8_t kUnspecifiedCount = 0;

void DecodeBiosInformation(CDetailDlg& dlg)
{
    dlg.AddStringRow("Vendor name", 0x04);
    dlg.AddStringRow("BIOS Version", 0x05);
    dlg.AddNumberRow("BIOS Start Address", 0x06, 2, "0x%X");
    dlg.AddStringRow("BIOS Release Date", 0x08);
    if (dlg.Has(0x09, 1)) {
        // 0xFF means 16 MB or more: bits 13:0 at 0x18 count megabytes (unit 0, bits 15:14) or
        // gigabytes (unit 1); units 2 and 3 are reserved. 16383 GB needs more than 32 bits of K.
        uint16_t extended = dlg.Has(0x18, 2) ? dlg.Word(0x18) : 0;
        unsigned unit = extended >> 14;
        unsigned long long count = extended & 0x3FFF;
        if (dlg.Byte(0x09) == kRomSizeSeeExtended && count != 0 && unit <= 1)
            dlg.AddSizeRow("BIOS ROM Size", count << (unit == 0 ? 10 : 20), 'K');
        else
            dlg.AddSizeRow("BIOS ROM Size", (dlg.Byte(0x09) + 1u) << 6, 'K');
    }
    // Only the low half of the 64-bit field has texts; the vendor-reserved upper half is not shown.
    dlg.AddFlagField("BIOS Characteristics", 0x0A, 4, kBiosCharacteristics);
    dlg.AddFlagField("BIOS Characteristics Extension", 0x12, 1, kBiosCharacteristicsExtension);
    dlg.AddFlagField("BIOS Characteristics Extension Byte 2", 0x13, 1, kBiosCharacteristicsExtension2);
    AddReleaseRow(dlg, "System BIOS Release", 0x14);
    AddReleaseRow(dlg, "Embedded Controller Firmware Release", 0x16);
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
    dlg.AddStringRow("SKU Number", 0x19);
    dlg.AddStringRow("Family", 0x1A);
}

void DecodeBaseBoardInformation(CDetailDlg& dlg)
{
    dlg.AddStringRow("Manufacturer", 0x04);
    dlg.AddStringRow("Product", 0x05);
    dlg.AddStringRow("Version", 0x06);
    dlg.AddStringRow("Serial Number", 0x07);
    dlg.AddStringRow("Asset Tag", 0x08);
    dlg.AddFlagField("Feature Flags", 0x09, 1, kBoardFeatures);
    dlg.AddStringRow("Location in Chassis", 0x0A);
    dlg.AddNumberRow("Chassis Handle", 0x0B, 2, "0x%.4X");
    dlg.AddEnumField("Board Type", kBoardType, 0x0D);
}

void DecodeSystemEnclosure(CDetailDlg& dlg)
{
    dlg.AddStringRow("Manufacturer", 0x04);
    // Bit 7 is the chassis lock; bit 6 is dropped with it.
    dlg.AddEnumField("Type", kChassisType, 0x05, 0x3F);
    dlg.AddStringRow("AssetTag", 0x08);
    dlg.AddStringRow("Version", 0x06);
    dlg.AddStringRow("Serial Number", 0x07);
    dlg.AddEnumField("Boot-up State", kChassisState, 0x09);
    dlg.AddEnumField("Power Supply State", kChassisState, 0x0A);
    dlg.AddEnumField("Thermal State", kChassisState, 0x0B);
    dlg.AddEnumField("Security Status", kChassisSecurity, 0x0C);
    dlg.AddNumberRow("Height", 0x11, 1, "%u U", kUnspecifiedCount, "Unspecified");
    dlg.AddNumberRow("Number of Power Cords", 0x12, 1, "%u", kUnspecifiedCount, "Unspecified");
    // The SKU number follows the contained elements, count times record length bytes from 0x15.
    if (dlg.Has(0x13, 2)) {
        size_t sku = 0x15 + size_t{dlg.Byte(0x13)} * dlg.Byte(0x14);
        dlg.AddStringRow("SKU Number", sku);
    }
}
