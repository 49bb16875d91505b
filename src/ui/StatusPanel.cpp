#include "ui/StatusPanel.h"

#include <QFontMetrics>
#include <QLabel>

QLabel* NewStatusPanel(QWidget* parent, int width, int lines, int pixelSize) {
  auto* panel = new QLabel(parent);
  panel->setObjectName("Panel1");
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->setAlignment(Qt::AlignCenter);
  panel->setWordWrap(true);
  QFont bold = parent->font();
  bold.setBold(true);
  if (pixelSize > 0) bold.setPixelSize(pixelSize);
  panel->setFont(bold);
  panel->setFixedWidth(width);
  panel->setMinimumHeight(lines * QFontMetrics(bold).height() + 8);
  return panel;
}
