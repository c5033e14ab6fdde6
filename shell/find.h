#pragma once
// Find in the main window: the structures whose caption or detail rows hold a text, in
// the order the tree shows them (type order, then instance order). No Qt here.
#include <cstddef>
#include <string>
#include <vector>

#include "reader/table_reader.h"

struct FindMatch {
    size_t index; // the structure's index entry
    int row;      // its first detail row with a cell holding the text; -1 when only the caption does
    int typeNode; // its type's node: the place among the root's children
    int instance; // its child under that node; -1 when the type node stands for it alone
};

// text is 8-bit, as table text is (Latin-1), and compared without case; an empty text
// matches nothing.
std::vector<FindMatch> FindStructures(CTableReader& reader, const std::string& text);
