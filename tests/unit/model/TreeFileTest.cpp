#include "model/TreeFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

// "caption:group.subgroup" of every node, depth first, indented by depth.
std::string Outline(const std::vector<TreeNode>& nodes) {
  std::string out;
  for (const TreeNode& n : nodes)
    out += std::string(static_cast<std::size_t>(n.Depth), '>') + n.Caption + ":" + std::to_string(n.Group) + "." +
           std::to_string(n.Subgroup) + " " + Outline(n.Children);
  return out;
}

struct TreeCase {
  const char* name;
  std::string text;
  const char* outline;
  const char* error;  // empty: none
};

class TreeFileTable : public ::testing::TestWithParam<TreeCase> {};

TEST_P(TreeFileTable, ReadsNodesAndNumbersThem) {
  const TreeFile tree = ParseTreeFile(GetParam().text);
  EXPECT_EQ(Outline(tree.Roots), GetParam().outline);
  EXPECT_EQ(tree.Error.value_or(""), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TreeFileTable,
    ::testing::Values(
        TreeCase{"GroupsAndSubgroups", "Root\n\tA\n\t\tA1\n\t\tA2\n\tB\n\t\tB1\n",
                 "Root:0.0 >A:1.0 >>A1:1.1 >>A2:1.2 >B:2.0 >>B1:2.1 ", ""},
        TreeCase{"BlanksCountAsTabs_CrLfAndCr", "Root\r\n A\r \tA1\r\n", "Root:0.0 >A:1.0 >>A1:1.1 ", ""},
        TreeCase{"BomAndEmptyLinesSkipped", "\xEF\xBB\xBFRoot\n\n\t \n\tA\n", "Root:0.0 >A:1.0 ", ""},
        TreeCase{"DeeperThanSubgroupHasNoSection", "R\n\tA\n\t\tA1\n\t\t\tX\n\t\tA2\n",
                 "R:0.0 >A:1.0 >>A1:1.1 >>>X:-1.-1 >>A2:1.2 ", ""},
        TreeCase{"SeveralRootsNumberTheirOwnGroups", "R\n\tA\nS\n\tB\n\tC\n", "R:0.0 >A:1.0 S:0.0 >B:1.0 >C:2.0 ", ""},
        TreeCase{"JumpStopsReadingAndKeepsWhatWasRead", "R\n\tA\n\t\t\tDeep\n\tB\n", "R:0.0 >A:1.0 ",
                 "Level 3 of item 'Deep' is more than one level below the item before it"},
        TreeCase{"FirstLineMustBeARoot", "\tA\nR\n", "",
                 "Level 1 of item 'A' is more than one level below the item before it"},
        TreeCase{"Empty", "", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TreeFile, CaptionsKeepNulAndHighBytes) {
  const TreeFile tree = ParseTreeFile(std::string("R\n\ta\0b\xFF\n", 9));
  ASSERT_EQ(tree.Roots.at(0).Children.size(), 1u);
  EXPECT_EQ(tree.Roots[0].Children[0].Caption, std::string("a\0b\xFF", 4));
}

// Every child lies one level below its parent, whatever bytes were read.
bool DepthsConsistent(const std::vector<TreeNode>& nodes, int depth) {
  for (const TreeNode& n : nodes)
    if (n.Depth != depth || !DepthsConsistent(n.Children, depth + 1)) return false;
  return true;
}

TEST(TreeFile, GarbageGivesAConsistentTree) {
  std::mt19937 random(7);
  const char alphabet[] = {'\t', ' ', '\r', '\n', 'a', '\0', '\xEF', '\xBB', '\xBF'};
  for (int round = 0; round < 300; ++round) {
    std::string text(random() % 64, ' ');
    for (char& c : text) c = alphabet[random() % sizeof alphabet];
    SCOPED_TRACE(::testing::PrintToString(text));
    EXPECT_TRUE(DepthsConsistent(ParseTreeFile(text).Roots, 0));
  }
}

TEST(TreeFile, LoaderTreatsMissingFileAsEmptyAndRefusesOversizedFile) {
  const std::string path = (std::filesystem::temp_directory_path() / "vq2x_tree_test.txt").string();
  std::filesystem::remove(path);
  const TreeFile missing = LoadTreeFile(path);
  EXPECT_TRUE(missing.Roots.empty());
  EXPECT_FALSE(missing.Error);

  std::ofstream(path, std::ios::binary) << "Root\n\tGroup\n";
  EXPECT_EQ(LoadTreeFile(path).Roots.at(0).Children.at(0).Caption, "Group");
  const TreeFile tooLarge = LoadTreeFile(path, 5);
  EXPECT_TRUE(tooLarge.Roots.empty());
  EXPECT_TRUE(tooLarge.Error);
  std::filesystem::remove(path);
}

TEST(TreeFile, FileNamesAndErrorText) {
  EXPECT_EQ(TreeFileName(0), "Tree0.txt");
  EXPECT_EQ(TreeFileName(2), "Tree2.txt");
  EXPECT_EQ(TreeFileName(3), "Tree0.txt");
  EXPECT_EQ(TreeFileErrorText("x"), "ETreeFileError error raised, with message : x");
}

TEST(TreeFile, ShippedTreesReadWithoutError) {
  for (int language = 0; language < 3; ++language) {
    SCOPED_TRACE(language);
    const TreeFile tree = LoadTreeFile(std::string(VQ2X_DATA_DIR) + "/" + TreeFileName(language));
    EXPECT_FALSE(tree.Error);
    ASSERT_EQ(tree.Roots.size(), 1u);
    EXPECT_GE(tree.Roots[0].Children.size(), 6u);  // the clear button's group 6 exists
  }
}

}  // namespace
