#pragma once

#include <QDialog>

// Writes parameters and setpoints to the device, value by value.
class TFormSchrijfParSoll : public QDialog {
  Q_OBJECT
public:
  explicit TFormSchrijfParSoll(QWidget* parent = nullptr);
};

extern TFormSchrijfParSoll* FormSchrijfParSoll;
