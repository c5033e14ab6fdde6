#pragma once
// The detail window's logic: caption, columns, colours, and the rows of one
// structure, appended through the row operations that every decoder uses.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "platform/byte_window.h"
#include "reader/table_reader.h"
#include "ui/list_control.h"

// One pair of a pair list. A list ends with the pair whose code is 0xFF; its text
// stands for every code that the list does not hold.
struct CodeText {
    uint8_t code;
    const char* text;
};

constexpr uint32_t kDetailListColor = 0xC8FFC8; // pale green, 0x00BBGGRR

class CDetailDlg {
public:
    explicit CDetailDlg(IListControl& list) : m_list(list) {}

    // Set by the caller before the window runs: a structure that the reader has
    // just made current, and the reader itself.
    const uint8_t* m_pStruct = nullptr;
    CTableReader* m_pReader = nullptr;

    // Sets the caption, the columns and colours, then decodes the structure.
    bool OnInitDialog();
    const std::string& Caption() const { return m_caption; }

    // The row model.
    int AddRow(const char* description, const char* value);
    // For a decoder with columns of its own: replaces Description/Value with these,
    // sharing the list's width equally, and appends rows of as many cells.
    void SetColumns(std::initializer_list<const char*> titles);
    int AddRow(std::initializer_list<const char*> cells);
    template <size_t N>
    void AddEnumRow(const char* description, const char* const (&table)[N], unsigned code)
    {
        AddRow(description, code < N ? table[code] : Format("0x%.2X", code));
    }
    void AddFlagRows(const char* description, uint32_t value, const char* const* table, int bits);
    static const char* FindPairText(const CodeText* pairs, uint8_t code);

    // Fields of the structure, by SMBIOS offset. A field is present only when all
    // of its bytes lie inside the formatted area; an absent field reads as 0.
    bool Has(size_t offset, size_t width) const { return m_fields.Has(offset, width); }
    uint8_t Byte(size_t offset) const { return m_fields.U8(offset); }
    uint16_t Word(size_t offset) const { return m_fields.U16(offset); }
    uint32_t Dword(size_t offset) const { return m_fields.U32(offset); }
    uint64_t Qword(size_t offset) const { return m_fields.U64(offset); }
    // Header fields, always readable (the reader indexes only whole headers).
    uint8_t Type() const { return m_extent.Type(); }
    uint8_t Length() const { return m_extent.Length(); }
    uint16_t Handle() const { return m_extent.Handle(); }

    // The text of the string whose number is the byte at offset: "" for 0 or a missing string.
    const char* StringAt(size_t offset) const;
    const char* String(unsigned number) const;
    // The same, but null when the structure holds no such string.
    const char* FindString(unsigned number) const { return m_extent.String(number); }

    // Row helpers that leave the row out when its field is absent.
    void AddStringRow(const char* description, size_t offset);
    template <size_t N>
    void AddEnumField(const char* description, const char* const (&table)[N], size_t offset, uint8_t mask = 0xFF)
    {
        if (Has(offset, 1))
            AddEnumRow(description, table, Byte(offset) & mask);
    }

    // For text tables whose first entry is code 1: code 0 has no text, like a code past the end.
    template <size_t N>
    void AddEnumFieldFromOne(const char* description, const char* const (&table)[N], size_t offset)
    {
        if (!Has(offset, 1))
            return;
        unsigned code = Byte(offset);
        AddRow(description, code >= 1 && code <= N ? table[code - 1] : Format("0x%.2X", code));
    }
    void AddPairField(const char* description, const CodeText* pairs, size_t offset)
    {
        if (Has(offset, 1))
            AddRow(description, FindPairText(pairs, Byte(offset)));
    }

    // printf into the scratch buffer that holds one Value at a time.
    const char* Format(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Type, length, handle, a hex dump of the formatted area and the strings.
    void AddGenericRows();

private:
    void DecodeEndOfTable();

    IListControl& m_list;
    std::string m_caption;
    StructExtent m_extent; // the structure being decoded, as the reader indexed it
    ByteWindow m_fields;   // its formatted area, header included
    int m_row = 0;       // where the next row goes
    int m_listWidth = 0;
    char m_scratch[256] = {};
};

using DecodeFn = void (*)(CDetailDlg&);
