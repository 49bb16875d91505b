#pragma once

#include "ui/WindowBase.h"

// Writes parameters and setpoints to the device, value by value.
class TFormSchrijfParSoll : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormSchrijfParSoll(QWidget* parent = nullptr);
};

extern TFormSchrijfParSoll* FormSchrijfParSoll;
