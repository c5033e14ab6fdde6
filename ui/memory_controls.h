#pragma once
// Plain in-memory controls: what Find and the summary read, and what tests inspect.
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/copy_bytes.h"
#include "ui/list_control.h"
#include "ui/tree_control.h"

// The rows of a list kept in one text buffer: Find and the summary decode thousands of
// structures, and a string of its own for each cell would cost more than the decoding.
class MemoryList : public IListControl {
public:
    struct Column {
        std::string heading;
        int width;
    };

    explicit MemoryList(int windowWidth = 600) : m_windowWidth(windowWidth) {}
    // Empties the list and keeps its memory for the next structure.
    void Clear();

    int InsertColumn(int index, const std::string& heading, int width) override;
    bool DeleteColumn(int index) override;
    int GetColumnCount() const override { return static_cast<int>(m_columns.size()); }
    int InsertItem(int index, const std::string& text) override;
    bool SetItemText(int item, int subItem, const std::string& text) override;
    void InsertRow(int index, const char* const* cells, size_t count) override;
    void SetBkColor(uint32_t color) override { m_bkColor = color; }
    void SetTextBkColor(uint32_t color) override { m_textBkColor = color; }
    int GetWindowWidth() const override { return m_windowWidth; }

    // Valid until the list next changes.
    std::string_view Heading(size_t column) const { return Text(m_columns[column].heading); }
    size_t RowCount() const { return m_rows.size(); }
    // Every row has a cell for each column, perhaps more; a cell never set is "".
    size_t CellCount(size_t row) const { return m_rows[row].count; }
    std::string_view Cell(size_t row, size_t column) const { return Text(m_cells[m_rows[row].first + column]); }

    // Copies, for tests.
    std::vector<Column> Columns() const;
    std::vector<std::vector<std::string>> Rows() const;
    uint32_t BkColor() const { return m_bkColor; }
    uint32_t TextBkColor() const { return m_textBkColor; }

private:
    struct Span {
        uint32_t offset = 0;
        uint32_t size = 0;
    };
    struct StoredColumn {
        Span heading;
        int width;
    };
    struct Row {
        uint32_t first;
        uint32_t count;
    };
    Span Store(const char* text, size_t size)
    {
        if (m_textCapacity - m_textSize < size)
            GrowText(size);
        CopyBytes(m_text.get() + m_textSize, text, size);
        Span s{static_cast<uint32_t>(m_textSize), static_cast<uint32_t>(size)};
        m_textSize += size;
        return s;
    }
    Span Store(std::string_view text) { return Store(text.data(), text.size()); }
    void GrowText(size_t size);
    std::string_view Text(Span s) const { return {m_text.get() + s.offset, s.size}; }
    Row AddRow(int& index);

    int m_windowWidth;
    // Every text of the list; kept, with its size, from one structure to the next.
    std::unique_ptr<char[]> m_text;
    size_t m_textSize = 0;
    size_t m_textCapacity = 0;
    std::vector<StoredColumn> m_columns;
    std::vector<Span> m_cells; // each row's cells lie together, rows in any order
    std::vector<Row> m_rows;
    uint32_t m_bkColor = 0xFFFFFFFF;
    uint32_t m_textBkColor = 0xFFFFFFFF;
};

class MemoryTree : public ITreeControl {
public:
    struct Node {
        std::string text;
        int image = 0;
        int selectedImage = 0;
        uint32_t data = 0;
        bool expanded = false;
        std::string warning;
        TreeItem parent = kTreeRoot;
        std::vector<TreeItem> children;
    };

    TreeItem InsertItem(const std::string& text, int image, int selectedImage, TreeItem parent) override;
    void SetItemData(TreeItem item, uint32_t data) override;
    uint32_t GetItemData(TreeItem item) const override;
    void DeleteAllItems() override;
    void Expand(TreeItem item) override;
    TreeItem GetSelectedItem() const override { return m_selected; }
    bool ItemHasChildren(TreeItem item) const override;
    void SetItemWarning(TreeItem item, const std::string& text) override;

    void Select(TreeItem item) { m_selected = item; }
    const std::vector<TreeItem>& TopLevel() const { return m_topLevel; }
    // Null for kTreeRoot or an item that does not exist.
    const Node* Find(TreeItem item) const;

private:
    std::vector<Node> m_nodes; // item n is m_nodes[n - 1]
    std::vector<TreeItem> m_topLevel;
    TreeItem m_selected = kTreeRoot;
};
