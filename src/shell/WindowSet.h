#pragma once

#include <QString>
#include <memory>

#include "shell/VQ20Main.h"

// The eighteen windows of the program, created once in a fixed order (the
// main window first) and kept until the program ends. Each is reachable
// through its global reference (FormMain, FormGrafiek, ...).
class WindowSet {
public:
  explicit WindowSet(const MainWindowSetup& setup);
  ~WindowSet();
  WindowSet(const WindowSet&) = delete;
  WindowSet& operator=(const WindowSet&) = delete;

  TFormMain& Main() { return *main_; }

private:
  std::unique_ptr<TFormMain> main_;
};
