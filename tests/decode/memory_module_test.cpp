#include <gtest/gtest.h>

#include "tests/decode_helpers.h"

TEST(MemoryModuleDecoders, WholeStructures)
{
    ExpectRows({
        // Type 5 with one slot handle after 0x0E, which gets no row.
        {5,
         {5, 0x18, 4, 3, 0x0A, 0x18, 0x00, 0x80, 0x05, 0x06, 4, 0x00, 0x06},
         {},
         {{"Error Correcting Method", "32-bit ECC"},
          {"Error Detecting Capability", "Single Bit Error Correcting"},
          {"", "Double Bit Error Correcting"},
          {"Supported Interleave", "Two Way Interleave"},
          {"Current Interleave", "One Way Interleave"},
          {"Maximum Memory Module Size", "1024 M Bytes"},
          {"Supported Speeds", "60ns"},
          {"", "50ns"},
          {"Supported Momory Types", "SIMM"},
          {"", "DIMM"},
          {"", "SDRAM"},
          {"Memory Module Voltage", "3.3V"},
          {"", "2.9V"},
          {"Number of Associated Memory Slots", "4        (Refer to Type 6)"}}},
        // Type 5 cut in the memory type word, whose other half is the string set's 0xFF bytes.
        // Only bits 0 to 5 of 0x05 count; a shift count of 31 is no negative size.
        {5,
         {9, 0xC0, 0, 8, 0x1F, 0x01, 0x00, 0xFF},
         {"\xFF\xFF"},
         {{"Error Correcting Method", "0x09"},
          {"Supported Interleave", ""},
          {"Current Interleave", "0x08"},
          {"Maximum Memory Module Size", "2147483648 M Bytes"},
          {"Supported Speeds", "Other"}}},
        // Type 6; the error status at 0x0B gets no row.
        {6,
         {1, 0x01, 70, 0x10, 0x01, 0x85, 0x05, 0x01},
         {"SIMM 1"},
         {{"Socket Designation", "SIMM 1"},
          {"Bank Connections", "RAS 0 & 1 "},
          {"Current Speed", "70 ns"},
          {"Current Momory Types", "EDO"},
          {"", "DIMM"},
          {"Installed Size", "32 MB"},
          {"Enabled Size", "32 MB"}}},
        // Type 6 cut in the memory type word, whose other half and the sizes are string bytes.
        {6,
         {0, 0x00, 0, 0xFF},
         {"\x7F\x7F"},
         {{"Socket Designation", ""}, {"Bank Connections", "RAS 0 & 0 "}, {"Current Speed", "Unknown"}}},
    });
}

TEST(MemoryModuleDecoders, FieldBoundaries)
{
    // type, length, field offset and width, value; the row's Description and ValueOf
    ExpectFields({
        // Bits past a flag table add no row; the shift count is taken modulo 32.
        {5, 0x0F, 0x09, 2, 0xFFE0, "Supported Speeds", kNoRow},
        {5, 0x0F, 0x0B, 2, 0xF801, "Supported Momory Types", "Other"},
        {5, 0x0F, 0x0D, 1, 0xF9, "Memory Module Voltage", "5V"},
        {5, 0x0F, 0x08, 1, 0x2A, "Maximum Memory Module Size", "1024 M Bytes"},
        // A nibble of 0xF is no connection, in either half.
        {6, 0x0C, 0x05, 1, 0x2F, "Bank Connections", "RAS 2"},
        {6, 0x0C, 0x05, 1, 0xF2, "Bank Connections", "RAS 2"},
        {6, 0x0C, 0x05, 1, 0xFF, "Bank Connections", "None"},
        // Bit 7 of a size never counts; 0x7D is a size only when enabled.
        {6, 0x0C, 0x09, 1, 0xFD, "Installed Size", "Not determinable "},
        {6, 0x0C, 0x0A, 1, 0x7D, "Enabled Size", "536870912 MB"},
        {6, 0x0C, 0x09, 1, 0xFE, "Installed Size", "Module is installed,but no memory has been enabled."},
        {6, 0x0C, 0x0A, 1, 0x7E, "Enabled Size", "Module is installed,but no memory has been enabled."},
        {6, 0x0C, 0x09, 1, 0xFF, "Installed Size", "Not installed"},
        {6, 0x0C, 0x0A, 1, 0xFF, "Enabled Size", "Not installed"},
        {6, 0x0C, 0x09, 1, 0x9F, "Installed Size", "2147483648 MB"},
        {6, 0x0C, 0x0A, 1, 0x20, "Enabled Size", "1 MB"},
    });
}
