#pragma once
// Windows Vista and later: GetSystemFirmwareTable('RSMB'), looked up at run time so
// that the program still loads on Windows 95 and NT 4.0.
#include <cstdint>
#include <string>
#include <vector>

#ifdef _WIN32
// The RawSMBIOSData block, header included. False with a reason when the function
// is missing or fails.
bool HostFirmwareTable(std::vector<uint8_t>& raw, std::string& reason);
#endif
