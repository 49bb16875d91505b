#pragma once

#include <QDialog>

// The twelve cams and four outputs as a coloured grid.
class TFormDisplayNokken : public QDialog {
  Q_OBJECT
public:
  explicit TFormDisplayNokken(QWidget* parent = nullptr);
};

extern TFormDisplayNokken* FormDisplayNokken;
