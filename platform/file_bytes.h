#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Reads a whole file. On failure, reason holds "PATH: what went wrong".
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& out, std::string& reason);
bool IsDirectory(const std::string& path);
