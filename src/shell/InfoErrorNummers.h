#pragma once

#include "ui/WindowBase.h"

// The help text on the device's error numbers, in the chosen language.
class TFormInfoErrorNummers : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormInfoErrorNummers(QWidget* parent = nullptr);
};

extern TFormInfoErrorNummers* FormInfoErrorNummers;
