#include "model/TreeFile.h"

#include "platform/AtomicFile.h"
#include "platform/ByteOrderMark.h"
#include "platform/FileSystem.h"

namespace {

bool IsIndent(char c) { return c == '\t' || c == ' '; }

// Splits at CR LF, LF or CR.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::string DepthError(std::size_t depth, std::string_view caption) {
  return "Level " + std::to_string(depth) + " of item '" + std::string(caption) +
         "' is more than one level below the item before it";
}

// Numbers a new node from its parent (null for a root) and its position
// among its siblings (1-based).
void Number(TreeNode& node, const TreeNode* parent, int position) {
  if (parent == nullptr) {
    node.Group = node.Subgroup = 0;
  } else if (node.Depth == 1) {
    node.Group = position;
    node.Subgroup = 0;
  } else if (node.Depth == 2) {
    node.Group = parent->Group;
    node.Subgroup = position;
  } else {
    node.Group = node.Subgroup = kNoGroup;
  }
}

}  // namespace

TreeFile ParseTreeFile(std::string_view text) {
  TreeFile tree;
  text = SkipUtf8Bom(text);
  // path[d] is the last node read at depth d. A node is only ever added to
  // the children of path.back() (or to the roots), and path is cut back to
  // its parent first, so no pointer in it is invalidated by the addition.
  std::vector<TreeNode*> path;
  for (std::string_view line : SplitLines(text)) {
    std::size_t depth = 0;
    while (depth < line.size() && IsIndent(line[depth])) ++depth;
    if (depth == line.size()) continue;
    const std::string_view caption = line.substr(depth);
    if (depth > path.size()) {
      tree.Error = DepthError(depth, caption);
      break;
    }
    path.resize(depth);
    TreeNode* parent = depth == 0 ? nullptr : path.back();
    std::vector<TreeNode>& siblings = parent == nullptr ? tree.Roots : parent->Children;
    TreeNode node;
    node.Caption = std::string(caption);
    node.Depth = static_cast<int>(depth);
    Number(node, parent, static_cast<int>(siblings.size()) + 1);
    siblings.push_back(std::move(node));
    path.push_back(&siblings.back());
  }
  return tree;
}

TreeFile LoadTreeFile(const std::string& path, std::size_t maxSize) {
  PathKind kind = PathKind::Missing;
  if (!InspectPath(path, kind) || kind == PathKind::Missing) return {};
  std::string content, error;
  if (!ReadWholeFile(path, &content, maxSize, &error)) return TreeFile{{}, error};
  return ParseTreeFile(content);
}

std::string TreeFileName(int languageIndex) {
  const int index = languageIndex == 1 || languageIndex == 2 ? languageIndex : 0;
  return "Tree" + std::to_string(index) + ".txt";
}

std::string TreeFileErrorText(std::string_view message) {
  return std::string(kTreeFileErrorClass) + " error raised, with message : " + std::string(message);
}
