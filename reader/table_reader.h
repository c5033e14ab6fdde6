#pragma once
// The one access to the SMBIOS structure table: opens it, indexes its structures,
// searches them by type, looks them up by handle and hands out their strings.
#include <cstddef>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "reader/locate.h"
#include "reader/result.h"

constexpr uint8_t kEndOfTableType = 127;

// Where one indexed structure lies: its 4 header bytes, the formatted area and the
// string set with its closing double NUL, all inside the table window. Every read
// of a structure goes through this view.
struct StructExtent {
    const uint8_t* start = nullptr;
    size_t size = 0;

    ByteWindow Whole() const { return {start, size}; }
    // The walk indexes only structures whose 4 header bytes lie in the table, so
    // type, length and handle are read from them even when a length byte below 4
    // ends the extent inside the header.
    ByteWindow Header() const { return {start, start ? size_t{4} : 0}; }
    uint8_t Type() const { return Header().U8(0); }
    uint8_t Length() const { return Header().U8(1); }
    uint16_t Handle() const { return Header().U16(2); }
    // The formatted area, header included; a length byte past the extent is cut to it.
    ByteWindow Formatted() const { return Whole().Sub(0, Length()); }
    // String number (1-based) of the string set, NUL-terminated inside the extent;
    // null for 0, for a number past the set's last string, or for a length byte of 0.
    const char* String(unsigned number) const;
};

class CTableReader {
public:
    // This machine's table.
    CTableReader();
    // A table from the given locator; osKind is only recorded.
    explicit CTableReader(std::unique_ptr<ITableLocator> locator, OsKind osKind = 0);
    ~CTableReader();
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
    bool IsOpen() const { return m_opened; }
    AnchorKind Anchor() const { return m_located.fields.anchor; }
    const std::string& Source() const { return m_located.source; }
    TableOrigin Origin() const { return m_located.origin; }
    uint16_t Version() const { return m_version; }
    uint16_t MaxStructureSize() const { return m_maxStructureSize; }
    uint16_t StructureCount() const { return m_structureCount; }
    // The windows the open table was read from: the entry point from its anchor on,
    // and the table. Empty before a successful Open.
    ByteWindow EntryWindow() const { return m_located.entry; }
    ByteWindow TableWindow() const { return m_located.table; }

    // What was wrong with the table while it was indexed, one line each with the
    // offset and the cause; empty for a sound table. The index and the count are as
    // the walk found them either way.
    const std::vector<std::string>& Problems() const { return m_problems; }

    // The index, in table order; it may hold fewer entries than the count when the
    // table ends early.
    size_t IndexedCount() const { return m_index.size(); }
    const StructExtent& IndexEntry(size_t i) const { return m_index[i]; }
    // Makes index entry i the current structure, as GetStructure does by handle;
    // this also reaches the later ones of structures that share a handle.
    ResultCode SelectStructure(size_t i, const uint8_t** structure);
    // The structure that GetStructure or SelectStructure made current; null before.
    const StructExtent* CurrentStructure() const { return m_current; }

private:
    // Why the walk of the table stopped.
    enum class WalkStop { Limit, EndOfTable, End, CutHeader, CutFormatted, CutStrings };
    void BuildIndex();
    void NoteProblems(WalkStop stop, size_t offset);
    void BuildLookups();

    bool m_opened = false;
    std::vector<StructExtent> m_index;
    size_t m_searchPosition = 0; // wide enough for any number of structures
    uint8_t m_searchedType = 0xFF;
    OsKind m_osKind = 0;
    const StructExtent* m_current = nullptr;
    uint16_t m_version = 0;
    uint16_t m_maxStructureSize = 0;
    uint16_t m_structureCount = 0;

    // Built once by Open from the index, so that the tree's 256 searches and its
    // look-ups by handle cost no scan of the table. The index positions of type t,
    // in table order: m_typePositions[m_typeBegin[t]] up to m_typeBegin[t + 1].
    std::vector<uint32_t> m_typePositions;
    std::array<uint32_t, 257> m_typeBegin{};
    // One entry per distinct handle, sorted by handle: the first position that has it.
    struct HandlePosition {
        uint16_t handle;
        uint32_t position;
    };
    std::vector<HandlePosition> m_firstByHandle;

    std::unique_ptr<ITableLocator> m_locator;
    LocateResult m_located;
    std::string m_reason;
    std::vector<std::string> m_problems;
};
