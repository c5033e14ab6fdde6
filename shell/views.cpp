#include "shell/views.h"

#include <algorithm>
#include <cstdio>

#include "decode/detail_dlg.h"
#include "shell/tree_builder.h"

namespace {

constexpr int kViewListWidth = 600;

void AppendUtf8(std::string& out, unsigned char c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsControl(unsigned char c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// Display width of TerminalText(s): escapes take 4 columns, everything else 1.
size_t TerminalWidth(const std::string& s)
{
    size_t width = 0;
    for (unsigned char c : s)
        width += IsControl(c) ? 4 : 1;
    return width;
}

const char* AnchorText(AnchorKind kind)
{
    return kind == AnchorKind::Sm3 ? "_SM3_" : "_SM_";
}

void JsonTree(std::string& out, const MemoryTree& tree, TreeItem item, int depth)
{
    const MemoryTree::Node* node = tree.Find(item);
    std::string indent(static_cast<size_t>(depth) * 2 + 2, ' ');
    out += "{\"text\": " + JsonString(node->text) + ", \"handle\": " + std::to_string(node->data) +
           ", \"children\": [";
    for (size_t i = 0; i < node->children.size(); ++i) {
        out += i ? ",\n" : "\n";
        out += indent + "  ";
        JsonTree(out, tree, node->children[i], depth + 1);
    }
    out += "]}";
}

void TextTree(std::string& out, const MemoryTree& tree, TreeItem item, int depth)
{
    const MemoryTree::Node* node = tree.Find(item);
    out += std::string(static_cast<size_t>(depth) * 2, ' ') + TerminalText(node->text) + "\n";
    for (TreeItem child : node->children)
        TextTree(out, tree, child, depth + 1);
}

char HexDigit(unsigned v)
{
    return "0123456789ABCDEF"[v & 0xF];
}

bool IsUtf8(const std::string& s)
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
// C1 controls escaped too; utf8 text (paths of this machine) keeps its bytes.
std::string Escape(const std::string& s, const EscapeStyle& style, bool utf8)
{
    std::string out = style.quoted ? "\"" : "";
    for (unsigned char c : s) {
        bool control = utf8 ? (c < 0x20 || c == 0x7F) : IsControl(c);
        if (style.quoted && (c == '"' || c == '\\')) {
            out += '\\';
            out += static_cast<char>(c);
        } else if (control) {
            out += style.controlPrefix;
            out += HexDigit(c >> 4);
            out += HexDigit(c);
        } else if (utf8) {
            out += static_cast<char>(c);
        } else {
            AppendUtf8(out, c);
        }
    }
    return style.quoted ? out + "\"" : out;
}

// A path that is valid UTF-8 keeps its bytes; any other is shown like table text.
std::string PathText(const std::string& path, bool json)
{
    return Escape(path, json ? kJsonStyle : kTerminalStyle, IsUtf8(path));
}

} // namespace

std::vector<DecodedStructure> DecodeAll(CTableReader& reader)
{
    std::vector<DecodedStructure> all(reader.IndexedCount());
    for (size_t i = 0; i < all.size(); ++i) {
        DecodedStructure& d = all[i];
        const uint8_t* structure = nullptr;
        reader.SelectStructure(i, &structure);
        const StructExtent& e = reader.IndexEntry(i);
        d.index = i;
        d.type = e.Type();
        d.length = e.Length();
        d.handle = e.Handle();
        d.list = MemoryList(kViewListWidth);
        CDetailDlg dlg(d.list);
        dlg.m_pStruct = structure;
        dlg.m_pReader = &reader;
        dlg.OnInitDialog();
        d.caption = dlg.Caption();
    }
    return all;
}

std::string VersionText(const CTableReader& reader)
{
    return std::to_string(reader.Version() & 0xFF) + "." + std::to_string(reader.Version() >> 8);
}

std::string TerminalText(const std::string& latin1)
{
    return Escape(latin1, kTerminalStyle, false);
}

std::string JsonString(const std::string& latin1)
{
    return Escape(latin1, kJsonStyle, false);
}

std::string RenderJson(CTableReader& reader, const std::string& computerName)
{
    MemoryTree tree;
    TreeItem root = BuildTree(reader, tree, computerName);
    std::vector<DecodedStructure> all = DecodeAll(reader);

    std::string out = "{\n";
    out += "  \"source\": " + PathText(reader.Source(), true) + ",\n";
    out += "  \"smbios\": {\"anchor\": \"" + std::string(AnchorText(reader.Anchor())) + "\", \"version\": \"" +
           VersionText(reader) + "\", \"max_structure_size\": " + std::to_string(reader.MaxStructureSize()) +
           ", \"structure_count\": " + std::to_string(reader.StructureCount()) + "},\n";
    out += "  \"tree\": ";
    JsonTree(out, tree, root, 0);
    out += ",\n  \"structures\": [";
    for (size_t i = 0; i < all.size(); ++i) {
        const DecodedStructure& d = all[i];
        out += i ? ",\n" : "\n";
        out += "    {\"index\": " + std::to_string(d.index) + ", \"type\": " + std::to_string(d.type) +
               ", \"length\": " + std::to_string(d.length) + ", \"handle\": " + std::to_string(d.handle) + ",\n";
        out += "     \"caption\": " + JsonString(d.caption) + ",\n";
        out += "     \"columns\": [";
        for (size_t c = 0; c < d.list.Columns().size(); ++c)
            out += (c ? ", " : "") + JsonString(d.list.Columns()[c].heading);
        out += "],\n     \"rows\": [";
        for (size_t r = 0; r < d.list.Rows().size(); ++r) {
            out += r ? ",\n       [" : "\n       [";
            const auto& cells = d.list.Rows()[r];
            for (size_t c = 0; c < cells.size(); ++c)
                out += (c ? ", " : "") + JsonString(cells[c]);
            out += "]";
        }
        out += "]}";
    }
    out += "]\n}\n";
    return out;
}

std::string RenderText(CTableReader& reader, const std::string& computerName)
{
    MemoryTree tree;
    TreeItem root = BuildTree(reader, tree, computerName);
    std::vector<DecodedStructure> all = DecodeAll(reader);

    std::string out = "SMBIOS " + VersionText(reader) + " (" + AnchorText(reader.Anchor()) + ") from " +
                      PathText(reader.Source(), false) + ", " + std::to_string(reader.IndexedCount()) +
                      " structures\n\n";
    TextTree(out, tree, root, 0);
    for (const DecodedStructure& d : all) {
        char handle[8];
        std::snprintf(handle, sizeof handle, "0x%04X", d.handle);
        out += "\n[" + std::to_string(d.index) + "] " +
               (d.caption.empty() ? "Type " + std::to_string(d.type) : TerminalText(d.caption)) +
               ", handle " + handle + "\n";
        const auto& columns = d.list.Columns();
        std::vector<size_t> widths(columns.size(), 0);
        for (size_t c = 0; c < columns.size(); ++c)
            widths[c] = TerminalWidth(columns[c].heading);
        for (const auto& row : d.list.Rows())
            for (size_t c = 0; c < row.size() && c < widths.size(); ++c)
                widths[c] = std::max(widths[c], TerminalWidth(row[c]));
        // Cells are padded to their column; empty trailing cells are left off, but a
        // value's own trailing blank stays.
        auto line = [&](const std::vector<std::string>& cells) {
            size_t used = cells.size();
            while (used > 0 && cells[used - 1].empty())
                --used;
            std::string text = "  ";
            for (size_t c = 0; c < used; ++c) {
                text += TerminalText(cells[c]);
                if (c + 1 < used)
                    text += std::string(widths[c] - TerminalWidth(cells[c]) + 2, ' ');
            }
            out += text + "\n";
        };
        std::vector<std::string> headings;
        for (const auto& column : columns)
            headings.push_back(column.heading);
        line(headings);
        for (const auto& row : d.list.Rows())
            line(row);
    }
    return out;
}

std::string RenderList(CTableReader& reader)
{
    std::string out;
    for (size_t i = 0; i < reader.IndexedCount(); ++i) {
        const StructExtent& s = reader.IndexEntry(i);
        char head[64];
        std::snprintf(head, sizeof head, "%zu type %u handle 0x%04X length %u", i, s.Type(), s.Handle(),
                      s.Length());
        out += head;
        for (unsigned n = 1; n <= 255 && s.String(n) != nullptr; ++n)
            out += " \"" + TerminalText(s.String(n)) + "\"";
        out += "\n";
    }
    return out;
}
