#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Larger than any real table: a saved table's file is refused beyond this size, so
// that a device, a pipe or a huge file named by mistake cannot exhaust memory.
constexpr size_t kMaxTableFileSize = 64u << 20;

// Reads a whole regular file of at most kMaxTableFileSize bytes. On failure, reason
// holds "PATH: what went wrong".
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& out, std::string& reason);
bool IsDirectory(const std::string& path);
