#pragma once
// Builds small SMBIOS tables in memory for the tests.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "reader/table_reader.h"

using Bytes = std::vector<uint8_t>;

// One structure: header, the formatted bytes after the header, then the string set.
// length < 0 means the real formatted length (4 + body size).
Bytes Structure(uint8_t type, uint16_t handle, const Bytes& body = {},
                const std::vector<std::string>& strings = {}, int length = -1);
Bytes Concat(const std::vector<Bytes>& parts);

// A 32-bit "_SM_" entry point (31 bytes, checksums left 0).
Bytes EntryPointSm(uint32_t tableAddress, uint16_t count, uint8_t major = 2, uint8_t minor = 8,
                   uint16_t maxStructureSize = 0);
// A 64-bit "_SM3_" entry point (24 bytes).
Bytes EntryPointSm3(uint64_t tableAddress, uint32_t maxTableSize, uint8_t major = 3, uint8_t minor = 0);

// Serves an entry point and a table from memory.
class MemoryLocator : public ITableLocator {
public:
    MemoryLocator(Bytes entry, Bytes table, AnchorKind kind = AnchorKind::Sm)
        : m_entry(std::move(entry)), m_table(std::move(table)), m_kind(kind) {}
    ResultCode Locate(LocateResult& out, std::string& reason) override;

private:
    Bytes m_entry;
    Bytes m_table;
    AnchorKind m_kind;
};

// An opened reader over the given structures; count < 0 uses their number.
std::unique_ptr<CTableReader> OpenTable(const std::vector<Bytes>& structures, int count = -1);

// A table with two problems: an End-of-Table structure with one more after it, and a
// count past the end of the table.
std::unique_ptr<CTableReader> OpenBrokenTable();

// Little-endian helpers for structure bodies.
void PutU16(Bytes& b, size_t at, uint16_t v);
void PutU32(Bytes& b, size_t at, uint32_t v);

std::string TestData(const std::string& relative);
