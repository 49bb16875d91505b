#pragma once

#include <QDialog>

// Program name, version and maker.
class TFormAbout : public QDialog {
  Q_OBJECT
public:
  explicit TFormAbout(QWidget* parent = nullptr);
};

extern TFormAbout* FormAbout;
