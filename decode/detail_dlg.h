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

// Text tables are indexed by the code itself: a code past the end, or whose entry is null,
// shows in hex. Flag tables are indexed by the bit: a set bit past the end shows nothing,
// a set bit whose entry is null shows "Bit n" (declare the table with the field's width in
// bits to show every unnamed bit).
class CDetailDlg {
public:
    explicit CDetailDlg(IListControl& list) : m_list(list) {}

    // Before the window runs: a structure that the reader has just made current, and the reader.
    void SetStructure(const uint8_t* structure, CTableReader* reader)
    {
        m_struct = structure;
        m_reader = reader;
    }

    // Sets the caption, the columns and colours, then decodes the structure.
    bool OnInitDialog();
    const char* Caption() const { return m_caption; }

    // The row model.
    int AddRow(const char* description, const char* value)
    {
        const char* cells[] = {description, value};
        m_list.InsertRow(m_row, cells, 2);
        return ++m_row;
    }
    // For a decoder with columns of its own: replaces Description/Value with these,
    // sharing the list's width equally, and appends rows of as many cells. Before its
    // first row: the views write each row as it comes.
    void SetColumns(std::initializer_list<const char*> titles);
    int AddRow(std::initializer_list<const char*> cells);
    template <size_t N>
    const char* EnumText(const char* const (&table)[N], unsigned code)
    {
        return code < N && table[code] ? table[code] : Format("0x%.2X", code);
    }
    template <size_t N>
    void AddEnumRow(const char* description, const char* const (&table)[N], unsigned code)
    {
        AddRow(description, EnumText(table, code));
    }
    // One row per set bit, the group's Description on the first.
    void AddFlagRows(const char* description, uint64_t value, const char* const* table, int bits);
    template <size_t N>
    void AddFlagRows(const char* description, uint64_t value, const char* const (&table)[N])
    {
        static_assert(N <= 64, "a flag field has at most 64 bits");
        AddFlagRows(description, value, table, static_cast<int>(N));
    }
    static const char* FindPairText(const CodeText* pairs, uint8_t code);

    // Fields of the structure, by SMBIOS offset. A field is present only when all
    // of its bytes lie inside the formatted area; an absent field reads as 0.
    bool Has(size_t offset, size_t width) const { return m_fields.Has(offset, width); }
    uint8_t Byte(size_t offset) const { return m_fields.U8(offset); }
    uint16_t Word(size_t offset) const { return m_fields.U16(offset); }
    uint32_t Dword(size_t offset) const { return m_fields.U32(offset); }
    uint64_t Qword(size_t offset) const { return m_fields.U64(offset); }
    // A field of 1, 2 or 4 bytes.
    uint32_t Number(size_t offset, size_t width) const;
    // Header fields, always readable (the reader indexes only whole headers).
    uint8_t Type() const { return m_extent.Type(); }
    uint8_t Length() const { return m_extent.Length(); }
    uint16_t Handle() const { return m_extent.Handle(); }

    // The text of the string whose number is the byte at offset: "" for 0 or a missing string.
    const char* StringAt(size_t offset) const;
    const char* String(unsigned number) const;
    // The same, but null when the structure holds no such string.
    const char* FindString(unsigned number) const { return m_extent.String(number); }

    // Row helpers that leave the row out when their field is absent.
    void AddStringRow(const char* description, size_t offset);
    // A field of 1, 2 or 4 bytes, its value the one argument of format.
    void AddNumberRow(const char* description, size_t offset, size_t width, const char* format);
    // The same, but the value `none` shows as noneText ("Unknown", "Not Provided", ...).
    void AddNumberRow(const char* description, size_t offset, size_t width, const char* format, uint32_t none,
                      const char* noneText);
    // A handle that the firmware may leave out by giving `none`.
    void AddHandleRow(const char* description, size_t offset, const char* format, uint16_t none,
                      const char* noneText)
    {
        AddNumberRow(description, offset, 2, format, none, noneText);
    }
    template <size_t N>
    void AddEnumField(const char* description, const char* const (&table)[N], size_t offset, uint8_t mask = 0xFF)
    {
        if (Has(offset, 1))
            AddEnumRow(description, table, Byte(offset) & mask);
    }
    template <size_t N>
    void AddFlagField(const char* description, size_t offset, size_t width, const char* const (&table)[N])
    {
        if (Has(offset, width))
            AddFlagRows(description, Number(offset, width), table);
    }
    void AddPairField(const char* description, const CodeText* pairs, size_t offset)
    {
        if (Has(offset, 1))
            AddRow(description, FindPairText(pairs, Byte(offset)));
    }

    // Bytes [from, end) of the formatted area in hex, sixteen to a row, the description on the
    // first: data whose meaning the structure leaves to others.
    void AddHexRows(const char* description, size_t from, size_t end);

    // A size already read: "<value> K Bytes" or "<value> M Bytes" for unit 'K' or 'M'.
    void AddSizeRow(const char* description, unsigned long long value, char unit);

    // printf into the scratch buffer that holds one Value at a time.
    const char* Format(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Type, length, handle, a hex dump of the formatted area and the strings.
    void AddGenericRows();

private:
    IListControl& m_list;
    const uint8_t* m_struct = nullptr;
    CTableReader* m_reader = nullptr;
    const char* m_caption = ""; // a caption of the string table
    StructExtent m_extent; // the structure being decoded, as the reader indexed it
    ByteWindow m_fields;   // its formatted area, header included
    int m_row = 0;       // where the next row goes
    int m_listWidth = 0;
    char m_scratch[256]; // written before it is read
};

using DecodeFn = void (*)(CDetailDlg&);
