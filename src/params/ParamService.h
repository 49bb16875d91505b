#pragma once

#include "ui/WindowBase.h"

// Edits and sends the single parameter selected in the parameter editor.
class TFormParamService : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormParamService(QWidget* parent = nullptr);
};

extern TFormParamService* FormParamService;
