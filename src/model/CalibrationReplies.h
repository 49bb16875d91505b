#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "comm/RkGlobal.h"
#include "comm/RkProtocolComponent.h"
#include "model/CalibrationWords.h"

// Replies to the calibration window's commands, taken apart by position:
// "kr 2041 -12\r\n" is the command word "kr", the first token "2041" and the
// value "-12".

// Bytes of a reply the calibration window looks at; a longer reply is cut
// there and never read past.
constexpr std::size_t kCalibrationReplyLimit = 100;

struct CalibrationReply {
  std::string text;         // the (cut) reply without its last two bytes, as the status panel shows it
  std::string commandWord;  // the first two characters of text: the echoed command
  std::string firstToken;   // after the echo and its blank, up to the next blank
  std::string value;        // after that blank
  bool twoParts = false;    // a blank followed the first token, so firstToken and value are both given
  bool cut = false;         // the reply was longer than kCalibrationReplyLimit
};

// For command replies: when no blank follows the echo, the rest is the
// first token ("kf 1" -> token "1").
CalibrationReply SplitCommandReply(const ResultBytes& reply);
// For the read and teach chains: when no blank follows the echo, the rest is
// the value ("kr 17" -> value "17").
CalibrationReply SplitChainReply(const ResultBytes& reply);

// Text for the status panel (Panel1): the reply in the window-text colour,
// or an error in red.
struct CalibrationStatus {
  std::string text;
  bool red = false;
};

// What the status panel adds, in red, after a reply it cannot use. Dutch,
// as every other text of the window.
constexpr const char* kReplyTooLongText = "antwoord te lang";
constexpr const char* kNotTheAnswerText = "geen antwoord op";  // followed by the command
constexpr const char* kInvalidValueText = "ongeldige waarde";
constexpr const char* kNotTakenOverText = "niet overgenomen";   // "bp" answered with an error code

// What a chain does with a reply: use it, ask once more (it may have been
// garbled or belong to an earlier command), or stop (the device refused).
enum class ReplyUse { Use, AskAgain, Refused };

struct CheckedReply {
  ReplyUse use = ReplyUse::AskAgain;
  std::int32_t value = 0;    // a read's whole number, when used
  CalibrationStatus status;  // the reply, or it and the reason it is not used, in red
};

// A reply to "kr <address>": it must echo "kr" (and the address, when the
// reply carries one) and carry a whole number, and must not be cut.
CheckedReply CheckWordReply(const ResultBytes& reply, std::int32_t address);
// A reply to the input-mode switch: "wp 226 x" echoed by "wp" (alone or with
// the number), "bp" answered by "bp -1". An "er" reply or another "bp" code
// is a refusal.
CheckedReply CheckInputModeReply(const ResultBytes& reply, const std::string& command);

// The live input reading's value text: the reply without its echo ("r4 ")
// and its last two bytes; empty for a reply of fewer than six bytes.
std::string LiveReadingValue(const ResultBytes& reply);
// "1,2345 V" / "-0,0005 mA" for a whole number, "????" for anything else.
std::string LiveReadingText(AnalogInput input, std::string_view valueText);

// The status panel's text (shown in red) for a failed exchange: "Timeout!"
// when the device did not answer, "Communicatie error" for any other
// failure (a port or line fault, the port closed during the exchange), and
// no value for the all-clear record that reports a recovery
// (the panel is then left as it is).
std::optional<std::string> CalibrationErrorText(std::int32_t code, std::uint32_t systemError, std::uint32_t commErrors);
std::optional<std::string> CalibrationErrorText(const TCommError& error);
