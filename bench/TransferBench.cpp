// The transfers against vq2x-sim --wire-time: wall time of a full read of
// parameters and setpoints (mode 2) and of a whole-device write (mode 3) at
// 9600 and 38400 bit/s, 8 data bits, even parity, 1 stop bit. Each figure is
// printed beside the ratio to the time the line itself needs: per exchange
// 50 ms (the silence that ends a reply) plus the wire time of the command
// and its reply, 11 bits per character. Not a test: prints figures.
//
//   transfer_bench
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <cstdio>

#include "SimulatorSession.h"
#include "model/Global_var.h"
#include "params/LeesParSoll.h"
#include "params/SchrijfParSoll.h"

namespace {

constexpr int kBitsPerCharacter = 1 + 8 + 1 + 1;
constexpr double kReplySilenceMs = 50;

// Bytes of one logged transfer: the quoted text with its escapes (\r, \n,
// \\, \", \xHH) counted as the single bytes they stand for.
int QuotedBytes(const QByteArray& quoted) {
  int bytes = 0;
  for (qsizetype i = 0; i < quoted.size(); ++i, ++bytes)
    if (quoted[i] == '\\') i += quoted.mid(i + 1, 1) == "x" ? 3 : 1;
  return bytes;
}

struct LineTraffic {
  int exchanges = 0;  // commands the simulator received
  int bytes = 0;      // both ways
};

// The traffic logged from line `from` on.
LineTraffic TrafficSince(const QString& log, int from, int* lines) {
  QFile file(log);
  LineTraffic traffic;
  if (!file.open(QIODevice::ReadOnly)) return traffic;
  const QList<QByteArray> all = file.readAll().split('\n');
  for (int i = from; i < all.size(); ++i) {
    const QByteArray& line = all[i];
    const qsizetype quote = line.indexOf('"');
    if (quote < 4) continue;
    const QByteArray direction = line.mid(quote - 3, 2);
    if (direction != "rx" && direction != "tx") continue;
    if (direction == "rx") ++traffic.exchanges;
    traffic.bytes += QuotedBytes(line.mid(quote + 1, line.size() - quote - 2));
  }
  *lines = static_cast<int>(all.size()) - 1;
  return traffic;
}

class Bench {
public:
  Bench(int baud, int baudIndex) : baud_(baud), baudIndex_(baudIndex) {}

  bool Run() {
    if (!sim_.Start({"--wire-time", "--wire-parity", "E", "--unit", "0:VQ22"},
                    "baudrate=" + QByteArray::number(baudIndex_) + "\nparity=1\nunit_no=0\n"))
      return false;
    log_ = sim_.LogPath();
    TFormMain& main = sim_.OpenTool();
    if (!SpinUntil([&] { return !main.StatusPanels[4]->text().isEmpty(); }, 10000)) return false;
    main.Timer1->stop();
    Spin(200);

    FormLeesParSoll->Mode = 2;
    if (!Measure("read, parameters and setpoints (mode 2)", *FormLeesParSoll)) return false;
    FormSchrijfParSoll->SendParameters = FormLeesParSoll->ReceivedParameters;
    FormSchrijfParSoll->SendSetpoints = FormLeesParSoll->ReceivedSetpoints;
    FormSchrijfParSoll->Mode = 3;
    if (!Measure("write, whole device (mode 3)", *FormSchrijfParSoll)) return false;
    main.close();
    return true;
  }

private:
  bool Measure(const char* what, TransferWindow& window) {
    TrafficSince(log_, 0, &logLines_);
    QElapsedTimer clock;
    clock.start();
    window.show();
    const bool ended = SpinUntil([&] { return window.Finished() || window.Failed(); }, 600000);
    const double wallMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    window.hide();
    if (!ended || window.Failed()) {
      std::printf("%s at %d bit/s did not finish\n", what, baud_);
      return false;
    }
    Spin(100);  // the simulator's log has the last reply
    int lines = 0;
    const LineTraffic traffic = TrafficSince(log_, logLines_, &lines);
    const double lineMs = traffic.exchanges * kReplySilenceMs + traffic.bytes * kBitsPerCharacter * 1000.0 / baud_;
    std::printf("%-40s %5d bit/s: %d exchanges, %d bytes, %.0f ms; line needs %.0f ms; ratio %.3f\n", what, baud_,
                traffic.exchanges, traffic.bytes, wallMs, lineMs, wallMs / lineMs);
    return true;
  }

  int baud_;
  int baudIndex_;
  SimulatorSession sim_;
  QString log_;
  int logLines_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  for (auto [baud, index] : {std::pair{9600, 3}, std::pair{38400, 6}}) {
    Bench bench(baud, index);
    if (!bench.Run()) return 1;
  }
  return 0;
}
