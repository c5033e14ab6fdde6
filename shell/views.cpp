#include "shell/views.h"

#include <cstdio>
#include <functional>
#include <vector>

#include "decode/detail_dlg.h"
#include "res/string_table.h"
#include "shell/main_dlg.h"
#include "shell/tree_builder.h"
#include "shell/view_writer.h"
#include "ui/memory_controls.h"

namespace {

constexpr int kViewListWidth = 600;

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

// A view kept in memory starts big enough for most tables.
size_t ExpectedSize(const CTableReader& reader, size_t bytesPerStructure)
{
    return 4096 + reader.IndexedCount() * bytesPerStructure;
}

// What the views open with: the table's facts and its tree.
struct TableHead {
    CTableReader& reader;
    const std::string& computerName;
    std::string version;
    const char* anchor;
};

// The tree as BuildTree makes it, written node by node instead of kept: each node comes
// after its parent and a parent's children come together, so a stack of the open nodes
// is all there is to know. Format::OpenNode writes a node as it comes, and
// Format::NodeData what follows its data, which comes after it; Format::CloseNode ends it.
template <typename Format>
class TreeStream : public ITreeControl {
public:
    explicit TreeStream(ViewWriter& out) : m_out(out) {}

    TreeItem InsertItem(const std::string& text, int, int, TreeItem parent) override
    {
        EndData();
        while (!m_open.empty() && m_open.back().item != parent)
            Close();
        size_t index = m_open.empty() ? 0 : m_open.back().children++;
        Format::OpenNode(m_out, text, m_open.size(), index);
        m_open.push_back({++m_items, 0});
        m_dataPending = true;
        m_data = 0;
        return m_items;
    }
    void SetItemData(TreeItem item, uint32_t data) override
    {
        if (m_dataPending && item == m_items)
            m_data = data;
    }
    uint32_t GetItemData(TreeItem) const override { return 0; }
    void DeleteAllItems() override {}
    void Expand(TreeItem) override {}
    TreeItem GetSelectedItem() const override { return kTreeRoot; }
    bool ItemHasChildren(TreeItem) const override { return false; }

    void Finish()
    {
        EndData();
        while (!m_open.empty())
            Close();
    }

private:
    struct Open {
        TreeItem item;
        size_t children;
    };
    void EndData()
    {
        if (m_dataPending)
            Format::NodeData(m_out, m_data);
        m_dataPending = false;
    }
    void Close()
    {
        m_open.pop_back();
        Format::CloseNode(m_out);
    }

    ViewWriter& m_out;
    std::vector<Open> m_open;
    TreeItem m_items = 0;
    bool m_dataPending = false; // the newest node's data is still to be written
    uint32_t m_data = 0;
};

template <typename Format>
void WriteTree(ViewWriter& out, const TableHead& head)
{
    TreeStream<Format> tree(out);
    BuildTree(head.reader, tree, head.computerName);
    tree.Finish();
}

// A structure's rows written in the view's form as the detail logic adds them (for the
// text view, each cell escaped with its width, waiting for its column's): no list is
// kept, so no cell is stored and copied again. It serves the detail logic alone, which sets its
// columns before its first row and only appends rows (CDetailDlg::SetColumns).
template <typename Format>
class RowStream : public IListControl {
public:
    void Clear()
    {
        m_headings.clear();
        m_rows.Clear();
        m_state.Clear();
        m_count = 0;
    }
    const std::vector<std::string>& Headings() const { return m_headings; }
    std::string_view Rows() const { return m_rows.Text(); }
    // What the format keeps of the rows beside their text.
    const typename Format::RowState& State() const { return m_state; }

    int InsertColumn(int index, const std::string& heading, int) override
    {
        if (index < 0 || index >= GetColumnCount()) {
            m_headings.push_back(heading); // as every structure's columns come
            return GetColumnCount() - 1;
        }
        m_headings.insert(m_headings.begin() + index, heading);
        return index;
    }
    bool DeleteColumn(int index) override
    {
        if (index < 0 || index >= GetColumnCount())
            return false;
        m_headings.erase(m_headings.begin() + index);
        return true;
    }
    int GetColumnCount() const override { return static_cast<int>(m_headings.size()); }
    int InsertItem(int index, const std::string&) override { return index; }
    bool SetItemText(int, int, const std::string&) override { return false; }
    void InsertRow(int, const char* const* cells, size_t count) override
    {
        if (count > 0)
            Format::WriteRow(m_rows, m_state, m_count++, cells, count, m_headings.size());
    }
    void SetBkColor(uint32_t) override {}
    void SetTextBkColor(uint32_t) override {}
    int GetWindowWidth() const override { return kViewListWidth; }

private:
    std::vector<std::string> m_headings;
    ViewWriter m_rows{64 * 1024};
    typename Format::RowState m_state;
    size_t m_count = 0; // rows
};

// The caption and rows of index entry i into list, as the detail window decodes it.
const char* DecodeInto(CTableReader& reader, size_t i, IListControl& list)
{
    const uint8_t* structure = nullptr;
    reader.SelectStructure(i, &structure);
    CDetailDlg dlg(list);
    dlg.SetStructure(structure, &reader);
    dlg.OnInitDialog();
    return dlg.Caption();
}

// The JSON, text and HTML views: the head, then every structure decoded in turn, each
// written by the view's format.
template <typename Format>
void RenderStructures(CTableReader& reader, const std::string& computerName, ViewWriter& out)
{
    TableHead head{reader, computerName, VersionText(reader), AnchorText(reader.Anchor())};
    Format format;
    format.Head(out, head);
    RowStream<Format> rows;
    for (size_t i = 0; i < reader.IndexedCount(); ++i) {
        rows.Clear();
        const char* caption = DecodeInto(reader, i, rows);
        format.Structure(out, i, reader.IndexEntry(i), caption, rows);
    }
    format.End(out);
}

void RenderList(CTableReader& reader, ViewWriter& out)
{
    for (size_t i = 0; i < reader.IndexedCount(); ++i) {
        const StructExtent& s = reader.IndexEntry(i);
        out.Number(i);
        out.Put(" type ");
        out.Number(s.Type());
        out.Put(" handle ");
        out.Handle(s.Handle());
        out.Put(" length ");
        out.Number(s.Length());
        for (unsigned n = 1; n <= 255; ++n) {
            const char* text = s.String(n);
            if (text == nullptr)
                break;
            out.Put(" \"");
            AppendEscaped(out, text, Escaping::Terminal);
            out.Put('"');
        }
        out.Put('\n');
    }
}

template <typename Format>
std::string Render(CTableReader& reader, const std::string& computerName)
{
    ViewWriter out(ExpectedSize(reader, Format::kBytesPerStructure));
    RenderStructures<Format>(reader, computerName, out);
    return out.Take();
}

// Unbuffered, the stream hands each full buffer to the system at once; buffered, it
// would copy a first piece into its own buffer and write each one in two calls.
bool StreamTo(std::FILE* sink, const std::function<void(ViewWriter&)>& render)
{
    std::setvbuf(sink, nullptr, _IONBF, 0);
    ViewWriter out(sink);
    render(out);
    return out.Finish();
}

// The text and HTML views' first line: "SMBIOS 2.8 (_SM_) from PATH, N structures".
void SourceLine(ViewWriter& out, const TableHead& head, Escaping kind)
{
    out.Put("SMBIOS ");
    out.Put(head.version);
    out.Put(" (");
    out.Put(head.anchor);
    out.Put(") from ");
    AppendPath(out, head.reader.Source(), kind);
    out.Put(", ");
    out.Number(head.reader.IndexedCount());
    out.Put(" structures");
}

// A structure's heading in the text and HTML views: "[i] Caption, handle 0xHHHH",
// "Type N" for a type without a caption.
void Heading(ViewWriter& out, size_t i, const StructExtent& e, std::string_view caption, Escaping kind)
{
    out.Put('[');
    out.Number(i);
    out.Put("] ");
    if (caption.empty()) {
        out.Put("Type ");
        out.Number(e.Type());
    } else {
        AppendEscaped(out, caption, kind);
    }
    out.Put(", handle ");
    out.Handle(e.Handle());
}

class JsonFormat {
public:
    static constexpr size_t kBytesPerStructure = 512;

    void Head(ViewWriter& out, const TableHead& head)
    {
        const CTableReader& reader = head.reader;
        out.Put("{\n  \"source\": ");
        AppendPath(out, reader.Source(), Escaping::Json);
        out.Put(",\n  \"smbios\": {\"anchor\": \"");
        out.Put(head.anchor);
        out.Put("\", \"version\": \"");
        out.Put(head.version);
        out.Put("\", \"max_structure_size\": ");
        out.Number(reader.MaxStructureSize());
        out.Put(", \"structure_count\": ");
        out.Number(reader.StructureCount());
        out.Put(", \"indexed_count\": ");
        out.Number(reader.IndexedCount());
        out.Put(", \"problems\": [");
        Strings(out, reader.Problems().size(), [&](size_t i) { return std::string_view(reader.Problems()[i]); });
        out.Put("]},\n  \"tree\": ");
        WriteTree<JsonFormat>(out, head);
        out.Put(",\n  \"structures\": [");
    }

    void Structure(ViewWriter& out, size_t i, const StructExtent& e, std::string_view caption,
                   const RowStream<JsonFormat>& rows)
    {
        out.Put(i ? ",\n" : "\n");
        out.Put("    {\"index\": ");
        out.Number(i);
        out.Put(", \"type\": ");
        out.Number(e.Type());
        out.Put(", \"length\": ");
        out.Number(e.Length());
        out.Put(", \"handle\": ");
        out.Number(e.Handle());
        out.Put(",\n     \"caption\": ");
        AppendEscaped(out, caption, Escaping::Json);
        out.Put(",\n     \"columns\": [");
        Strings(out, rows.Headings().size(), [&](size_t c) { return std::string_view(rows.Headings()[c]); });
        out.Put("],\n     \"rows\": [");
        out.Put(rows.Rows());
        out.Put("]}");
    }

    // A row as the rows array holds it: an array of a string for each column.
    struct RowState {
        void Clear() {}
    };
    static void WriteRow(ViewWriter& out, RowState&, size_t row, const char* const* cells, size_t count,
                         size_t columns)
    {
        out.Put(row ? ",\n       [" : "\n       [");
        for (size_t c = 0; c < std::max<size_t>(columns, 1); ++c) {
            if (c)
                out.Put(", ");
            AppendEscaped(out, c < count && cells[c] ? cells[c] : "", Escaping::Json);
        }
        out.Put(']');
    }

    void End(ViewWriter& out) { out.Put("]\n}\n"); }

    // A node at depth, the index-th child of its parent: its text, its data, then its children.
    static void OpenNode(ViewWriter& out, std::string_view text, size_t depth, size_t index)
    {
        if (depth > 0) {
            out.Put(index ? ",\n" : "\n");
            out.Spaces(depth * 2 + 2);
        }
        out.Put("{\"text\": ");
        AppendEscaped(out, text, Escaping::Json);
        out.Put(", \"handle\": ");
    }
    static void NodeData(ViewWriter& out, uint32_t handle)
    {
        out.Number(handle);
        out.Put(", \"children\": [");
    }
    static void CloseNode(ViewWriter& out) { out.Put("]}"); }

private:
    // The items of a JSON array of strings, given their count and how to get each.
    template <typename Get>
    static void Strings(ViewWriter& out, size_t count, Get get)
    {
        for (size_t i = 0; i < count; ++i) {
            if (i)
                out.Put(", ");
            AppendEscaped(out, get(i), Escaping::Json);
        }
    }
};

class TextFormat {
public:
    static constexpr size_t kBytesPerStructure = 384;

    void Head(ViewWriter& out, const TableHead& head)
    {
        SourceLine(out, head, Escaping::Terminal);
        out.Put('\n');
        out.Put(ProblemLines(head.reader));
        out.Put("\n");
        WriteTree<TextFormat>(out, head);
    }

    // Each line is written as it comes but for the blanks after each cell that is padded:
    // where they go, for which column and after how wide a cell, waits with the columns'
    // widths for the structure's end.
    struct RowState {
        struct Gap {
            uint32_t at; // in the rows' text
            uint32_t column;
            size_t width;
        };
        std::vector<Gap> gaps;
        std::vector<size_t> widths; // of the columns but the last
        void Clear()
        {
            gaps.clear();
            widths.clear();
        }
    };

    // Cells are padded to their column; empty trailing cells are left off, but a value's
    // own trailing blank stays. A row has a cell for each column (one without any).
    static void WriteRow(ViewWriter& out, RowState& state, size_t, const char* const* cells, size_t count,
                         size_t columns)
    {
        size_t used = std::min(count, std::max<size_t>(columns, 1));
        while (used > 0 && (cells[used - 1] == nullptr || *cells[used - 1] == '\0'))
            --used;
        size_t padded = columns ? columns - 1 : 0;
        if (state.widths.size() < padded)
            state.widths.resize(padded, 0);
        out.Put("  ");
        for (size_t c = 0; c < used; ++c) {
            std::string_view text = cells[c] ? cells[c] : "";
            // Each escape takes 4 columns for its 1 byte.
            size_t width = text.size() + 3 * AppendEscaped(out, text, Escaping::Terminal);
            if (c < padded)
                state.widths[c] = std::max(state.widths[c], width);
            if (c + 1 < used)
                state.gaps.push_back({static_cast<uint32_t>(out.Text().size()), static_cast<uint32_t>(c), width});
        }
        out.Put('\n');
    }

    void Structure(ViewWriter& out, size_t i, const StructExtent& e, std::string_view caption,
                   const RowStream<TextFormat>& rows)
    {
        out.Put('\n');
        Heading(out, i, e, caption, Escaping::Terminal);
        out.Put('\n');

        // The headings as a first line, padded to the same widths as the rows.
        m_heading.Clear();
        m_headingState.Clear();
        m_cells.clear();
        for (const std::string& heading : rows.Headings())
            m_cells.push_back(heading.c_str());
        WriteRow(m_heading, m_headingState, 0, m_cells.data(), m_cells.size(), m_cells.size());
        m_widths = m_headingState.widths;
        const RowState& state = rows.State();
        for (size_t c = 0; c < state.widths.size() && c < m_widths.size(); ++c)
            m_widths[c] = std::max(m_widths[c], state.widths[c]);
        Padded(out, m_heading.Text(), m_headingState.gaps);
        Padded(out, rows.Rows(), state.gaps);
    }

    void End(ViewWriter&) {}

    // Each node on a line of its own, indented by its depth.
    static void OpenNode(ViewWriter& out, std::string_view text, size_t depth, size_t)
    {
        out.Spaces(depth * 2);
        AppendEscaped(out, text, Escaping::Terminal);
        out.Put('\n');
    }
    static void NodeData(ViewWriter&, uint32_t) {}
    static void CloseNode(ViewWriter&) {}

private:
    // Text with the blanks of each gap put in.
    void Padded(ViewWriter& out, std::string_view text, const std::vector<RowState::Gap>& gaps)
    {
        size_t from = 0;
        for (const RowState::Gap& gap : gaps) {
            out.Put(text.substr(from, gap.at - from));
            out.Spaces(m_widths[gap.column] - gap.width + 2);
            from = gap.at;
        }
        out.Put(text.substr(from));
    }

    ViewWriter m_heading{256};
    RowState m_headingState;
    std::vector<const char*> m_cells;
    std::vector<size_t> m_widths; // of the current structure's columns but the last
};


// One page with nothing outside it: its own style sheet, no scripts, black text on white
// so that it prints as it shows. Table text keeps the text view's conversion (Latin-1 to
// UTF-8, controls as \xNN), so the page is UTF-8.
class HtmlFormat {
public:
    static constexpr size_t kBytesPerStructure = 768;

    void Head(ViewWriter& out, const TableHead& head)
    {
        const CTableReader& reader = head.reader;
        out.Put("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>SMBIOS ");
        out.Put(head.version);
        out.Put(" table from ");
        AppendPath(out, reader.Source(), Escaping::Html);
        out.Put("</title>\n"
                "<style>\n"
                "body { font: 10pt sans-serif; color: #000; background: #fff; }\n"
                "h1 { font-size: 14pt; } h2 { font-size: 11pt; margin: 1.5em 0 0.3em; }\n"
                "table { border-collapse: collapse; }\n"
                "th, td { border: 1px solid #000; padding: 0.1em 0.6em; text-align: left; vertical-align: top;"
                " white-space: pre-wrap; overflow-wrap: anywhere; }\n"
                // A long unbroken string wraps rather than push the table off the page or out
                // of print; the width keeps the labels from being broken to make room for it.
                "td:first-child { min-width: 12em; }\n"
                "a { color: inherit; }\n"
                "@media print {\n"
                "  section { break-inside: avoid; page-break-inside: avoid; }\n"
                "  h2 { break-after: avoid; page-break-after: avoid; }\n"
                "  a { text-decoration: none; }\n"
                "}\n"
                "</style>\n</head>\n<body>\n<header>\n<h1>");
        AppendEscaped(out, RootText(head.reader, head.computerName), Escaping::Html);
        out.Put("</h1>\n<p>");
        SourceLine(out, head, Escaping::Html);
        out.Put("</p>\n");
        for (const std::string& problem : reader.Problems()) {
            out.Put("<p>Problem: ");
            AppendEscaped(out, problem, Escaping::Html);
            out.Put("</p>\n");
        }
        out.Put("</header>\n<nav>\n<h2>Contents</h2>\n<ul>\n");
        Contents(out, reader);
        out.Put("</ul>\n</nav>\n<main>\n");
    }

    void Structure(ViewWriter& out, size_t i, const StructExtent& e, std::string_view caption,
                   const RowStream<HtmlFormat>& rows)
    {
        out.Put("<section id=\"s");
        out.Number(i);
        out.Put("\">\n<h2>");
        Heading(out, i, e, caption, Escaping::Html);
        out.Put("</h2>\n<table>\n<thead><tr>");
        for (const std::string& heading : rows.Headings()) {
            out.Put("<th>");
            AppendEscaped(out, heading, Escaping::Html);
            out.Put("</th>");
        }
        out.Put("</tr></thead>\n<tbody>\n");
        out.Put(rows.Rows());
        out.Put("</tbody>\n</table>\n</section>\n");
    }

    // The window shows as many cells as it has columns, whatever a row holds beyond them.
    struct RowState {
        void Clear() {}
    };
    static void WriteRow(ViewWriter& out, RowState&, size_t, const char* const* cells, size_t count,
                         size_t columns)
    {
        out.Put("<tr>");
        for (size_t c = 0; c < columns; ++c) {
            out.Put("<td>");
            AppendEscaped(out, c < count && cells[c] ? cells[c] : "", Escaping::Html);
            out.Put("</td>");
        }
        out.Put("</tr>\n");
    }

    void End(ViewWriter& out) { out.Put("</main>\n</body>\n</html>\n"); }

private:
    // One item per type present, in increasing type order as in the tree; a type that
    // repeats lists its instances ("#.0", ...) under it.
    static void Contents(ViewWriter& out, const CTableReader& reader)
    {
        const std::vector<std::vector<size_t>> byType = StructuresByType(reader);
        for (unsigned type = 0; type < byType.size(); ++type) {
            const std::vector<size_t>& indices = byType[type];
            if (indices.empty())
                continue;
            out.Put("<li>");
            if (indices.size() == 1) {
                Link(out, indices[0]);
                TypeName(out, type);
                out.Put("</a></li>\n");
                continue;
            }
            TypeName(out, type);
            out.Put("\n<ul>\n");
            for (size_t k = 0; k < indices.size(); ++k) {
                out.Put("<li>");
                Link(out, indices[k]);
                out.Put("#.");
                out.Number(k);
                out.Put("</a>, handle ");
                out.Handle(reader.IndexEntry(indices[k]).Handle());
                out.Put("</li>\n");
            }
            out.Put("</ul></li>\n");
        }
    }

    static void Link(ViewWriter& out, size_t i)
    {
        out.Put("<a href=\"#s");
        out.Number(i);
        out.Put("\">");
    }

    // The tree's name of a type; unknown types keep their number, as several may be present.
    static void TypeName(ViewWriter& out, unsigned type)
    {
        const char* name = LoadResString(kIdsCaptionBase + type);
        if (*name) {
            out.Put(std::string_view(name));
            return;
        }
        out.Put("Unknown DMI Type (Type ");
        out.Number(type);
        out.Put(')');
    }
};
} // namespace

const char* DecodeStructure(CTableReader& reader, size_t i, MemoryList& rows)
{
    rows.Clear();
    return DecodeInto(reader, i, rows);
}

bool WriteOutput(const std::string& text)
{
    return StreamTo(stdout, [&](ViewWriter& out) { out.Put(text); });
}

std::string RenderJson(CTableReader& reader, const std::string& computerName)
{
    return Render<JsonFormat>(reader, computerName);
}

std::string RenderText(CTableReader& reader, const std::string& computerName)
{
    return Render<TextFormat>(reader, computerName);
}

std::string RenderHtml(CTableReader& reader, const std::string& computerName)
{
    return Render<HtmlFormat>(reader, computerName);
}

std::string RenderList(CTableReader& reader)
{
    ViewWriter out(ExpectedSize(reader, 64));
    RenderList(reader, out);
    return out.Take();
}

bool WriteJson(CTableReader& reader, const std::string& computerName, std::FILE* sink)
{
    return StreamTo(sink, [&](ViewWriter& out) { RenderStructures<JsonFormat>(reader, computerName, out); });
}

bool WriteText(CTableReader& reader, const std::string& computerName, std::FILE* sink)
{
    return StreamTo(sink, [&](ViewWriter& out) { RenderStructures<TextFormat>(reader, computerName, out); });
}

bool WriteHtml(CTableReader& reader, const std::string& computerName, std::FILE* sink)
{
    return StreamTo(sink, [&](ViewWriter& out) { RenderStructures<HtmlFormat>(reader, computerName, out); });
}

bool WriteList(CTableReader& reader, std::FILE* sink)
{
    return StreamTo(sink, [&](ViewWriter& out) { RenderList(reader, out); });
}

std::string ProblemLines(const CTableReader& reader)
{
    std::string out;
    for (const std::string& problem : reader.Problems())
        out += "Problem: " + TerminalText(problem) + "\n";
    return out;
}
