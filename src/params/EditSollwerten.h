#pragma once

#include <QDialog>

// The editor of the 24 setpoints.
class TFormEditSollwerten : public QDialog {
  Q_OBJECT
public:
  explicit TFormEditSollwerten(QWidget* parent = nullptr);
};

extern TFormEditSollwerten* FormEditSollwerten;
