#include "model/CalibrationReplies.h"

#include <algorithm>

#include "model/DeviceReply.h"
#include "model/Functies.h"
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

}  // namespace

CalibrationReply SplitCommandReply(const ResultBytes& reply) { return Split(reply, LoneRest::IsFirstToken); }

CalibrationReply SplitChainReply(const ResultBytes& reply) { return Split(reply, LoneRest::IsValue); }

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
