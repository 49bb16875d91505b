#pragma once

// Drives modal windows from inside their own event loops: each queued step
// acts on the next modal window that becomes active, in order. A step that
// leaves its window open gets it closed (so a failed step never hangs a
// test), and a failed step is remembered.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <set>
#include <vector>

// A double click as a person makes it: press, release, then the second
// press (which is the double click) and its release. QTest::mouseDClick
// alone sends only the double click, which item views take for a press.
inline void DoubleClick(QWidget* widget, QPoint at) {
  QTest::mousePress(widget, Qt::LeftButton, {}, at);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
  QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

class ModalDriver {
public:
  using Step = std::function<bool(QWidget& modal)>;

  ModalDriver() { Schedule(); }

  ModalDriver& Then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
  }
  // Answers a message box with `button`; what it said goes to `seen`.
  struct Box {
    QString name, title, text;
  };
  ModalDriver& Answer(QMessageBox::StandardButton button) {
    return Then([this, button](QWidget& w) {
      auto* box = qobject_cast<QMessageBox*>(&w);
      if (box == nullptr) return false;
      boxes_.push_back({box->objectName(), box->windowTitle(), box->text()});
      if (QAbstractButton* b = box->button(button))
        b->click();
      else
        box->done(button);
      return true;
    });
  }
  // Chooses `path` in a file dialog.
  ModalDriver& ChooseFile(const QString& path) {
    return Then([path](QWidget& w) {
      auto* dialog = qobject_cast<QFileDialog*>(&w);
      if (dialog == nullptr) return false;
      // Typed into the name field, as a person would: selectFile() would
      // wait for the folder to be listed.
      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
      if (name == nullptr) return false;
      name->setText(path);
      static_cast<QDialog*>(dialog)->accept();  // the file dialog checks the name it was given
      return !dialog->isVisible();
    });
  }

  bool Done() const { return steps_.empty() && handling_.empty(); }
  bool Ok() const { return ok_; }
  const std::vector<Box>& Boxes() const { return boxes_; }
  // The windows that opened when no step was left for them (and were closed).
  const QStringList& Unexpected() const { return unexpected_; }

private:
  // A timer does not fire again while its handler runs, so each look is a
  // timer of its own: a step's window may open another that needs a step.
  void Schedule() {
    QTimer::singleShot(10, &context_, [this] { Tick(); });
  }

  void Tick() {
    Schedule();
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || handling_.count(modal) != 0 || !modal->isVisible()) return;
    if (steps_.empty()) {
      // A window nobody expected (a warning, say) would wait for ever.
      if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        unexpected_.push_back(modal->objectName() + ": " + modal->windowTitle());
        if (auto* box = qobject_cast<QMessageBox*>(modal)) unexpected_.back() += ": " + box->text();
        ok_ = false;
        dialog->reject();
      }
      return;
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();
    handling_.insert(modal);
    ok_ = step(*modal) && ok_;
    handling_.erase(modal);
    if (modal->isVisible())
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
  }

  QObject context_;  // ends the looks when the driver goes
  std::deque<Step> steps_;
  std::set<QWidget*> handling_;
  std::vector<Box> boxes_;
  QStringList unexpected_;
  bool ok_ = true;
};
