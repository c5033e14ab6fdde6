#include "decode/detail_dlg.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "decode/decoders.h"
#include "res/string_table.h"

namespace {

constexpr unsigned kStringLimit = 255; // numbers are 8-bit: 256 would be 0 again

// printf's integer, character and string conversions with the 0 flag, a width (given or
// '*') and a precision, which are nearly all that decoders format: vsnprintf costs more in its
// set-up than in its digits. Writes as snprintf would (cut to the buffer, always ended);
// false, having used nothing of args that matters, for any other conversion or flag.
bool FormatQuickly(char* buffer, size_t size, const char* format, va_list args)
{
    char* at = buffer;
    char* const last = buffer + size - 1;
    auto put = [&](char c) {
        if (at < last)
            *at++ = c;
    };
    for (const char* f = format; *f; ++f) {
        if (*f != '%') {
            put(*f);
            continue;
        }
        ++f;
        bool zero = false;
        for (; *f == '0'; ++f)
            zero = true;
        unsigned width = 0, precision = 0;
        bool hasPrecision = false;
        for (; *f >= '0' && *f <= '9'; ++f)
            width = width * 10 + static_cast<unsigned>(*f - '0');
        if (*f == '*') {
            int given = va_arg(args, int);
            if (given < 0)
                return false; // a negative width pads on the right
            width = static_cast<unsigned>(given);
            ++f;
        }
        if (*f == '.') {
            hasPrecision = true;
            for (++f; *f >= '0' && *f <= '9'; ++f)
                precision = precision * 10 + static_cast<unsigned>(*f - '0');
        }
        int longs = 0;
        for (; *f == 'l'; ++f)
            ++longs;
        bool sizeT = *f == 'z';
        f += sizeT;
        char conversion = *f;
        if (conversion == '%' && !zero && width == 0 && !hasPrecision && longs == 0 && !sizeT) {
            put('%');
            continue;
        }
        if (conversion == 's' || conversion == 'c') {
            if (zero || hasPrecision || longs || sizeT)
                return false;
            char c = conversion == 'c' ? static_cast<char>(va_arg(args, int)) : '\0';
            const char* text = conversion == 'c' ? &c : va_arg(args, const char*);
            size_t length = conversion == 'c' ? 1 : std::strlen(text);
            for (size_t pad = length; pad < width; ++pad)
                put(' ');
            for (size_t k = 0; k < length; ++k)
                put(text[k]);
            continue;
        }
        if (conversion != 'd' && conversion != 'u' && conversion != 'x' && conversion != 'X')
            return false;
        unsigned long long value = 0;
        bool negative = false;
        if (conversion == 'd') {
            long long v = sizeT ? static_cast<long long>(va_arg(args, ptrdiff_t))
                        : longs >= 2 ? va_arg(args, long long)
                        : longs == 1 ? va_arg(args, long) : va_arg(args, int);
            negative = v < 0;
            value = negative ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
        } else {
            value = sizeT ? va_arg(args, size_t)
                  : longs >= 2 ? va_arg(args, unsigned long long)
                  : longs == 1 ? va_arg(args, unsigned long) : va_arg(args, unsigned);
        }
        const char* digitSet = conversion == 'x' ? "0123456789abcdef" : "0123456789ABCDEF";
        char digits[24];
        unsigned count = 0;
        // Each base its own loop: a division by a number known only at run time is slow.
        if (conversion == 'x' || conversion == 'X')
            for (; value != 0; value >>= 4)
                digits[count++] = digitSet[value & 0xF];
        else
            for (; value != 0; value /= 10)
                digits[count++] = digitSet[value % 10];
        // printf's precision is the least number of digits; without one, 0 still shows.
        unsigned least = hasPrecision ? precision : 1;
        if (!hasPrecision && zero && width > least + negative)
            least = width - negative;
        unsigned shown = std::max(count, least) + negative;
        for (unsigned pad = shown; pad < width; ++pad)
            put(' ');
        if (negative)
            put('-');
        for (unsigned pad = count; pad < least; ++pad)
            put('0');
        while (count > 0)
            put(digits[--count]);
    }
    *at = '\0';
    return true;
}

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
    va_list args, again;
    va_start(args, format);
    va_copy(again, args);
    if (!FormatQuickly(m_scratch, sizeof m_scratch, format, args))
        std::vsnprintf(m_scratch, sizeof m_scratch, format, again);
    va_end(again);
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
