// Exchanges per second and CPU time of the serial library during continuous
// cyclic polling against a peer on a pseudo-terminal that answers at once,
// and CPU time while the port is open and idle. Not a test: prints figures.
//
//   comm_polling_bench [seconds]
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/resource.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "comm/MainThreadInvoker.h"
#include "comm/PortPaths.h"
#include "comm/PosixSerialPort.h"
#include "comm/QL200Protocol.h"
#include "comm/RkComm.h"

namespace {

double ThreadCpuSeconds(int who) {
  rusage usage{};
  ::getrusage(who, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Echoes every command line with a value, as fast as it can.
class Peer {
public:
  Peer() {
    char name[256] = {};
    ::openpty(&master_, &slave_, name, nullptr, nullptr);
    termios raw{};
    ::tcgetattr(slave_, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave_, TCSANOW, &raw);
    path_ = name;
    thread_ = std::thread([this] { Serve(); });
  }
  ~Peer() {
    stop_ = true;
    thread_.join();
    ::close(master_);
    ::close(slave_);
  }
  const std::string& Path() const { return path_; }
  double CpuSeconds() const { return cpu_; }

private:
  void Serve() {
    std::string line;
    char buffer[256];
    while (!stop_) {
      pollfd p{master_, POLLIN, 0};
      if (::poll(&p, 1, 50) <= 0) continue;
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      for (ssize_t i = 0; i < n; ++i) {
        if (buffer[i] != '\r') {
          line += buffer[i];
          continue;
        }
        const std::string reply = line + " 12345\r\n";
        [[maybe_unused]] auto written = ::write(master_, reply.data(), reply.size());
        line.clear();
      }
    }
    cpu_ = ThreadCpuSeconds(RUSAGE_THREAD);
  }

  int master_ = -1, slave_ = -1;
  std::string path_;
  std::atomic<bool> stop_{false};
  std::atomic<double> cpu_{0};
  std::thread thread_;
};

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
  auto peer = std::make_unique<Peer>();
  auto paths = std::make_shared<PortPaths>();
  paths->SetConfigured(TPort::COM1, peer->Path());
  ManualInvoker invoker;
  TRkComm port(invoker, std::make_shared<PosixSerialBackend>(paths));
  port.SetBaudrate(TBaudrate::br115200);
  port.Open();

  // Idle with the port open.
  const double idleStart = ThreadCpuSeconds(RUSAGE_SELF);
  const auto idleUntil = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds / 2);
  while (std::chrono::steady_clock::now() < idleUntil) invoker.ServeFor(std::chrono::milliseconds(100));
  const double idleCpu = ThreadCpuSeconds(RUSAGE_SELF) - idleStart;

  // Seven quantities polled cyclically, as the main window's live values do.
  long exchanges = 0;
  std::vector<std::unique_ptr<TQL200Protocol>> polls;
  for (const char* command : {"r0", "r1", "r8", "ra", "rb", "ri", "ru"}) {
    auto c = std::make_unique<TQL200Protocol>();
    SetUpLineCommand(*c, &port);
    c->ASCIIProtocol = command;
    c->OnCommResult = [&](TRkProtocolComponent&, const ResultBytes&) { ++exchanges; };
    polls.push_back(std::move(c));
  }
  const double busyStart = ThreadCpuSeconds(RUSAGE_SELF);
  const auto start = std::chrono::steady_clock::now();
  for (auto& c : polls) c->SetCyclic(true);
  while (std::chrono::steady_clock::now() - start < std::chrono::duration<double>(seconds))
    invoker.ServeFor(std::chrono::milliseconds(100));
  for (auto& c : polls) c->SetCyclic(false);
  const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double busyCpu = ThreadCpuSeconds(RUSAGE_SELF) - busyStart;
  port.Close();
  polls.clear();
  peer.reset();

  std::printf("idle, port open:     %.3f s CPU in %.1f s (%.2f %% of one core)\n", idleCpu, seconds / 2,
              100.0 * idleCpu / (seconds / 2));
  std::printf("polling 7 commands:  %ld exchanges in %.1f s = %.1f exchanges/s (%.1f ms each)\n", exchanges, elapsed,
              exchanges / elapsed, 1000.0 * elapsed / (exchanges > 0 ? exchanges : 1));
  std::printf("polling CPU:         %.3f s in %.1f s (%.2f %% of one core, peer included)\n", busyCpu, elapsed,
              100.0 * busyCpu / elapsed);
  return 0;
}
