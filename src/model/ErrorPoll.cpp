#include "model/ErrorPoll.h"

bool IsNoError(const std::string& value) { return value.empty() || value.rfind("-1", 0) == 0; }

std::string ErrorPanelText(const std::string& value) { return IsNoError(value) ? "" : "VQ2... Error: " + value; }

const std::string& ActivityDots::Advance() {
  if (text_ == ". . . . . . ") text_.clear();
  text_ += ". ";
  return text_;
}
