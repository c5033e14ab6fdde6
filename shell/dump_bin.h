#pragma once
// Saving a table in the layout that dmidecode --from-dump reads: the entry point at
// offset 0, its table address rewritten to 0x20 and its checksums fixed, and the
// table at 0x20.
#include <cstdint>
#include <string>
#include <vector>

#include "reader/table_reader.h"

constexpr size_t kDumpTableOffset = 0x20;

// The saved form of an open table; empty when the reader is not open.
std::vector<uint8_t> DumpBinImage(const CTableReader& reader);

// Writes DumpBinImage to path, a new file ("-": standard output). False with the
// reason when the file exists or cannot be written.
bool SaveDumpBin(const CTableReader& reader, const std::string& path, std::string& reason);
