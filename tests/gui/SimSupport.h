#pragma once

// The real tool against the real vq2x-sim on a pseudo-terminal: start the
// simulator, point COM1 at it through the settings file, read its traffic
// log to check what the device received.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "GuiTestSupport.h"

struct LogLine {
  int ms;  // milliseconds since midnight
  QString direction;
  QString bytes;
};

// "HH:MM:SS.mmm rx "sc 0\r"" lines of the simulator's log.
inline std::vector<LogLine> ReadLog(const QString& path) {
  std::vector<LogLine> lines;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return lines;
  static const QRegularExpression pattern(R"re(^(\d\d):(\d\d):(\d\d)\.(\d\d\d) (rx|tx) "(.*)"$)re");
  for (const QByteArray& raw : file.readAll().split('\n')) {
    const auto m = pattern.match(QString::fromUtf8(raw));
    if (!m.hasMatch()) continue;
    const int ms = ((m.captured(1).toInt() * 60 + m.captured(2).toInt()) * 60 + m.captured(3).toInt()) * 1000 +
                   m.captured(4).toInt();
    QString bytes = m.captured(6);
    bytes.replace("\\r", "\r").replace("\\n", "\n");
    lines.push_back({ms, m.captured(5), bytes});
  }
  return lines;
}

inline std::vector<LogLine> Received(const QString& path) {
  std::vector<LogLine> out;
  for (const LogLine& l : ReadLog(path))
    if (l.direction == "rx") out.push_back(l);
  return out;
}

inline QString Command(const LogLine& line) { return line.bytes.chopped(line.bytes.endsWith('\r') ? 1 : 0); }

// The commands the simulator received, without their CR.
inline QStringList ReceivedCommands(const QString& logPath) {
  QStringList commands;
  for (const LogLine& l : Received(logPath)) commands << Command(l);
  return commands;
}

// The tool with COM1 wired to a simulator. Tests derive from it (besides
// QObject), call StartWithSimulator() in init() and StopAll() in cleanup().
class SimHarness {
protected:
  // Extra simulator arguments (units, faults); the log is always kept.
  bool StartWithSimulator(const QStringList& simArguments = {"--unit", "0:VQ22"},
                          const QByteArray& extraSettings = "[Serieel]\nbaudrate=6\nparity=1\nunit_no=0\n") {
    folder_ = std::make_unique<ProgramFolder>(kAllDataFiles);
    log_ = folder_->File("sim.log");
    sim_.setProgram(VQ2X_SIM_PATH);
    sim_.setArguments(QStringList{"--pty", "--no-stdin", "--log", log_} + simArguments);
    sim_.start();
    if (!sim_.waitForStarted(5000)) return false;
    if (!QTest::qWaitFor([&] { return sim_.canReadLine(); }, 10000)) return false;
    slave_ = QString::fromUtf8(sim_.readLine()).trimmed();
    if (!slave_.startsWith("/dev/")) return false;
    folder_->Write("application.ini", extraSettings + "[Poorten]\nCOM1=" + slave_.toUtf8() + "\n");
    ResetSharedState();
    MainWindowSetup setup;
    setup.programDir = folder_->Path();
    setup.firstArgument = "kwartzeil";
    windows_ = std::make_unique<WindowSet>(setup);
    Main().show();
    return true;
  }
  void StopAll() {
    if (windows_) Main().close();
    windows_.reset();
    sim_.terminate();
    sim_.waitForFinished(5000);
  }
  TFormMain& Main() { return windows_->Main(); }
  // Opens the port and waits for the identification to complete.
  bool OpenAndIdentify() {
    QTest::mouseClick(Main().CmdSelectUnit, Qt::LeftButton);
    return Main().Port().Active() &&
           QTest::qWaitFor([&] { return !Main().StatusPanels[4]->text().isEmpty(); }, 10000);
  }

  QProcess sim_;
  QString slave_;
  QString log_;
  std::unique_ptr<ProgramFolder> folder_;
  std::unique_ptr<WindowSet> windows_;
};
