// Checks of the shipped parameter catalogue: "Parameters.txt", "ParNo.txt",
// the group trees "Tree0.txt".."Tree2.txt" and the error-help documents
// "ErrorHelp0.rtf".."ErrorHelp2.rtf". The windows and the device simulator
// rely on these files holding together, so every rule here is one that a
// window would otherwise trip over at run time.
#include "platform/CommaList.h"
#include "platform/IniDocument.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kParameterCount = 316;
constexpr int kLanguageCount = 3;
constexpr int kEditorRows = 18;
constexpr int kCamGroup = 6;
constexpr int kMaxTreeDepth = 2;
constexpr std::size_t kMaxNameLength = 38;  // the printout's name column

using Problems = std::vector<std::string>;

std::string DataPath(const std::string& name) { return std::string(VQ2X_DATA_DIR) + "/" + name; }

std::optional<std::string> ReadBytes(const std::string& name) {
  std::ifstream in(DataPath(name), std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Describe(const Problems& problems) {
  std::string text;
  for (const auto& problem : problems) text += "\n  " + problem;
  return text;
}

std::string SectionOf(int parameter) {
  char name[8];
  std::snprintf(name, sizeof name, "%03d", parameter);
  return name;
}

IniDocument LoadDocument(const std::string& name) {
  std::string error;
  auto doc = IniDocument::LoadFile(DataPath(name), &error);
  if (!doc) ADD_FAILURE() << name << " cannot be read: " << error;
  return doc.value_or(IniDocument{});
}

const IniDocument& Parameters() {
  static const IniDocument doc = LoadDocument("Parameters.txt");
  return doc;
}

const IniDocument& ParNo() {
  static const IniDocument doc = LoadDocument("ParNo.txt");
  return doc;
}

std::optional<std::int32_t> NumberKey(const std::string& section, const std::string& key) {
  const auto value = Parameters().Find(section, key);
  return value ? ParseWholeNumber(*value) : std::nullopt;
}

std::int32_t IntegerKey(const std::string& section, const std::string& key) {
  return Parameters().ReadInteger(section, key, 0);
}

bool IsPlaceholder(const std::string& text) {
  static const std::regex placeholder(R"(tekst\s*[0-9]+)", std::regex::icase);
  return std::regex_search(text, placeholder);
}

std::size_t CodePoints(const std::string& text) {
  std::size_t count = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++count;
  return count;
}

int ContinuationBytes(unsigned char lead) {
  if (lead < 0x80) return 0;
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if ((lead & 0xF0) == 0xE0) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return -1;
}

bool IsValidUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const int extra = ContinuationBytes(static_cast<unsigned char>(text[i]));
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size()) return false;
    for (int k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

// --- option lists ----------------------------------------------------------

std::string OptionKey(int language) { return "opties" + std::to_string(language); }

bool IsReference(const std::vector<std::string>& items) {
  return items.size() == 1 && !items[0].empty() && items[0][0] == '#';
}

std::vector<std::string> DirectOptions(const std::string& section, int language) {
  return ParseCommaList(Parameters().ReadString(section, OptionKey(language), ""));
}

// The option list as the windows see it: a single "#nnn" item stands for the
// list of section nnn, followed once.
std::vector<std::string> ResolvedOptions(const std::string& section, int language) {
  const auto items = DirectOptions(section, language);
  return IsReference(items) ? DirectOptions(items[0].substr(1), language) : items;
}

// --- group trees -------------------------------------------------------------

struct TreeNode {
  int depth = 0;
  std::string caption;
  int number = 0;  // group * 100 + subgroup, the ParNo.txt section name
  bool leaf = true;
};

struct Tree {
  bool found = false;
  std::vector<TreeNode> nodes;
  Problems problems;
};

// Depth is the count of leading tabs; a group's number counts its position
// among the groups from 1, a subgroup's its position within its group.
Tree ReadTree(int language) {
  Tree tree;
  const std::string name = "Tree" + std::to_string(language) + ".txt";
  const auto text = ReadBytes(name);
  if (!text) return tree;
  tree.found = true;
  std::istringstream lines(*text);
  std::string line;
  int group = 0;
  int subgroup = 0;
  while (std::getline(lines, line)) {
    TreeNode node;
    while (static_cast<std::size_t>(node.depth) < line.size() && line[node.depth] == '\t') ++node.depth;
    node.caption = line.substr(node.depth);
    const std::string where = name + " line " + std::to_string(tree.nodes.size() + 1);
    if (!node.caption.empty() && (node.caption.front() == ' ' || node.caption.back() == ' '))
      tree.problems.push_back(where + ": blanks around the caption");
    if (node.depth == 1) {
      ++group;
      subgroup = 0;
    } else if (node.depth == 2) {
      ++subgroup;
    }
    node.number = group * 100 + subgroup;
    if (!tree.nodes.empty() && node.depth > tree.nodes.back().depth) tree.nodes.back().leaf = false;
    tree.nodes.push_back(node);
  }
  return tree;
}

Problems TreeShapeProblems(const Tree& tree) {
  Problems problems = tree.problems;
  if (tree.nodes.empty()) return {"the tree is empty"};
  if (tree.nodes.front().depth != 0) problems.push_back("the first line is not the root");
  for (std::size_t i = 0; i < tree.nodes.size(); ++i) {
    const auto& node = tree.nodes[i];
    const std::string where = "line " + std::to_string(i + 1) + " \"" + node.caption + "\"";
    if (i > 0 && node.depth == 0) problems.push_back(where + ": a second root");
    if (node.depth > kMaxTreeDepth) problems.push_back(where + ": deeper than a subgroup");
    if (i > 0 && node.depth > tree.nodes[i - 1].depth + 1) problems.push_back(where + ": skips a level");
    if (node.caption.empty()) problems.push_back(where + ": empty caption");
    if (IsPlaceholder(node.caption)) problems.push_back(where + ": placeholder caption");
  }
  return problems;
}

std::set<int> NodeNumbers(const Tree& tree) {
  std::set<int> numbers;
  for (const auto& node : tree.nodes) numbers.insert(node.number);
  return numbers;
}

// --- ParNo.txt ---------------------------------------------------------------

// Parameter numbers of one node's rows, in row order.
std::vector<int> RowsOf(const std::string& section) {
  std::vector<int> rows;
  for (int r = 1; r <= kEditorRows; ++r) {
    const auto value = ParNo().Find(section, "ParId" + std::to_string(r));
    if (!value) break;
    rows.push_back(ParseWholeNumber(*value).value_or(-1));
  }
  return rows;
}

std::set<int> ParametersShownBy(const std::set<int>& nodeNumbers) {
  std::set<int> shown;
  for (const auto& section : ParNo().Sections()) {
    const auto number = ParseWholeNumber(section);
    if (!number || !nodeNumbers.count(*number)) continue;
    for (int p : RowsOf(section)) shown.insert(p);
  }
  return shown;
}

// --- Parameters.txt: whole-file rules ----------------------------------------

TEST(ParametersFile, HoldsOneSectionPerParameterInOrder) {
  std::vector<std::string> expected;
  for (int n = 0; n < kParameterCount; ++n) expected.push_back(SectionOf(n));
  EXPECT_EQ(Parameters().Sections(), expected);
}

TEST(ParametersFile, EveryParameterHasItsNumericKeys) {
  Problems problems;
  for (int n = 0; n < kParameterCount; ++n)
    for (const char* key : {"type", "dec", "min", "max", "default"})
      if (!NumberKey(SectionOf(n), key)) problems.push_back(SectionOf(n) + ": \"" + key + "\" missing or not a number");
  EXPECT_TRUE(problems.empty()) << Describe(problems);
}

TEST(ParametersFile, TypeIsNumberOrChoice) {
  Problems problems;
  for (int n = 0; n < kParameterCount; ++n) {
    const int type = IntegerKey(SectionOf(n), "type");
    if (type != 0 && type != 1) problems.push_back(SectionOf(n) + ": type " + std::to_string(type));
  }
  EXPECT_TRUE(problems.empty()) << Describe(problems);
}

TEST(ParametersFile, DefaultLiesWithinOrderedLimits) {
  Problems problems;
  for (int n = 0; n < kParameterCount; ++n) {
    const auto sec = SectionOf(n);
    const int min = IntegerKey(sec, "min"), max = IntegerKey(sec, "max"), def = IntegerKey(sec, "default");
    if (min > max) problems.push_back(sec + ": min above max");
    if (def < min || def > max) problems.push_back(sec + ": default " + std::to_string(def) + " outside the limits");
  }
  EXPECT_TRUE(problems.empty()) << Describe(problems);
}

TEST(ParametersFile, DecimalsCodeIsKnown) {
  // 0..4 decimals, or 9 / 10 for the decimals held by parameters 203 / 248.
  Problems problems;
  for (int n = 0; n < kParameterCount; ++n) {
    const int dec = IntegerKey(SectionOf(n), "dec");
    const bool known = (dec >= 0 && dec <= 4) || dec == 9 || dec == 10;
    if (!known) problems.push_back(SectionOf(n) + ": dec " + std::to_string(dec));
  }
  EXPECT_TRUE(problems.empty()) << Describe(problems);
}

TEST(ParametersFile, NumericParametersCarryNoOptions) {
  Problems problems;
  for (int n = 0; n < kParameterCount; ++n)
    for (int language = 0; language < kLanguageCount; ++language)
      if (IntegerKey(SectionOf(n), "type") == 0 && Parameters().HasKey(SectionOf(n), OptionKey(language)))
        problems.push_back(SectionOf(n) + ": a number with " + OptionKey(language));
  EXPECT_TRUE(problems.empty()) << Describe(problems);
}

// --- Parameters.txt: per-language rules --------------------------------------

class ParametersLanguage : public ::testing::TestWithParam<int> {};

TEST_P(ParametersLanguage, EveryParameterHasARealName) {
  const std::string key = "naam" + std::to_string(GetParam());
  Problems problems;
  for (int n = 0; n < kParameterCount; ++n) {
    const auto name = Parameters().ReadString(SectionOf(n), key, "");
    if (name.empty()) problems.push_back(SectionOf(n) + ": no " + key);
    if (IsPlaceholder(name)) problems.push_back(SectionOf(n) + ": placeholder " + name);
    if (CodePoints(name) > kMaxNameLength) problems.push_back(SectionOf(n) + ": name too long for the printout");
  }
  EXPECT_TRUE(problems.empty()) << Describe(problems);
}

TEST_P(ParametersLanguage, ChoiceOptionsCoverTheWholeRange) {
  Problems problems;
  for (int n = 0; n < kParameterCount; ++n) {
    const auto sec = SectionOf(n);
    if (IntegerKey(sec, "type") != 1) continue;
    const auto options = ResolvedOptions(sec, GetParam());
    if (IntegerKey(sec, "min") < 0) problems.push_back(sec + ": negative min for an option index");
    if (static_cast<long long>(options.size()) < IntegerKey(sec, "max") + 1LL)
      problems.push_back(sec + ": " + std::to_string(options.size()) + " options for max " +
                         std::to_string(IntegerKey(sec, "max")));
    for (const auto& option : options)
      if (option.empty() || IsPlaceholder(option)) problems.push_back(sec + ": empty or placeholder option");
  }
  EXPECT_TRUE(problems.empty()) << Describe(problems);
}

TEST_P(ParametersLanguage, ReferencesNameAChoiceWithItsOwnList) {
  Problems problems;
  for (int n = 0; n < kParameterCount; ++n) {
    const auto sec = SectionOf(n);
    const auto items = DirectOptions(sec, GetParam());
    if (!IsReference(items)) continue;
    const auto target = items[0].substr(1);
    if (!Parameters().HasSection(target) || target.size() != 3)
      problems.push_back(sec + ": refers to missing section " + target);
    else if (IsReference(DirectOptions(target, GetParam())) || IntegerKey(target, "type") != 1)
      problems.push_back(sec + ": refers to " + target + ", which has no list of its own");
  }
  EXPECT_TRUE(problems.empty()) << Describe(problems);
}

INSTANTIATE_TEST_SUITE_P(Languages, ParametersLanguage, ::testing::Range(0, kLanguageCount));

// --- roles that the windows and the simulator rely on ------------------------

struct Role {
  const char* name;
  int first;
  int last;
  int type;
  std::optional<int> dec;
  std::optional<int> min;
  std::optional<int> max;
  std::optional<std::size_t> options;   // exact count after following a reference
  std::optional<std::string> reference; // "#nnn" that every language must hold
};

class FixedRole : public ::testing::TestWithParam<Role> {};

TEST_P(FixedRole, HoldsForEveryParameterOfTheRole) {
  const Role& role = GetParam();
  for (int n = role.first; n <= role.last; ++n) {
    const auto sec = SectionOf(n);
    SCOPED_TRACE(sec);
    EXPECT_EQ(IntegerKey(sec, "type"), role.type);
    if (role.dec) { EXPECT_EQ(IntegerKey(sec, "dec"), *role.dec); }
    if (role.min) { EXPECT_EQ(IntegerKey(sec, "min"), *role.min); }
    if (role.max) { EXPECT_EQ(IntegerKey(sec, "max"), *role.max); }
    for (int language = 0; language < kLanguageCount; ++language) {
      SCOPED_TRACE(OptionKey(language));
      if (role.options) { EXPECT_EQ(ResolvedOptions(sec, language).size(), *role.options); }
      if (role.reference) { EXPECT_EQ(Parameters().ReadString(sec, OptionKey(language), ""), *role.reference); }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, FixedRole,
    ::testing::Values(
        Role{"CamStart", 7, 18, 0, 9, {}, {}, {}, {}},
        Role{"CamEnd", 31, 42, 0, 9, {}, {}, {}, {}},
        Role{"CamHysteresis", 55, 66, 0, 9, {}, {}, {}, {}},
        Role{"OutputAdvance", 94, 97, 0, 3, {}, {}, {}, {}},
        Role{"CamSwitchingTime", 120, 131, 0, 3, {}, {}, {}, {}},
        Role{"LinearisationX", 140, 169, 0, 9, {}, {}, {}, {}},
        Role{"LinearisationY", 170, 199, 0, 10, {}, {}, {}, {}},
        Role{"PositionDecimals", 203, 203, 0, 0, 0, 4, {}, {}},
        Role{"AnalogInputMode", 226, 226, 1, {}, 0, 1, 2, {}},
        Role{"AnalogOutputMode", 231, 231, 1, {}, 0, 2, 3, {}},
        Role{"LinearisationMode", 241, 241, 1, {}, 0, 2, 3, {}},
        Role{"PeakHold1", 242, 242, 1, {}, 0, 1, 2, {}},
        Role{"PeakHold2", 244, 244, 1, {}, 0, 1, 2, {}},
        Role{"LinearisationSource", 246, 246, 1, {}, 0, {}, {}, {}},
        Role{"LinearisationPoints", 247, 247, 0, 0, 0, 30, {}, {}},
        Role{"LinearisationDecimals", 248, 248, 0, 0, 0, 4, {}, {}},
        Role{"InputFunctions", 249, 250, 1, {}, 0, {}, {}, {}},
        Role{"OutputFunction1", 252, 252, 1, {}, 0, {}, {}, {}},
        Role{"OutputFunctions2To4", 253, 255, 1, {}, 0, {}, {}, std::string("#252")},
        Role{"CamFunctions", 256, 267, 1, {}, 0, 5, 6, {}},
        Role{"CamOutputs", 268, 279, 1, {}, {}, 4, {}, {}},
        Role{"CamSources", 280, 291, 1, {}, 0, {}, {}, {}},
        Role{"CamEndFromSetpoint", 292, 292, 1, {}, 0, 24, 25, {}},
        Role{"CamEndFromSetpointShared", 293, 303, 1, {}, 0, 24, 25, std::string("#292")},
        Role{"CamStartFromSetpoint", 304, 315, 1, {}, 0, 24, 25, std::string("#292")}),
    [](const auto& info) { return std::string(info.param.name); });

// --- ParNo.txt and the trees --------------------------------------------------

TEST(ParNoFile, RowsStayWithinTheEditorAndNameParameters) {
  Problems problems;
  for (const auto& section : ParNo().Sections()) {
    if (!ParseWholeNumber(section)) problems.push_back("[" + section + "]: not a node number");
    const auto keys = ParNo().Keys(section);
    for (const auto& key : keys) {
      static const std::regex rowKey(R"(parid([1-9][0-9]*))", std::regex::icase);
      std::smatch match;
      if (!std::regex_match(key, match, rowKey) || std::stoi(match[1].str()) > kEditorRows)
        problems.push_back("[" + section + "] " + key + ": not a row of the editor");
    }
    const auto rows = RowsOf(section);
    if (rows.size() != keys.size())
      problems.push_back("[" + section + "]: rows not numbered 1.." + std::to_string(keys.size()));
    for (int p : rows)
      if (p < 0 || p >= kParameterCount || !Parameters().HasSection(SectionOf(p)))
        problems.push_back("[" + section + "]: row names no parameter (" + std::to_string(p) + ")");
  }
  EXPECT_FALSE(ParNo().Sections().empty());
  EXPECT_TRUE(problems.empty()) << Describe(problems);
}

TEST(ParNoFile, SectionsAndTreeNodesCorrespond) {
  // Every section belongs to a node, and every leaf node has rows to show.
  const Tree tree = ReadTree(0);
  const auto numbers = NodeNumbers(tree);
  Problems problems;
  for (const auto& section : ParNo().Sections())
    if (!numbers.count(ParseWholeNumber(section).value_or(-1))) problems.push_back("[" + section + "]: no tree node");
  for (const auto& node : tree.nodes)
    if (node.leaf && RowsOf(std::to_string(node.number)).empty())
      problems.push_back("leaf \"" + node.caption + "\" (" + std::to_string(node.number) + ") shows nothing");
  EXPECT_TRUE(tree.found);
  EXPECT_TRUE(problems.empty()) << Describe(problems);
}

TEST(ParNoFile, EveryParameterIsReachableFromTheTree) {
  const auto shown = ParametersShownBy(NodeNumbers(ReadTree(0)));
  Problems problems;
  for (int n = 0; n < kParameterCount; ++n)
    if (!shown.count(n)) problems.push_back(SectionOf(n) + " is in no node");
  EXPECT_TRUE(problems.empty()) << Describe(problems);
}

TEST(ParNoFile, CamGroupHoldsEveryCamSetting) {
  // The editor's clear button works on group 6, so the cams must live there.
  std::set<int> camNodes;
  for (const auto& node : ReadTree(0).nodes)
    if (node.number / 100 == kCamGroup) camNodes.insert(node.number);
  ASSERT_FALSE(camNodes.empty()) << "the tree has no group " << kCamGroup;
  const auto shown = ParametersShownBy(camNodes);
  Problems problems;
  const std::vector<std::pair<int, int>> camBlocks = {{7, 18}, {31, 42}, {55, 66}, {120, 131}, {256, 315}};
  for (const auto& [first, last] : camBlocks)
    for (int n = first; n <= last; ++n)
      if (!shown.count(n)) problems.push_back(SectionOf(n) + " is not in group 6");
  EXPECT_TRUE(problems.empty()) << Describe(problems);
}

class TreeFile : public ::testing::TestWithParam<int> {};

TEST_P(TreeFile, IsAWellFormedGroupTree) {
  const Tree tree = ReadTree(GetParam());
  ASSERT_TRUE(tree.found) << "Tree" << GetParam() << ".txt missing";
  const auto problems = TreeShapeProblems(tree);
  EXPECT_TRUE(problems.empty()) << Describe(problems);
}

TEST_P(TreeFile, HasTheShapeOfTheDutchTree) {
  const Tree dutch = ReadTree(0);
  const Tree tree = ReadTree(GetParam());
  ASSERT_EQ(tree.nodes.size(), dutch.nodes.size());
  for (std::size_t i = 0; i < tree.nodes.size(); ++i)
    EXPECT_EQ(tree.nodes[i].depth, dutch.nodes[i].depth) << "line " << i + 1 << " \"" << tree.nodes[i].caption << "\"";
}

INSTANTIATE_TEST_SUITE_P(Languages, TreeFile, ::testing::Range(0, kLanguageCount));

// --- encoding of the text files -----------------------------------------------

class CatalogueText : public ::testing::TestWithParam<const char*> {};

TEST_P(CatalogueText, IsUtf8WithoutBomWithLineFeeds) {
  const auto text = ReadBytes(GetParam());
  ASSERT_TRUE(text.has_value()) << GetParam() << " missing";
  EXPECT_NE(text->rfind("\xEF\xBB\xBF", 0), 0u) << "byte order mark";
  EXPECT_EQ(text->find('\r'), std::string::npos) << "carriage return";
  EXPECT_TRUE(IsValidUtf8(*text));
  EXPECT_TRUE(!text->empty() && text->back() == '\n') << "last line without line feed";
}

INSTANTIATE_TEST_SUITE_P(Files, CatalogueText,
                         ::testing::Values("Parameters.txt", "ParNo.txt", "Tree0.txt", "Tree1.txt", "Tree2.txt"),
                         [](const auto& info) {
                           std::string name = info.param;
                           return name.substr(0, name.find('.'));
                         });

// --- error help documents -------------------------------------------------------

// Error numbers the device reports with "rf"; each help document explains all.
const std::vector<int> kDeviceErrors = {10, 11, 12, 20, 21, 22, 30, 31, 40, 41, 50, 51, 60};

// Braces that open and close groups, skipping escaped ones ("\{", "\}", "\\").
bool BracesBalance(const std::string& rtf) {
  int depth = 0;
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') {
      ++i;
    } else if (rtf[i] == '{') {
      ++depth;
    } else if (rtf[i] == '}' && --depth < 0) {
      return false;
    }
  }
  return depth == 0;
}

// An error number as a heading writes it: the number on its own, then ":".
bool MentionsError(const std::string& rtf, int number) {
  const std::regex heading("(^|[^0-9])" + std::to_string(number) + ":");
  return std::regex_search(rtf, heading);
}

class ErrorHelp : public ::testing::TestWithParam<int> {
protected:
  std::string Document() const {
    const auto text = ReadBytes("ErrorHelp" + std::to_string(GetParam()) + ".rtf");
    if (!text) ADD_FAILURE() << "ErrorHelp" << GetParam() << ".rtf missing";
    return text.value_or("");
  }
};

TEST_P(ErrorHelp, IsAnRtfDocumentWithBalancedGroups) {
  const auto rtf = Document();
  EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
  EXPECT_NE(rtf.find("\\ansicpg1252"), std::string::npos);
  EXPECT_NE(rtf.find("{\\fonttbl"), std::string::npos);
  EXPECT_NE(rtf.find("{\\b"), std::string::npos) << "no bold headings";
  EXPECT_TRUE(BracesBalance(rtf));
}

TEST_P(ErrorHelp, EscapesEveryNonAsciiLetter) {
  const auto rtf = Document();
  for (std::size_t i = 0; i < rtf.size(); ++i)
    ASSERT_LT(static_cast<unsigned char>(rtf[i]), 0x80) << "raw byte at offset " << i;
}

TEST_P(ErrorHelp, ExplainsEveryDeviceError) {
  const auto rtf = Document();
  for (int number : kDeviceErrors) EXPECT_TRUE(MentionsError(rtf, number)) << "error " << number;
}

INSTANTIATE_TEST_SUITE_P(Languages, ErrorHelp, ::testing::Range(0, kLanguageCount));

}  // namespace
