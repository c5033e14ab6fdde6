#include <gtest/gtest.h>

#include "tests/decode_helpers.h"

TEST(CachePortSlotDecoders, WholeStructures)
{
    ExpectRows({
        // Type 7 of 2.0 (length 0x0F); bit 15 of a size counts 64K units.
        {7,
         {1, 0x80, 0x01, 0x00, 0x02, 0x08, 0x80, 0, 0, 0, 0},
         {"L2 Cache"},
         {{"Socket Designation", "L2 Cache"},
          {"Cache Operational Mode", "Write Back"},
          {"Cache Enabled (at boot time)", "Enabled"},
          {"Cache Location (relative to CPU module)", "Internal"},
          {"Cache Socketed", "Not Socketed"},
          {"Cache Level (1 through 8)", "Level-1"},
          {"Maximum Cache Size", "512 x 1K"},
          {"Installed Size", "8 x 64K"}}},
        // Type 7 cut in the installed size; bits 4 and 10 to 15 of the configuration show nowhere.
        {7,
         {1, 0x7A, 0xFF, 0xFF, 0xFF, 0x00},
         {"L1"},
         {{"Socket Designation", "L1"},
          {"Cache Operational Mode", "Unknown"},
          {"Cache Enabled (at boot time)", "Disabled"},
          {"Cache Location (relative to CPU module)", "Unknown"},
          {"Cache Socketed", "Socketed"},
          {"Cache Level (1 through 8)", "Level-3"},
          {"Maximum Cache Size", "32767 x 64K"}}},
        {8,
         {1, 0x00, 2, 0x08, 0x0E},
         {"J1A1", "COM A"},
         {{"Internel referance Designator", "J1A1"},
          {"Internel Connector Type", "None"},
          {"Externel Reference", "COM A"},
          {"Externel Connector Type", "DB-9 pin male"},
          {"Port Type", "Mouse Port"}}},
        {9,
         {1, 0x0F, 5, 3, 3, 0xAB, 0x00},
         {"PCI1"},
         {{"Slot Designation", "PCI1"},
          {"Slot Type", "AGP"},
          {"Slot Data Bus Width", "32 bit"},
          {"Current Usage", "Available"},
          {"Slot Length", "Short Lengrh"},
          {"Slot ID", "00AB"}}},
        // Type 9 cut in the slot ID; code 0 has no text in any of the four tables.
        {9,
         {1, 0x00, 0, 0, 7, 0x01},
         {"PCI1"},
         {{"Slot Designation", "PCI1"},
          {"Slot Type", ""},
          {"Slot Data Bus Width", ""},
          {"Current Usage", "0x00"},
          {"Slot Length", "0x07"}}},
    });
}

TEST(CachePortSlotDecoders, FieldBoundaries)
{
    // type, length, field offset and width, value; the row's Description and ValueOf
    ExpectFields({
        {7, 0x0F, 0x05, 2, 0x0227, "Cache Operational Mode", "Varies with Memory Address"},
        {7, 0x0F, 0x05, 2, 0x0227, "Cache Location (relative to CPU module)", "External"},
        {7, 0x0F, 0x05, 2, 0x0227, "Cache Level (1 through 8)", "Level-8"},
        // Codes the pair lists lack take the closing pair's text.
        {8, 0x09, 0x05, 1, 0x24, "Internel Connector Type", "Other-Use Ref. Designator."},
        {8, 0x09, 0x08, 1, 0x24, "Port Type", "Other"},
        {8, 0x09, 0x07, 1, 0x23, "Externel Connector Type", "USB Type-C Receptacle"},
        {8, 0x09, 0x08, 1, 0x20, "Port Type", "SATA"},
        {9, 0x0D, 0x05, 1, 0xB6, "Slot Type", "PCI Express Gen 3 x16"},
        {9, 0x0D, 0x05, 1, 0xB7, "Slot Type", ""},
        {8, 0x08, 0x08, 1, 0x0E, "Port Type", kNoRow},
        {9, 0x0D, 0x06, 1, 0x0D, "Slot Data Bus Width", "16x or x16"},
        {9, 0x0D, 0x06, 1, 0x0F, "Slot Data Bus Width", "0x0F"},
        {9, 0x0D, 0x07, 1, 5, "Current Usage", "Unavailable"},
        {9, 0x0D, 0x08, 1, 6, "Slot Length", "3.5\" drive form factor"},
        {9, 0x0D, 0x07, 1, 4, "Current Usage", "In use"},
    });
}

TEST(CachePortSlotDecoders, LaterFields)
{
    // type, length, fields set (offset, width, value); the row's Description and ValueOf
    ExpectFieldSets({
        {7, 0x1B, {{0x13, 4, 0x80010000}}, "Maximum Cache Size 2", "65536 x 64K"},
        {7, 0x1B, {{0x17, 4, 0x00300000}}, "Installed Size 2", "3145728 x 1K"},
        {7, 0x1A, {{0x17, 4, 0x00300000}}, "Installed Size 2", kNoRow},
        {7, 0x13, {{0x0F, 1, 0}, {0x12, 1, 0x0E}}, "Cache Speed", "Unknown"},
        // The slot's PCI address, and the peers that fit whole in the length.
        {9, 0x11, {{0x0D, 2, 0x0001}, {0x0F, 1, 0x3A}, {0x10, 1, 0xE1}}, "Device/Function Number", "1C.1"},
        {9, 0x13 + 5 + 4, {{0x12, 1, 2}, {0x14, 1, 0}, {0x15, 1, 2}, {0x16, 1, 0x08}, {0x17, 1, 8}},
         "Peer Groups", "0000:02:01.0 (Width 8)"},
        {9, 0x13, {{0x11, 1, 16}, {0x12, 1, 1}}, "Peer Groups", kNoRow},
    });
}
