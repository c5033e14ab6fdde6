#include <gtest/gtest.h>

#include "tests/decode_helpers.h"

TEST(BiosSystemDecoders, WholeStructures)
{
    ExpectRows({
        // Type 0 of 2.4 (length 0x14): the characteristics' upper half is never shown; 0x13 is a group of its own.
        {0,
         {1, 2, 0x00, 0xF0, 3, 0x0F, 0x90, 0x02, 0x40, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x83, 0x18},
         {"Vendor", "1.0", "01/02/1999"},
         {{"Vendor name", "Vendor"},
          {"BIOS Version", "1.0"},
          {"BIOS Start Address", "0xF000"},
          {"BIOS Release Date", "01/02/1999"},
          {"BIOS ROM Size", "1024 K Bytes"},
          {"BIOS Characteristics", "ISA is supported"},
          {"", "PCI is supported"},
          {"", "Plug and Play is supported"},
          {"", "Int 13h - 5.25 / 360 KB Floppy  Services are supported"},
          {"BIOS Characteristics Extension", "ACPI supported"},
          {"", "USB Legacy is supported"},
          {"", "Smart Battery supported"},
          {"BIOS Characteristics Extension Byte 2", "UEFI Specification is supported"},
          {"", "SMBIOS table describes a virtual machine"}}},
        // Type 0 of 2.0 (length 0x12): the string set's first byte, 0x83, is no extension byte.
        {0,
         {0, 0, 0xA0, 0x00, 0, 0xFF, 0x08, 0, 0, 0, 0, 0, 0, 0},
         {"\x83"},
         {{"Vendor name", ""},
          {"BIOS Version", ""},
          {"BIOS Start Address", "0xA0"},
          {"BIOS Release Date", ""},
          {"BIOS ROM Size", "16384 K Bytes"},
          {"BIOS Characteristics", "BIOS Characteristics Not Supported"}}},
        // Type 1 of 2.1: the UUID bytes in stored order, each with a blank after it.
        {1,
         {1, 2, 3, 4, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 6},
         {"Maker", "Box", "v2", "SN1"},
         {{"Manufacturer", "Maker"},
          {"Product Name", "Box"},
          {"Version", "v2"},
          {"Serial Number", "SN1"},
          {"UUID", "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F "},
          {"Wake-up Type", "Power Switch"}}},
        // Type 1 of 2.0: the four strings only.
        {1,
         {1, 2, 3, 4},
         {"Maker", "Box", "v2", "SN1"},
         {{"Manufacturer", "Maker"}, {"Product Name", "Box"}, {"Version", "v2"}, {"Serial Number", "SN1"}}},
        // Type 2 of 2.3 with no contained handles: the later fields after the first four strings.
        {2,
         {1, 2, 3, 4, 5, 0x09, 6, 0x00, 0x03, 0x0A, 0},
         {"Boards", "B1", "2.0", "SN", "ASSET", "Rack 2"},
         {{"Manufacturer", "Boards"},
          {"Product", "B1"},
          {"Version", "2.0"},
          {"Serial Number", "SN"},
          {"Asset Tag", "ASSET"},
          {"Feature Flags", "Board is a hosting board"},
          {"", "Board is replaceable"},
          {"Location in Chassis", "Rack 2"},
          {"Chassis Handle", "0x0300"},
          {"Board Type", "Motherboard (includes processor, memory, and I/O)"}}},
        // Type 2 of 2.0: the four strings only.
        {2,
         {1, 2, 3, 4},
         {"Boards", "B1", "2.0", "SN"},
         {{"Manufacturer", "Boards"}, {"Product", "B1"}, {"Version", "2.0"}, {"Serial Number", "SN"}}},
        // Type 3: the asset tag comes before the version; the lock bit does not change the type.
        {3,
         {1, 0x83, 2, 3, 4},
         {"Cases", "V", "SN", "TAG"},
         {{"Manufacturer", "Cases"},
          {"Type", "Desktop"},
          {"AssetTag", "TAG"},
          {"Version", "V"},
          {"Serial Number", "SN"}}},
    });
}

TEST(BiosSystemDecoders, FieldBoundaries)
{
    // type, length, field offset and width, value; the row's Description and ValueOf
    ExpectFields({
        // Flag groups with bits only in the halves that are never shown, or cut by the length.
        {0, 0x14, 0x0E, 4, 0xFFFFFFFF, "BIOS Characteristics", kNoRow},
        {0, 0x14, 0x13, 1, 0xFF, "BIOS Characteristics Extension", kNoRow},
        {0, 0x0D, 0x0A, 4, 0xFFFFFFFF, "BIOS Characteristics", kNoRow},
        {1, 0x17, 0x08, 8, 0x0102030405060708, "UUID", kNoRow},
        // 7 is PCI PME#, not a power restore; codes past the reference's table stay bare.
        {1, 0x19, 0x18, 1, 7, "Wake-up Type", "PCI PME#"},
        {1, 0x19, 0x18, 1, 8, "Wake-up Type", "AC Power Restored"},
        {1, 0x19, 0x18, 1, 9, "Wake-up Type", "0x09"},
        // The chassis type keeps bits 0 to 5 only.
        {3, 0x09, 0x05, 1, 0x43, "Type", "Desktop"},
        {3, 0x09, 0x05, 1, 0xFF, "Type", "0x3F"},
        {3, 0x09, 0x05, 1, 0x19, "Type", "Multi-system chassis"},
        {3, 0x09, 0x05, 1, 0x24, "Type", "Stick PC"},
        {3, 0x09, 0x05, 1, 0x25, "Type", "0x25"},
    });
}

TEST(BiosSystemDecoders, LaterFields)
{
    // type, length, fields set (offset, width, value); the row's Description and ValueOf
    ExpectFieldSets({
        // ROM size 0xFF defers to 0x18 when that is present and not 0, in MB (unit 0) or GB (unit 1).
        {0, 0x1A, {{0x09, 1, 0xFF}, {0x18, 2, 0x0020}}, "BIOS ROM Size", "32768 K Bytes"},
        {0, 0x1A, {{0x09, 1, 0xFF}, {0x18, 2, 0x4001}}, "BIOS ROM Size", "1048576 K Bytes"},
        {0, 0x1A, {{0x09, 1, 0xFF}, {0x18, 2, 0x7FFF}}, "BIOS ROM Size", "17178820608 K Bytes"},
        {0, 0x1A, {{0x09, 1, 0xFF}, {0x18, 2, 0x8001}}, "BIOS ROM Size", "16384 K Bytes"},
        {0, 0x1A, {{0x09, 1, 0xFF}, {0x18, 2, 0x0000}}, "BIOS ROM Size", "16384 K Bytes"},
        {0, 0x19, {{0x09, 1, 0xFF}, {0x18, 2, 0x0020}}, "BIOS ROM Size", "16384 K Bytes"},
        {0, 0x1A, {{0x09, 1, 0xFE}, {0x18, 2, 0x0020}}, "BIOS ROM Size", "16320 K Bytes"},
        {0, 0x18, {{0x16, 1, 0xFF}, {0x17, 1, 0xFF}}, "Embedded Controller Firmware Release", "Not Provided"},
        {0, 0x17, {{0x16, 1, 1}}, "Embedded Controller Firmware Release", kNoRow},
        {2, 0x0D, {{0x0B, 2, 0x0300}, {0x0D, 1, 0x0A}}, "Board Type", kNoRow},
        {2, 0x0F, {{0x0D, 1, 0x0E}}, "Board Type", "0x0E"},
        // The chassis SKU follows count x record length bytes of contained elements.
        {3, 0x1B, {{0x13, 1, 2}, {0x14, 1, 3}}, "SKU Number", kNoRow},
        {3, 0x1C, {{0x13, 1, 2}, {0x14, 1, 3}}, "SKU Number", ""},
        {3, 0x15, {{0x11, 1, 0}, {0x12, 1, 2}}, "Height", "Unspecified"},
    });
}
