// The POSIX back-end on a real pseudo-terminal, against a small scripted
// peer on the master side.
#include "CommTestSupport.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "comm/PortPaths.h"
#include "comm/PosixBaud.h"
#include "comm/PosixSerialPort.h"

namespace {

// Answers each line (up to CR) with whatever the script says, after a delay.
class PtyPeer {
public:
  using Script = std::function<std::pair<std::string, int>(const std::string& line)>;

  explicit PtyPeer(Script script) : script_(std::move(script)) {
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) throw std::runtime_error("openpty");
    path_ = name;
    termios raw{};
    ::tcgetattr(slave_, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave_, TCSANOW, &raw);
    thread_ = std::thread([this] { Serve(); });
  }
  ~PtyPeer() {
    stop_ = true;
    thread_.join();
    Vanish();
    if (slave_ >= 0) ::close(slave_);
  }
  const std::string& Path() const { return path_; }
  int SlaveFd() const { return slave_; }
  std::vector<std::string> Lines() {
    std::lock_guard lock(mutex_);
    return lines_;
  }
  // The other end goes away, as an unplugged adapter would.
  void Vanish() {
    std::lock_guard lock(mutex_);
    if (master_ >= 0) ::close(master_);
    master_ = -1;
    if (slave_ >= 0) ::close(slave_);
    slave_ = -1;
  }

private:
  void Serve() {
    std::string line;
    while (!stop_) {
      int fd;
      {
        std::lock_guard lock(mutex_);
        fd = master_;
      }
      if (fd < 0) return;
      pollfd p{fd, POLLIN, 0};
      if (::poll(&p, 1, 10) <= 0 || !(p.revents & POLLIN)) continue;
      char c;
      if (::read(fd, &c, 1) != 1) continue;
      if (c != '\r') {
        line += c;
        continue;
      }
      {
        std::lock_guard lock(mutex_);
        lines_.push_back(line);
      }
      const auto [reply, delayMs] = script_(line);
      line.clear();
      if (reply.empty()) continue;
      std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
      std::lock_guard lock(mutex_);
      if (master_ >= 0) [[maybe_unused]] auto n = ::write(master_, reply.data(), reply.size());
    }
  }

  Script script_;
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
  std::mutex mutex_;
  std::vector<std::string> lines_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

class PosixSerial : public ::testing::Test {
protected:
  PosixSerial()
      : paths_(std::make_shared<PortPaths>()), backend_(std::make_shared<PosixSerialBackend>(paths_)),
        port_(invoker_, backend_) {}

  void UsePeer(PtyPeer& peer) { paths_->SetConfigured(TPort::COM1, peer.Path()); }

  bool PumpUntil(const std::function<bool()>& pred, int timeoutMs = 10000) {
    return ServeUntil(invoker_, pred, timeoutMs);
  }

  std::unique_ptr<TQL200Protocol> Component(int timeoutMs = 0) {
    auto c = std::make_unique<TQL200Protocol>();
    SetUpLineCommand(*c, &port_, timeoutMs);
    c->OnCommResult = [this](TRkProtocolComponent&, const ResultBytes& r) { results_.push_back(AsText(r)); };
    c->OnCommError = [this](TRkProtocolComponent&, TCommError& e, const ResultBytes&) { errors_.push_back(e); };
    return c;
  }

  std::vector<std::string> results_;
  std::vector<TCommError> errors_;
  ManualInvoker invoker_;
  std::shared_ptr<PortPaths> paths_;
  std::shared_ptr<PosixSerialBackend> backend_;
  TRkComm port_;
};

PtyPeer::Script Echo(int delayMs) {
  return [delayMs](const std::string& line) { return std::make_pair(line + "\r\n", delayMs); };
}

TEST_F(PosixSerial, ExchangesALineWithThePeer) {
  PtyPeer peer(Echo(10));
  UsePeer(peer);
  port_.Open();
  auto c = Component();
  c->ASCIIProtocol = "sc 0";
  c->Send();
  ASSERT_TRUE(PumpUntil([&] { return results_.size() + errors_.size() == 1; }));
  ASSERT_EQ(results_.size(), 1u);
  EXPECT_EQ(results_[0], "sc 0\r\n");
  EXPECT_EQ(peer.Lines(), std::vector<std::string>{"sc 0"});
}

TEST_F(PosixSerial, SilentPeerGivesATimeoutAfterTheFirstByteWait) {
  PtyPeer peer([](const std::string&) { return std::make_pair(std::string(), 0); });
  UsePeer(peer);
  port_.Open();
  auto c = Component();
  c->ASCIIProtocol = "rt";
  const auto start = std::chrono::steady_clock::now();
  c->Send();
  ASSERT_TRUE(PumpUntil([&] { return !errors_.empty(); }));
  EXPECT_EQ(errors_[0].Code, ceTimeout);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(95));
  EXPECT_EQ(peer.Lines().size(), 1u);
}

TEST_F(PosixSerial, SlowReplyWithinTheTerminalsTimeoutArrives) {
  PtyPeer peer(Echo(400));
  UsePeer(peer);
  port_.Open();
  auto c = Component(1500);
  c->ASCIIProtocol = "rh";
  c->Send();
  ASSERT_TRUE(PumpUntil([&] { return results_.size() + errors_.size() == 1; }));
  ASSERT_EQ(results_.size(), 1u);
  EXPECT_EQ(results_[0], "rh\r\n");
}

struct LineCase {
  TBaudrate baudrate;
  TDataBit dataBits;
  TParityBit parity;
  TStopBit stopBits;
  int baud;
};

class PosixLineSettings : public PosixSerial, public ::testing::WithParamInterface<LineCase> {};

TEST_P(PosixLineSettings, AreAppliedToTheLine) {
  PtyPeer peer(Echo(0));
  UsePeer(peer);
  const auto& c = GetParam();
  port_.SetBaudrate(c.baudrate);
  port_.SetFrameDatabits(c.dataBits);
  port_.SetFrameParitybit(c.parity);
  port_.SetFrameStopbits(c.stopBits);
  port_.Open();
  // A pseudo-terminal keeps stop bits and baud rate but always reports 8
  // data bits without parity; BuildRawTermios is checked for those below.
  termios t{};
  ASSERT_EQ(::tcgetattr(peer.SlaveFd(), &t), 0);
  EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.stopBits == TStopBit::sb_2);
  EXPECT_EQ(t.c_lflag & (ICANON | ECHO), 0u);
  int baud = 0;
  ASSERT_EQ(GetActualBaud(peer.SlaveFd(), baud), 0);
  EXPECT_EQ(baud, c.baud);
}

INSTANTIATE_TEST_SUITE_P(Table, PosixLineSettings,
                         ::testing::Values(LineCase{TBaudrate::br9600, TDataBit::db_8, TParityBit::Odd, TStopBit::sb_1, 9600},
                                           LineCase{TBaudrate::br28800, TDataBit::db_8, TParityBit::Even, TStopBit::sb_1, 28800},
                                           LineCase{TBaudrate::br19200, TDataBit::db_7, TParityBit::None, TStopBit::sb_2, 19200},
                                           LineCase{TBaudrate::br115200, TDataBit::db_8, TParityBit::None, TStopBit::sb_1, 115200}));

TEST(PosixTermios, RawModeWithTheFrameSettings) {
  termios original{};
  original.c_lflag = ICANON | ECHO | ISIG;
  original.c_iflag = IXON | ICRNL;
  original.c_oflag = OPOST;
  original.c_cflag = CRTSCTS | CS8 | PARENB | PARODD;
  const termios odd7 = BuildRawTermios(original, {TBaudrate::br9600, TDataBit::db_7, TParityBit::Odd, TStopBit::sb_2});
  EXPECT_EQ(odd7.c_cflag & CSIZE, tcflag_t{CS7});
  EXPECT_TRUE(odd7.c_cflag & PARENB);
  EXPECT_TRUE(odd7.c_cflag & PARODD);
  EXPECT_TRUE(odd7.c_cflag & CSTOPB);
  EXPECT_TRUE(odd7.c_iflag & INPCK);
  EXPECT_TRUE(odd7.c_cflag & CRTSCTS);
  EXPECT_TRUE(odd7.c_cflag & CLOCAL);
  EXPECT_EQ(odd7.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(odd7.c_iflag & (IXON | ICRNL), 0u);
  EXPECT_EQ(odd7.c_oflag & OPOST, 0u);
  const termios even8 = BuildRawTermios(original, {TBaudrate::br9600, TDataBit::db_8, TParityBit::Even, TStopBit::sb_1});
  EXPECT_EQ(even8.c_cflag & CSIZE, tcflag_t{CS8});
  EXPECT_TRUE(even8.c_cflag & PARENB);
  EXPECT_FALSE(even8.c_cflag & PARODD);
  EXPECT_FALSE(even8.c_cflag & CSTOPB);
  const termios none8 = BuildRawTermios(original, {TBaudrate::br9600, TDataBit::db_8, TParityBit::None, TStopBit::sb_1});
  EXPECT_FALSE(none8.c_cflag & PARENB);
  EXPECT_FALSE(none8.c_iflag & INPCK);
}

TEST_F(PosixSerial, BaudrateChangesOnTheOpenLineAndRestoresOnClose) {
  PtyPeer peer(Echo(0));
  UsePeer(peer);
  termios before{};
  ::tcgetattr(peer.SlaveFd(), &before);
  port_.Open();
  port_.SetBaudrate(TBaudrate::br57600);
  int baud = 0;
  ASSERT_EQ(GetActualBaud(peer.SlaveFd(), baud), 0);
  EXPECT_EQ(baud, 57600);
  port_.Close();
  termios after{};
  ::tcgetattr(peer.SlaveFd(), &after);
  EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&before));
}

TEST_F(PosixSerial, SecondOpenerOfTheSamePortIsRefused) {
  PtyPeer peer(Echo(0));
  UsePeer(peer);
  port_.Open();
  TRkComm second(invoker_, backend_);
  EXPECT_THROW(second.Open(), ECommHandleError);
  EXPECT_FALSE(second.Active());
  port_.Close();
  EXPECT_NO_THROW(second.Open());
}

TEST_F(PosixSerial, MissingDeviceRaisesWithTheSystemText) {
  paths_->SetConfigured(TPort::COM1, "/dev/vq2x-no-such-port");
  try {
    port_.Open();
    FAIL();
  } catch (const ECommHandleError& e) {
    EXPECT_EQ(std::string(e.what()), std::strerror(ENOENT));
  }
}

TEST_F(PosixSerial, NotATerminalIsRefusedAndClosedAgain) {
  paths_->SetConfigured(TPort::COM1, "/dev/null");
  EXPECT_ANY_THROW(port_.Open());
  EXPECT_FALSE(port_.Active());
}

TEST_F(PosixSerial, VanishingPeerEndsTheExchangeWithASystemErrorAndThePortReopens) {
  auto peer = std::make_unique<PtyPeer>([](const std::string& line) {
    return std::make_pair(line == "rt" ? std::string() : line + "\r\n", 5);
  });
  UsePeer(*peer);
  port_.Open();
  auto c = Component(1500);
  c->ASCIIProtocol = "r0";
  c->SetCyclic(true);
  ASSERT_TRUE(PumpUntil([&] { return results_.size() >= 3; }));
  c->SetCyclic(false);
  PumpUntil([&] { return false; }, 50);
  // A terminal command waits 1500 ms for its reply; the peer vanishes meanwhile.
  c->ASCIIProtocol = "rt";
  c->Send();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  peer->Vanish();
  ASSERT_TRUE(PumpUntil([&] { return !errors_.empty(); }));
  EXPECT_EQ(errors_.back().Code, ceSystemError);
  EXPECT_TRUE(IsVanishedDeviceError(static_cast<int>(errors_.back().SystemError))) << errors_.back().SystemError;

  EXPECT_NO_THROW(port_.Close());
  PtyPeer fresh(Echo(0));
  UsePeer(fresh);
  port_.Open();
  results_.clear();
  c->ASCIIProtocol = "sc 1";
  c->Send();
  ASSERT_TRUE(PumpUntil([&] { return !results_.empty(); }));
  EXPECT_EQ(results_[0], "sc 1\r\n");
}

TEST_F(PosixSerial, ClosingDuringALongWaitDoesNotWaitForTheTimeout) {
  PtyPeer peer([](const std::string&) { return std::make_pair(std::string(), 0); });
  UsePeer(peer);
  port_.Open();
  auto c = Component(60000);
  c->ASCIIProtocol = "rt";
  c->Send();
  PumpUntil([&] { return peer.Lines().size() == 1; });
  const auto start = std::chrono::steady_clock::now();
  port_.Close();
  // Far below the minute the read would wait: closing cancels it.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
  EXPECT_TRUE(results_.empty());
  EXPECT_TRUE(errors_.empty());
}

TEST(PortPathsTest, EnvironmentWinsOverConfigurationOverDefault) {
  PortPaths paths;
  EXPECT_EQ(paths.Resolve(TPort::COM3), "/dev/ttyS2");
  paths.SetConfigured(TPort::COM3, "/dev/ttyUSB0");
  EXPECT_EQ(paths.Resolve(TPort::COM3), "/dev/ttyUSB0");
  ::setenv("VQ2X_COM3", "/dev/pts/7", 1);
  EXPECT_EQ(paths.Resolve(TPort::COM3), "/dev/pts/7");
  ::unsetenv("VQ2X_COM3");
  EXPECT_EQ(paths.Resolve(TPort::COM16), "/dev/ttyS15");
  EXPECT_EQ(PortPaths::EnvironmentName(TPort::COM16), "VQ2X_COM16");
}

}  // namespace
