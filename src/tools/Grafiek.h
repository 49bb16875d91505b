#pragma once

#include <cstdint>
#include <functional>

#include "comm/QL200Protocol.h"
#include "model/GraphRecording.h"
#include "ui/WindowBase.h"
#include "ui/WindowTexts.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QScrollBar;
class StripChartView;

// The live log graph: one live quantity polled as fast as the line allows,
// up to 4001 time-stamped samples kept (also while the window is closed)
// and plotted as a strip chart.
class TFormGrafiek : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormGrafiek(QWidget* parent = nullptr);

  // LogValues(), LogTimes(), LogCount(), LogStartTick().
  const GraphRecording& Recording() const { return recording_; }
  bool RecordingRunning() const { return running_; }
  // Milliseconds of a monotonic clock, read at every sample (tests give a
  // clock of their own).
  void SetClock(std::function<std::int64_t()> clock) { clock_ = std::move(clock); }
  // Writes the recording as CSV to `path`; on failure *error says why.
  bool ExportTo(const QString& path, QString* error = nullptr) const;

  StripChartView* Chart = nullptr;  // Image1, ImageX, ImageY
  QGroupBox* GroepXas = nullptr;
  QGroupBox* GroepYas = nullptr;
  QListWidget* ListBoxX = nullptr;  // time scales
  QListWidget* ListBoxY = nullptr;  // value scales
  QCheckBox* CheckHulplijnenXas = nullptr;
  QCheckBox* CheckHulplijnenYas = nullptr;
  QCheckBox* CheckBoxAutoScroll = nullptr;
  QLabel* LabelBron = nullptr;
  QComboBox* ComboBoxBron = nullptr;
  QPushButton* CmdStartLog = nullptr;
  QPushButton* CmdStopLog = nullptr;
  QPushButton* CmdExport = nullptr;  // "Export...": the recording as CSV
  QScrollBar* ScrollBar2 = nullptr;  // the first sample shown
  QLabel* LabelBuffer = nullptr;
  QProgressBar* Gauge1 = nullptr;    // LogCount
  QLabel* LabelBufferCount = nullptr;
  QLabel* PanelCommError = nullptr;

  TQL200Protocol QL200LeesLogData;

protected:
  void FormActivate() override;
  // FormClose: the view settings go back into the shared state and the
  // polling ends.
  void reject() override;

private:
  void BuildControls();
  QWidget* BuildSideColumn();
  QWidget* BuildBufferRow();

  void CmdStartLogClick();
  void CmdStopLogClick();
  void CmdExportClick();
  void ComboBoxBronChange();
  void QL200LeesLogDataCommResult(const ResultBytes& reply);
  void QL200LeesLogDataCommError(const TCommError& error);
  // Back to idle (stop, full buffer, failure, closing), with status text `text`.
  void EndRecording(int statusText, bool red);
  void ShowStatus(int statusText, bool red);
  void TekenGrafiek();
  void UpdateExport();
  int Source() const;
  int TimeScaleIndex() const;
  int ValueScaleIndex() const;

  WindowTexts texts_;
  GraphRecording recording_;
  bool running_ = false;
  int recordedSource_ = 0;  // the source of the samples in the buffer
  bool drawing_ = false;
  std::function<std::int64_t()> clock_;
};

extern TFormGrafiek* FormGrafiek;
