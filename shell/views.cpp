#include "shell/views.h"

#include <algorithm>
#include <charconv>

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
        width += IsControl(c) ? 3 : 0;
    return width;
}

const char* AnchorText(AnchorKind kind)
{
    return kind == AnchorKind::Sm3 ? "_SM3_" : "_SM_";
}

void AppendNumber(std::string& out, uint64_t value)
{
    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, static_cast<size_t>(end - digits));
}

char HexDigit(unsigned v)
{
    return "0123456789ABCDEF"[v & 0xF];
}

// "0x%04X" of a handle.
void AppendHandle(std::string& out, uint16_t handle)
{
    const char text[] = {'0', 'x', HexDigit(handle >> 12), HexDigit(handle >> 8), HexDigit(handle >> 4),
                         HexDigit(handle)};
    out.append(text, sizeof text);
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
void AppendEscaped(std::string& out, std::string_view s, const EscapeStyle& style, bool utf8 = false)
{
    if (style.quoted)
        out += '"';
    size_t run = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        bool special = style.quoted && (c == '"' || c == '\\');
        if (c >= 0x20 && c < 0x7F && !special)
            continue;
        out.append(s.data() + run, i - run);
        run = i + 1;
        bool control = utf8 ? (c < 0x20 || c == 0x7F) : IsControl(c);
        if (special) {
            out += '\\';
            out += static_cast<char>(c);
        } else if (control) {
            out += style.controlPrefix;
            out += HexDigit(c >> 4);
            out += HexDigit(c);
        } else if (utf8) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    out.append(s.data() + run, s.size() - run);
    if (style.quoted)
        out += '"';
}

// A path that is valid UTF-8 keeps its bytes; any other is shown like table text.
void AppendPath(std::string& out, const std::string& path, bool json)
{
    AppendEscaped(out, path, json ? kJsonStyle : kTerminalStyle, IsUtf8(path));
}

void AppendSpaces(std::string& out, size_t n)
{
    out.append(n, ' ');
}

void JsonTree(std::string& out, const MemoryTree& tree, TreeItem item, int depth)
{
    const MemoryTree::Node* node = tree.Find(item);
    out += "{\"text\": ";
    AppendEscaped(out, node->text, kJsonStyle);
    out += ", \"handle\": ";
    AppendNumber(out, node->data);
    out += ", \"children\": [";
    for (size_t i = 0; i < node->children.size(); ++i) {
        out += i ? ",\n" : "\n";
        AppendSpaces(out, static_cast<size_t>(depth) * 2 + 4);
        JsonTree(out, tree, node->children[i], depth + 1);
    }
    out += "]}";
}

void TextTree(std::string& out, const MemoryTree& tree, TreeItem item, int depth)
{
    const MemoryTree::Node* node = tree.Find(item);
    AppendSpaces(out, static_cast<size_t>(depth) * 2);
    AppendEscaped(out, node->text, kTerminalStyle);
    out += '\n';
    for (TreeItem child : node->children)
        TextTree(out, tree, child, depth + 1);
}

// The output of a whole view goes out in one write; start it big enough for most tables.
std::string OutputBuffer(const CTableReader& reader, size_t bytesPerStructure)
{
    std::string out;
    out.reserve(4096 + reader.IndexedCount() * bytesPerStructure);
    return out;
}

void JsonStructure(std::string& out, const CTableReader& reader, size_t i, const std::string& caption,
                   const RowBuffer& rows)
{
    const StructExtent& e = reader.IndexEntry(i);
    out += i ? ",\n" : "\n";
    out += "    {\"index\": ";
    AppendNumber(out, i);
    out += ", \"type\": ";
    AppendNumber(out, e.Type());
    out += ", \"length\": ";
    AppendNumber(out, e.Length());
    out += ", \"handle\": ";
    AppendNumber(out, e.Handle());
    out += ",\n     \"caption\": ";
    AppendEscaped(out, caption, kJsonStyle);
    out += ",\n     \"columns\": [";
    for (size_t c = 0; c < static_cast<size_t>(rows.GetColumnCount()); ++c) {
        if (c)
            out += ", ";
        AppendEscaped(out, rows.Heading(c), kJsonStyle);
    }
    out += "],\n     \"rows\": [";
    for (size_t r = 0; r < rows.RowCount(); ++r) {
        out += r ? ",\n       [" : "\n       [";
        for (size_t c = 0; c < rows.CellCount(r); ++c) {
            if (c)
                out += ", ";
            AppendEscaped(out, rows.Cell(r, c), kJsonStyle);
        }
        out += ']';
    }
    out += "]}";
}

// Cells are padded to their column; empty trailing cells are left off, but a value's
// own trailing blank stays.
template <typename CellAt>
void TextLine(std::string& out, const std::vector<size_t>& widths, size_t count, CellAt cell)
{
    size_t used = count;
    while (used > 0 && cell(used - 1).empty())
        --used;
    out += "  ";
    for (size_t c = 0; c < used; ++c) {
        std::string_view text = cell(c);
        AppendEscaped(out, text, kTerminalStyle);
        if (c + 1 < used)
            AppendSpaces(out, (c < widths.size() ? widths[c] : 0) - TerminalWidth(text) + 2);
    }
    out += '\n';
}

void TextStructure(std::string& out, const CTableReader& reader, size_t i, const std::string& caption,
                   const RowBuffer& rows, std::vector<size_t>& widths)
{
    const StructExtent& e = reader.IndexEntry(i);
    out += "\n[";
    AppendNumber(out, i);
    out += "] ";
    if (caption.empty()) {
        out += "Type ";
        AppendNumber(out, e.Type());
    } else {
        AppendEscaped(out, caption, kTerminalStyle);
    }
    out += ", handle ";
    AppendHandle(out, e.Handle());
    out += '\n';

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

RowBuffer::Span RowBuffer::Store(const std::string& text)
{
    Span s{static_cast<uint32_t>(m_text.size()), static_cast<uint32_t>(text.size())};
    m_text += text;
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

std::string DecodeStructure(CTableReader& reader, size_t i, RowBuffer& rows)
{
    rows.Clear();
    const uint8_t* structure = nullptr;
    reader.SelectStructure(i, &structure);
    CDetailDlg dlg(rows);
    dlg.m_pStruct = structure;
    dlg.m_pReader = &reader;
    dlg.OnInitDialog();
    return dlg.Caption();
}

std::string VersionText(const CTableReader& reader)
{
    return std::to_string(reader.Version() & 0xFF) + "." + std::to_string(reader.Version() >> 8);
}

std::string TerminalText(const std::string& latin1)
{
    std::string out;
    AppendEscaped(out, latin1, kTerminalStyle);
    return out;
}

std::string JsonString(const std::string& latin1)
{
    std::string out;
    AppendEscaped(out, latin1, kJsonStyle);
    return out;
}

std::string RenderJson(CTableReader& reader, const std::string& computerName)
{
    MemoryTree tree;
    TreeItem root = BuildTree(reader, tree, computerName);

    std::string out = OutputBuffer(reader, 512);
    out += "{\n  \"source\": ";
    AppendPath(out, reader.Source(), true);
    out += ",\n  \"smbios\": {\"anchor\": \"";
    out += AnchorText(reader.Anchor());
    out += "\", \"version\": \"";
    out += VersionText(reader);
    out += "\", \"max_structure_size\": ";
    AppendNumber(out, reader.MaxStructureSize());
    out += ", \"structure_count\": ";
    AppendNumber(out, reader.StructureCount());
    out += "},\n  \"tree\": ";
    JsonTree(out, tree, root, 0);
    out += ",\n  \"structures\": [";
    RowBuffer rows(kViewListWidth);
    for (size_t i = 0; i < reader.IndexedCount(); ++i) {
        std::string caption = DecodeStructure(reader, i, rows);
        JsonStructure(out, reader, i, caption, rows);
    }
    out += "]\n}\n";
    return out;
}

std::string RenderText(CTableReader& reader, const std::string& computerName)
{
    MemoryTree tree;
    TreeItem root = BuildTree(reader, tree, computerName);

    std::string out = OutputBuffer(reader, 384);
    out += "SMBIOS ";
    out += VersionText(reader);
    out += " (";
    out += AnchorText(reader.Anchor());
    out += ") from ";
    AppendPath(out, reader.Source(), false);
    out += ", ";
    AppendNumber(out, reader.IndexedCount());
    out += " structures\n\n";
    TextTree(out, tree, root, 0);
    RowBuffer rows(kViewListWidth);
    std::vector<size_t> widths;
    for (size_t i = 0; i < reader.IndexedCount(); ++i) {
        std::string caption = DecodeStructure(reader, i, rows);
        TextStructure(out, reader, i, caption, rows, widths);
    }
    return out;
}

std::string RenderList(CTableReader& reader)
{
    std::string out = OutputBuffer(reader, 64);
    for (size_t i = 0; i < reader.IndexedCount(); ++i) {
        const StructExtent& s = reader.IndexEntry(i);
        AppendNumber(out, i);
        out += " type ";
        AppendNumber(out, s.Type());
        out += " handle ";
        AppendHandle(out, s.Handle());
        out += " length ";
        AppendNumber(out, s.Length());
        for (unsigned n = 1; n <= 255; ++n) {
            const char* text = s.String(n);
            if (text == nullptr)
                break;
            out += " \"";
            AppendEscaped(out, text, kTerminalStyle);
            out += '"';
        }
        out += '\n';
    }
    return out;
}
