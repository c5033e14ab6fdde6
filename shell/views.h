#pragma once
// The views for scripts and people: the tree and every structure decoded as the
// detail window shows it, as JSON or as text. No Qt here.
#include <string>
#include <string_view>
#include <vector>

#include "reader/table_reader.h"
#include "ui/list_control.h"

// The rows of one structure, kept in one text buffer: the views read thousands of
// cells, and a string of its own for each would cost more than the decoding.
// It behaves as MemoryList does; Clear keeps the memory for the next structure.
class RowBuffer : public IListControl {
public:
    explicit RowBuffer(int windowWidth) : m_windowWidth(windowWidth) {}
    void Clear();

    int InsertColumn(int index, const std::string& heading, int width) override;
    bool DeleteColumn(int index) override;
    int GetColumnCount() const override { return static_cast<int>(m_headings.size()); }
    int InsertItem(int index, const std::string& text) override;
    bool SetItemText(int item, int subItem, const std::string& text) override;
    void InsertRow(int index, const char* const* cells, size_t count) override;
    void SetBkColor(uint32_t) override {}
    void SetTextBkColor(uint32_t) override {}
    int GetWindowWidth() const override { return m_windowWidth; }

    std::string_view Heading(size_t column) const { return Text(m_headings[column]); }
    size_t RowCount() const { return m_rows.size(); }
    // Every row has one cell per column it was made with; a cell never set is "".
    size_t CellCount(size_t row) const { return m_rows[row].count; }
    std::string_view Cell(size_t row, size_t column) const { return Text(m_cells[m_rows[row].first + column]); }

private:
    struct Span {
        uint32_t offset = 0;
        uint32_t size = 0;
    };
    struct Row {
        uint32_t first;
        uint32_t count;
    };
    Span Store(std::string_view text);
    std::string_view Text(Span s) const { return {m_text.data() + s.offset, s.size}; }

    int m_windowWidth;
    std::string m_text;
    std::vector<Span> m_headings;
    std::vector<Span> m_cells; // each row's cells lie together, rows in any order
    std::vector<Row> m_rows;
};

// Decodes index entry i as the detail window would, while it is the reader's current
// structure (so structures sharing a handle are each decoded by themselves). Returns
// the window's caption.
std::string DecodeStructure(CTableReader& reader, size_t i, RowBuffer& rows);

std::string RenderJson(CTableReader& reader, const std::string& computerName);
std::string RenderText(CTableReader& reader, const std::string& computerName);
// One line per indexed structure; the table's problems are left to ProblemLines.
std::string RenderList(CTableReader& reader);
// The table's problems, one "Problem: ..." line each; empty for a sound table.
std::string ProblemLines(const CTableReader& reader);

// Writes a view to standard output in one write (more only when the system takes
// part of it); false when it cannot be written. Nothing may go to standard output
// before it.
bool WriteOutput(const std::string& text);

// "2.8" from the reader's version word.
std::string VersionText(const CTableReader& reader);
// Table text for a terminal: control bytes as \xNN, the rest Latin-1 in UTF-8.
std::string TerminalText(const std::string& latin1);
// Table text as a JSON string literal, quotes included.
std::string JsonString(const std::string& latin1);
