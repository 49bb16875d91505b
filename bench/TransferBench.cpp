// The transfers against vq2x-sim --wire-time: wall time of a full read of
// parameters and setpoints (mode 2, the items of a backup) and of a
// whole-device write (mode 3) at 9600 and 38400 bit/s, 8 data bits, even
// parity, 1 stop bit. Each figure is printed beside the ratio to the time the
// line itself needs: per exchange the wire time of the command and its reply
// (11 bits per character), plus 50 ms (the silence that ends a reply) or,
// with fast transfers, the simulator's own turnaround (its reply delay).
// With --fast every transfer runs both ways in the same session, and the
// fast one's speed-up over the other is printed too. Not a test: prints
// figures.
//
//   transfer_bench [--fast]
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <cstdio>
#include <cstring>

#include "SimulatorSession.h"
#include "model/Global_var.h"
#include "params/LeesParSoll.h"
#include "params/SchrijfParSoll.h"

namespace {

constexpr int kBitsPerCharacter = 1 + 8 + 1 + 1;
constexpr double kReplySilenceMs = 50;
constexpr int kSimTurnaroundMs = 2;

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
  Bench(int baud, int baudIndex, bool compareFast) : baud_(baud), baudIndex_(baudIndex), compareFast_(compareFast) {}

  bool Run() {
    if (!sim_.Start({"--wire-time", "--wire-parity", "E", "--reply-delay", QString::number(kSimTurnaroundMs),
                     "--unit", "0:VQ22"},
                    "baudrate=" + QByteArray::number(baudIndex_) + "\nparity=1\nunit_no=0\n"))
      return false;
    log_ = sim_.LogPath();
    TFormMain& main = sim_.OpenTool();
    if (!SpinUntil([&] { return !main.StatusPanels[4]->text().isEmpty(); }, 10000)) return false;
    main.Timer1->stop();
    Spin(200);

    FormLeesParSoll->Mode = 2;
    if (!Compare(main, "read, parameters and setpoints (mode 2)", *FormLeesParSoll)) return false;
    FormSchrijfParSoll->SendParameters = FormLeesParSoll->ReceivedParameters;
    FormSchrijfParSoll->SendSetpoints = FormLeesParSoll->ReceivedSetpoints;
    FormSchrijfParSoll->Mode = 3;
    if (!Compare(main, "write, whole device (mode 3)", *FormSchrijfParSoll)) return false;
    main.close();
    return true;
  }

private:
  // The transfer as specified, then (with --fast) with fast transfers.
  bool Compare(TFormMain& main, const char* what, TransferWindow& window) {
    main.Port().SetFastReplies(false);
    const double specifiedMs = Measure(what, window, false);
    if (specifiedMs <= 0) return false;
    if (!compareFast_) return true;
    main.Port().SetFastReplies(true);
    const double fastMs = Measure(what, window, true);
    main.Port().SetFastReplies(false);
    if (fastMs <= 0) return false;
    std::printf("%-40s %5d bit/s: fast transfers %.1f x faster\n", what, baud_, specifiedMs / fastMs);
    return true;
  }

  // The wall time of one run in ms, or 0 when it did not finish.
  double Measure(const char* what, TransferWindow& window, bool fast) {
    TrafficSince(log_, 0, &logLines_);
    QElapsedTimer clock;
    clock.start();
    window.show();
    const bool ended = SpinUntil([&] { return window.Finished() || window.Failed(); }, 600000);
    const double wallMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    window.hide();
    if (!ended || window.Failed()) {
      std::printf("%s at %d bit/s did not finish\n", what, baud_);
      return 0;
    }
    Spin(100);  // the simulator's log has the last reply
    int lines = 0;
    const LineTraffic traffic = TrafficSince(log_, logLines_, &lines);
    const double perExchangeMs = fast ? kSimTurnaroundMs : kReplySilenceMs;
    const double lineMs = traffic.exchanges * perExchangeMs + traffic.bytes * kBitsPerCharacter * 1000.0 / baud_;
    std::printf("%-40s %5d bit/s%s: %d exchanges, %d bytes, %.0f ms; line needs %.0f ms; ratio %.3f\n", what, baud_,
                fast ? ", fast" : "", traffic.exchanges, traffic.bytes, wallMs, lineMs, wallMs / lineMs);
    return wallMs;
  }

  int baud_;
  int baudIndex_;
  bool compareFast_;
  SimulatorSession sim_;
  QString log_;
  int logLines_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const bool fast = argc > 1 && std::strcmp(argv[1], "--fast") == 0;
  for (auto [baud, index] : {std::pair{9600, 3}, std::pair{38400, 6}}) {
    Bench bench(baud, index, fast);
    if (!bench.Run()) return 1;
  }
  return 0;
}
