#pragma once
// The tree control that the structure tree's logic drives.
#include <cstdint>
#include <string>

using TreeItem = uint64_t;
constexpr TreeItem kTreeRoot = 0; // the parent of top-level items; also "no item"

class ITreeControl {
public:
    virtual ~ITreeControl() = default;
    // Inserts an item as the last child of parent; returns it.
    virtual TreeItem InsertItem(const std::string& text, int image, int selectedImage, TreeItem parent) = 0;
    virtual void SetItemData(TreeItem item, uint32_t data) = 0;
    virtual uint32_t GetItemData(TreeItem item) const = 0;
    virtual void DeleteAllItems() = 0;
    virtual void Expand(TreeItem item) = 0;
    virtual TreeItem GetSelectedItem() const = 0;
    virtual bool ItemHasChildren(TreeItem item) const = 0;
    // Marks an item with a warning sign whose tooltip is text. A tree without a way
    // to show it may leave it out: the views and the About box say the same.
    virtual void SetItemWarning(TreeItem item, const std::string& text)
    {
        (void)item;
        (void)text;
    }
};
