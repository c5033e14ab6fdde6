#include "reader/table_reader.h"

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
    m_opened = 1;
    BuildIndex();
    return kOk;
}

void CTableReader::BuildIndex()
{
    // "_SM_" gives a count and the walk trusts it only as far as the window goes.
    // "_SM3_" gives none: walk up to the End-of-Table structure or the window's end,
    // and no further than a 16-bit count can say (handles are 16-bit too).
    bool counted = m_located.fields.anchor != AnchorKind::Sm3;
    size_t limit = counted ? m_structureCount : 0xFFFF;
    ByteWindow table = m_located.table;
    m_index.reserve(counted ? limit : 64);
    size_t offset = 0;
    while (m_index.size() < limit) {
        size_t size = MeasureStructure(table, offset);
        if (size == 0)
            break;
        m_index.push_back({table.data + offset, size});
        offset += size;
        if (!counted && m_index.back().Type() == kEndOfTableType)
            break;
    }
    if (!counted)
        m_structureCount = static_cast<uint16_t>(m_index.size());
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
    for (size_t i = m_searchPosition; i < m_index.size(); ++i) {
        if (m_index[i].Type() == m_searchedType) {
            m_searchPosition = i + 1;
            *handle = m_index[i].Handle();
            return kOk;
        }
    }
    return kFail;
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
    for (const StructExtent& entry : m_index) {
        if (entry.Handle() == handle) {
            m_current = &entry;
            *structure = entry.start;
            return kOk;
        }
    }
    return kFail;
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
