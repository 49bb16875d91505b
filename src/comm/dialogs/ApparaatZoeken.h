#pragma once

#include <QDialog>

// Searches the line for devices across baud rates, framings and unit numbers.
class TFormApparaatZoeken : public QDialog {
  Q_OBJECT
public:
  explicit TFormApparaatZoeken(QWidget* parent = nullptr);
};

extern TFormApparaatZoeken* FormApparaatZoeken;
