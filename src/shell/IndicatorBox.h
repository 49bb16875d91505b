#pragma once

#include <QFrame>

// One input or output state box of the main window: blue when the bit is
// set, white when it is clear, the button face while nothing is polled. Its
// state is also given as accessible text, so screen readers and test tools
// can tell it without the colour.
class IndicatorBox : public QFrame {
  Q_OBJECT
public:
  enum class State { Neutral, On, Off };
  IndicatorBox(const QString& name, QWidget* parent = nullptr);
  void SetState(State state);
  State CurrentState() const { return state_; }
  QSize sizeHint() const override { return {18, 18}; }

private:
  QString name_;
  State state_ = State::Neutral;
};
