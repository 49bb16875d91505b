#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// An INI document held in memory, with the semantics of Windows INI files:
// section and key names match without regard to (ASCII) case, values are
// returned as written (only surrounding blanks are dropped; quotes stay, the
// comma-list reader needs them), a missing key yields the caller's default.
// Writing a key changes its line in place or appends it to its section, so
// lines, comments, sections and keys the program does not know survive a
// read-modify-write cycle.
//
// Reading is total: any byte sequence gives a document. UTF-8 byte-order
// marks at the start are skipped (one left would hide the first section).
// Lines without "=" and lines before the first section are kept but never
// found by lookups. A section that appears twice is one section: lookups see
// the keys of both occurrences, and for a key written twice the first value
// counts; writing a key leaves it once in its section, so a later read
// never finds an older value first.
class IniDocument {
public:
  IniDocument() = default;

  static IniDocument FromText(std::string_view text);
  std::string ToText() const;

  // Loads a whole file. Returns no value when the file cannot be read or is
  // larger than maxSize; *error then holds the reason.
  static std::optional<IniDocument> LoadFile(const std::string& path, std::string* error = nullptr,
                                             std::size_t maxSize = MaxFileSize);
  // Writes the document to a temporary file beside the target and renames it
  // into place, so an interrupted write never leaves a truncated file.
  bool SaveFile(const std::string& path, std::string* error = nullptr) const;

  static constexpr std::size_t MaxFileSize = 64u * 1024u * 1024u;

  bool HasSection(std::string_view section) const;
  bool HasKey(std::string_view section, std::string_view key) const;
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
  // A value that is not a whole number (see ParseWholeNumber) reads as fallback.
  std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;
  // Yes for any whole number other than 0; a non-number reads as fallback.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // Section names in file order (the first spelling of each), and the keys of
  // one section in file order.
  std::vector<std::string> Sections() const;
  std::vector<std::string> Keys(std::string_view section) const;

private:
  enum class LineKind { Other, Section, Key };
  struct Line {
    LineKind kind = LineKind::Other;
    std::string raw;    // the line as read (Other and Section lines are written back unchanged)
    std::string name;   // section or key name, trimmed
    std::string value;  // key value, trimmed
  };
  struct SectionIndex {
    std::string name;                                // first spelling
    std::vector<std::size_t> headers;                // line numbers of its header lines
    std::unordered_map<std::string, std::size_t> keys;  // lower-case key -> line number of first occurrence
    std::vector<std::string> keyOrder;               // lower-case keys in file order
  };

  void Rebuild();
  const SectionIndex* FindSection(std::string_view section) const;
  std::size_t InsertionPoint(const SectionIndex& section) const;
  void EraseLaterOccurrences(const SectionIndex& section, std::string_view key, std::size_t kept);

  std::vector<Line> lines_;
  std::vector<SectionIndex> sections_;
  std::unordered_map<std::string, std::size_t> sectionByName_;  // lower-case name -> index in sections_
  std::string lineBreak_ = "\n";  // kept from the text read, so a file keeps its style
};

// A whole number as the configuration and catalogue files write it: an
// optional sign, then decimal digits, or hexadecimal digits after "$" or
// "0x". Surrounding blanks are allowed. Hexadecimal values of up to eight
// digits wrap into the signed 32-bit range ("$FFFFFFFF" is -1); decimal values
// outside it are not numbers.
std::optional<std::int32_t> ParseWholeNumber(std::string_view text);

// ASCII-only lower-casing and comparison used for names.
std::string AsciiLower(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
std::string_view TrimBlanks(std::string_view text);
