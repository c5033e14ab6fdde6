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

#ifdef _WIN32
constexpr const char* kSeparators = "/\\";
#else
constexpr const char* kSeparators = "/";

// Tree text is 8-bit, Latin-1 as far as it means anything, but a path here is UTF-8
// mostly: its Latin-1 characters carry over, and others show as '?'. A path that is not
// UTF-8 keeps its bytes.
std::string Latin1Of(const std::string& utf8)
{
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        auto lead = static_cast<unsigned char>(utf8[i]);
        size_t n = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        if (n == 0 || n > utf8.size() - i)
            return utf8;
        unsigned code = n == 1 ? lead : lead & (0x7Fu >> n);
        for (size_t k = 1; k < n; ++k) {
            auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                return utf8;
            code = (code << 6) | (next & 0x3Fu);
        }
        out += code <= 0xFF ? static_cast<char>(code) : '?';
        i += n;
    }
    return out;
}
#endif

} // namespace

std::string SavedTableName(const CTableReader& reader)
{
    if (reader.Origin() != TableOrigin::Saved)
        return {};
    std::string path = reader.Source();
    size_t end = path.find_last_not_of(kSeparators); // "copy/" names the folder copy
    if (end == std::string::npos)
        return path; // the root folder
    path.erase(end + 1);
    path.erase(0, path.find_last_of(kSeparators) + 1);
#ifdef _WIN32
    return path; // already in the code page that the windows show
#else
    return Latin1Of(path);
#endif
}

std::string RootText(const CTableReader& reader, const std::string& computerName)
{
    if (reader.Origin() == TableOrigin::Saved)
        return "Saved Table : " + SavedTableName(reader);
    return "Computer Name : " + computerName.substr(0, kComputerNameMax);
}

TreeItem BuildTree(CTableReader& reader, ITreeControl& tree, const std::string& computerName)
{
    tree.DeleteAllItems();
    TreeItem root = tree.InsertItem(RootText(reader, computerName), kImageRoot, kImageRootSelected, kTreeRoot);
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
    const char* caption = nullptr; // the one text holds, nearly always the same for all
    size_t prefix = 0;
    for (int instance = 0; reader.FindNext(&handle) == kOk; ++instance) {
        const char* next = CaptionOf(reader, handle);
        if (next != caption) {
            caption = next;
            text = caption;
            text += " #.";
            prefix = text.size();
        }
        char digits[12];
        size_t n = static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, instance).ptr - digits);
        text.replace(prefix, std::string::npos, digits, n);
        TreeItem child = tree.InsertItem(text, kImageStructure, kImageStructureSelected, node);
        tree.SetItemData(child, handle);
    }
}

std::vector<std::vector<size_t>> StructuresByType(const CTableReader& reader)
{
    std::vector<std::vector<size_t>> byType(256);
    for (size_t i = 0; i < reader.IndexedCount(); ++i)
        byType[reader.IndexEntry(i).Type()].push_back(i);
    return byType;
}
