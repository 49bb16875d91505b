#pragma once

#include "ui/WindowBase.h"

// Searches the line for devices across baud rates, framings and unit numbers.
class TFormApparaatZoeken : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormApparaatZoeken(QWidget* parent = nullptr);
};

extern TFormApparaatZoeken* FormApparaatZoeken;
