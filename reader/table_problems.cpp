// What the walk of the table met that the user should be told about. Kept apart from
// the walk and the searches: it only reads the index and where the walk stopped.
#include <cstdio>

#include "reader/table_reader.h"

namespace {

std::string Hex(size_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

std::string Num(size_t value)
{
    return std::to_string(value);
}

} // namespace

void CTableReader::NoteProblems(WalkStop stop, size_t offset)
{
    m_problems.clear();
    const ByteWindow table = m_located.table;
    auto at = [&](size_t i) { return static_cast<size_t>(m_index[i].start - table.data); };

    // An "_SM3_" size of 0 bounds nothing: the whole window is walked, so say how far.
    if (m_located.fields.anchor == AnchorKind::Sm3 && m_located.fields.maxTableSize == 0)
        m_problems.push_back("the entry point announces a table of 0 bytes; read up to End-of-Table within " +
                             Num(table.size) + " bytes");

    // A length byte below 4 puts the string set inside the header: the walk goes on
    // from there, so what follows is often zero bytes read as structures (Hyper-V).
    size_t shortCount = 0;
    size_t lastShort = 0;
    for (size_t i = 0; i < m_index.size(); ++i) {
        if (m_index[i].Length() >= 4)
            continue;
        if (shortCount++ == 0)
            m_problems.push_back("structure " + Num(i) + " at offset " + Hex(at(i)) + " has length " + Num(m_index[i].Length()) +
                                 ", below its 4-byte header; the structures after it may be misread");
        lastShort = i;
    }
    if (shortCount > 1)
        m_problems.push_back(Num(shortCount - 1) +
                             (shortCount == 2 ? " more structure has" : " more structures have") +
                             " a length below 4, the last at offset " + Hex(at(lastShort)));

    bool counted = HasStructureCount(m_located.fields.anchor);
    if (counted) {
        // The count-bounded walk reads on past an End-of-Table structure.
        for (size_t i = 0; i + 1 < m_index.size(); ++i) {
            if (m_index[i].Type() == kEndOfTableType) {
                size_t after = m_index.size() - i - 1;
                m_problems.push_back("structure " + Num(i) + " at offset " + Hex(at(i)) +
                                     " is an End-of-Table structure, but " + Num(after) +
                                     (after == 1 ? " more structure follows it" : " more structures follow it"));
                break;
            }
        }
    }

    size_t next = m_index.size();
    std::string cause;
    switch (stop) {
    case WalkStop::Limit:
    case WalkStop::EndOfTable:
        break;
    case WalkStop::End:
        cause = "the table ends at offset " + Hex(table.size);
        break;
    case WalkStop::CutHeader:
        cause = "the table ends at offset " + Hex(table.size) + ", inside the header of structure " + Num(next);
        break;
    case WalkStop::CutFormatted:
        cause = "structure " + Num(next) + " at offset " + Hex(offset) + " has length " + Num(table.U8(offset + 1)) +
                ", past the end of the table at offset " + Hex(table.size);
        break;
    case WalkStop::CutStrings:
        cause = "the string set of structure " + Num(next) + " at offset " + Hex(offset) +
                " runs past the end of the table at offset " + Hex(table.size);
        break;
    }

    if (counted) {
        if (m_index.size() < m_structureCount)
            m_problems.push_back(Num(m_index.size()) + " of " + Num(m_structureCount) + " structures could be read: " + cause);
        return;
    }
    if (stop == WalkStop::EndOfTable)
        return;
    if (stop == WalkStop::Limit) {
        m_problems.push_back("no End-of-Table structure among the first " + Num(m_index.size()) +
                             " structures, which end at offset " + Hex(offset));
        return;
    }
    if (stop != WalkStop::End)
        m_problems.push_back(cause);
    std::string ends = "the table ends at offset " + Hex(table.size) + " without an End-of-Table structure";
    uint32_t announced = m_located.fields.maxTableSize;
    if (announced > table.size)
        ends += "; the entry point announces " + Num(announced) + " bytes";
    m_problems.push_back(ends);
}
