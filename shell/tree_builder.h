#pragma once
// Builds the structure tree: the computer (or the saved table's file) at the root,
// one node per type present in increasing type order, and one child per instance
// where a type repeats.
#include <cstdint>
#include <string>
#include <vector>

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

// Returns the root item, whose text is RootText's.
TreeItem BuildTree(CTableReader& reader, ITreeControl& tree, const std::string& computerName);
// "Computer Name : NAME" for this machine's table, with NAME cut to 15 characters;
// "Saved Table : FILE" for a saved one, with FILE its SavedTableName, whole.
std::string RootText(const CTableReader& reader, const std::string& computerName);

// The indices of each type's structures (by type, 0-255), in table order: the tree's
// order of type nodes and of their instances.
std::vector<std::vector<size_t>> StructuresByType(const CTableReader& reader);
// The base name of the saved table's path (a folder's own name), as 8-bit text like
// the table's strings; empty for this machine's table.
std::string SavedTableName(const CTableReader& reader);
void AddTypeNode(CTableReader& reader, ITreeControl& tree, TreeItem root, int type);
void AddInstanceNodes(CTableReader& reader, ITreeControl& tree, int type, TreeItem node);
