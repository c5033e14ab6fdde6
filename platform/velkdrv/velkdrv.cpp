// velkdrv.dll: the physical-memory library that the driver path loads on Windows NT.
//
// It maps \Device\PhysicalMemory read-only through ntdll's section calls, which
// NT 4.0, 2000 and XP allow an administrator; it needs no kernel driver of its own,
// so the device file and service name that the caller passes are only accepted.
// Views are never unmapped: the caller keeps pointers into them until it ends.
//
// Built with LUMETRA_VELKDRV_TEST it serves a physical-memory image file instead
// (LUMETRA_PHYSMEM_IMAGE) and appends one line per call to LUMETRA_VELKDRV_LOG, so
// that the driver path can be tested where no such device exists.
//
// The library links no C runtime (kernel32 only, ntdll looked up at run time), so
// that it loads on every Windows the program runs on; hence the hand-made loops.
// Every export returns nonzero on success; on failure it returns 0 and sets the
// thread's last error.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#define VELKDRV_EXPORT extern "C" __declspec(dllexport) int WINAPI

namespace {

ULONGLONG PageBase(ULONGLONG address)
{
    return address & ~static_cast<ULONGLONG>(0xFFF);
}

// One line of text in a fixed buffer; what does not fit is cut off.
class Line {
public:
    Line& Text(const char* s)
    {
        if (s == nullptr)
            s = "(null)";
        while (*s != '\0' && m_size + 1 < sizeof m_buffer)
            m_buffer[m_size++] = *s++;
        m_buffer[m_size] = '\0';
        return *this;
    }
    Line& Quoted(const char* s)
    {
        if (s == nullptr)
            return Text("(null)");
        return Text("\"").Text(s).Text("\"");
    }
    Line& Decimal(int value)
    {
        char digits[16];
        int n = 0;
        unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
        do {
            digits[n++] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (value < 0)
            digits[n++] = '-';
        return Reversed(digits, n);
    }
    Line& Hex(DWORD value)
    {
        char digits[16];
        int n = 0;
        do {
            digits[n++] = "0123456789ABCDEF"[value & 0xF];
            value >>= 4;
        } while (value != 0);
        digits[n++] = 'x';
        digits[n++] = '0';
        return Reversed(digits, n);
    }
    const char* Data() const { return m_buffer; }
    DWORD Size() const { return m_size; }

private:
    Line& Reversed(const char* digits, int n)
    {
        char text[16];
        for (int i = 0; i < n; ++i)
            text[i] = digits[n - 1 - i];
        text[n] = '\0';
        return Text(text);
    }

    char m_buffer[512] = {};
    DWORD m_size = 0;
};

// The span of pages that covers [address, address + length): the view's base, and
// how far into it the address lies. False when the span does not fit an address space.
bool PageSpan(ULONGLONG address, DWORD length, ULONGLONG& base, SIZE_T& span)
{
    base = PageBase(address);
    ULONGLONG end = address + length;
    if (length == 0 || end < address)
        return false;
    ULONGLONG pages = PageBase(end + 0xFFF) - base;
    if (pages == 0 || pages > static_cast<SIZE_T>(-1) / 2)
        return false;
    span = static_cast<SIZE_T>(pages);
    return true;
}

// What every map checks first: the memory is open, and the request is a range of pages.
bool ReadyToMap(bool open, DWORD openError, ULONGLONG address, DWORD length, ULONGLONG& base, SIZE_T& span)
{
    if (!open) {
        SetLastError(openError != 0 ? openError : ERROR_INVALID_HANDLE);
        return false;
    }
    if (!PageSpan(address, length, base, span)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

#ifndef LUMETRA_VELKDRV_TEST

// The few NT declarations the section calls need (ntdll has no import library here
// that old systems share, and its functions are looked up anyway).
typedef LONG NtStatus;
struct NtUnicodeString {
    USHORT Length;
    USHORT MaximumLength;
    PWSTR Buffer;
};
struct NtObjectAttributes {
    ULONG Length;
    HANDLE RootDirectory;
    NtUnicodeString* ObjectName;
    ULONG Attributes;
    PVOID SecurityDescriptor;
    PVOID SecurityQualityOfService;
};
constexpr ULONG kObjCaseInsensitive = 0x40;
constexpr DWORD kViewShare = 1;

typedef NtStatus(NTAPI* NtOpenSectionFn)(PHANDLE, ACCESS_MASK, NtObjectAttributes*);
typedef NtStatus(NTAPI* NtMapViewOfSectionFn)(HANDLE, HANDLE, PVOID*, ULONG_PTR, SIZE_T, PLARGE_INTEGER, PSIZE_T,
                                              DWORD, ULONG, ULONG);
typedef NtStatus(NTAPI* NtCloseFn)(HANDLE);
typedef ULONG(NTAPI* RtlNtStatusToDosErrorFn)(NtStatus);

struct Ntdll {
    NtOpenSectionFn openSection = nullptr;
    NtMapViewOfSectionFn mapView = nullptr;
    NtCloseFn close = nullptr;
    RtlNtStatusToDosErrorFn toDosError = nullptr;
};

template <typename Fn>
Fn Lookup(HMODULE module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// False on systems without the section calls (the 9x family).
bool LoadNtdll(Ntdll& nt)
{
    HMODULE module = GetModuleHandleA("ntdll.dll");
    if (module == nullptr)
        module = LoadLibraryA("ntdll.dll");
    if (module == nullptr)
        return false;
    nt.openSection = Lookup<NtOpenSectionFn>(module, "NtOpenSection");
    nt.mapView = Lookup<NtMapViewOfSectionFn>(module, "NtMapViewOfSection");
    nt.close = Lookup<NtCloseFn>(module, "NtClose");
    nt.toDosError = Lookup<RtlNtStatusToDosErrorFn>(module, "RtlNtStatusToDosError");
    return nt.openSection != nullptr && nt.mapView != nullptr && nt.close != nullptr;
}

Ntdll g_nt;
HANDLE g_section = nullptr;
DWORD g_openError = 0; // why the last MapMem_Open failed

int FailWithStatus(NtStatus status)
{
    DWORD error = g_nt.toDosError != nullptr ? g_nt.toDosError(status) : 0;
    SetLastError(error != 0 ? error : ERROR_GEN_FAILURE);
    return 0;
}

int OpenMemory()
{
    if (g_section != nullptr)
        return 1;
    if (!LoadNtdll(g_nt)) {
        g_openError = ERROR_CALL_NOT_IMPLEMENTED;
        SetLastError(g_openError);
        return 0;
    }
    static wchar_t name[] = L"\\Device\\PhysicalMemory";
    NtUnicodeString unicodeName;
    unicodeName.Length = static_cast<USHORT>(sizeof name - sizeof name[0]);
    unicodeName.MaximumLength = static_cast<USHORT>(sizeof name);
    unicodeName.Buffer = name;
    NtObjectAttributes attributes;
    attributes.Length = sizeof attributes;
    attributes.RootDirectory = nullptr;
    attributes.ObjectName = &unicodeName;
    attributes.Attributes = kObjCaseInsensitive;
    attributes.SecurityDescriptor = nullptr;
    attributes.SecurityQualityOfService = nullptr;
    HANDLE section = nullptr;
    NtStatus status = g_nt.openSection(&section, SECTION_MAP_READ, &attributes);
    if (status < 0) {
        FailWithStatus(status);
        g_openError = GetLastError();
        return 0;
    }
    g_section = section;
    g_openError = 0;
    return 1;
}

int MapMemory(ULONGLONG address, DWORD length, const void** linear)
{
    ULONGLONG base = 0;
    SIZE_T span = 0;
    if (!ReadyToMap(g_section != nullptr, g_openError, address, length, base, span))
        return 0;
    PVOID view = nullptr;
    LARGE_INTEGER offset;
    offset.QuadPart = static_cast<LONGLONG>(base);
    SIZE_T viewSize = span;
    NtStatus status = g_nt.mapView(g_section, GetCurrentProcess(), &view, 0, 0, &offset, &viewSize, kViewShare, 0,
                                   PAGE_READONLY);
    if (status < 0)
        return FailWithStatus(status);
    // The call may move the offset down to a boundary of its own and grow the view
    // to match: the address is found from where the view really starts.
    ULONGLONG start = static_cast<ULONGLONG>(offset.QuadPart);
    if (start > address || address - start > viewSize || viewSize - (address - start) < length) {
        SetLastError(ERROR_INVALID_ADDRESS);
        return 0;
    }
    *linear = static_cast<const BYTE*>(view) + static_cast<SIZE_T>(address - start);
    return 1;
}

void CloseMemory()
{
    if (g_section != nullptr)
        g_nt.close(g_section);
    g_section = nullptr;
}

constexpr bool kLogging = false;
void Log(const Line&) {}

#else // LUMETRA_VELKDRV_TEST

// The image file: "PHYSIMG1", then segments of an 8-byte physical address, a 4-byte
// length (both little-endian) and that many bytes. A map succeeds only when the
// whole requested range lies inside one segment.
constexpr char kImageMagic[8] = {'P', 'H', 'Y', 'S', 'I', 'M', 'G', '1'};
constexpr DWORD kSegmentHeader = 12;

const BYTE* g_image = nullptr;
DWORD g_imageSize = 0;
bool g_open = false;
DWORD g_openError = 0;

DWORD ReadLe(const BYTE* p, int n)
{
    DWORD value = 0;
    for (int i = n - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

// Reads the whole file named by the variable into memory that is never freed (a
// test library: each opening costs one copy).
bool ReadImage(DWORD& error)
{
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("LUMETRA_PHYSMEM_IMAGE", path, sizeof path);
    if (n == 0 || n >= sizeof path) {
        error = ERROR_ENVVAR_NOT_FOUND;
        return false;
    }
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return false;
    }
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    BYTE* bytes = nullptr;
    DWORD got = 0;
    bool ok = size != INVALID_FILE_SIZE && high == 0 && size >= sizeof kImageMagic;
    if (ok) {
        bytes = static_cast<BYTE*>(VirtualAlloc(nullptr, size, MEM_COMMIT, PAGE_READWRITE));
        ok = bytes != nullptr && ReadFile(file, bytes, size, &got, nullptr) && got == size;
    }
    error = ok ? 0 : ERROR_BAD_FORMAT;
    CloseHandle(file);
    for (DWORD i = 0; ok && i < sizeof kImageMagic; ++i)
        ok = bytes[i] == static_cast<BYTE>(kImageMagic[i]);
    if (!ok) {
        error = ERROR_BAD_FORMAT;
        return false;
    }
    g_image = bytes;
    g_imageSize = size;
    return true;
}

int OpenMemory()
{
    if (g_open)
        return 1;
    // Read anew at each opening, so that a test may switch images.
    if (!ReadImage(g_openError)) {
        SetLastError(g_openError);
        return 0;
    }
    g_open = true;
    g_openError = 0;
    return 1;
}

// The segment bytes that hold [address, address + length), or null.
const BYTE* FindInImage(ULONGLONG address, DWORD length)
{
    DWORD at = sizeof kImageMagic;
    while (g_imageSize - at >= kSegmentHeader) {
        ULONGLONG start = ReadLe(g_image + at, 4) | (static_cast<ULONGLONG>(ReadLe(g_image + at + 4, 4)) << 32);
        DWORD size = ReadLe(g_image + at + 8, 4);
        at += kSegmentHeader;
        if (size > g_imageSize - at)
            return nullptr;
        if (address >= start && address - start <= size && size - (address - start) >= length)
            return g_image + at + static_cast<DWORD>(address - start);
        at += size;
    }
    return nullptr;
}

int MapMemory(ULONGLONG address, DWORD length, const void** linear)
{
    ULONGLONG base = 0;
    SIZE_T span = 0;
    if (!ReadyToMap(g_open, g_openError, address, length, base, span))
        return 0;
    const BYTE* source = FindInImage(address, length);
    if (source == nullptr) {
        SetLastError(ERROR_INVALID_ADDRESS);
        return 0;
    }
    // A read-only copy at the same offset into its page as a real view would have.
    BYTE* view = static_cast<BYTE*>(VirtualAlloc(nullptr, span, MEM_COMMIT, PAGE_READWRITE));
    if (view == nullptr)
        return 0;
    BYTE* target = view + static_cast<SIZE_T>(address - base);
    for (DWORD i = 0; i < length; ++i)
        target[i] = source[i];
    DWORD old = 0;
    VirtualProtect(view, span, PAGE_READONLY, &old);
    *linear = target;
    return 1;
}

void CloseMemory()
{
    g_open = false;
}

constexpr bool kLogging = true;
void Log(const Line& line)
{
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("LUMETRA_VELKDRV_LOG", path, sizeof path);
    if (n == 0 || n >= sizeof path)
        return;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    SetFilePointer(file, 0, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(file, line.Data(), line.Size(), &written, nullptr);
    WriteFile(file, "\r\n", 2, &written, nullptr);
    CloseHandle(file);
}

#endif // LUMETRA_VELKDRV_TEST

} // namespace

// The kernel driver that the arguments name is not needed: see the top of this file.
VELKDRV_EXPORT Pre_Open_Device(int id, const char* file, const char* device)
{
    if (kLogging)
        Log(Line().Text("Pre_Open_Device ").Decimal(id).Text(" ").Quoted(file).Text(" ").Quoted(device));
    return 1;
}

VELKDRV_EXPORT MapMem_Open()
{
    if (kLogging)
        Log(Line().Text("MapMem_Open"));
    return OpenMemory();
}

// Maps [high:low, high:low + length) and stores the address's pointer in *linear;
// on failure *linear is left as it was.
VELKDRV_EXPORT MapMem_Phys_To_Linear(DWORD low, DWORD high, DWORD length, const void** linear)
{
    if (kLogging)
        Log(Line().Text("MapMem_Phys_To_Linear ").Hex(low).Text(" ").Hex(high).Text(" ").Hex(length));
    if (linear == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return MapMemory((static_cast<ULONGLONG>(high) << 32) | low, length, linear);
}

// Ends the mapping calls; the views made so far stay.
VELKDRV_EXPORT MapMem_Close()
{
    if (kLogging)
        Log(Line().Text("MapMem_Close"));
    CloseMemory();
    return 1;
}

VELKDRV_EXPORT Post_Close_Device(const char* file, const char* device)
{
    if (kLogging)
        Log(Line().Text("Post_Close_Device ").Quoted(file).Text(" ").Quoted(device));
    return 1;
}

// The entry point the linker looks for when no C runtime supplies one.
extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
