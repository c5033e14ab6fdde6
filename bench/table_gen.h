#pragma once
// Generated SMBIOS tables for the benchmarks, in the layout of `dmidecode --dump-bin`
// (entry point at 0, table at 0x20), so that both lumetra and dmidecode read them.
#include <cstddef>
#include <cstdint>
#include <vector>

enum class TableMix {
    Real,  // structures of the kinds and sizes firmware writes, with their strings
    Small, // 12-byte structures of types 0 to 40 without strings: the most per byte
};

// The largest table the driver path maps (0xF000 bytes).
constexpr size_t kLargestWindow = 61440;

// At most count structures (the last one the End-of-Table), and no more than
// maxBytes of table. The entry point is "_SM_" 2.8 while the table fits its 16-bit
// length, else "_SM3_" 3.0. Checksums are right: dmidecode checks them.
std::vector<uint8_t> MakeTableDump(TableMix mix, size_t count, size_t maxBytes = SIZE_MAX);

// The number of structures in a dump made by MakeTableDump.
size_t DumpStructureCount(const std::vector<uint8_t>& dump);
