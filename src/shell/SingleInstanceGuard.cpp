#include "shell/SingleInstanceGuard.h"

#include <QGuiApplication>

#include "desktop/WindowActivation.h"

bool ActivateExistingWindow(const QString& title) {
  // Only a window system that shows other programs' windows can have one
  // to bring forward; offscreen (and under Wayland) there is none to find.
  const QString system = QGuiApplication::platformName();
  if (system != "xcb" && system != "windows") return false;
  return ActivateTopLevelWindow(title.toStdString());
}
