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

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
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

// The system's text for an error code, on one line; empty when it has none.
std::string SystemMessage(DWORD error)
{
    char text[256] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                             sizeof text, nullptr);
    std::string message(text, n < sizeof text ? n : 0);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    if (message.empty() && error != 0)
        message = "error " + std::to_string(error);
    return message;
}

std::string WithCause(std::string what, DWORD error)
{
    std::string cause = SystemMessage(error);
    return cause.empty() ? what : what + ": " + cause;
}

// velkdrv.dll, loaded at the first call: only the NT kinds take the driver path, so
// the 9x family never loads it. The library's results mean nothing defined; a map
// failed when it left the pointer unset, and then the thread's last error, cleared
// before the call, may tell why.
class VelkDriver : public IPhysMemDriver {
public:
    void Pre_Open_Device(int32_t id, const char* file, const char* device) override
    {
        m_mapError.clear();
        if (Load() && m_preOpen)
            m_preOpen(id, file, device);
    }
    void MapMem_Open() override
    {
        if (Load() && m_open)
            m_open();
    }
    void MapMem_Phys_To_Linear(uint32_t low, uint32_t high, uint32_t length, const uint8_t** linear) override
    {
        if (!Load() || !m_map || linear == nullptr)
            return;
        SetLastError(0);
        m_map(low, high, length, reinterpret_cast<const void**>(linear));
        DWORD error = GetLastError();
        if (*linear == nullptr && m_mapError.empty()) {
            char where[48];
            std::snprintf(where, sizeof where, "0x%llX", (static_cast<unsigned long long>(high) << 32) | low);
            m_mapError = WithCause(std::string("velkdrv.dll could not map physical memory at ") + where, error);
        }
    }
    void MapMem_Close() override
    {
        if (Load() && m_close)
            m_close();
    }
    void Post_Close_Device(const char* file, const char* device) override
    {
        if (Load() && m_postClose)
            m_postClose(file, device);
    }
    std::string LastError() const override
    {
        if (!m_loadError.empty())
            return m_loadError;
        if (m_missing.empty() || m_mapError.empty())
            return m_mapError + m_missing;
        return m_mapError + "; " + m_missing;
    }

private:
    bool Load()
    {
        if (m_tried)
            return m_module != nullptr;
        m_tried = true;
        // Never freed: the mapped views belong to the library and must outlive this object.
        m_module = LoadLibraryA("velkdrv.dll");
        if (m_module == nullptr) {
            m_loadError = WithCause("velkdrv.dll could not be loaded", GetLastError());
            return false;
        }
        m_preOpen = Proc<PreOpenDeviceFn>(m_module, "Pre_Open_Device");
        m_open = Proc<MapMemOpenFn>(m_module, "MapMem_Open");
        m_map = Proc<PhysToLinearFn>(m_module, "MapMem_Phys_To_Linear");
        m_close = Proc<MapMemCloseFn>(m_module, "MapMem_Close");
        m_postClose = Proc<PostCloseDeviceFn>(m_module, "Post_Close_Device");
        std::string missing;
        const std::pair<bool, const char*> exports[] = {
            {m_preOpen != nullptr, "Pre_Open_Device"}, {m_open != nullptr, "MapMem_Open"},
            {m_map != nullptr, "MapMem_Phys_To_Linear"}, {m_close != nullptr, "MapMem_Close"},
            {m_postClose != nullptr, "Post_Close_Device"}};
        for (const auto& e : exports) {
            if (!e.first)
                missing += (missing.empty() ? "" : ", ") + std::string(e.second);
        }
        if (!missing.empty())
            m_missing = "velkdrv.dll lacks " + missing;
        return true;
    }

    bool m_tried = false;
    HMODULE m_module = nullptr;
    PreOpenDeviceFn m_preOpen = nullptr;
    MapMemOpenFn m_open = nullptr;
    PhysToLinearFn m_map = nullptr;
    MapMemCloseFn m_close = nullptr;
    PostCloseDeviceFn m_postClose = nullptr;
    std::string m_loadError; // the library could not be loaded
    std::string m_missing;   // the exports it lacks
    std::string m_mapError;  // the first failed map since Pre_Open_Device
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
