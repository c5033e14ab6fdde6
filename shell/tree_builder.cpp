#include "shell/tree_builder.h"

#include <charconv>

#include "res/string_table.h"

namespace {

constexpr size_t kComputerNameMax = 15;

// The caption comes from the structure the handle leads to, which for a duplicated
// handle may be another type's; empty when the handle leads nowhere.
const char* CaptionOf(CTableReader& reader, uint16_t handle)
{
    const uint8_t* structure = nullptr;
    if (reader.GetStructure(handle, &structure) != kOk || reader.CurrentStructure() == nullptr)
        return "";
    return LoadResString(kIdsCaptionBase + reader.CurrentStructure()->Type());
}

} // namespace

TreeItem BuildTree(CTableReader& reader, ITreeControl& tree, const std::string& computerName)
{
    std::string rootText = "Computer Name : " + computerName.substr(0, kComputerNameMax);
    tree.DeleteAllItems();
    TreeItem root = tree.InsertItem(rootText, kImageRoot, kImageRootSelected, kTreeRoot);
    for (int type = 0; type <= 255; ++type)
        AddTypeNode(reader, tree, root, type);
    tree.Expand(root);
    return root;
}

void AddTypeNode(CTableReader& reader, ITreeControl& tree, TreeItem root, int type)
{
    reader.FindFirst(type);
    uint16_t handle = 0;
    if (reader.FindNext(&handle) == kOk) {
        const char* caption = CaptionOf(reader, handle);
        TreeItem node = tree.InsertItem(*caption ? caption : "Unknown DMI Type", kImageStructure,
                                        kImageStructureSelected, root);
        tree.SetItemData(node, handle);
        uint16_t next = 0;
        if (reader.FindNext(&next) == kOk)
            AddInstanceNodes(reader, tree, type, node);
    }
    reader.FindClose();
}

void AddInstanceNodes(CTableReader& reader, ITreeControl& tree, int type, TreeItem node)
{
    reader.FindFirst(type);
    uint16_t handle = 0;
    std::string text; // one buffer for every child's "%s #.%d"
    for (int instance = 0; reader.FindNext(&handle) == kOk; ++instance) {
        text = CaptionOf(reader, handle);
        text += " #.";
        char digits[12];
        text.append(digits, std::to_chars(digits, digits + sizeof digits, instance).ptr);
        TreeItem child = tree.InsertItem(text, kImageStructure, kImageStructureSelected, node);
        tree.SetItemData(child, handle);
    }
}
