#pragma once
// Stands in for GetVersionExA: fills a version record whose size field says
// which record layout the caller offers (156 extended, 148 plain).
#include <cstdint>

struct OsVersionRecord {
    uint32_t size = 0;
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
    uint32_t platformId = 0;
};

constexpr uint32_t kVersionRecordExtended = 156;
constexpr uint32_t kVersionRecordPlain = 148;

class IVersionQuery {
public:
    virtual ~IVersionQuery() = default;
    // False when the record size is rejected.
    virtual bool Query(OsVersionRecord& record) = 0;
};

#ifdef _WIN32
IVersionQuery& HostVersionQuery();
#endif
