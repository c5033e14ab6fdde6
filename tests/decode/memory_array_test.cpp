#include <gtest/gtest.h>

#include "tests/decode_helpers.h"

TEST(MemoryArrayDecoders, WholeStructures)
{
    ExpectRows({
        {16,
         {0x03, 0x03, 0x03, 0x00, 0x00, 0x08, 0x00, 0xFE, 0xFF, 0x02, 0x00},
         {},
         {{"Data Structure Handle", "0x0100"},
          {"Location", "System board or motherboard"},
          {"Use in", "System memory"},
          {"Memory Error Correction", "None"},
          {"Maximum Capacity", "512 M Bytes"},
          {"Memory Error Information Handle", "Not provide"},
          {"Memory of Memory Devices", "2"}}},
        // Type 16 cut before the capacity; a location the pair list lacks, a use past its table.
        {16,
         {0x0B, 8, 3},
         {},
         {{"Data Structure Handle", "0x0100"}, {"Location", ""}, {"Use in", "0x08"}, {"Memory Error Correction", "None"}}},
        // Type 17 of 2.1 (length 0x15): the size comes before the widths.
        {17,
         {0x00, 0x10, 0x33, 0x00, 0xFF, 0xFF, 64, 0, 0x00, 0x04, 9, 0xFF, 1, 2, 9, 0x80, 0x00},
         {"DIMM 0", "BANK 0"},
         {{"Data Structure Handle", "0x0100"},
          {"Memory Array Handle", "0x1000  (Refer to Type 16)"},
          {"Memory Error Information Handle", "0x0033  (Refer to Type 18 & 33)"},
          {"Size of Memory Device", "1024 M Bytes"},
          {"Total Width", "Unknown"},
          {"Data Width", "64 Bits"},
          {"Form Factor", "DIMM"},
          {"Device Set", "255"},
          {"Device Locator", "DIMM 0"},
          {"Bank Locator", "BANK 0"},
          {"Memory Type", "FLASH"},
          {"Type Detail", "Synchronous"}}},
        // Type 17 cut before the size.
        {17,
         {0x00, 0x10, 0xFE, 0xFF, 72, 0, 0xFF, 0xFF},
         {},
         {{"Data Structure Handle", "0x0100"},
          {"Memory Array Handle", "0x1000  (Refer to Type 16)"},
          {"Memory Error Information Handle", "Not provide"},
          {"Total Width", "72 Bits"},
          {"Data Width", "Unknown"}}},
        // Type 19 has no handle row.
        {19,
         {0, 0, 0, 0, 0xFF, 0xFF, 0x03, 0x00, 0x00, 0x10, 1},
         {},
         {{"Starting Address", "0x00000000"},
          {"Ending Address", "0x0FFFFFFF"},
          {"Memory Array Handle", "0x1000  (Refer to Type 16)"},
          {"Partition Width", "1"}}},
        // Type 19 cut after the addresses, of a range above 4 GiB.
        {19,
         {0x00, 0x00, 0x40, 0x00, 0xFF, 0xFF, 0x7F, 0x00},
         {},
         {{"Starting Address", "0x100000000"}, {"Ending Address", "0x1FFFFFFFF"}}},
    });
}

TEST(MemoryArrayDecoders, FieldBoundaries)
{
    // type, length, field offset and width, value; the row's Description and ValueOf
    ExpectFields({
        {16, 0x0F, 0x07, 4, 1024, "Maximum Capacity", "1024 K Bytes"},
        {16, 0x0F, 0x07, 4, 1025, "Maximum Capacity", "1 M Bytes"},
        {16, 0x0F, 0x07, 4, 0xFFFFFFFF, "Maximum Capacity", "4194303 M Bytes"},
        {16, 0x0F, 0x0B, 2, 0xFFFF, "Memory Error Information Handle", "FFFF (See Type 18)"},
        {16, 0x0E, 0x0D, 2, 2, "Memory of Memory Devices", kNoRow},
        // Bit 15 picks K over M, and no count is no device whatever the unit; all ones is unknown.
        {17, 0x15, 0x0C, 2, 0x8000, "Size of Memory Device", "No memory device in socket"},
        {17, 0x15, 0x0C, 2, 0x8200, "Size of Memory Device", "512 K Bytes"},
        {17, 0x15, 0x0C, 2, 0x7FFF, "Size of Memory Device", "32767 M Bytes"},
        {17, 0x15, 0x0C, 2, 0xFFFF, "Size of Memory Device", "Unknown"},
        // Both tables start at code 1.
        {17, 0x15, 0x0E, 1, 0, "Form Factor", "0x00"},
        {17, 0x15, 0x0E, 1, 0x0F, "Form Factor", "FB-DIMM"},
        {17, 0x15, 0x0E, 1, 0x12, "Form Factor", "0x12"},
        {17, 0x15, 0x12, 1, 16, "Memory Type", "SGRAM"},
        {17, 0x15, 0x12, 1, 0x1A, "Memory Type", "DDR4"},
        {17, 0x15, 0x12, 1, 0x22, "Memory Type", "DDR5"},
        {17, 0x15, 0x12, 1, 0x25, "Memory Type", "0x25"},
        {17, 0x15, 0x13, 2, 0x0280, "Type Detail", "Synchronous|EDO"},
        {17, 0x15, 0x13, 2, 0xA000, "Type Detail", "Registered (Buffered)|LRDIMM"},
        {17, 0x14, 0x13, 2, 0x0280, "Type Detail", kNoRow},
        // Addresses take at least eight digits and keep their place above 4 GiB.
        {19, 0x0F, 0x08, 4, 0x003FFFFF, "Ending Address", "0xFFFFFFFF"},
        {19, 0x0F, 0x08, 4, 0xFFFFFFFF, "Ending Address", "0x3FFFFFFFFFF"},
        {19, 0x0B, 0x08, 4, 0x003FFFFF, "Ending Address", kNoRow},
    });
}

TEST(MemoryArrayDecoders, LaterFields)
{
    // type, length, fields set (offset, width, value); the row's Description and ValueOf
    ExpectFieldSets({
        // 0x80000000 defers to the byte count at 0x0F (2.7) when present.
        {16, 0x17, {{0x07, 4, 0x80000000}, {0x0F, 8, 3ULL << 40}}, "Maximum Capacity", "3145728 M Bytes"},
        {16, 0x17, {{0x07, 4, 0x80000000}, {0x0F, 8, 15ULL << 39}}, "Maximum Capacity", "7864320 M Bytes"},
        {16, 0x17, {{0x07, 4, 0x80000000}, {0x0F, 8, 512 * 1024}}, "Maximum Capacity", "512 K Bytes"},
        {16, 0x0F, {{0x07, 4, 0x80000000}}, "Maximum Capacity", "2097152 M Bytes"},
        {16, 0x17, {{0x07, 4, 0x7FFFFFFF}, {0x0F, 8, 3ULL << 40}}, "Maximum Capacity", "2097151 M Bytes"},
        // 0x7FFF defers to the megabytes at 0x1C (2.7), bit 31 reserved.
        {17, 0x20, {{0x0C, 2, 0x7FFF}, {0x1C, 4, 32768}}, "Size of Memory Device", "32768 M Bytes"},
        {17, 0x20, {{0x0C, 2, 0x7FFF}, {0x1C, 4, 0x80020000}}, "Size of Memory Device", "131072 M Bytes"},
        {17, 0x1F, {{0x0C, 2, 0x7FFF}, {0x1C, 4, 32768}}, "Size of Memory Device", "32767 M Bytes"},
        {17, 0x20, {{0x0C, 2, 0x7FFE}, {0x1C, 4, 32768}}, "Size of Memory Device", "32766 M Bytes"},
        // Speeds of 0xFFFF defer to the double words of 3.3.
        {17, 0x5C, {{0x15, 2, 0xFFFF}, {0x54, 4, 8400}}, "Speed", "8400 MT/s"},
        {17, 0x54, {{0x15, 2, 0xFFFF}, {0x54, 4, 8400}}, "Speed", "65535 MT/s"},
        {17, 0x17, {{0x15, 2, 0}}, "Speed", "Unknown"},
        {17, 0x16, {{0x15, 2, 2400}}, "Speed", kNoRow},
        {17, 0x28, {{0x22, 2, 1200}, {0x24, 2, 1350}}, "Maximum Voltage", "1.35 V"},
        {17, 0x28, {{0x22, 2, 1200}, {0x24, 2, 1350}}, "Configured Voltage", "Unknown"},
        {17, 0x1C, {{0x1B, 1, 0xF2}}, "Rank", "2"},
        // Extended addresses only where the start says so.
        {19, 0x1F, {{0x04, 4, 0xFFFFFFFF}, {0x0F, 8, 0x40000000000}}, "Extended Starting Address", "0x40000000000"},
        {19, 0x1F, {{0x04, 4, 0xFFFFFFFE}, {0x0F, 8, 0x40000000000}}, "Extended Starting Address", kNoRow},
        {19, 0x1E, {{0x04, 4, 0xFFFFFFFF}, {0x17, 8, 0x4FFFFFFFFFF}}, "Extended Ending Address", kNoRow},
    });
}
