#pragma once
// The one access to the SMBIOS structure table: opens it, indexes its structures,
// searches them by type, looks them up by handle and hands out their strings.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "reader/locate.h"
#include "reader/result.h"

// Where one indexed structure lies. Its 4 header bytes and everything up to size
// (formatted area and the string set with its closing double NUL) are inside the
// table window. size is below 4 only for a broken length byte below 4.
struct StructExtent {
    const uint8_t* start = nullptr;
    size_t size = 0;

    uint8_t Type() const { return start[0]; }
    uint8_t Length() const { return start[1]; }
    uint16_t Handle() const { return static_cast<uint16_t>(start[2] | (start[3] << 8)); }
    ByteWindow Whole() const { return {start, size}; }
};

class CTableReader {
public:
    // This machine's table.
    CTableReader();
    // A table from the given locator; osKind is only recorded.
    explicit CTableReader(std::unique_ptr<ITableLocator> locator, OsKind osKind = 0);
    virtual ~CTableReader();
    CTableReader(const CTableReader&) = delete;
    CTableReader& operator=(const CTableReader&) = delete;

    ResultCode Open();
    ResultCode FindFirst(int type);
    ResultCode FindNext(uint16_t* handle);
    ResultCode FindClose();
    ResultCode GetStructure(uint16_t handle, const uint8_t** structure);
    ResultCode GetString(int number, const char** text);

    // Why Open failed, in one line; empty otherwise.
    const std::string& Reason() const { return m_reason; }
    bool IsOpen() const { return m_opened != 0; }
    OsKind GetOsKind() const { return m_osKind; }
    AnchorKind Anchor() const { return m_located.fields.anchor; }
    const std::string& Source() const { return m_located.source; }
    uint16_t Version() const { return m_version; }
    uint16_t MaxStructureSize() const { return m_maxStructureSize; }
    uint16_t StructureCount() const { return m_structureCount; }

    // The index, in table order; it may hold fewer entries than the count when the
    // table ends early.
    size_t IndexedCount() const { return m_index.size(); }
    const StructExtent& IndexEntry(size_t i) const { return m_index[i]; }
    // Makes index entry i the current structure, as GetStructure does by handle;
    // this also reaches the later ones of structures that share a handle.
    ResultCode SelectStructure(size_t i, const uint8_t** structure);
    // The extent of an indexed structure, found by its first byte; null if none.
    // The current structure is checked first, so the usual call costs nothing.
    const StructExtent* ExtentOf(const uint8_t* structure) const;

private:
    void BuildIndex();

    int m_opened = 0;
    const uint8_t* m_table = nullptr;
    const uint8_t* m_entryPoint = nullptr;
    std::vector<StructExtent> m_index;
    size_t m_searchPosition = 0; // wide enough for any number of structures
    uint8_t m_searchedType = 0xFF;
    OsKind m_osKind = 0;
    const StructExtent* m_current = nullptr;
    uint16_t m_version = 0;
    uint16_t m_maxStructureSize = 0;
    uint16_t m_structureCount = 0;

    std::unique_ptr<ITableLocator> m_locator;
    LocateResult m_located;
    std::string m_reason;
};
