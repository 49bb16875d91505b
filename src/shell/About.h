#pragma once

#include <QUrl>

#include "ui/WindowBase.h"
#include "ui/WindowTexts.h"

class QLabel;

// The program's name, title line and version, and a link to the program's
// folder (its data and help files, its settings file). Maker details are
// not part of this build.
class TFormAbout : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormAbout(QWidget* parent = nullptr);

  QLabel* LabelHandelsmerk = nullptr;
  QLabel* LabelWWWLink = nullptr;
  QLabel* LabelSoftwareVersie = nullptr;
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
