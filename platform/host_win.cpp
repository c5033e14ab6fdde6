// Host layers on Windows: the version query, the message box, the computer's
// name, direct physical addressing and the driver library.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "platform/computer_name.h"
#include "platform/direct_memory.h"
#include "platform/firmware_table.h"
#include "platform/phys_mem_driver.h"
#include "platform/system_message_box.h"
#include "platform/version_query.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

class WinVersionQuery : public IVersionQuery {
public:
    bool Query(OsVersionRecord& record) override
    {
        OSVERSIONINFOEXA info;
        std::memset(&info, 0, sizeof info);
        static_assert(sizeof(OSVERSIONINFOEXA) == kVersionRecordExtended, "extended record size");
        static_assert(sizeof(OSVERSIONINFOA) == kVersionRecordPlain, "plain record size");
        info.dwOSVersionInfoSize = record.size;
        if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)))
            return false;
        record.major = info.dwMajorVersion;
        record.minor = info.dwMinorVersion;
        record.build = info.dwBuildNumber;
        record.platformId = info.dwPlatformId;
        return true;
    }
};

class WinMessageBox : public ISystemMessageBox {
public:
    void Show(const char* text, const char* caption) override
    {
        MessageBoxA(nullptr, text, caption, MB_OK);
    }
};

class WinDirectMemory : public IDirectMemory {
public:
    const uint8_t* Readable(uint32_t address, uint32_t length) override
    {
        const void* p = reinterpret_cast<const void*>(static_cast<uintptr_t>(address));
        if (length == 0 || IsBadReadPtr(p, length))
            return nullptr;
        return static_cast<const uint8_t*>(p);
    }
};

// The library's argument types; its exports are taken to be stdcall, as Win32
// library exports usually are.
typedef int(WINAPI* PreOpenDeviceFn)(int, const char*, const char*);
typedef int(WINAPI* MapMemOpenFn)();
typedef int(WINAPI* PhysToLinearFn)(DWORD, DWORD, DWORD, const void**);
typedef int(WINAPI* MapMemCloseFn)();
typedef int(WINAPI* PostCloseDeviceFn)(const char*, const char*);

template <typename Fn>
Fn Proc(HMODULE module, const char* name)
{
    if (module == nullptr)
        return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class VelkDriver : public IPhysMemDriver {
public:
    VelkDriver()
        // Never freed: the mapped windows belong to the library and must outlive this object.
        : m_module(LoadLibraryA("velkdrv.dll")),
          m_preOpen(Proc<PreOpenDeviceFn>(m_module, "Pre_Open_Device")),
          m_open(Proc<MapMemOpenFn>(m_module, "MapMem_Open")),
          m_map(Proc<PhysToLinearFn>(m_module, "MapMem_Phys_To_Linear")),
          m_close(Proc<MapMemCloseFn>(m_module, "MapMem_Close")),
          m_postClose(Proc<PostCloseDeviceFn>(m_module, "Post_Close_Device"))
    {
    }
    void Pre_Open_Device(int32_t id, const char* file, const char* device) override
    {
        if (m_preOpen)
            m_preOpen(id, file, device);
    }
    void MapMem_Open() override
    {
        if (m_open)
            m_open();
    }
    void MapMem_Phys_To_Linear(uint32_t low, uint32_t high, uint32_t length, const uint8_t** linear) override
    {
        if (m_map)
            m_map(low, high, length, reinterpret_cast<const void**>(linear));
    }
    void MapMem_Close() override
    {
        if (m_close)
            m_close();
    }
    void Post_Close_Device(const char* file, const char* device) override
    {
        if (m_postClose)
            m_postClose(file, device);
    }
    std::string LastError() const override
    {
        return m_module == nullptr ? "velkdrv.dll could not be loaded" : std::string();
    }

private:
    HMODULE m_module;
    PreOpenDeviceFn m_preOpen;
    MapMemOpenFn m_open;
    PhysToLinearFn m_map;
    MapMemCloseFn m_close;
    PostCloseDeviceFn m_postClose;
};

} // namespace

IVersionQuery& HostVersionQuery()
{
    static WinVersionQuery query;
    return query;
}

ISystemMessageBox& HostSystemMessageBox()
{
    static WinMessageBox box;
    return box;
}

IDirectMemory& HostDirectMemory()
{
    static WinDirectMemory memory;
    return memory;
}

std::unique_ptr<IPhysMemDriver> MakeHostPhysMemDriver()
{
    return std::unique_ptr<IPhysMemDriver>(new VelkDriver());
}

bool HostFirmwareTable(std::vector<uint8_t>& raw, std::string& reason)
{
    typedef UINT(WINAPI * GetTableFn)(DWORD provider, DWORD id, void* buffer, DWORD size);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    GetTableFn getTable =
        kernel ? reinterpret_cast<GetTableFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "GetSystemFirmwareTable")))
               : nullptr;
    if (getTable == nullptr) {
        reason = "this Windows has no GetSystemFirmwareTable";
        return false;
    }
    const DWORD rsmb = ('R' << 24) | ('S' << 16) | ('M' << 8) | 'B';
    // The size can change between the two calls only if the firmware's table does;
    // ask again with the new size then, a few times at most.
    UINT size = getTable(rsmb, 0, nullptr, 0);
    for (int attempt = 0; attempt < 3 && size != 0; ++attempt) {
        raw.assign(size, 0);
        UINT got = getTable(rsmb, 0, raw.data(), size);
        if (got != 0 && got <= size) {
            raw.resize(got);
            return true;
        }
        size = got;
    }
    reason = "GetSystemFirmwareTable('RSMB') failed (error " + std::to_string(GetLastError()) + ")";
    return false;
}

std::string HostComputerName()
{
    char name[16] = {};
    DWORD size = sizeof name;
    if (!GetComputerNameA(name, &size))
        return {};
    return std::string(name).substr(0, 15);
}
