#include <gtest/gtest.h>

#include "shell/tree_builder.h"
#include "tests/table_builder.h"
#include "ui/memory_controls.h"

namespace {

struct Shown {
    std::string text;
    uint32_t data;
    std::vector<Shown> children;
    bool operator==(const Shown& o) const { return text == o.text && data == o.data && children == o.children; }
};

Shown Snapshot(const MemoryTree& tree, TreeItem item)
{
    const MemoryTree::Node* n = tree.Find(item);
    Shown s{n->text, n->data, {}};
    for (TreeItem c : n->children)
        s.children.push_back(Snapshot(tree, c));
    return s;
}

} // namespace

TEST(BuildTree, TypesInIncreasingOrderWithInstancesAndUnknownTypes)
{
    auto reader = OpenTable({Structure(17, 0x1100), Structure(200, 0xC800), Structure(0, 0x0000),
                             Structure(17, 0x1101), Structure(127, 0x7F00), Structure(17, 0x1102),
                             Structure(200, 0xC801), Structure(24, 0x1800)});
    MemoryTree tree;
    TreeItem root = BuildTree(*reader, tree, "PC1");
    const MemoryTree::Node* rootNode = tree.Find(root);
    EXPECT_EQ(rootNode->image, 0);
    EXPECT_EQ(rootNode->selectedImage, 1);
    EXPECT_TRUE(rootNode->expanded);
    Shown want{"Computer Name : PC1", 0,
               {{"BIOS Information (Type 0)", 0x0000, {}},
                {"Memory Device (Type 17)", 0x1100,
                 {{"Memory Device (Type 17) #.0", 0x1100, {}},
                  {"Memory Device (Type 17) #.1", 0x1101, {}},
                  {"Memory Device (Type 17) #.2", 0x1102, {}}}},
                {"Unknown DMI Type", 0x1800, {}},
                {"End-of-Table (Type 127)", 0x7F00, {}},
                {"Unknown DMI Type", 0xC800, {{" #.0", 0xC800, {}}, {" #.1", 0xC801, {}}}}}};
    EXPECT_EQ(Snapshot(tree, root), want);
    const MemoryTree::Node* type17 = tree.Find(rootNode->children[1]);
    EXPECT_EQ(type17->image, 2);
    EXPECT_EQ(type17->selectedImage, 3);
    EXPECT_EQ(tree.Find(type17->children[0])->image, 2);
}

TEST(BuildTree, DuplicateHandlesLeadToTheFirstStructure)
{
    // Handle 5 is a type 2 first and a type 3 later: both nodes show the type 2 caption.
    auto reader = OpenTable({Structure(2, 5), Structure(3, 5)});
    MemoryTree tree;
    TreeItem root = BuildTree(*reader, tree, "X");
    Shown want{"Computer Name : X", 0,
               {{"Base Board Information (Type 2)", 5, {}}, {"Base Board Information (Type 2)", 5, {}}}};
    EXPECT_EQ(Snapshot(tree, root), want);
}

TEST(BuildTree, NameIsCutTo15AndAnEmptyTableGivesTheRootAlone)
{
    auto reader = OpenTable({}, 0);
    MemoryTree tree;
    tree.InsertItem("stale", 0, 0, kTreeRoot);
    TreeItem root = BuildTree(*reader, tree, "A-VERY-LONG-HOSTNAME");
    EXPECT_EQ(tree.TopLevel().size(), 1u);
    EXPECT_EQ(Snapshot(tree, root), (Shown{"Computer Name : A-VERY-LONG-HOS", 0, {}}));
}
