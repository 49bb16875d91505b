#pragma once

#include "ui/WindowBase.h"

// Tells the device to compute and take over the parameters it holds.
class TFormParLoader : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormParLoader(QWidget* parent = nullptr);
};

extern TFormParLoader* FormParLoader;
