#pragma once

#include <string>

// Looks for a top-level window of the desktop whose title is exactly
// `title` (UTF-8). When one exists it is restored (when minimised) and
// brought to the front, and true is returned. Under X11 the display is the
// one $DISPLAY names; without a display nothing is found.
bool ActivateTopLevelWindow(const std::string& title);
