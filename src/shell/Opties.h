#pragma once

#include <QDialog>

// The program options: the language.
class TFormOpties : public QDialog {
  Q_OBJECT
public:
  explicit TFormOpties(QWidget* parent = nullptr);
};

extern TFormOpties* FormOpties;
