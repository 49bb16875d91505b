#include "shell/IndicatorBox.h"

IndicatorBox::IndicatorBox(const QString& name, QWidget* parent) : QFrame(parent), name_(name) {
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setAutoFillBackground(true);
  setFixedSize(18, 18);
  setAccessibleName(name);
  SetState(State::Neutral);
}

void IndicatorBox::SetState(State state) {
  state_ = state;
  QPalette p = palette();
  switch (state) {
    case State::Neutral: p.setColor(QPalette::Window, palette().color(QPalette::Button)); break;
    case State::On: p.setColor(QPalette::Window, Qt::blue); break;
    case State::Off: p.setColor(QPalette::Window, Qt::white); break;
  }
  setPalette(p);
  setAccessibleDescription(state == State::On ? "on" : state == State::Off ? "off" : "not polled");
}
