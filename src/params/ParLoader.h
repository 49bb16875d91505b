#pragma once

#include <memory>

#include "comm/QL200Protocol.h"
#include "model/ParameterCommands.h"
#include "ui/WindowBase.h"
#include "ui/WindowTexts.h"

class QLabel;
class QPushButton;

// Tells the device to compute and take over the parameters it holds ("bp",
// sent at every opening) and shows the outcome. An answer of the device
// clears the parameter editor's ParamSentNotLoaded. No close box; OK closes
// at any time.
class TFormParLoader : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormParLoader(QWidget* parent = nullptr);

  QLabel* Panel1 = nullptr;
  QPushButton* CmdOK = nullptr;

protected:
  void FormActivate() override;

private:
  void QL200ParLoaderCommResult(const ComputeResult& result);
  void QL200ParLoaderCommError(const TCommError& error);
  void ShowOutcome(const QString& text, bool failure);

  WindowTexts texts_;
  TQL200Protocol QL200ParLoader;
  std::unique_ptr<ParameterCommands> commands_;
};

extern TFormParLoader* FormParLoader;
