#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The group tree files ("Tree0.txt" .. "Tree2.txt"): one node per line, the
// line's text is its caption, the number of tab or blank characters that
// begin the line is its depth (0 root, 1 group, 2 subgroup). A group is
// numbered by its position among its siblings + 1 and has subgroup 0; a
// subgroup takes its parent's group and is numbered by its own position + 1;
// a root is group 0, subgroup 0. Group and subgroup select the node's
// section (group * 100 + subgroup) in "ParNo.txt".

// Group and subgroup of a node deeper than a subgroup: it is shown in the
// tree, but it has no section, so selecting it shows no rows.
constexpr int kNoGroup = -1;

struct TreeNode {
  std::string Caption;  // the line without its leading tabs and blanks
  int Depth = 0;
  int Group = 0;
  int Subgroup = 0;
  std::vector<TreeNode> Children;

  bool HasSection() const { return Group != kNoGroup; }
};

struct TreeFile {
  std::vector<TreeNode> Roots;  // the depth-0 nodes in file order (normally one)
  // Set when a line was more than one level deeper than the line before it.
  // Reading stops there; the nodes read before it are kept.
  std::optional<std::string> Error;
};

// Reads the text of a tree file. Total: any bytes give a tree. A UTF-8 byte
// order mark is skipped; lines end in CR LF, LF or CR; empty lines and lines
// of only tabs and blanks are skipped. The first line counts as one level
// below nothing, so it must be a root.
TreeFile ParseTreeFile(std::string_view text);

constexpr std::size_t kMaxTreeFileSize = 4u * 1024u * 1024u;

// Reads a tree file from disk. A file that does not exist gives an empty tree
// and no error (the editor then shows an empty tree and grid); a file that
// cannot be read or is larger than maxSize gives an empty tree and an error.
TreeFile LoadTreeFile(const std::string& path, std::size_t maxSize = kMaxTreeFileSize);

// "Tree1.txt" and "Tree2.txt" for language 1 and 2, "Tree0.txt" for any other.
std::string TreeFileName(int languageIndex);

// The text of the message box that reports a loading error: the error's
// class name, " error raised, with message : " and the message.
constexpr const char* kTreeFileErrorClass = "ETreeFileError";
std::string TreeFileErrorText(std::string_view message);
