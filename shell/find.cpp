#include "shell/find.h"

#include <string_view>

#include "shell/tree_builder.h"
#include "shell/views.h"
#include "ui/memory_controls.h"

namespace {

constexpr int kFindListWidth = 600;

// Latin-1 upper-case letters to lower case; 0xD7 is the multiplication sign.
std::string Folded(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        auto u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
            c = static_cast<char>(u + 0x20);
    }
    return out;
}

} // namespace

std::vector<FindMatch> FindStructures(CTableReader& reader, const std::string& text)
{
    std::vector<FindMatch> matches;
    if (text.empty())
        return matches;
    const std::string needle = Folded(text);
    auto holds = [&needle](std::string_view s) { return Folded(s).find(needle) != std::string::npos; };
    MemoryList rows(kFindListWidth);
    int typeNode = 0;
    for (const std::vector<size_t>& instances : StructuresByType(reader)) {
        if (instances.empty())
            continue;
        for (size_t k = 0; k < instances.size(); ++k) {
            std::string caption = DecodeStructure(reader, instances[k], rows);
            int row = -1;
            for (size_t r = 0; r < rows.RowCount() && row < 0; ++r)
                for (size_t c = 0; c < rows.CellCount(r) && row < 0; ++c)
                    if (holds(rows.Cell(r, c)))
                        row = static_cast<int>(r);
            if (row >= 0 || holds(caption))
                matches.push_back({instances[k], row, typeNode, instances.size() > 1 ? static_cast<int>(k) : -1});
        }
        ++typeNode;
    }
    return matches;
}
