#include "tools/Grafiek.h"

TFormGrafiek* FormGrafiek = nullptr;

TFormGrafiek::TFormGrafiek(QWidget* parent) : QDialog(parent) {
  setObjectName("FormGrafiek");
  setWindowTitle("Istwerten");
}
