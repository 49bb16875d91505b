#pragma once

#include <QString>

// Looks for a top-level window whose title is exactly `title`; when one
// exists it is restored (when minimised) or brought to the front, and true
// is returned. Works under X11 and Windows; where no window system allows
// the search (offscreen, Wayland) it finds nothing.
bool ActivateExistingWindow(const QString& title);
