#include "comm/TranscriptFormat.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 6> kOutcomeNames = {"reply",   "timeout",   "line-error",
                                                           "overrun", "cancelled", "failed"};

}  // namespace

TranscriptOutcome OutcomeOf(const TCommError& error) {
  if (error.IsSuccess()) return TranscriptOutcome::Reply;
  switch (error.Code) {
    case ceTimeout: return TranscriptOutcome::Timeout;
    case cePortClosed: return TranscriptOutcome::Cancelled;
    case ceLineError:
      return (error.CommErrors & (CE_RXOVER | CE_OVERRUN)) != 0 ? TranscriptOutcome::Overrun
                                                                : TranscriptOutcome::LineError;
    default: return TranscriptOutcome::Failed;
  }
}

std::string_view OutcomeName(TranscriptOutcome outcome) { return kOutcomeNames[static_cast<std::size_t>(outcome)]; }

std::optional<TranscriptOutcome> OutcomeNamed(std::string_view name) {
  for (std::size_t i = 0; i < kOutcomeNames.size(); ++i)
    if (kOutcomeNames[i] == name) return static_cast<TranscriptOutcome>(i);
  return std::nullopt;
}
