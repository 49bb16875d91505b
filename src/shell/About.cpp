#include "shell/About.h"

TFormAbout* FormAbout = nullptr;

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent) {
  setObjectName("FormAbout");
  setWindowTitle("Info");
}
