#include "ui/PushButton.h"

#include <QPushButton>

QPushButton* NewPushButton(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}
