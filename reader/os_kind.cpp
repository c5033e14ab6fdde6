#include "reader/os_kind.h"

namespace {
OsKind g_osKind = 0; // 0 also means "not computed yet"

constexpr uint32_t kPlatformWin32s = 0;
constexpr uint32_t kPlatformWindows9x = 1;
constexpr uint32_t kPlatformWindowsNt = 2;
} // namespace

OsKind ClassifyOsVersion(uint32_t platformId, uint32_t major, uint32_t minor, uint32_t build)
{
    switch (platformId) {
    case kPlatformWin32s:
        return 1;
    case kPlatformWindows9x: {
        if (major < 4 || (major == 4 && minor < 10))
            return 2; // Windows 95
        uint32_t build16 = build & 0xFFFF; // the high word carries the version again
        if (build16 == 1998)
            return 3; // Windows 98
        if (build16 == 2222)
            return 4; // Windows 98 SE
        return 5;
    }
    case kPlatformWindowsNt:
        if (major == 4)
            return 6;
        if (major == 5)
            return 7;
        return 0;
    default:
        return 0;
    }
}

OsKind DetectOsKind(IVersionQuery& query, ISystemMessageBox& box)
{
    if (g_osKind != 0)
        return g_osKind;
    OsVersionRecord record;
    record.size = kVersionRecordExtended;
    if (!query.Query(record)) {
        record.size = kVersionRecordPlain;
        if (!query.Query(record)) {
            box.Show("", "Check OS Yupr Error !");
            return 0;
        }
    }
    g_osKind = ClassifyOsVersion(record.platformId, record.major, record.minor, record.build);
    return g_osKind;
}

#ifdef _WIN32
OsKind DetectOsKind()
{
    return DetectOsKind(HostVersionQuery(), HostSystemMessageBox());
}
#endif

bool HasFirmwareTableService(IVersionQuery& query)
{
    OsVersionRecord record;
    record.size = kVersionRecordExtended;
    if (!query.Query(record)) {
        record.size = kVersionRecordPlain;
        if (!query.Query(record))
            return false;
    }
    return record.platformId == kPlatformWindowsNt && record.major >= 6;
}

void ResetOsKindCache()
{
    g_osKind = 0;
}
