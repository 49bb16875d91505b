#pragma once

#include <QDialog>

// The parameter editor: parameters by group, with their options, decimals and limits.
class TFormEditParam : public QDialog {
  Q_OBJECT
public:
  explicit TFormEditParam(QWidget* parent = nullptr);
};

extern TFormEditParam* FormEditParam;
