#pragma once

#include <QDialog>

// The linearisation curve of up to 30 points.
class TFormLinearisatie : public QDialog {
  Q_OBJECT
public:
  explicit TFormLinearisatie(QWidget* parent = nullptr);
};

extern TFormLinearisatie* FormLinearisatie;
