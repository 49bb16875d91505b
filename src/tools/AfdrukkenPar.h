#pragma once

#include <QDialog>

// The parameter printout: header lines and the parameters by group on a printer.
class TFormAfdrukkenPar : public QDialog {
  Q_OBJECT
public:
  explicit TFormAfdrukkenPar(QWidget* parent = nullptr);
};

extern TFormAfdrukkenPar* FormAfdrukkenPar;
