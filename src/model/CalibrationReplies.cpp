#include "model/CalibrationReplies.h"

#include <algorithm>

#include "model/CalibrationWords.h"
#include "model/DeviceReply.h"
#include "model/Functies.h"
#include "model/ServiceInput.h"
#include "platform/IniDocument.h"

namespace {

enum class LoneRest { IsFirstToken, IsValue };

CalibrationReply Split(const ResultBytes& reply, LoneRest lone) {
  CalibrationReply parts;
  parts.cut = reply.size() > kCalibrationReplyLimit;
  const std::size_t size = std::min(reply.size(), kCalibrationReplyLimit);
  if (size >= 3) parts.text.assign(reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(size - 2));
  parts.commandWord = parts.text.substr(0, 2);
  const std::string rest = parts.text.size() > 3 ? parts.text.substr(3) : std::string();
  const std::size_t blank = rest.find(' ');
  if (blank != std::string::npos) {
    parts.twoParts = true;
    parts.firstToken = rest.substr(0, blank);
    parts.value = rest.substr(blank + 1);
  } else if (lone == LoneRest::IsFirstToken) {
    parts.firstToken = rest;
  } else {
    parts.value = rest;
  }
  return parts;
}

CheckedReply Unused(const CalibrationReply& parts, ReplyUse use, const std::string& reason) {
  return {use, 0, {parts.text + ": " + reason, true}};
}

}  // namespace

CalibrationReply SplitCommandReply(const ResultBytes& reply) { return Split(reply, LoneRest::IsFirstToken); }

CalibrationReply SplitChainReply(const ResultBytes& reply) { return Split(reply, LoneRest::IsValue); }

CheckedReply CheckWordReply(const ResultBytes& reply, std::int32_t address) {
  const CalibrationReply parts = SplitChainReply(reply);
  const std::string request = ReadWordCommand(address);
  // A cut reply may have lost digits; a refusal or the answer for another
  // word must not be stored under this one.
  if (parts.cut) return Unused(parts, ReplyUse::AskAgain, kReplyTooLongText);
  if (parts.commandWord == "er") return Unused(parts, ReplyUse::Refused, std::string(kNotTheAnswerText) + " " + request);
  const bool echoed = parts.commandWord == "kr" && (!parts.twoParts || ParseWholeNumber(parts.firstToken) == address);
  if (!echoed) return Unused(parts, ReplyUse::AskAgain, std::string(kNotTheAnswerText) + " " + request);
  const auto value = ParseWholeNumber(parts.value);
  if (!value) return Unused(parts, ReplyUse::AskAgain, kInvalidValueText);
  return {ReplyUse::Use, *value, {parts.text, false}};
}

CheckedReply CheckInputModeReply(const ResultBytes& reply, const std::string& command) {
  const CalibrationReply parts = SplitCommandReply(reply);
  const std::string notTheAnswer = std::string(kNotTheAnswerText) + " " + command;
  if (parts.cut) return Unused(parts, ReplyUse::AskAgain, kReplyTooLongText);
  if (parts.commandWord == "er") return Unused(parts, ReplyUse::Refused, notTheAnswer);
  if (command == kCmdCompute) {
    switch (CheckComputeReply(std::string(reply.begin(), reply.end())).Outcome) {
      case ComputeReply::Computed: return {ReplyUse::Use, 0, {parts.text, false}};
      case ComputeReply::Failed: return Unused(parts, ReplyUse::Refused, kNotTakenOverText);
      case ComputeReply::Invalid: break;
    }
    return Unused(parts, ReplyUse::AskAgain, notTheAnswer);
  }
  if (CheckWriteReply(parts.text) != WriteReply::Written) return Unused(parts, ReplyUse::AskAgain, notTheAnswer);
  return {ReplyUse::Use, 0, {parts.text, false}};
}

std::string LiveReadingValue(const ResultBytes& reply) { return ReplyValue(reply, kCalibrationReplyLimit); }

std::string LiveReadingText(AnalogInput input, std::string_view valueText) {
  const auto value = ParseWholeNumber(valueText);
  if (!value) return "????";
  return FormatFixed(4, *value) + (input == AnalogInput::Voltage ? " V" : " mA");
}

std::optional<std::string> CalibrationErrorText(std::int32_t code, std::uint32_t systemError,
                                                std::uint32_t commErrors) {
  if (code == ceTimeout) return "Timeout!";
  // Only the all-clear record leaves the panel: a failure without a system
  // error or line flags (the port closed under the exchange) is one too.
  if (code != 0 || systemError != 0 || commErrors != 0) return "Communicatie error";
  return std::nullopt;
}

std::optional<std::string> CalibrationErrorText(const TCommError& error) {
  return CalibrationErrorText(error.Code, error.SystemError, error.CommErrors);
}
