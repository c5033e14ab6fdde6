#pragma once
// Classifies the running Windows version into the code that picks the access path:
// 2 to 5 the 9x family (direct), 6 and 7 NT 4.0 and 2000/XP (driver), 0 and 1 none.
#include <cstdint>

#include "platform/system_message_box.h"
#include "platform/version_query.h"

using OsKind = int32_t;

// Pure classification of one version record.
OsKind ClassifyOsVersion(uint32_t platformId, uint32_t major, uint32_t minor, uint32_t build);

// Queries, classifies and caches the code for the whole process. When both record
// sizes are rejected it shows the version error box and returns 0, caching nothing.
OsKind DetectOsKind(IVersionQuery& query, ISystemMessageBox& box);
#ifdef _WIN32
OsKind DetectOsKind();
#endif

// True on Windows NT 6.0 and later (Vista onwards), whose firmware table service
// hands out the SMBIOS table. Queries as DetectOsKind does, and shows nothing.
bool HasFirmwareTableService(IVersionQuery& query);

// Forgets the cached code (tests run many detections in one process).
void ResetOsKindCache();
