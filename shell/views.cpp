#include "shell/views.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "decode/detail_dlg.h"
#include "shell/tree_builder.h"
#include "ui/memory_controls.h"

namespace {

constexpr int kViewListWidth = 600;

bool IsControl(unsigned char c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// Display width of TerminalText(s): escapes take 4 columns, everything else 1.
size_t TerminalWidth(std::string_view s)
{
    size_t width = s.size();
    for (unsigned char c : s)
        width += static_cast<size_t>(IsControl(c)) * 3;
    return width;
}

// The whole output of a view, written through a pointer: its text is thousands of
// short pieces, and std::string's append checks and moves cost more than the copying.
class Writer {
public:
    explicit Writer(size_t expected) { m_text.resize(expected); }

    // Room for n more bytes; write them, then Advance.
    char* Room(size_t n)
    {
        if (m_used + n > m_text.size())
            m_text.resize(std::max(m_text.size() * 2, m_used + n));
        return &m_text[m_used];
    }
    void Advance(size_t n) { m_used += n; }
    void Put(const char* s, size_t n)
    {
        std::memcpy(Room(n), s, n);
        m_used += n;
    }
    void Put(std::string_view s) { Put(s.data(), s.size()); }
    template <size_t N>
    void Put(const char (&literal)[N])
    {
        Put(literal, N - 1);
    }
    void Put(char c) { *Room(1) = c, ++m_used; }
    void Spaces(size_t n)
    {
        std::memset(Room(n), ' ', n);
        m_used += n;
    }
    std::string Take()
    {
        m_text.resize(m_used);
        return std::move(m_text);
    }

private:
    std::string m_text;
    size_t m_used = 0;
};

const char* AnchorText(AnchorKind kind)
{
    switch (kind) {
    case AnchorKind::Sm3:
        return "_SM3_";
    case AnchorKind::Rsmb:
        return "RSMB";
    default:
        return "_SM_";
    }
}

void AppendNumber(Writer& out, uint64_t value)
{
    char* at = out.Room(20);
    out.Advance(static_cast<size_t>(std::to_chars(at, at + 20, value).ptr - at));
}

char HexDigit(unsigned v)
{
    return "0123456789ABCDEF"[v & 0xF];
}

// "0x%04X" of a handle.
void AppendHandle(Writer& out, uint16_t handle)
{
    const char text[] = {'0', 'x', HexDigit(handle >> 12), HexDigit(handle >> 8), HexDigit(handle >> 4),
                         HexDigit(handle)};
    out.Put(text, sizeof text);
}

bool IsUtf8(std::string_view s)
{
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 9;
        if (extra == 9 || s.size() - i <= extra)
            return false;
        for (size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += extra + 1;
    }
    return true;
}

// How text is escaped for one kind of output: JSON string literals, or a terminal line.
struct EscapeStyle {
    bool quoted;               // in double quotes, with '"' and the backslash escaped
    const char* controlPrefix; // then two hex digits
};
constexpr EscapeStyle kJsonStyle{true, "\\u00"};
constexpr EscapeStyle kTerminalStyle{false, "\\x"};

// Table text is 8-bit (Latin-1 as far as it means anything) and goes out as UTF-8 with
// C1 controls escaped too; utf8 text (paths of this machine) keeps its bytes. Runs of
// printable ASCII, nearly all of a table's text, are copied in one piece.
// Returns how many control bytes it escaped.
size_t AppendEscaped(Writer& out, std::string_view s, const EscapeStyle& style, bool utf8 = false)
{
    size_t controls = 0;
    // At most six bytes for one: "\\u00XX".
    char* const start = out.Room(s.size() * 6 + 2);
    char* at = start;
    if (style.quoted)
        *at++ = '"';
    for (unsigned char c : s) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            *at++ = static_cast<char>(c);
            continue;
        }
        bool special = style.quoted && (c == '"' || c == '\\');
        if (!special && c >= 0x20 && c < 0x7F) {
            *at++ = static_cast<char>(c);
            continue;
        }
        bool control = utf8 ? (c < 0x20 || c == 0x7F) : IsControl(c);
        if (special) {
            *at++ = '\\';
            *at++ = static_cast<char>(c);
        } else if (control) {
            ++controls;
            for (const char* p = style.controlPrefix; *p; ++p)
                *at++ = *p;
            *at++ = HexDigit(c >> 4);
            *at++ = HexDigit(c);
        } else if (utf8) {
            *at++ = static_cast<char>(c);
        } else {
            *at++ = static_cast<char>(0xC0 | (c >> 6));
            *at++ = static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    if (style.quoted)
        *at++ = '"';
    out.Advance(static_cast<size_t>(at - start));
    return controls;
}

// A path that is valid UTF-8 keeps its bytes; any other is shown like table text.
void AppendPath(Writer& out, const std::string& path, bool json)
{
    AppendEscaped(out, path, json ? kJsonStyle : kTerminalStyle, IsUtf8(path));
}

void JsonTree(Writer& out, const MemoryTree& tree, TreeItem item, int depth)
{
    const MemoryTree::Node* node = tree.Find(item);
    out.Put("{\"text\": ");
    AppendEscaped(out, node->text, kJsonStyle);
    out.Put(", \"handle\": ");
    AppendNumber(out, node->data);
    out.Put(", \"children\": [");
    for (size_t i = 0; i < node->children.size(); ++i) {
        out.Put(i ? ",\n" : "\n");
        out.Spaces(static_cast<size_t>(depth) * 2 + 4);
        JsonTree(out, tree, node->children[i], depth + 1);
    }
    out.Put("]}");
}

void TextTree(Writer& out, const MemoryTree& tree, TreeItem item, int depth)
{
    const MemoryTree::Node* node = tree.Find(item);
    out.Spaces(static_cast<size_t>(depth) * 2);
    AppendEscaped(out, node->text, kTerminalStyle);
    out.Put('\n');
    for (TreeItem child : node->children)
        TextTree(out, tree, child, depth + 1);
}

// The output of a whole view goes out in one write; start it big enough for most tables.
size_t ExpectedSize(const CTableReader& reader, size_t bytesPerStructure)
{
    return 4096 + reader.IndexedCount() * bytesPerStructure;
}

void JsonStructure(Writer& out, const CTableReader& reader, size_t i, const std::string& caption,
                   const RowBuffer& rows)
{
    const StructExtent& e = reader.IndexEntry(i);
    out.Put(i ? ",\n" : "\n");
    out.Put("    {\"index\": ");
    AppendNumber(out, i);
    out.Put(", \"type\": ");
    AppendNumber(out, e.Type());
    out.Put(", \"length\": ");
    AppendNumber(out, e.Length());
    out.Put(", \"handle\": ");
    AppendNumber(out, e.Handle());
    out.Put(",\n     \"caption\": ");
    AppendEscaped(out, caption, kJsonStyle);
    out.Put(",\n     \"columns\": [");
    for (size_t c = 0; c < static_cast<size_t>(rows.GetColumnCount()); ++c) {
        if (c)
            out.Put(", ");
        AppendEscaped(out, rows.Heading(c), kJsonStyle);
    }
    out.Put("],\n     \"rows\": [");
    for (size_t r = 0; r < rows.RowCount(); ++r) {
        out.Put(r ? ",\n       [" : "\n       [");
        for (size_t c = 0; c < rows.CellCount(r); ++c) {
            if (c)
                out.Put(", ");
            AppendEscaped(out, rows.Cell(r, c), kJsonStyle);
        }
        out.Put(']');
    }
    out.Put("]}");
}

// Cells are padded to their column; empty trailing cells are left off, but a value's
// own trailing blank stays.
template <typename CellAt>
void TextLine(Writer& out, const std::vector<size_t>& widths, size_t count, CellAt cell)
{
    size_t used = count;
    while (used > 0 && cell(used - 1).empty())
        --used;
    out.Put("  ");
    for (size_t c = 0; c < used; ++c) {
        std::string_view text = cell(c);
        // Each escape takes 4 columns for its 1 byte.
        size_t width = text.size() + 3 * AppendEscaped(out, text, kTerminalStyle);
        if (c + 1 < used)
            out.Spaces((c < widths.size() ? widths[c] : 0) - width + 2);
    }
    out.Put('\n');
}

void TextStructure(Writer& out, const CTableReader& reader, size_t i, const std::string& caption,
                   const RowBuffer& rows, std::vector<size_t>& widths)
{
    const StructExtent& e = reader.IndexEntry(i);
    out.Put("\n[");
    AppendNumber(out, i);
    out.Put("] ");
    if (caption.empty()) {
        out.Put("Type ");
        AppendNumber(out, e.Type());
    } else {
        AppendEscaped(out, caption, kTerminalStyle);
    }
    out.Put(", handle ");
    AppendHandle(out, e.Handle());
    out.Put('\n');

    size_t columns = static_cast<size_t>(rows.GetColumnCount());
    widths.assign(columns, 0);
    for (size_t c = 0; c < columns; ++c)
        widths[c] = TerminalWidth(rows.Heading(c));
    for (size_t r = 0; r < rows.RowCount(); ++r)
        for (size_t c = 0; c < rows.CellCount(r) && c < columns; ++c)
            widths[c] = std::max(widths[c], TerminalWidth(rows.Cell(r, c)));
    TextLine(out, widths, columns, [&](size_t c) { return rows.Heading(c); });
    for (size_t r = 0; r < rows.RowCount(); ++r)
        TextLine(out, widths, rows.CellCount(r), [&](size_t c) { return rows.Cell(r, c); });
}

} // namespace

void RowBuffer::Clear()
{
    m_text.clear();
    m_headings.clear();
    m_cells.clear();
    m_rows.clear();
}

RowBuffer::Span RowBuffer::Store(std::string_view text)
{
    Span s{static_cast<uint32_t>(m_text.size()), static_cast<uint32_t>(text.size())};
    m_text.append(text.data(), text.size());
    return s;
}

int RowBuffer::InsertColumn(int index, const std::string& heading, int)
{
    if (index < 0 || index > GetColumnCount())
        index = GetColumnCount();
    m_headings.insert(m_headings.begin() + index, Store(heading));
    if (m_rows.empty())
        return index;
    // Rare (a decoder that changes its columns after adding rows): lay the cells out again.
    std::vector<Span> cells;
    for (Row& row : m_rows) {
        uint32_t first = static_cast<uint32_t>(cells.size());
        cells.insert(cells.end(), m_cells.begin() + row.first, m_cells.begin() + row.first + row.count);
        cells.insert(cells.begin() + first + std::min<uint32_t>(static_cast<uint32_t>(index), row.count), Span{});
        row = {first, row.count + 1};
    }
    m_cells.swap(cells);
    return index;
}

bool RowBuffer::DeleteColumn(int index)
{
    if (index < 0 || index >= GetColumnCount())
        return false;
    m_headings.erase(m_headings.begin() + index);
    for (Row& row : m_rows) {
        if (static_cast<uint32_t>(index) < row.count) {
            // The row's later cells move down one; the freed last slot is left unused.
            std::copy(m_cells.begin() + row.first + index + 1, m_cells.begin() + row.first + row.count,
                      m_cells.begin() + row.first + index);
            --row.count;
        }
    }
    return true;
}

int RowBuffer::InsertItem(int index, const std::string& text)
{
    if (index < 0 || index > static_cast<int>(m_rows.size()))
        index = static_cast<int>(m_rows.size());
    Row row{static_cast<uint32_t>(m_cells.size()), static_cast<uint32_t>(std::max(1, GetColumnCount()))};
    m_cells.resize(m_cells.size() + row.count);
    m_cells[row.first] = Store(text);
    m_rows.insert(m_rows.begin() + index, row);
    return index;
}

bool RowBuffer::SetItemText(int item, int subItem, const std::string& text)
{
    if (item < 0 || item >= static_cast<int>(m_rows.size()) || subItem < 0 || subItem >= GetColumnCount() ||
        static_cast<uint32_t>(subItem) >= m_rows[item].count)
        return false;
    m_cells[m_rows[item].first + subItem] = Store(text);
    return true;
}

void RowBuffer::InsertRow(int index, const char* const* cells, size_t count)
{
    if (count == 0)
        return;
    // As InsertItem and SetItemText would, without a std::string for each cell.
    if (index < 0 || index > static_cast<int>(m_rows.size()))
        index = static_cast<int>(m_rows.size());
    Row row{static_cast<uint32_t>(m_cells.size()), static_cast<uint32_t>(std::max(1, GetColumnCount()))};
    m_cells.resize(m_cells.size() + row.count);
    for (size_t c = 0; c < count && c < row.count; ++c)
        m_cells[row.first + c] = Store(cells[c] ? cells[c] : "");
    m_rows.insert(m_rows.begin() + index, row);
}

std::string DecodeStructure(CTableReader& reader, size_t i, RowBuffer& rows)
{
    rows.Clear();
    const uint8_t* structure = nullptr;
    reader.SelectStructure(i, &structure);
    CDetailDlg dlg(rows);
    dlg.SetStructure(structure, &reader);
    dlg.OnInitDialog();
    return dlg.Caption();
}

bool WriteOutput(const std::string& text)
{
    // Unbuffered, the stream hands the whole text to the system at once; buffered, it
    // would copy a first piece into its buffer and write the text in several calls.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    return std::fflush(stdout) == 0 && written;
}

std::string VersionText(const CTableReader& reader)
{
    return std::to_string(reader.Version() & 0xFF) + "." + std::to_string(reader.Version() >> 8);
}

std::string TerminalText(const std::string& latin1)
{
    Writer out(latin1.size() * 2 + 2);
    AppendEscaped(out, latin1, kTerminalStyle);
    return out.Take();
}

std::string JsonString(const std::string& latin1)
{
    Writer out(latin1.size() * 2 + 2);
    AppendEscaped(out, latin1, kJsonStyle);
    return out.Take();
}

std::string RenderJson(CTableReader& reader, const std::string& computerName)
{
    MemoryTree tree;
    TreeItem root = BuildTree(reader, tree, computerName);

    Writer out(ExpectedSize(reader, 512));
    out.Put("{\n  \"source\": ");
    AppendPath(out, reader.Source(), true);
    out.Put(",\n  \"smbios\": {\"anchor\": \"");
    out.Put(AnchorText(reader.Anchor()));
    out.Put("\", \"version\": \"");
    out.Put(VersionText(reader));
    out.Put("\", \"max_structure_size\": ");
    AppendNumber(out, reader.MaxStructureSize());
    out.Put(", \"structure_count\": ");
    AppendNumber(out, reader.StructureCount());
    out.Put(", \"indexed_count\": ");
    AppendNumber(out, reader.IndexedCount());
    out.Put(", \"problems\": [");
    for (size_t i = 0; i < reader.Problems().size(); ++i) {
        if (i)
            out.Put(", ");
        out.Put(JsonString(reader.Problems()[i]));
    }
    out.Put("]},\n  \"tree\": ");
    JsonTree(out, tree, root, 0);
    out.Put(",\n  \"structures\": [");
    RowBuffer rows(kViewListWidth);
    for (size_t i = 0; i < reader.IndexedCount(); ++i) {
        std::string caption = DecodeStructure(reader, i, rows);
        JsonStructure(out, reader, i, caption, rows);
    }
    out.Put("]\n}\n");
    return out.Take();
}

std::string RenderText(CTableReader& reader, const std::string& computerName)
{
    MemoryTree tree;
    TreeItem root = BuildTree(reader, tree, computerName);

    Writer out(ExpectedSize(reader, 384));
    out.Put("SMBIOS ");
    out.Put(VersionText(reader));
    out.Put(" (");
    out.Put(AnchorText(reader.Anchor()));
    out.Put(") from ");
    AppendPath(out, reader.Source(), false);
    out.Put(", ");
    AppendNumber(out, reader.IndexedCount());
    out.Put(" structures\n");
    out.Put(ProblemLines(reader));
    out.Put("\n");
    TextTree(out, tree, root, 0);
    RowBuffer rows(kViewListWidth);
    std::vector<size_t> widths;
    for (size_t i = 0; i < reader.IndexedCount(); ++i) {
        std::string caption = DecodeStructure(reader, i, rows);
        TextStructure(out, reader, i, caption, rows, widths);
    }
    return out.Take();
}

std::string ProblemLines(const CTableReader& reader)
{
    std::string out;
    for (const std::string& problem : reader.Problems())
        out += "Problem: " + TerminalText(problem) + "\n";
    return out;
}

std::string RenderList(CTableReader& reader)
{
    Writer out(ExpectedSize(reader, 64));
    for (size_t i = 0; i < reader.IndexedCount(); ++i) {
        const StructExtent& s = reader.IndexEntry(i);
        AppendNumber(out, i);
        out.Put(" type ");
        AppendNumber(out, s.Type());
        out.Put(" handle ");
        AppendHandle(out, s.Handle());
        out.Put(" length ");
        AppendNumber(out, s.Length());
        for (unsigned n = 1; n <= 255; ++n) {
            const char* text = s.String(n);
            if (text == nullptr)
                break;
            out.Put(" \"");
            AppendEscaped(out, text, kTerminalStyle);
            out.Put('"');
        }
        out.Put('\n');
    }
    return out.Take();
}
