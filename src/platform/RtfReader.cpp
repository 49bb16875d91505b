#include "platform/RtfReader.h"

#include <algorithm>
#include <map>

#include "platform/ByteOrderMark.h"

namespace {

constexpr int kDefaultHalfPoints = 24;
constexpr int kMaxHalfPoints = 3276;   // 1638 points, the largest size word processors offer
constexpr int kMaxUnicodeSkip = 16;    // fallback texts are one or two bytes; more is garbage
constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kLineSeparator = 0x2028;

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five codes it
// leaves unassigned become the replacement character.
char32_t FromWindows1252(std::uint8_t byte) {
  static constexpr char32_t kHigh[32] = {
      0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  if (byte < 0x80 || byte >= 0xA0) return byte;
  const char32_t cp = kHigh[byte - 0x80];
  return cp != 0 ? cp : kReplacement;
}

struct Token {
  enum class Kind { End, Open, Close, Word, Symbol, Char, Hex };
  Token(Kind k = Kind::End) : kind(k) {}  // NOLINT: implicit, so a kind alone is a token
  Kind kind;
  std::string_view word;             // Word: the letters
  std::optional<std::int32_t> param;  // Word: the number after the letters
  std::uint8_t byte = 0;             // Symbol, Char, Hex
};

// Splits RTF text into tokens. Every call that does not return End moves
// forward by at least one byte, so reading always ends.
class Scanner {
public:
  explicit Scanner(std::string_view text, std::size_t start) : text_(text), pos_(start) {}

  Token Next() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == '\r' || c == '\n' || c == '\0') continue;  // line ends are not text in RTF
      if (c == '{') return {Token::Kind::Open};
      if (c == '}') return {Token::Kind::Close};
      if (c != '\\') return Byte(Token::Kind::Char, c);
      if (pos_ >= text_.size()) break;  // a lone backslash at the end
      const char d = text_[pos_];
      if (IsLetter(d)) return Word();
      ++pos_;
      if (d != '\'') return Byte(Token::Kind::Symbol, d);
      if (Token hex; ReadHex(hex)) return hex;
      // A \' with fewer than two hex digits is dropped with its one digit.
      if (pos_ < text_.size() && HexValue(text_[pos_]) >= 0) ++pos_;
    }
    return {};
  }

  void Skip(std::int64_t count) {
    if (count <= 0) return;
    pos_ += static_cast<std::size_t>(std::min<std::int64_t>(count, static_cast<std::int64_t>(text_.size() - pos_)));
  }

private:
  static Token Byte(Token::Kind kind, char c) {
    Token t(kind);
    t.byte = static_cast<std::uint8_t>(c);
    return t;
  }

  bool ReadHex(Token& token) {
    if (text_.size() - pos_ < 2) return false;
    const int high = HexValue(text_[pos_]);
    const int low = HexValue(text_[pos_ + 1]);
    if (high < 0 || low < 0) return false;
    pos_ += 2;
    token = Byte(Token::Kind::Hex, static_cast<char>(high * 16 + low));
    return true;
  }

  // Letters, an optional signed number, an optional single blank.
  Token Word() {
    Token t(Token::Kind::Word);
    const std::size_t start = pos_;
    while (pos_ < text_.size() && IsLetter(text_[pos_])) ++pos_;
    t.word = text_.substr(start, pos_ - start);
    const bool negative = pos_ + 1 < text_.size() && text_[pos_] == '-' && IsDigit(text_[pos_ + 1]);
    if (negative) ++pos_;
    if (pos_ < text_.size() && IsDigit(text_[pos_])) {
      std::int64_t value = 0;
      constexpr std::int64_t kCap = std::int64_t{1} << 40;  // well past int32, far from overflow
      while (pos_ < text_.size() && IsDigit(text_[pos_])) {
        value = std::min(kCap, value * 10 + (text_[pos_++] - '0'));
      }
      if (negative) value = -value;
      t.param = static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
    }
    if (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    return t;
  }

  std::string_view text_;
  std::size_t pos_;
};

enum class Destination { Text, FontTable, ColorTable, Skip };

// The formatting a group carries; a group starts with a copy of its parent's.
struct GroupState {
  Destination destination = Destination::Text;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int halfPoints = kDefaultHalfPoints;
  std::int32_t font = -1;  // -1: the document's default font
  std::int32_t color = 0;
  int unicodeSkip = 1;

  void ResetCharacterFormat() {
    bold = italic = underline = false;
    halfPoints = kDefaultHalfPoints;
    font = -1;
    color = 0;
  }
};

// Destinations whose content is not part of the shown text.
bool IsSkippedDestination(std::string_view word) {
  static constexpr std::string_view kSkipped[] = {
      "info",      "stylesheet", "pict",       "header",     "headerl",  "headerr", "headerf",
      "footer",    "footerl",    "footerr",    "footerf",    "footnote", "object",  "objdata",
      "fldinst",   "xe",         "tc",         "txe",        "rxe",      "filetbl", "listtable",
      "listoverridetable",       "revtbl",     "rsidtbl",    "themedata", "colorschememapping",
      "latentstyles", "datastore", "nonshppict", "annotation", "atnid",  "atnauthor", "private",
      "bkmkstart", "bkmkend",    "xmlnstbl",   "pgdsctbl",   "generator", "title",   "author",
      "operator",  "keywords",   "subject",    "doccomm",    "comment"};
  return std::find(std::begin(kSkipped), std::end(kSkipped), word) != std::end(kSkipped);
}

std::optional<char32_t> SpecialCharacter(std::string_view word) {
  static constexpr std::pair<std::string_view, char32_t> kSpecial[] = {
      {"emdash", 0x2014},    {"endash", 0x2013},    {"bullet", 0x2022},  {"lquote", 0x2018},
      {"rquote", 0x2019},    {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003},
      {"enspace", 0x2002},   {"qmspace", 0x2005},   {"tab", '\t'},       {"line", kLineSeparator}};
  for (const auto& [name, cp] : kSpecial)
    if (name == word) return cp;
  return std::nullopt;
}

bool IsUnderlineOn(std::string_view word) {
  // \ul and its styles (\uld, \uldb, \ulw, \ulwave, ...); not \ulnone or
  // the underline colour \ulc.
  return word.size() >= 2 && word.substr(0, 2) == "ul" && word != "ulnone" && word != "ulc";
}

bool SwitchValue(const Token& t) { return !t.param || *t.param != 0; }

class DocumentBuilder {
public:
  DocumentBuilder() { stack_.push_back(GroupState{}); }

  void Read(Scanner& scanner) {
    for (Token t = scanner.Next(); t.kind != Token::Kind::End; t = scanner.Next()) {
      if (t.kind == Token::Kind::Word && t.word == "bin") scanner.Skip(t.param.value_or(0));  // raw bytes
      if (SkippedAsUnicodeFallback(t)) continue;
      Handle(t);
    }
    FlushHighSurrogate();
    if (!paragraph_.empty()) document_.paragraphs.push_back(std::move(paragraph_));
  }

  RtfDocument Take() { return std::move(document_); }

private:
  GroupState& State() { return stack_.back(); }

  // After \uN the next bytes, up to the group's \uc count, are the fallback
  // for readers without Unicode; a brace ends the fallback early.
  bool SkippedAsUnicodeFallback(const Token& t) {
    if (fallbackLeft_ == 0) return false;
    if (t.kind == Token::Kind::Open || t.kind == Token::Kind::Close) {
      fallbackLeft_ = 0;
      return false;
    }
    --fallbackLeft_;
    return true;
  }

  void Handle(const Token& t) {
    switch (t.kind) {
      case Token::Kind::Open: OpenGroup(); break;
      case Token::Kind::Close: CloseGroup(); break;
      case Token::Kind::Word: Word(t); break;
      case Token::Kind::Symbol: Symbol(t.byte); break;
      case Token::Kind::Char: Character(t.byte); break;
      case Token::Kind::Hex: Byte(t.byte); break;
      case Token::Kind::End: break;
    }
  }

  void OpenGroup() {
    if (stack_.size() > static_cast<std::size_t>(kRtfMaxGroupDepth)) {
      ++flattenedGroups_;  // too deep: the group becomes part of the one around it
      return;
    }
    stack_.push_back(stack_.back());
  }

  void CloseGroup() {
    if (flattenedGroups_ > 0) {
      --flattenedGroups_;
      return;
    }
    // The document's own group is never closed, so text after a stray
    // closing brace is still shown.
    if (stack_.size() <= 2) return;
    if (State().destination == Destination::FontTable) CommitFontName();
    stack_.pop_back();
  }

  void Word(const Token& t) {
    const std::string_view w = t.word;
    GroupState& s = State();
    if (w == "uc") {
      s.unicodeSkip = std::clamp(t.param.value_or(1), 0, kMaxUnicodeSkip);
    } else if (s.destination == Destination::Skip || DestinationWord(w)) {
      // nothing inside a skipped destination is shown
    } else if (w == "u") {
      Unicode(t.param);
    } else if (s.destination == Destination::FontTable) {
      FontTableWord(t);
    } else if (s.destination == Destination::ColorTable) {
      ColorTableWord(t);
    } else if (w == "deff") {
      defaultFont_ = t.param.value_or(0);
    } else if (const auto special = SpecialCharacter(w)) {
      Output(*special);
    } else if (!TextWord(t)) {
      FormatWord(t);
    }
  }

  // A word that starts a destination sets it for the rest of its group.
  bool DestinationWord(std::string_view w) {
    Destination& d = State().destination;
    if (w == "fonttbl") d = Destination::FontTable;
    else if (w == "colortbl") d = Destination::ColorTable;
    else if (IsSkippedDestination(w)) d = Destination::Skip;
    else return false;
    return true;
  }

  // Paragraphs and table structure; true when the word was one of them.
  bool TextWord(const Token& t) {
    const std::string_view w = t.word;
    if (w == "par" || w == "sect" || w == "page") {
      EndParagraph();
    } else if (w == "cell" || w == "nestcell") {
      ++pendingCells_;
    } else if (w == "row" || w == "nestrow") {
      pendingCells_ = 0;  // no separator after the last cell of a row
      EndParagraph();
    } else {
      return false;
    }
    return true;
  }

  void FormatWord(const Token& t) {
    const std::string_view w = t.word;
    GroupState& s = State();
    if (w == "b") {
      s.bold = SwitchValue(t);
    } else if (w == "i") {
      s.italic = SwitchValue(t);
    } else if (w == "ulnone") {
      s.underline = false;
    } else if (IsUnderlineOn(w)) {
      s.underline = SwitchValue(t);
    } else if (w == "fs") {
      const int value = t.param.value_or(kDefaultHalfPoints);
      s.halfPoints = value > 0 ? std::min(value, kMaxHalfPoints) : kDefaultHalfPoints;
    } else if (w == "f") {
      s.font = t.param.value_or(0);
    } else if (w == "cf") {
      s.color = t.param.value_or(0);
    } else if (w == "plain") {
      s.ResetCharacterFormat();
    }
    // Every other word (\pard, paragraph spacing, the code page, ...) changes
    // nothing that is shown.
  }

  void FontTableWord(const Token& t) {
    if (t.word == "f") {
      CommitFontName();
      fontNumber_ = t.param.value_or(0);
    }
  }

  void ColorTableWord(const Token& t) {
    const std::uint8_t value = static_cast<std::uint8_t>(std::clamp(t.param.value_or(0), 0, 255));
    if (t.word == "red") colorEntry_.red = value;
    else if (t.word == "green") colorEntry_.green = value;
    else if (t.word == "blue") colorEntry_.blue = value;
    else return;
    colorEntrySet_ = true;
  }

  void Symbol(std::uint8_t c) {
    switch (c) {
      case '*': State().destination = Destination::Skip; break;  // an optional destination
      case '\\': case '{': case '}': Character(c); break;
      case '~': Output(0x00A0); break;  // non-breaking space
      case '_': Output(0x2011); break;  // non-breaking hyphen
      case '\t': Output('\t'); break;
      case '\r': case '\n': if (State().destination == Destination::Text) EndParagraph(); break;
      default: break;  // \- (optional hyphen) and the rest show nothing
    }
  }

  // A literal byte of the file.
  void Character(std::uint8_t c) {
    const Destination d = State().destination;
    if (c == ';' && d == Destination::FontTable) return CommitFontName();
    if (c == ';' && d == Destination::ColorTable) return CommitColor();
    Byte(c);
  }

  // A byte in the document's code page.
  void Byte(std::uint8_t c) {
    if (c == '\t') return Output('\t');
    if (c < 0x20) return;  // control characters show nothing
    Output(FromWindows1252(c));
  }

  void Unicode(std::optional<std::int32_t> param) {
    fallbackLeft_ = State().unicodeSkip;
    if (!param) return;
    const std::int64_t value = *param < 0 ? std::int64_t{*param} + 65536 : *param;
    const char32_t cp = value >= 0 && value <= 0xFFFF ? static_cast<char32_t>(value) : kReplacement;
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      FlushHighSurrogate();
      highSurrogate_ = cp;
    } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
      if (highSurrogate_ == 0) return Output(kReplacement);
      const char32_t joined = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (cp - 0xDC00);
      highSurrogate_ = 0;
      Output(joined);
    } else if (cp != 0) {
      Output(cp);
    }
  }

  void FlushHighSurrogate() {
    if (highSurrogate_ == 0) return;
    highSurrogate_ = 0;
    Output(kReplacement);  // a high surrogate without its low half
  }

  void Output(char32_t cp) {
    FlushHighSurrogate();
    switch (State().destination) {
      case Destination::Text: return AppendText(cp);
      case Destination::FontTable: return AppendUtf8(fontName_, cp);
      case Destination::ColorTable: case Destination::Skip: return;
    }
  }

  void AppendText(char32_t cp) {
    if (paragraph_.empty() || !HasCurrentFormat(paragraph_.back())) paragraph_.push_back(CurrentFormat());
    std::string& text = paragraph_.back().text;
    text.append(static_cast<std::size_t>(pendingCells_), '\t');
    pendingCells_ = 0;
    AppendUtf8(text, cp);
  }

  const std::string& FontName(const GroupState& s) const {
    static const std::string kNone;
    const auto font = fonts_.find(s.font < 0 ? defaultFont_ : s.font);
    return font != fonts_.end() ? font->second : kNone;
  }

  std::optional<RtfColor> Color(const GroupState& s) const {
    if (s.color < 0 || static_cast<std::size_t>(s.color) >= colors_.size()) return std::nullopt;
    return colors_[static_cast<std::size_t>(s.color)];
  }

  RtfRun CurrentFormat() const {
    const GroupState& s = stack_.back();
    RtfRun run;
    run.bold = s.bold;
    run.italic = s.italic;
    run.underline = s.underline;
    run.fontSize = s.halfPoints / 2.0;
    run.fontName = FontName(s);
    run.color = Color(s);
    return run;
  }

  bool HasCurrentFormat(const RtfRun& run) const {
    const GroupState& s = stack_.back();
    return run.bold == s.bold && run.italic == s.italic && run.underline == s.underline &&
           run.fontSize == s.halfPoints / 2.0 && run.color == Color(s) && run.fontName == FontName(s);
  }

  void EndParagraph() {
    pendingCells_ = 0;
    document_.paragraphs.push_back(std::move(paragraph_));
    paragraph_.clear();
  }

  void CommitFontName() {
    const std::size_t first = fontName_.find_first_not_of(' ');
    const std::size_t last = fontName_.find_last_not_of(' ');
    if (first != std::string::npos) fonts_[fontNumber_] = fontName_.substr(first, last - first + 1);
    fontName_.clear();
  }

  void CommitColor() {
    colors_.push_back(colorEntrySet_ ? std::optional<RtfColor>(colorEntry_) : std::nullopt);
    colorEntry_ = RtfColor{};
    colorEntrySet_ = false;
  }

  RtfDocument document_;
  RtfParagraph paragraph_;
  std::vector<GroupState> stack_;
  int flattenedGroups_ = 0;
  int fallbackLeft_ = 0;
  int pendingCells_ = 0;
  char32_t highSurrogate_ = 0;

  std::map<std::int32_t, std::string> fonts_;
  std::int32_t defaultFont_ = 0;
  std::int32_t fontNumber_ = 0;
  std::string fontName_;

  std::vector<std::optional<RtfColor>> colors_;  // the first entry is usually empty: automatic
  RtfColor colorEntry_;
  bool colorEntrySet_ = false;
};

// Where "{\rtf" begins after leading blanks and UTF-8 byte order marks.
std::optional<std::size_t> HeaderPosition(std::string_view text) {
  std::size_t pos = text.size() - SkipUtf8Bom(text).size();
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r' || text[pos] == '\n'))
    ++pos;
  if (text.substr(pos, 5) != "{\\rtf") return std::nullopt;
  return pos;
}

}  // namespace

RtfDocument ReadRtf(std::string_view rtf) {
  const auto start = HeaderPosition(rtf);
  if (!start) {
    RtfDocument document;
    document.error = "Not an RTF document: the text does not begin with \"{\\rtf\".";
    return document;
  }
  Scanner scanner(rtf, *start);
  DocumentBuilder builder;
  builder.Read(scanner);
  return builder.Take();
}

std::string RtfPlainText(const RtfDocument& document) {
  std::string text;
  for (std::size_t i = 0; i < document.paragraphs.size(); ++i) {
    if (i > 0) text += '\n';
    for (const RtfRun& run : document.paragraphs[i]) text += run.text;
  }
  return text;
}
