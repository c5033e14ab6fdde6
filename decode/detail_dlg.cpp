#include "decode/detail_dlg.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "decode/decoders.h"
#include "res/string_table.h"

namespace {

constexpr unsigned kStringLimit = 255; // numbers are 8-bit: 256 would be 0 again

} // namespace

bool CDetailDlg::OnInitDialog()
{
    m_row = 0;
    m_caption = m_struct ? LoadResString(kIdsCaptionBase + m_struct[0]) : "";

    m_listWidth = m_list.GetWindowWidth();
    m_list.InsertColumn(0, "Description", m_listWidth / 3);
    m_list.InsertColumn(1, "Value", (2 * m_listWidth) / 3);
    m_list.SetBkColor(kDetailListColor);
    m_list.SetTextBkColor(kDetailListColor);

    // The structure is the one the reader just made current, with the bounds it
    // indexed; a pointer that is not it shows nothing.
    const StructExtent* extent = m_reader ? m_reader->CurrentStructure() : nullptr;
    if (extent == nullptr || m_struct == nullptr || extent->start != m_struct)
        return true;
    m_extent = *extent;
    m_fields = m_extent.Formatted();
    DecodeRows(*this);
    return true;
}

int CDetailDlg::AddRow(const char* description, const char* value)
{
    return AddRow({description, value});
}

void CDetailDlg::SetColumns(std::initializer_list<const char*> titles)
{
    for (int columns = m_list.GetColumnCount(); columns > 0; --columns)
        m_list.DeleteColumn(0);
    int width = m_listWidth / static_cast<int>(titles.size());
    int column = 0;
    for (const char* title : titles)
        m_list.InsertColumn(column++, title, width);
}

int CDetailDlg::AddRow(std::initializer_list<const char*> cells)
{
    m_list.InsertRow(m_row, cells.begin(), cells.size());
    return ++m_row;
}

void CDetailDlg::AddFlagRows(const char* description, uint64_t value, const char* const* table, int bits)
{
    const char* label = description;
    for (int n = 0; n < bits; ++n) {
        if (value & (uint64_t{1} << n)) {
            AddRow(label, table[n] ? table[n] : Format("Bit %d", n));
            label = "";
        }
    }
}

const char* CDetailDlg::FindPairText(const CodeText* pairs, uint8_t code)
{
    for (;; ++pairs) {
        if (pairs->code == code)
            return pairs->text;
        if (pairs->code == 0xFF)
            return pairs->text;
    }
}

const char* CDetailDlg::String(unsigned number) const
{
    const char* text = m_extent.String(number);
    return text ? text : "";
}

const char* CDetailDlg::StringAt(size_t offset) const
{
    return String(Byte(offset));
}

uint32_t CDetailDlg::Number(size_t offset, size_t width) const
{
    return width == 1 ? Byte(offset) : width == 2 ? Word(offset) : Dword(offset);
}

void CDetailDlg::AddStringRow(const char* description, size_t offset)
{
    if (Has(offset, 1))
        AddRow(description, StringAt(offset));
}

void CDetailDlg::AddNumberRow(const char* description, size_t offset, size_t width, const char* format)
{
    if (Has(offset, width))
        AddRow(description, Format(format, Number(offset, width)));
}

void CDetailDlg::AddNumberRow(const char* description, size_t offset, size_t width, const char* format,
                              uint32_t none, const char* noneText)
{
    if (!Has(offset, width))
        return;
    uint32_t value = Number(offset, width);
    AddRow(description, value == none ? noneText : Format(format, value));
}

void CDetailDlg::AddHexRows(const char* description, size_t from, size_t end)
{
    static const char kHex[] = "0123456789ABCDEF";
    char line[16 * 3];
    for (size_t at = from; at < end; at += 16) {
        size_t used = 0;
        for (size_t n = at; n < end && n < at + 16; ++n) {
            uint8_t byte = Byte(n);
            line[used++] = kHex[byte >> 4];
            line[used++] = kHex[byte & 0xF];
            line[used++] = ' ';
        }
        line[used - 1] = '\0';
        AddRow(at == from ? description : "", line);
    }
}

void CDetailDlg::AddSizeRow(const char* description, unsigned long long value, char unit)
{
    AddRow(description, Format("%llu %c Bytes", value, unit));
}

const char* CDetailDlg::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vsnprintf(m_scratch, sizeof m_scratch, format, args);
    va_end(args);
    return m_scratch;
}

void CDetailDlg::AddGenericRows()
{
    // Formatted by hand: thousands of structures of a large table come this way.
    static const char kHex[] = "0123456789ABCDEF";
    char number[8];
    *std::to_chars(number, number + 4, Type()).ptr = '\0';
    AddRow("Type", number);
    auto hex4 = [&](uint16_t v) {
        const char text[] = {'0', 'x', kHex[v >> 12], kHex[(v >> 8) & 0xF], kHex[(v >> 4) & 0xF], kHex[v & 0xF], '\0'};
        std::memcpy(number, text, sizeof text);
        return number;
    };
    AddRow("Length", hex4(Length()));
    AddRow("Handle", hex4(Handle()));

    // Eight bytes to a row, each row led by the offset of its first byte.
    // "%.4X: " and then "%.2X " per byte; the length byte keeps offsets below 0x100.
    char line[6 + 8 * 3 + 1];
    size_t used = 0;
    const char* description = "Data Source";
    for (size_t at = 0; at < m_fields.size; ++at) {
        if (at % 8 == 0) {
            const char offset[] = {'0', '0', kHex[(at >> 4) & 0xF], kHex[at & 0xF], ':', ' '};
            std::memcpy(line, offset, sizeof offset);
            used = sizeof offset;
        }
        uint8_t byte = m_fields.data[at];
        line[used++] = kHex[byte >> 4];
        line[used++] = kHex[byte & 0xF];
        line[used++] = ' ';
        if (at % 8 == 7 || at + 1 == m_fields.size) {
            line[used] = '\0';
            AddRow(description, line);
            description = "";
        }
    }

    for (unsigned n = 1; n <= kStringLimit; ++n) {
        const char* text = FindString(n);
        if (text == nullptr)
            break;
        char label[12] = "String ";
        *std::to_chars(label + 7, label + sizeof label - 1, n).ptr = '\0';
        AddRow(label, text);
    }
}
