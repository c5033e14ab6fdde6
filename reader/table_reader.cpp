#include "reader/table_reader.h"

#include <algorithm>

namespace {

// Measures the structure at offset: the header must fit, and the string set must
// end in a double NUL inside the window. Returns 0 when it does not. The next
// structure starts right after the double NUL, even when a length byte below 4
// puts that inside the header.
size_t MeasureStructure(ByteWindow table, size_t offset)
{
    if (!table.Has(offset, 4))
        return 0;
    size_t strings = offset + table.data[offset + 1];
    for (size_t at = strings; table.Has(at, 2); ++at) {
        if (table.data[at] == 0 && table.data[at + 1] == 0)
            return at + 2 - offset;
    }
    return 0;
}

const char kEmptyString[] = "";

} // namespace

const char* StructExtent::String(unsigned number) const
{
    if (number == 0 || Length() == 0)
        return nullptr;
    // The extent ends with the set's double NUL, so every string that starts inside
    // it is terminated inside it.
    ByteWindow whole = Whole();
    size_t at = Length();
    for (unsigned counter = 1;; ++counter) {
        if (whole.U8(at) == 0)
            return nullptr; // past the end, or the set's closing NUL
        if (counter == number)
            return reinterpret_cast<const char*>(whole.data + at);
        while (whole.U8(at) != 0)
            ++at;
        ++at; // past the terminating NUL
    }
}

CTableReader::CTableReader()
#ifdef _WIN32
    : m_osKind(DetectOsKind())
#endif
{
    m_locator = MakeHostLocator(m_osKind);
}

CTableReader::CTableReader(std::unique_ptr<ITableLocator> locator, OsKind osKind)
    : m_osKind(osKind), m_locator(std::move(locator))
{
}

CTableReader::~CTableReader() = default;

ResultCode CTableReader::Open()
{
    if (m_opened)
        return kOk;
    m_reason.clear();
    LocateResult located;
    if (!m_locator || m_locator->Locate(located, m_reason) != kOk)
        return kFail;
    m_located = located;
    m_version = located.fields.version;
    m_maxStructureSize = located.fields.maxStructureSize;
    m_structureCount = located.fields.structureCount;
    m_opened = true;
    BuildIndex();
    BuildLookups();
    return kOk;
}

void CTableReader::BuildIndex()
{
    // "_SM_" gives a count and the walk trusts it only as far as the window goes.
    // "_SM3_" gives none: walk up to the End-of-Table structure or the window's end,
    // and no further than a 16-bit count can say (handles are 16-bit too).
    bool counted = HasStructureCount(m_located.fields.anchor);
    size_t limit = counted ? m_structureCount : 0xFFFF;
    ByteWindow table = m_located.table;
    m_index.reserve(counted ? limit : 64);
    size_t offset = 0;
    WalkStop stop = WalkStop::Limit;
    while (m_index.size() < limit) {
        size_t size = MeasureStructure(table, offset);
        if (size == 0) {
            if (offset >= table.size)
                stop = WalkStop::End;
            else if (!table.Has(offset, 4))
                stop = WalkStop::CutHeader;
            else if (!table.Has(offset, table.data[offset + 1]))
                stop = WalkStop::CutFormatted;
            else
                stop = WalkStop::CutStrings;
            break;
        }
        m_index.push_back({table.data + offset, size});
        offset += size;
        if (!counted && m_index.back().Type() == kEndOfTableType) {
            stop = WalkStop::EndOfTable;
            break;
        }
    }
    if (!counted)
        m_structureCount = static_cast<uint16_t>(m_index.size());
    NoteProblems(stop, offset);
}

void CTableReader::BuildLookups()
{
    // A counting sort by type keeps each type's positions in table order.
    std::array<uint32_t, 256> counts{};
    for (const StructExtent& entry : m_index)
        ++counts[entry.Type()];
    m_typeBegin[0] = 0;
    for (size_t t = 0; t < 256; ++t)
        m_typeBegin[t + 1] = m_typeBegin[t] + counts[t];
    m_typePositions.assign(m_index.size(), 0);
    std::array<uint32_t, 256> next;
    std::copy(m_typeBegin.begin(), m_typeBegin.end() - 1, next.begin());
    for (size_t i = 0; i < m_index.size(); ++i)
        m_typePositions[next[m_index[i].Type()]++] = static_cast<uint32_t>(i);

    // Sorted by handle, then position: the first of each run is the one a scan from
    // the start would meet first.
    m_firstByHandle.resize(m_index.size());
    for (size_t i = 0; i < m_index.size(); ++i)
        m_firstByHandle[i] = {m_index[i].Handle(), static_cast<uint32_t>(i)};
    auto before = [](const HandlePosition& a, const HandlePosition& b) {
        return a.handle != b.handle ? a.handle < b.handle : a.position < b.position;
    };
    // Firmware mostly numbers its structures in table order: then there is nothing to sort.
    if (!std::is_sorted(m_firstByHandle.begin(), m_firstByHandle.end(), before))
        std::sort(m_firstByHandle.begin(), m_firstByHandle.end(), before);
    auto last = std::unique(m_firstByHandle.begin(), m_firstByHandle.end(),
                            [](const HandlePosition& a, const HandlePosition& b) { return a.handle == b.handle; });
    m_firstByHandle.erase(last, m_firstByHandle.end());
}

ResultCode CTableReader::FindFirst(int type)
{
    if (!m_opened)
        return kFail;
    m_searchPosition = 0;
    m_searchedType = static_cast<uint8_t>(type);
    return kOk;
}

ResultCode CTableReader::FindNext(uint16_t* handle)
{
    if (!m_opened)
        return kFail;
    if (handle == nullptr)
        return kInvalidArg;
    if (m_searchPosition >= m_index.size())
        return kFail;
    // The first structure of the searched type at or after the search position.
    const uint32_t* first = m_typePositions.data() + m_typeBegin[m_searchedType];
    const uint32_t* last = m_typePositions.data() + m_typeBegin[m_searchedType + 1];
    const uint32_t* found = std::lower_bound(first, last, m_searchPosition,
                                             [](uint32_t position, size_t from) { return position < from; });
    if (found == last)
        return kFail;
    m_searchPosition = size_t{*found} + 1;
    *handle = m_index[*found].Handle();
    return kOk;
}

ResultCode CTableReader::FindClose()
{
    if (!m_opened)
        return kFail;
    m_searchedType = 0xFF;
    m_searchPosition = 0;
    return kOk;
}

ResultCode CTableReader::GetStructure(uint16_t handle, const uint8_t** structure)
{
    if (!m_opened)
        return kFail;
    if (structure == nullptr)
        return kInvalidArg;
    if (m_index.empty())
        return kFail;
    auto found = std::lower_bound(m_firstByHandle.begin(), m_firstByHandle.end(), handle,
                                  [](const HandlePosition& entry, uint16_t h) { return entry.handle < h; });
    if (found == m_firstByHandle.end() || found->handle != handle)
        return kFail;
    m_current = &m_index[found->position];
    *structure = m_current->start;
    return kOk;
}

ResultCode CTableReader::GetString(int number, const char** text)
{
    if (text == nullptr || m_current == nullptr)
        return kInvalidArg;
    uint8_t wanted = static_cast<uint8_t>(number);
    if (wanted == 0) {
        *text = kEmptyString;
        return kOk;
    }
    *text = m_current->String(wanted);
    return *text ? kOk : kFail;
}

ResultCode CTableReader::SelectStructure(size_t i, const uint8_t** structure)
{
    if (!m_opened)
        return kFail;
    if (structure == nullptr)
        return kInvalidArg;
    if (i >= m_index.size())
        return kFail;
    m_current = &m_index[i];
    *structure = m_current->start;
    return kOk;
}
