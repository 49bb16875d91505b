#pragma once

#include <array>
#include <memory>

#include "comm/QL200Protocol.h"
#include "model/ValueTransfer.h"
#include "ui/WindowBase.h"
#include "ui/WindowTexts.h"

class QLabel;
class QProgressBar;
class QPushButton;

// What the read and write windows share: a status panel, a progress bar,
// OK / Again / Cancel, no close box, a run started on every activation and
// by Again. The run itself is a ValueTransfer; the window only shows it.
// The error poll is paused while the window is shown, so no other exchange
// shares the line.
class TransferWindow : public TWindowBase {
  Q_OBJECT
public:
  // 0 parameters, 1 setpoints, 2 both, 3 a whole device (backup, restore).
  int Mode = 0;

  QLabel* Panel1 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QPushButton* CmdOK = nullptr;
  QPushButton* CmdAgain = nullptr;
  QPushButton* CmdCancel = nullptr;

  bool Failed() const { return failed_; }
  bool Finished() const { return finished_; }

protected:
  TransferWindow(QWidget* parent, const char* objectName, const char* section, std::vector<TextRow> texts);

  // The first exchange of the mode goes out.
  virtual void StartTransfer(ValueTransfer& transfer) = 0;
  // The run finished; the reader keeps what it received.
  virtual void TakeOver(const ValueTransfer&) {}
  // The panel text of a finished run in the current mode.
  virtual QString FinalText() const = 0;

  // The steps of a run of chosen items (counted in the progress bar), or 0
  // for a run of the mode (whose bar follows the numbers).
  virtual std::size_t ChosenStepCount() const { return 0; }
  // A checked write ended with values the device holds otherwise.
  virtual void ShowHeldOtherwise(const TransferEnd&) {}

  // The components are wired by the subclass, then handed over.
  void UseTransfer(TQL200Protocol& values, TQL200Protocol* compute, TQL200Protocol* readBack = nullptr);
  const WindowTexts& Texts() const { return texts_; }

  void FormActivate() override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  void Start();
  QString ProgressText(const TransferStep& step) const;
  void ShowProgress(const TransferStep& step);
  void ShowEnd(const TransferEnd& end);
  void ShowPanel(const QString& text, bool error);
  void CancelClick();

  WindowTexts texts_;
  std::unique_ptr<ValueTransfer> transfer_;
  bool failed_ = false;
  bool finished_ = false;
  bool firstStep_ = true;
  std::size_t stepsShown_ = 0;
};

// The caption and button rows both windows have, with their section's
// defaults for the four captions.
std::vector<TextRow> TransferTextRows(const std::array<const char*, 4>& captionDefaults, int panelTexts);
