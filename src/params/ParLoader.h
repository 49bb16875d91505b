#pragma once

#include <QDialog>

// Tells the device to compute and take over the parameters it holds.
class TFormParLoader : public QDialog {
  Q_OBJECT
public:
  explicit TFormParLoader(QWidget* parent = nullptr);
};

extern TFormParLoader* FormParLoader;
