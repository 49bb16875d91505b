#include "platform/IniDocument.h"

#include "platform/AtomicFile.h"
#include "platform/ByteOrderMark.h"

#include <limits>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || text[i] == '\r') {
      lines.push_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::string DetectLineBreak(std::string_view text) {
  const auto pos = text.find_first_of("\r\n");
  if (pos == std::string_view::npos) return "\n";
  if (text[pos] == '\r') return (pos + 1 < text.size() && text[pos + 1] == '\n') ? "\r\n" : "\r";
  return "\n";
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<std::int32_t> ParseWholeNumber(std::string_view text) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  bool hex = false;
  if (!text.empty() && text.front() == '$') {
    hex = true;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hex = true;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;

  if (hex) {
    if (text.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
      const int digit = HexDigit(c);
      if (digit < 0) return std::nullopt;
      value = value * 16u + static_cast<std::uint32_t>(digit);
    }
    const auto wrapped = static_cast<std::int32_t>(value);
    return negative ? static_cast<std::int32_t>(0u - value) : wrapped;
  }

  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<std::int32_t>(value);
}

IniDocument IniDocument::FromText(std::string_view text) {
  IniDocument doc;
  text = SkipUtf8Bom(text);
  for (std::string_view raw : SplitLines(text)) {
    Line line;
    line.raw = std::string(raw);
    const std::string_view trimmed = TrimBlanks(raw);
    if (!trimmed.empty() && trimmed.front() == '[') {
      const auto close = trimmed.find(']');
      line.kind = LineKind::Section;
      line.name = std::string(TrimBlanks(trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
    } else if (!trimmed.empty() && trimmed.front() != ';') {
      const auto eq = trimmed.find('=');
      if (eq != std::string_view::npos && eq > 0) {
        line.kind = LineKind::Key;
        line.name = std::string(TrimBlanks(trimmed.substr(0, eq)));
        line.value = std::string(TrimBlanks(trimmed.substr(eq + 1)));
        if (line.name.empty()) line.kind = LineKind::Other;
      }
    }
    doc.lines_.push_back(std::move(line));
  }
  doc.lineBreak_ = DetectLineBreak(text);
  doc.Rebuild();
  return doc;
}

std::string IniDocument::ToText() const {
  std::string out;
  for (const Line& line : lines_) {
    if (line.kind == LineKind::Key && line.raw.empty())
      out += line.name + "=" + line.value;
    else
      out += line.raw;
    out += lineBreak_;
  }
  return out;
}

std::optional<IniDocument> IniDocument::LoadFile(const std::string& path, std::string* error, std::size_t maxSize) {
  std::string content;
  if (!ReadWholeFile(path, &content, maxSize, error)) return std::nullopt;
  return FromText(content);
}

bool IniDocument::SaveFile(const std::string& path, std::string* error) const {
  return WriteFileAtomically(path, ToText(), error);
}

void IniDocument::Rebuild() {
  sections_.clear();
  sectionByName_.clear();
  SectionIndex* current = nullptr;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == LineKind::Section) {
      const std::string lower = AsciiLower(line.name);
      auto it = sectionByName_.find(lower);
      if (it == sectionByName_.end()) {
        it = sectionByName_.emplace(lower, sections_.size()).first;
        sections_.push_back(SectionIndex{line.name, {}, {}, {}});
      }
      current = &sections_[it->second];
      current->headers.push_back(i);
    } else if (line.kind == LineKind::Key && current != nullptr) {
      const std::string lower = AsciiLower(line.name);
      if (current->keys.emplace(lower, i).second) current->keyOrder.push_back(lower);
    }
  }
}

const IniDocument::SectionIndex* IniDocument::FindSection(std::string_view section) const {
  const auto it = sectionByName_.find(AsciiLower(TrimBlanks(section)));
  return it == sectionByName_.end() ? nullptr : &sections_[it->second];
}

bool IniDocument::HasSection(std::string_view section) const { return FindSection(section) != nullptr; }

bool IniDocument::HasKey(std::string_view section, std::string_view key) const { return Find(section, key).has_value(); }

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
  const SectionIndex* found = FindSection(section);
  if (found == nullptr) return std::nullopt;
  const auto it = found->keys.find(AsciiLower(TrimBlanks(key)));
  if (it == found->keys.end()) return std::nullopt;
  return lines_[it->second].value;
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
  auto value = Find(section, key);
  return value ? std::move(*value) : std::string(fallback);
}

std::int32_t IniDocument::ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const {
  const auto value = Find(section, key);
  if (!value) return fallback;
  return ParseWholeNumber(*value).value_or(fallback);
}

bool IniDocument::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  const auto value = Find(section, key);
  if (!value) return fallback;
  const auto number = ParseWholeNumber(*value);
  return number ? *number != 0 : fallback;
}

std::size_t IniDocument::InsertionPoint(const SectionIndex& section) const {
  // After the last key line of the section's last occurrence, or right after
  // its header when it has no keys yet.
  std::size_t pos = section.headers.back() + 1;
  std::size_t insertAt = pos;
  for (; pos < lines_.size() && lines_[pos].kind != LineKind::Section; ++pos)
    if (lines_[pos].kind == LineKind::Key) insertAt = pos + 1;
  return insertAt;
}

void IniDocument::EraseLaterOccurrences(const SectionIndex& section, std::string_view key, std::size_t kept) {
  std::vector<std::size_t> later;
  for (std::size_t header : section.headers)
    for (std::size_t pos = header + 1; pos < lines_.size() && lines_[pos].kind != LineKind::Section; ++pos)
      if (pos != kept && lines_[pos].kind == LineKind::Key && EqualsNoCase(lines_[pos].name, key)) later.push_back(pos);
  if (later.empty()) return;
  for (auto pos = later.rbegin(); pos != later.rend(); ++pos) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*pos));
  Rebuild();
}

void IniDocument::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string sectionName(TrimBlanks(section));
  const std::string keyName(TrimBlanks(key));
  // Values are single lines; a line break would split the key.
  std::string clean(value);
  for (char& c : clean)
    if (c == '\r' || c == '\n') c = ' ';
  const std::string trimmedValue(TrimBlanks(clean));

  const SectionIndex* found = FindSection(sectionName);
  if (found != nullptr) {
    const auto it = found->keys.find(AsciiLower(keyName));
    if (it != found->keys.end()) {
      Line& line = lines_[it->second];
      line.value = trimmedValue;
      line.raw.clear();  // re-rendered as name=value
      EraseLaterOccurrences(*found, keyName, it->second);
      return;
    }
    const std::size_t at = InsertionPoint(*found);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{LineKind::Key, {}, keyName, trimmedValue});
  } else {
    const bool endsBlank = lines_.empty() || (lines_.back().kind == LineKind::Other && TrimBlanks(lines_.back().raw).empty());
    if (!endsBlank) lines_.push_back(Line{});
    lines_.push_back(Line{LineKind::Section, "[" + sectionName + "]", sectionName, {}});
    lines_.push_back(Line{LineKind::Key, {}, keyName, trimmedValue});
  }
  Rebuild();
}

void IniDocument::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniDocument::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::vector<std::string> IniDocument::Sections() const {
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const SectionIndex& s : sections_) names.push_back(s.name);
  return names;
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
  std::vector<std::string> names;
  const SectionIndex* found = FindSection(section);
  if (found == nullptr) return names;
  for (const std::string& lower : found->keyOrder) names.push_back(lines_[found->keys.at(lower)].name);
  return names;
}
