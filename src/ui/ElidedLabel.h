#pragma once

#include <QLabel>

// A one-line label whose text, when it does not fit, is shown cut with
// "..." and given whole as its tool tip. It keeps its whole text (screen
// readers read all of it) and never changes its height, so the layout
// around it does not move when a long message appears.
class ElidedLabel : public QLabel {
  Q_OBJECT
public:
  explicit ElidedLabel(QWidget* parent = nullptr);
  // Hide QLabel's, so the tool tip follows the text.
  void setText(const QString& text);
  void clear() { setText(QString()); }
  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void UpdateToolTip();
};
