#include <gtest/gtest.h>

#include "shell/tree_builder.h"
#include "tests/table_builder.h"
#include "ui/memory_controls.h"

// The tree's texts and handles are in cases/tree.case; these are what the case lines leave out.
TEST(BuildTree, ImagesAndTheNameCutTo15)
{
    auto reader = OpenTable({Structure(17, 0x1100), Structure(17, 0x1101)});
    MemoryTree tree;
    tree.InsertItem("stale", 0, 0, kTreeRoot);
    TreeItem root = BuildTree(*reader, tree, "A-VERY-LONG-HOSTNAME");
    ASSERT_EQ(tree.TopLevel().size(), 1u);
    const MemoryTree::Node* rootNode = tree.Find(root);
    EXPECT_EQ(rootNode->text, "Computer Name : A-VERY-LONG-HOS");
    EXPECT_EQ(rootNode->image, 0);
    EXPECT_EQ(rootNode->selectedImage, 1);
    EXPECT_TRUE(rootNode->expanded);
    const MemoryTree::Node* type17 = tree.Find(rootNode->children[0]);
    EXPECT_EQ(type17->image, 2);
    EXPECT_EQ(type17->selectedImage, 3);
    EXPECT_EQ(tree.Find(type17->children[0])->image, 2);
}
