#pragma once

#include <QDialog>

// The setpoint printout: header lines and the 24 setpoints on a printer.
class TFormAfdrukkenSoll : public QDialog {
  Q_OBJECT
public:
  explicit TFormAfdrukkenSoll(QWidget* parent = nullptr);
};

extern TFormAfdrukkenSoll* FormAfdrukkenSoll;
