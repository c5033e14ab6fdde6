#include "ui/memory_controls.h"

int MemoryList::InsertColumn(int index, const std::string& heading, int width)
{
    if (index < 0 || index > GetColumnCount())
        index = GetColumnCount();
    m_columns.insert(m_columns.begin() + index, Column{heading, width});
    for (auto& row : m_rows)
        row.insert(row.begin() + (index < static_cast<int>(row.size()) ? index : static_cast<int>(row.size())), "");
    return index;
}

bool MemoryList::DeleteColumn(int index)
{
    if (index < 0 || index >= GetColumnCount())
        return false;
    m_columns.erase(m_columns.begin() + index);
    for (auto& row : m_rows)
        if (index < static_cast<int>(row.size()))
            row.erase(row.begin() + index);
    return true;
}

int MemoryList::InsertItem(int index, const std::string& text)
{
    if (index < 0 || index > static_cast<int>(m_rows.size()))
        index = static_cast<int>(m_rows.size());
    std::vector<std::string> row(m_columns.empty() ? 1 : m_columns.size());
    row[0] = text;
    m_rows.insert(m_rows.begin() + index, std::move(row));
    return index;
}

bool MemoryList::SetItemText(int item, int subItem, const std::string& text)
{
    if (item < 0 || item >= static_cast<int>(m_rows.size()) || subItem < 0 || subItem >= GetColumnCount())
        return false;
    m_rows[item][subItem] = text;
    return true;
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
