#include "model/ValueFile.h"

#include <charconv>
#include <optional>

#include "platform/AtomicFile.h"
#include "platform/ByteOrderMark.h"

namespace {

constexpr std::size_t kValueStart = 5;  // the value follows the blank at the fifth character

// Cuts off the next line; a line ends in CR LF, LF or CR, the last one
// possibly in nothing.
std::string_view NextLine(std::string_view& rest) {
  const std::size_t end = rest.find_first_of("\r\n");
  const std::string_view line = rest.substr(0, end);
  if (end == std::string_view::npos) {
    rest = {};
  } else {
    const bool crLf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
    rest.remove_prefix(end + (crLf ? 2 : 1));
  }
  return line;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number of a value line, or no value when it is not three digits.
std::optional<int> LineNumber(std::string_view line) {
  if (!IsDigit(line[1]) || !IsDigit(line[2]) || !IsDigit(line[3])) return std::nullopt;
  return (line[1] - '0') * 100 + (line[2] - '0') * 10 + (line[3] - '0');
}

// An optional "-" and decimal digits within the signed 32-bit range.
std::optional<std::int32_t> LineValue(std::string_view text) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

// The unit number after "No:" in the header line: decimal digits after
// optional blanks, at most what an int holds.
std::optional<int> HeaderUnit(std::string_view header) {
  const std::size_t label = header.find("No:");
  if (label == std::string_view::npos) return std::nullopt;
  std::string_view rest = header.substr(label + 3);
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  int unit = 0;
  const auto [stop, error] = std::from_chars(rest.data(), rest.data() + rest.size(), unit, 10);
  if (error != std::errc() || stop == rest.data() || rest.front() == '-') return std::nullopt;
  return unit;
}

ValueFileRead Refused(ValueFileOutcome outcome, std::size_t line = 0) {
  ValueFileRead read;
  read.outcome = outcome;
  read.line = line;
  return read;
}

}  // namespace

std::string ValueFileText(const ValueFileFormat& format, int unitNumber, std::span<const std::int32_t> values) {
  std::string text(format.header);
  text += "   No: " + std::to_string(unitNumber) + "\r\n\r\n";
  for (std::size_t number = 0; number < values.size(); ++number) {
    text += format.letter;
    text += static_cast<char>('0' + number / 100 % 10);
    text += static_cast<char>('0' + number / 10 % 10);
    text += static_cast<char>('0' + number % 10);
    text += ' ' + std::to_string(values[number]) + "\r\n";
  }
  return text;
}

ValueFileRead ReadValueFile(const ValueFileFormat& format, std::string_view bytes) {
  bytes = SkipUtf8Bom(bytes);
  const std::string_view header = NextLine(bytes);
  if (!header.starts_with(format.header)) return Refused(ValueFileOutcome::WrongHeader);

  const std::size_t count = format.count > 0 ? static_cast<std::size_t>(format.count) : 0;
  std::vector<std::int32_t> values(count, 0);
  std::vector<bool> seen(count, false);
  std::size_t lines = 0;
  for (std::size_t lineNumber = 2; !bytes.empty(); ++lineNumber) {
    const std::string_view line = NextLine(bytes);
    if (line.empty()) continue;
    if (line.find(' ') != kValueStart - 1) return Refused(ValueFileOutcome::BadLine, lineNumber);
    const auto number = LineNumber(line);
    const auto value = LineValue(line.substr(kValueStart));
    if (!number || !value || static_cast<std::size_t>(*number) >= count || seen[static_cast<std::size_t>(*number)])
      return Refused(ValueFileOutcome::BadLine, lineNumber);
    seen[static_cast<std::size_t>(*number)] = true;
    values[static_cast<std::size_t>(*number)] = *value;
    ++lines;
  }
  // Numbers are unique and in range, so the right count means every number
  // has its line.
  if (lines != count) return Refused(ValueFileOutcome::WrongCount);
  ValueFileRead read;
  read.values = std::move(values);
  read.unitNumber = HeaderUnit(header.substr(format.header.size()));
  return read;
}

ValueFileRead LoadValueFile(const ValueFileFormat& format, const std::string& path) {
  std::string bytes;
  std::string error;
  if (!ReadWholeFile(path, &bytes, kMaxValueFileSize, &error)) {
    ValueFileRead read = Refused(ValueFileOutcome::CannotOpen);
    read.systemText = error;
    return read;
  }
  return ReadValueFile(format, bytes);
}
