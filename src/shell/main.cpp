// vq2x-tool: the service and configuration tool for VQ2x controllers.
#include <QApplication>
#include <QIcon>

#include "shell/SignalCloser.h"
#include "shell/SingleInstanceGuard.h"
#include "shell/WindowSet.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // An older tool of the same family, already running, is brought to the
  // front instead (this program's own title differs, so a second copy of it
  // starts normally).
  if (ActivateExistingWindow("Mirelo Software Tool (KRT40)")) return 0;
  QApplication::setApplicationName("vq2x-tool");
  // The desktop entry and icon the package installs, so the window carries
  // the icon the menu shows.
  QGuiApplication::setDesktopFileName("vq2x-tool");
  QApplication::setWindowIcon(QIcon::fromTheme("vq2x-tool"));

  MainWindowSetup setup;
  setup.programDir = QApplication::applicationDirPath().toStdString() + "/";
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) setup.firstArgument = arguments.at(1);
  WindowSet windows(setup);
  SignalCloser closer(&windows.Main());
  QObject::connect(&windows.Main(), &TFormMain::Closed, &application, &QCoreApplication::quit, Qt::QueuedConnection);
  windows.Main().show();
  return QApplication::exec();
}
