#include "win32/controls.h"

#include <algorithm>
#include <vector>

#include "ui/rows_text.h"

static_assert(sizeof(HTREEITEM) <= sizeof(TreeItem), "a tree item holds an HTREEITEM");

namespace {

HTREEITEM ItemHandle(TreeItem item)
{
    return reinterpret_cast<HTREEITEM>(static_cast<uintptr_t>(item));
}

TreeItem Item(HTREEITEM handle)
{
    return static_cast<TreeItem>(reinterpret_cast<uintptr_t>(handle));
}

// The controls copy a text that they are given; the field is not const for the
// messages that fill it in.
char* Text(const std::string& text)
{
    return const_cast<char*>(text.c_str());
}

} // namespace

void Win32TreeControl::SetBkColor(COLORREF color)
{
    SendMessageA(m_tree, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(color));
}

void Win32TreeControl::SetImageList(HIMAGELIST images)
{
    SendMessageA(m_tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}

TreeItem Win32TreeControl::InsertItem(const std::string& text, int image, int selectedImage, TreeItem parent)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent == kTreeRoot ? TVI_ROOT : ItemHandle(parent);
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = Text(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return Item(reinterpret_cast<HTREEITEM>(SendMessageA(m_tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))));
}

void Win32TreeControl::SetItemData(TreeItem item, uint32_t data)
{
    if (item == kTreeRoot)
        return;
    TVITEMA tvItem = {};
    tvItem.mask = TVIF_PARAM;
    tvItem.hItem = ItemHandle(item);
    tvItem.lParam = static_cast<LPARAM>(data);
    SendMessageA(m_tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tvItem));
}

uint32_t Win32TreeControl::GetItemData(TreeItem item) const
{
    if (item == kTreeRoot)
        return 0;
    TVITEMA tvItem = {};
    tvItem.mask = TVIF_PARAM;
    tvItem.hItem = ItemHandle(item);
    if (!SendMessageA(m_tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvItem)))
        return 0;
    return static_cast<uint32_t>(tvItem.lParam);
}

void Win32TreeControl::DeleteAllItems()
{
    SendMessageA(m_tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

void Win32TreeControl::Expand(TreeItem item)
{
    if (item != kTreeRoot)
        SendMessageA(m_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(ItemHandle(item)));
}

TreeItem Win32TreeControl::GetSelectedItem() const
{
    return Item(reinterpret_cast<HTREEITEM>(SendMessageA(m_tree, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

bool Win32TreeControl::ItemHasChildren(TreeItem item) const
{
    if (item == kTreeRoot)
        return false;
    return SendMessageA(m_tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(ItemHandle(item))) != 0;
}

void Win32TreeControl::SetItemWarning(TreeItem item, const std::string& text)
{
    (void)text;
    if (item == kTreeRoot)
        return;
    TVITEMA tvItem = {};
    tvItem.mask = TVIF_STATE;
    tvItem.hItem = ItemHandle(item);
    tvItem.state = INDEXTOOVERLAYMASK(kWarningOverlay);
    tvItem.stateMask = TVIS_OVERLAYMASK;
    SendMessageA(m_tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tvItem));
}

int Win32ListControl::InsertColumn(int index, const std::string& heading, int width)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = Text(heading);
    column.iSubItem = index;
    return static_cast<int>(SendMessageA(m_list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column)));
}

bool Win32ListControl::DeleteColumn(int index)
{
    return SendMessageA(m_list, LVM_DELETECOLUMN, index, 0) != 0;
}

int Win32ListControl::GetColumnCount() const
{
    HWND header = reinterpret_cast<HWND>(SendMessageA(m_list, LVM_GETHEADER, 0, 0));
    if (header == nullptr)
        return 0;
    return std::max(0, static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)));
}

int Win32ListControl::InsertItem(int index, const std::string& text)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = Text(text);
    return static_cast<int>(SendMessageA(m_list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

bool Win32ListControl::SetItemText(int item, int subItem, const std::string& text)
{
    LVITEMA lvItem = {};
    lvItem.mask = LVIF_TEXT;
    lvItem.iItem = item;
    lvItem.iSubItem = subItem;
    lvItem.pszText = Text(text);
    return SendMessageA(m_list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&lvItem)) != 0;
}

void Win32ListControl::SetBkColor(uint32_t color)
{
    SendMessageA(m_list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(color));
}

void Win32ListControl::SetTextBkColor(uint32_t color)
{
    SendMessageA(m_list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(color));
}

int Win32ListControl::GetWindowWidth() const
{
    RECT rect = {};
    if (!GetWindowRect(m_list, &rect))
        return 0;
    return rect.right - rect.left;
}

std::string Win32ListControl::SelectedRowsText() const
{
    const int columns = GetColumnCount();
    std::vector<std::vector<std::string>> rows;
    int row = -1;
    while ((row = static_cast<int>(SendMessageA(m_list, LVM_GETNEXTITEM, row, LVNI_SELECTED))) >= 0) {
        rows.emplace_back();
        for (int column = 0; column < columns; ++column) {
            // The list copies at most the buffer less one: a full buffer may have cut the text.
            std::vector<char> text(256);
            for (;;) {
                LVITEMA item = {};
                item.iSubItem = column;
                item.pszText = text.data();
                item.cchTextMax = static_cast<int>(text.size());
                LRESULT length = SendMessageA(m_list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
                if (length < static_cast<LRESULT>(text.size()) - 1 || text.size() >= 0x10000) {
                    text.back() = '\0';
                    rows.back().emplace_back(text.data());
                    break;
                }
                text.resize(text.size() * 4);
            }
        }
    }
    return RowsText(rows, "\r\n");
}

void Win32MessageBox::Show(const std::string& text, const std::string& caption)
{
    MessageBoxA(m_owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void Win32MessageBox::ShowDetailed(const std::string& text, const std::string& caption, const std::string& details)
{
    Show(details.empty() ? text : text + "\n\n" + details, caption);
}
