#pragma once

#include <QDialog>

// The serial settings of the port.
class TFormInitSerial : public QDialog {
  Q_OBJECT
public:
  explicit TFormInitSerial(QWidget* parent = nullptr);
};

extern TFormInitSerial* FormInitSerial;
