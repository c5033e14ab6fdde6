#include "ui/memory_controls.h"

#include <algorithm>

void MemoryList::Clear()
{
    m_textSize = 0;
    m_columns.clear();
    m_cells.clear();
    m_rows.clear();
}

void MemoryList::GrowText(size_t size)
{
    size_t capacity = std::max<size_t>({m_textCapacity * 2, m_textSize + size, 4096});
    std::unique_ptr<char[]> text(new char[capacity]);
    if (m_textSize)
        std::memcpy(text.get(), m_text.get(), m_textSize);
    m_text = std::move(text);
    m_textCapacity = capacity;
}

int MemoryList::InsertColumn(int index, const std::string& heading, int width)
{
    if (index < 0 || index > GetColumnCount())
        index = GetColumnCount();
    m_columns.insert(m_columns.begin() + index, StoredColumn{Store(heading), width});
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

bool MemoryList::DeleteColumn(int index)
{
    if (index < 0 || index >= GetColumnCount())
        return false;
    m_columns.erase(m_columns.begin() + index);
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

// A row of empty cells, one for each column (at least one), inserted at index (the end
// when out of range).
MemoryList::Row MemoryList::AddRow(int& index)
{
    Row row{static_cast<uint32_t>(m_cells.size()), static_cast<uint32_t>(std::max(1, GetColumnCount()))};
    for (uint32_t c = 0; c < row.count; ++c)
        m_cells.emplace_back(); // not resize: it is not inlined, and rows have two or three cells
    if (index < 0 || index >= static_cast<int>(m_rows.size())) {
        index = static_cast<int>(m_rows.size());
        m_rows.push_back(row); // nearly always: decoders append
    } else {
        m_rows.insert(m_rows.begin() + index, row);
    }
    return row;
}

int MemoryList::InsertItem(int index, const std::string& text)
{
    Row row = AddRow(index);
    m_cells[row.first] = Store(text);
    return index;
}

bool MemoryList::SetItemText(int item, int subItem, const std::string& text)
{
    if (item < 0 || item >= static_cast<int>(m_rows.size()) || subItem < 0 || subItem >= GetColumnCount())
        return false;
    m_cells[m_rows[item].first + subItem] = Store(text);
    return true;
}

void MemoryList::InsertRow(int index, const char* const* cells, size_t count)
{
    if (count == 0)
        return;
    // As InsertItem and SetItemText would, without a std::string for each cell. Rows
    // that come at the end with a cell for each column, nearly all, take the short way.
    size_t columns = m_columns.size();
    if (count == columns && index == static_cast<int>(m_rows.size())) {
        m_rows.push_back({static_cast<uint32_t>(m_cells.size()), static_cast<uint32_t>(columns)});
        for (size_t c = 0; c < count; ++c)
            m_cells.push_back(cells[c] ? Store(cells[c], std::strlen(cells[c])) : Span{});
        return;
    }
    Row row = AddRow(index);
    for (size_t c = 0; c < count && c < row.count; ++c)
        if (cells[c])
            m_cells[row.first + c] = Store(cells[c], std::strlen(cells[c]));
}

std::vector<MemoryList::Column> MemoryList::Columns() const
{
    std::vector<Column> columns;
    for (const StoredColumn& c : m_columns)
        columns.push_back({std::string(Text(c.heading)), c.width});
    return columns;
}

std::vector<std::vector<std::string>> MemoryList::Rows() const
{
    std::vector<std::vector<std::string>> rows(m_rows.size());
    for (size_t r = 0; r < m_rows.size(); ++r)
        for (size_t c = 0; c < CellCount(r); ++c)
            rows[r].emplace_back(Cell(r, c));
    return rows;
}

TreeItem MemoryTree::InsertItem(const std::string& text, int image, int selectedImage, TreeItem parent)
{
    parent = Find(parent) ? parent : kTreeRoot;
    Node& node = m_nodes.emplace_back();
    node.text = text;
    node.image = image;
    node.selectedImage = selectedImage;
    node.parent = parent;
    TreeItem item = m_nodes.size();
    if (parent == kTreeRoot)
        m_topLevel.push_back(item);
    else
        m_nodes[parent - 1].children.push_back(item);
    return item;
}

void MemoryTree::SetItemData(TreeItem item, uint32_t data)
{
    if (Find(item))
        m_nodes[item - 1].data = data;
}

uint32_t MemoryTree::GetItemData(TreeItem item) const
{
    const Node* node = Find(item);
    return node ? node->data : 0;
}

void MemoryTree::DeleteAllItems()
{
    m_nodes.clear();
    m_topLevel.clear();
    m_selected = kTreeRoot;
}

void MemoryTree::Expand(TreeItem item)
{
    if (Find(item))
        m_nodes[item - 1].expanded = true;
}

bool MemoryTree::ItemHasChildren(TreeItem item) const
{
    const Node* node = Find(item);
    return node && !node->children.empty();
}

const MemoryTree::Node* MemoryTree::Find(TreeItem item) const
{
    return item >= 1 && item <= m_nodes.size() ? &m_nodes[item - 1] : nullptr;
}

void MemoryTree::SetItemWarning(TreeItem item, const std::string& text)
{
    if (Find(item))
        m_nodes[item - 1].warning = text;
}
