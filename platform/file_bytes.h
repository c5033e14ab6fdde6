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

// Creates path and writes bytes to it; refuses a path that exists (a link included)
// and leaves it untouched, so that a privileged run cannot be aimed at a system file.
// The new file gets mode 0644. "-" writes to standard output. On failure, reason
// holds "PATH: what went wrong".
bool WriteNewFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& reason);

// Writes bytes to path through a new file beside it, which then takes path's place, so
// that path holds its old bytes or all of the new ones, never a part; nothing else is
// left behind. Unlike WriteNewFile it replaces an existing file: the caller has asked
// the user first. The file gets mode 0644. On failure, reason holds "PATH: what went wrong".
bool SaveFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, std::string& reason);
