#pragma once

#include <QDialog>

// Edits and sends the single parameter selected in the parameter editor.
class TFormParamService : public QDialog {
  Q_OBJECT
public:
  explicit TFormParamService(QWidget* parent = nullptr);
};

extern TFormParamService* FormParamService;
