// The traffic transcript of a run of the tool: started, moved and ended by
// the options; written on the UI thread, where the port tells it of every
// exchange.
#include <QDir>
#include <QStandardPaths>
#include <QTimer>

#include "model/Global_var.h"
#include "shell/VQ20Main.h"
#include "ui/QtText.h"

namespace {

// One transcript per run, named by the time the program started.
const std::chrono::system_clock::time_point kRunStarted = std::chrono::system_clock::now();

QString TrafficFolder() {
  const std::string& chosen = GlobalVar().TrafficFolder;
  return chosen.empty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) : Q(chosen);
}

}  // namespace

QString TFormMain::ApplyTrafficLogging() {
  const std::string path = S(QDir(TrafficFolder()).filePath(Q(TranscriptFileName(kRunStarted))));
  if (!GlobalVar().LogTraffic || path != transcriptPath_) {
    RkComm1.SetTrafficObserver(nullptr);
    transcript_.reset();
  }
  if (!GlobalVar().LogTraffic || transcript_) return {};

  TranscriptSetup setup;
  setup.path = path;
  setup.program = std::string("vq2x-tool ") + VersionText;
  setup.portPath = [paths = paths_](TPort port) { return paths->Resolve(port); };
  setup.port = RkComm1.PortName();
  setup.settings = RkComm1.CurrentLineSettings();
  // Switched off and on again in one run: the run's file goes on.
  setup.append = path == transcriptPath_;
  std::string error;
  QDir().mkpath(TrafficFolder());
  transcript_ = TrafficTranscript::Open(std::move(setup), &error);
  if (!transcript_) return Q(path + ": " + error);
  transcriptPath_ = path;
  RkComm1.SetTrafficObserver(transcript_.get());
  if (RkComm1.Active()) transcript_->PortOpened(RkComm1.PortName(), RkComm1.CurrentLineSettings(), "");
  if (transcriptTimer_ == nullptr) {
    transcriptTimer_ = new QTimer(this);
    transcriptTimer_->setObjectName("TranscriptTimer");
    connect(transcriptTimer_, &QTimer::timeout, this, [this] {
      if (transcript_) transcript_->Tick();
    });
  }
  // Lines are written at least once a second, so a killed program leaves
  // its transcript whole up to its last second.
  transcriptTimer_->start(250);
  return {};
}
