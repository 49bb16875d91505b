#include "shell/Opties.h"

TFormOpties* FormOpties = nullptr;

TFormOpties::TFormOpties(QWidget* parent) : QDialog(parent) {
  setObjectName("FormOpties");
  setWindowTitle("Instellingem");
}
