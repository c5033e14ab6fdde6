#include <gtest/gtest.h>

#include "tests/decode_helpers.h"

TEST(ProcessorDecoder, WholeStructures)
{
    ExpectRows({
        // Type 4 of 2.0 (length 0x1A); the ID prints word by word; the upgrade comes before the status.
        {4,
         {1, 3, 0x0B, 2, 0x33, 0x06, 0x00, 0x00, 0xFF, 0xFB, 0x83, 0x03, 3, 0xA1, 0x42, 0x00, 0x20, 0x03, 0x58, 0x02,
          0x41, 8},
         {"Slot 1", "GenuineIntel", "Pentium III"},
         {{"Socket Designation", "Slot 1"},
          {"Processor Type", "Central Processor"},
          {"Processor Family", "Pentium processor Family"},
          {"Processor Manufaturer", "GenuineIntel"},
          {"Processor ID", "0633-0000-FBFF-0383"},
          {"Processor Version", "Pentium III"},
          {"Processor Voltage", "3.3 Volt"},
          {"External Clock", "66 M Hz"},
          {"Max Speed", "800 M Hz"},
          {"Current Speed", "600 M Hz"},
          {"Processor Upgrade", "Slot 1"},
          {"Processor Status", "CPU Socket Populated"},
          {"", "CPU Enabled"}}},
        // Cut after the voltage; a type past its table, and a family the pair list lacks.
        {4,
         {1, 7, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x8C},
         {"CPU0"},
         {{"Socket Designation", "CPU0"},
          {"Processor Type", "0x07"},
          {"Processor Family", "Not Define"},
          {"Processor Manufaturer", ""},
          {"Processor ID", "0000-0000-0000-0000"},
          {"Processor Version", ""},
          {"Processor Voltage", "1.2 Volt"}}},
    });
}

TEST(ProcessorDecoder, FieldBoundaries)
{
    // type, length, field offset and width, value; the row's Description and ValueOf
    ExpectFields({
        // Bit 7 set: tenths of a volt in bits 0 to 5. Clear: flags for 5, 3.3 and 2.9 V.
        {4, 0x1A, 0x11, 1, 0xC0, "Processor Voltage", "0.0 Volt"},
        {4, 0x1A, 0x11, 1, 0x0D, "Processor Voltage", "5V, 2.9V"},
        {4, 0x1A, 0x11, 1, 0x00, "Processor Voltage", ""},
        {4, 0x1A, 0x19, 1, 0x33, "Processor Upgrade", "Socket BGA1356"},
        {4, 0x1A, 0x19, 1, 0x57, "Processor Upgrade", "Socket BGA2833"},
        {4, 0x1A, 0x19, 1, 0x58, "Processor Upgrade", "0x58"},
        {4, 0x1A, 0x18, 1, 0x07, "Processor Status", "CPU Socket Unpopulated|"},
        {4, 0x1A, 0x18, 1, 0xBB, "Processor Status", "CPU Socket Unpopulated|CPU Disabled By BIOS (POST Error)"},
        // Fields that do not fit whole are left out, the status rows together.
        {4, 0x0F, 0x08, 8, 0x0102030405060708, "Processor ID", kNoRow},
        {4, 0x13, 0x12, 2, 0x0042, "External Clock", kNoRow},
        {4, 0x18, 0x18, 1, 0x41, "Processor Status", kNoRow},
        {4, 0x19, 0x18, 1, 0x41, "Processor Status", "CPU Socket Populated|CPU Enabled"},
        {4, 0x19, 0x19, 1, 8, "Processor Upgrade", kNoRow},
    });
}

TEST(ProcessorDecoder, LaterFields)
{
    // type, length, fields set (offset, width, value); the row's Description and ValueOf
    ExpectFieldSets({
        // Counts of 0xFF defer to the 16-bit forms when the structure has them.
        {4, 0x30, {{0x23, 1, 0xFF}, {0x2A, 2, 288}}, "Core Count", "288"},
        {4, 0x2A, {{0x24, 1, 0xFF}, {0x2C, 2, 280}}, "Core Enabled", "255"},
        {4, 0x30, {{0x23, 1, 0x00}}, "Core Count", "Unknown"},
        {4, 0x23, {{0x23, 1, 4}}, "Core Count", kNoRow},
        // Family 2 only where the family byte points to it.
        {4, 0x2A, {{0x06, 1, 0xFE}, {0x28, 2, 0x101}}, "Processor Family", "See Processor Family 2"},
        {4, 0x2A, {{0x06, 1, 0xFE}, {0x28, 2, 0x101}}, "Processor Family 2", "ARMv8"},
        {4, 0x2A, {{0x06, 1, 0xFE}, {0x28, 2, 0x0B}}, "Processor Family 2", "Pentium processor Family"},
        {4, 0x2A, {{0x06, 1, 0xFE}, {0x28, 2, 0x300}}, "Processor Family 2", "0x0300"},
        {4, 0x2A, {{0x06, 1, 0xC6}, {0x28, 2, 0xC6}}, "Processor Family 2", kNoRow},
        {4, 0x20, {{0x1A, 2, 0xFFFF}, {0x1C, 2, 0x0702}}, "L1 Cache Handle", "Not Provided"},
    });
}
