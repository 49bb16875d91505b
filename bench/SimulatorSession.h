#pragma once

// What the benchmarks against vq2x-sim share: the simulator on a
// pseudo-terminal, a program folder whose application.ini wires COM1 to it,
// and the tool started there.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "EventLoopSpin.h"
#include "shell/VQ20Main.h"
#include "shell/WindowSet.h"

class SimulatorSession {
public:
  // Starts the simulator with `arguments` (besides --pty, --no-stdin and
  // --log) and writes `serial` as the [Serieel] section of the settings.
  bool Start(const QStringList& arguments, const QByteArray& serial) {
    sim_.start(QString(VQ2X_SIM_PATH), QStringList{"--pty", "--no-stdin", "--log", LogPath()} + arguments);
    if (!sim_.waitForStarted(5000) || !sim_.waitForReadyRead(10000)) return false;
    const QByteArray port = sim_.readLine().trimmed();
    QFile config(dir_.filePath("application.ini"));
    if (!config.open(QIODevice::WriteOnly)) return false;
    return config.write("[Serieel]\n" + serial + "[Poorten]\nCOM1=" + port + "\n") > 0;
  }
  // The tool in the session's program folder, its main window shown and its
  // port opened (identification starts).
  TFormMain& OpenTool() {
    MainWindowSetup setup;
    setup.programDir = ProgramDir();
    windows_ = std::make_unique<WindowSet>(setup);
    TFormMain& main = windows_->Main();
    main.show();
    main.CmdSelectUnit->click();
    return main;
  }
  ~SimulatorSession() {
    windows_.reset();  // before the simulator goes, as the tool closes its port
    sim_.terminate();
    sim_.waitForFinished(5000);
  }

  std::string ProgramDir() const { return QDir(dir_.path()).absolutePath().toStdString() + "/"; }
  QString LogPath() const { return dir_.filePath("sim.log"); }

private:
  QTemporaryDir dir_;
  QProcess sim_;
  std::unique_ptr<WindowSet> windows_;
};
