#pragma once
// Builds the structure tree: the computer at the root, one node per type present
// in increasing type order, and one child per instance where a type repeats.
#include <cstdint>
#include <string>

#include "reader/table_reader.h"
#include "ui/tree_control.h"

constexpr int kImageRoot = 0;
constexpr int kImageRootSelected = 1;
constexpr int kImageStructure = 2;
constexpr int kImageStructureSelected = 3;

// What every front end gives the tree: its background and its image list, whose
// images are these icon resources in image index order, each fitted to 32 x 20.
constexpr uint32_t kTreeColor = 0x00B4FFFF; // pale yellow, 0x00BBGGRR
constexpr int kTreeImageWidth = 32;
constexpr int kTreeImageHeight = 20;
constexpr int kTreeImageIcons[] = {139, 129, 130, 131, 132, 133, 134};

// Returns the root item. computerName is cut to 15 characters.
TreeItem BuildTree(CTableReader& reader, ITreeControl& tree, const std::string& computerName);
void AddTypeNode(CTableReader& reader, ITreeControl& tree, TreeItem root, int type);
void AddInstanceNodes(CTableReader& reader, ITreeControl& tree, int type, TreeItem node);
