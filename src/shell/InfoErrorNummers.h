#pragma once

#include <QDialog>

// The help text on the device's error numbers, in the chosen language.
class TFormInfoErrorNummers : public QDialog {
  Q_OBJECT
public:
  explicit TFormInfoErrorNummers(QWidget* parent = nullptr);
};

extern TFormInfoErrorNummers* FormInfoErrorNummers;
