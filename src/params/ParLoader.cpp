#include "params/ParLoader.h"

TFormParLoader* FormParLoader = nullptr;

TFormParLoader::TFormParLoader(QWidget* parent) : QDialog(parent) {
  setObjectName("FormParLoader");
  setWindowTitle("Loader");
}
