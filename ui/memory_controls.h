#pragma once
// Plain in-memory controls: what the JSON and text views read, and what tests inspect.
#include <string>
#include <vector>

#include "ui/list_control.h"
#include "ui/tree_control.h"

class MemoryList : public IListControl {
public:
    struct Column {
        std::string heading;
        int width;
    };

    explicit MemoryList(int windowWidth = 600) : m_windowWidth(windowWidth) {}

    int InsertColumn(int index, const std::string& heading, int width) override;
    bool DeleteColumn(int index) override;
    int GetColumnCount() const override { return static_cast<int>(m_columns.size()); }
    int InsertItem(int index, const std::string& text) override;
    bool SetItemText(int item, int subItem, const std::string& text) override;
    void SetBkColor(uint32_t color) override { m_bkColor = color; }
    void SetTextBkColor(uint32_t color) override { m_textBkColor = color; }
    int GetWindowWidth() const override { return m_windowWidth; }

    const std::vector<Column>& Columns() const { return m_columns; }
    // Every row has one cell per column; a cell never set is "".
    const std::vector<std::vector<std::string>>& Rows() const { return m_rows; }
    uint32_t BkColor() const { return m_bkColor; }
    uint32_t TextBkColor() const { return m_textBkColor; }

private:
    int m_windowWidth;
    std::vector<Column> m_columns;
    std::vector<std::vector<std::string>> m_rows;
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
