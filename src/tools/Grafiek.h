#pragma once

#include "ui/WindowBase.h"

// The live log graph: one live quantity recorded and plotted as a strip chart.
class TFormGrafiek : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormGrafiek(QWidget* parent = nullptr);
};

extern TFormGrafiek* FormGrafiek;
