#pragma once
// The five calls of the physical-memory driver library. The reader calls them in a
// fixed order and examines no result: a window that could not be mapped shows up
// only as a pointer that was left unset.
#include <cstdint>
#include <memory>
#include <string>

class IPhysMemDriver {
public:
    virtual ~IPhysMemDriver() = default;
    virtual void Pre_Open_Device(int32_t id, const char* file, const char* device) = 0;
    virtual void MapMem_Open() = 0;
    virtual void MapMem_Phys_To_Linear(uint32_t addressLow, uint32_t addressHigh, uint32_t length,
                                       const uint8_t** linear) = 0;
    virtual void MapMem_Close() = 0;
    virtual void Post_Close_Device(const char* file, const char* device) = 0;
    // What went wrong last, for the user; empty when nothing is known.
    virtual std::string LastError() const { return {}; }
};

// velkdrv.dll on Windows, /dev/mem elsewhere. Mapped windows stay valid for the
// life of the process, whatever happens to the driver object.
std::unique_ptr<IPhysMemDriver> MakeHostPhysMemDriver();
