// A top-level window with the title given as the first argument; prints
// "shown" once it is on the screen. Stands in for another program in the
// single-instance tests.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(argc > 1 ? QString::fromUtf8(argv[1]) : QString("untitled"));
  window.resize(200, 100);
  window.show();
  QTimer::singleShot(300, [] {
    std::printf("shown\n");
    std::fflush(stdout);
  });
  return QApplication::exec();
}
