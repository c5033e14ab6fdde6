#pragma once
// Win32 adapters of the control interfaces: the common controls driven by their
// messages (8-bit variants), and the message box over MessageBoxA.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ui/list_control.h"
#include "ui/message_box.h"
#include "ui/tree_control.h"

// A tree item is its HTREEITEM; kTreeRoot stands for TVI_ROOT as a parent.
class Win32TreeControl : public ITreeControl {
public:
    Win32TreeControl() = default;
    explicit Win32TreeControl(HWND tree) : m_tree(tree) {}
    void Attach(HWND tree) { m_tree = tree; }
    HWND Handle() const { return m_tree; }

    void SetBkColor(COLORREF color);
    void SetImageList(HIMAGELIST images);

    TreeItem InsertItem(const std::string& text, int image, int selectedImage, TreeItem parent) override;
    void SetItemData(TreeItem item, uint32_t data) override;
    uint32_t GetItemData(TreeItem item) const override;
    void DeleteAllItems() override;
    void Expand(TreeItem item) override;
    TreeItem GetSelectedItem() const override;
    bool ItemHasChildren(TreeItem item) const override;
    // The item gets overlay kWarningOverlay of the tree's image list. A 4.70 tree has
    // no item tips, so the text is left out: the About box lists the problems.
    void SetItemWarning(TreeItem item, const std::string& text) override;

    // The overlay number of the warning sign in the tree's image list.
    static constexpr int kWarningOverlay = 1;

private:
    HWND m_tree = nullptr;
};

class Win32ListControl : public IListControl {
public:
    Win32ListControl() = default;
    explicit Win32ListControl(HWND list) : m_list(list) {}
    void Attach(HWND list) { m_list = list; }

    int InsertColumn(int index, const std::string& heading, int width) override;
    bool DeleteColumn(int index) override;
    int GetColumnCount() const override;
    int InsertItem(int index, const std::string& text) override;
    bool SetItemText(int item, int subItem, const std::string& text) override;
    void SetBkColor(uint32_t color) override;
    void SetTextBkColor(uint32_t color) override;
    int GetWindowWidth() const override;

    // The selected rows, top to bottom, as RowsText writes them for the clipboard
    // (lines end in CR LF, as CF_TEXT's do).
    std::string SelectedRowsText() const;

private:
    HWND m_list = nullptr;
};

// MessageBoxA with OK and the exclamation icon, owned by a window (which may come
// later than the box object: the main window's handle exists only once it initialises).
class Win32MessageBox : public IMessageBox {
public:
    explicit Win32MessageBox(HWND owner = nullptr) : m_owner(owner) {}
    void SetOwner(HWND owner) { m_owner = owner; }
    void Show(const std::string& text, const std::string& caption) override;
    // The program has no console to print the details on: they go under the text.
    void ShowDetailed(const std::string& text, const std::string& caption, const std::string& details) override;

private:
    HWND m_owner;
};
