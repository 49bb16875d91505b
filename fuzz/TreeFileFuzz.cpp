// The group tree files ("Tree0.txt" .. "Tree2.txt"): any bytes give a tree
// whose depths and numbers keep their promises.
#include "FuzzInput.h"
#include "model/TreeFile.h"

namespace {

void CheckNode(const TreeNode& node, int depth) {
  Require(node.Depth == depth);
  Require(node.Group == kNoGroup || (node.Group >= 0 && node.Subgroup >= 0));
  for (const TreeNode& child : node.Children) CheckNode(child, depth + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TreeFile tree = ParseTreeFile(InputText(data, size));
  for (const TreeNode& root : tree.Roots) CheckNode(root, 0);
  if (tree.Error) TreeFileErrorText(*tree.Error);
  return 0;
}
