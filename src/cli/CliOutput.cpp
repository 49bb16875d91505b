#include "cli/CliOutput.h"

#include <cstdio>
#include <iostream>

#include "platform/Terminal.h"

void CliOutput::Line(const std::string& text) const {
  if (!json_) std::cout << text << '\n' << std::flush;
}

void CliOutput::Message(const std::string& text) { std::cerr << "vq2x: " << text << '\n' << std::flush; }

void CliOutput::Finish(int status, bool manyUnits) const {
  if (!json_) return;
  Json document;
  if (manyUnits || units_.size() != 1) {
    document["units"] = units_;
    document["status"] = status;
  } else {
    document = units_.front();
  }
  std::cout << document.dump(2) << '\n' << std::flush;
}

Progress::Progress(bool wanted) : on_(wanted && IsTerminal(TerminalStream::Error)) {}

Progress::~Progress() { Clear(); }

void Progress::Show(int unit, const std::string& item, std::size_t done, std::size_t total) {
  if (!on_) return;
  const int percent = total == 0 ? 100 : static_cast<int>(done * 100 / total);
  std::fprintf(stderr, "\r\033[Kunit %d  %s  %zu/%zu  %d %%", unit, item.c_str(), done, total, percent);
  std::fflush(stderr);
  shown_ = true;
}

void Progress::Clear() {
  if (!on_ || !shown_) return;
  std::fprintf(stderr, "\r\033[K");
  std::fflush(stderr);
  shown_ = false;
}
