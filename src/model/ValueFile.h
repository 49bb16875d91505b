#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The text files of device values (parameter and setpoint files) share one
// layout: a header line, an empty line, then one value line per number,
// "P007 1500": a letter, the number in three digits, one blank and the raw
// signed decimal value. Every line ends in CR LF.
//
// Reading accepts more than writing produces:
//  - a UTF-8 byte-order mark before the header is skipped;
//  - lines may end in CR LF, LF or CR, the last line in nothing;
//  - the first 25 characters of line 1 must be the format's header; the
//    unit number after it is not compared with anything;
//  - after the header, empty lines are skipped anywhere, and value lines may
//    come in any order;
//  - a value line is a line whose first blank is its fifth character; the
//    first character is not examined, characters 2 to 4 are the number and
//    everything after the blank is the value.
// Strictly refused, as a bad line: any other non-empty line (a line of
// blanks too), a number that is not three decimal digits or lies outside
// the format's range, a number given twice, and a value that is not a
// decimal whole number in the signed 32-bit range. A value is an optional
// "-" and decimal digits (leading zeros allowed), nothing else: no blank,
// no "+", no hexadecimal.
// A file passes only when every number of the range has exactly one line.

// What a read produced; the window shows one message per failure class.
enum class ValueFileOutcome {
  Loaded,       // the whole file is good; the values are in the result
  CannotOpen,   // the file cannot be opened or read, or is far too large; systemText says why
  WrongHeader,  // line 1 does not begin with the format's header
  BadLine,      // a non-empty line that is not a good value line; line says which
  WrongCount,   // not exactly one value line for every number
};

struct ValueFileStatus {
  ValueFileOutcome outcome = ValueFileOutcome::Loaded;
  std::string systemText;  // CannotOpen: the system's text for the failure
  std::size_t line = 0;    // BadLine: the line of the file, counted from 1
  // The unit the header names ("No: 3"); none when it names none. Only
  // told, never required: a file is read whatever unit it names.
  std::optional<int> unitNumber;
  bool Loaded() const { return outcome == ValueFileOutcome::Loaded; }
};

struct ValueFileFormat {
  std::string_view header;  // exactly the characters compared at the start of line 1
  char letter;              // first character of each value line written
  int count;                // numbers 0 .. count - 1, three digits each
};

struct ValueFileRead : ValueFileStatus {
  std::vector<std::int32_t> values;  // count values, indexed by number, when Loaded
};

// Far beyond any real file (a few kilobytes); a larger file is refused
// without reading it all.
constexpr std::size_t kMaxValueFileSize = 4u * 1024u * 1024u;

// Header, "   No: " and the unit number, an empty line, then the values of
// numbers 0 .. values.size() - 1 in ascending order.
std::string ValueFileText(const ValueFileFormat& format, int unitNumber, std::span<const std::int32_t> values);

// Total: any bytes give a result; values are returned only when the whole
// file is good.
ValueFileRead ReadValueFile(const ValueFileFormat& format, std::string_view bytes);
ValueFileRead LoadValueFile(const ValueFileFormat& format, const std::string& path);
