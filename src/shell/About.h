#pragma once

#include <QUrl>

#include "ui/WindowBase.h"
#include "ui/WindowTexts.h"

class QLabel;

// The product's name, title line, version, build date and Qt version, the
// licence notice, and a link to the installed documentation (or, where
// there is none, to the program's folder with its data and help files).
class TFormAbout : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormAbout(QWidget* parent = nullptr);

  QLabel* LabelHandelsmerk = nullptr;
  QLabel* LabelWWWLink = nullptr;
  QLabel* LabelSoftwareVersie = nullptr;
  QLabel* LabelGebouwd = nullptr;
  // What the link opens.
  QUrl LinkUrl() const;

protected:
  void FormActivate() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void LabelWWWLinkClick();

  WindowTexts texts_;
};

extern TFormAbout* FormAbout;
