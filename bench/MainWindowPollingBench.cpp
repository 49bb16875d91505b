// The main window polling live values against vq2x-sim on a pseudo-terminal:
// CPU time of the tool's process, exchanges per second, and how late a
// 10 ms UI timer fires meanwhile (the responsiveness of the window).
// With --fast the port's fast transfers are on. Not a test: prints figures.
//
//   main_window_polling_bench [--fast] [seconds]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

#include "SimulatorSession.h"
#include "model/Global_var.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int CountReceived(const QString& log) {
  QFile file(log);
  file.open(QIODevice::ReadOnly);
  return static_cast<int>(file.readAll().count(" rx \""));
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const bool fast = argc > 1 && std::strcmp(argv[1], "--fast") == 0;
  const int seconds = argc > 1 + fast ? std::atoi(argv[1 + fast]) : 10;
  SimulatorSession sim;
  if (!sim.Start({"--unit", "0:VQ22"}, "baudrate=8\nparity=0\n")) return 1;
  const QString log = sim.LogPath();

  TFormMain& main = sim.OpenTool();
  main.Port().SetFastReplies(fast);
  if (!SpinUntil([&] { return !main.StatusPanels[4]->text().isEmpty(); }, 10000)) return 1;  // identified
  Spin(500);
  // Seven live quantities of a VQ22: position, velocity, linearised
  // position, both peak holds, analog input voltage and value.
  for (int p : {246, 242, 244}) GlobalVar().ParameterTable[static_cast<std::size_t>(p)] = 1;

  // Idle with the port open (only the error number once a second).
  double cpu = CpuSeconds();
  Spin(seconds * 500);
  const double idleCpu = CpuSeconds() - cpu;

  main.CmdActual->click();
  int before = CountReceived(log);
  qint64 worstLateMs = 0;
  QElapsedTimer clock;
  clock.start();
  qint64 expected = 10;
  QTimer probe;
  probe.setTimerType(Qt::PreciseTimer);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    worstLateMs = std::max(worstLateMs, clock.elapsed() - expected);
    expected = clock.elapsed() + 10;
  });
  probe.start(10);
  cpu = CpuSeconds();
  Spin(seconds * 1000);
  const double liveCpu = CpuSeconds() - cpu;
  probe.stop();
  const int liveExchanges = CountReceived(log) - before;

  main.CmdInUit->click();
  before = CountReceived(log);
  cpu = CpuSeconds();
  Spin(seconds * 1000);
  const double bothCpu = CpuSeconds() - cpu;
  const int bothExchanges = CountReceived(log) - before;
  main.close();

  std::printf("idle, port open:        %5.2f %% of one core\n", 100.0 * idleCpu / (seconds * 0.5));
  std::printf("7 live values:          %5.2f %% of one core, %.1f exchanges/s, UI timer at most %lld ms late\n",
              100.0 * liveCpu / seconds, double(liveExchanges) / seconds, static_cast<long long>(worstLateMs));
  std::printf("7 live values + I/O:    %5.2f %% of one core, %.1f exchanges/s\n", 100.0 * bothCpu / seconds,
              double(bothExchanges) / seconds);
  return 0;
}
