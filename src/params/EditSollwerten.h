#pragma once

#include "ui/WindowBase.h"

// The editor of the 24 setpoints.
class TFormEditSollwerten : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormEditSollwerten(QWidget* parent = nullptr);
};

extern TFormEditSollwerten* FormEditSollwerten;
