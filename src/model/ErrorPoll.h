#pragma once

#include <string>

// The device's error number as the main window shows it.
// "-1" (or anything starting with it) and an empty value mean no error.
bool IsNoError(const std::string& value);
std::string ErrorPanelText(const std::string& value);  // "VQ2... Error: 12"

// The status bar's activity dots: ". " more for each error reply, starting
// again after six.
class ActivityDots {
public:
  const std::string& Advance();
  const std::string& Text() const { return text_; }
  void Clear() { text_.clear(); }

private:
  std::string text_;
};
