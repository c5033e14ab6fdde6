#pragma once
// Direct physical addressing, where the process address equals the physical address.
#include <cstdint>

class IDirectMemory {
public:
    virtual ~IDirectMemory() = default;
    // The bytes at physical [address, address + length), or null when not all are readable.
    virtual const uint8_t* Readable(uint32_t address, uint32_t length) = 0;
};

#ifdef _WIN32
IDirectMemory& HostDirectMemory();
#endif
