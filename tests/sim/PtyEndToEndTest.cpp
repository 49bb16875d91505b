// The real vq2x-sim on a pseudo-terminal, driven the way the tool drives a
// serial port: raw termios at a baud rate, command + CR, poll-based reads,
// the reply ending at 50 ms of silence.
#include <gtest/gtest.h>

#include "ProcessRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string TempPath(const char* stem) {
  return std::string("/tmp/") + stem + "-" + std::to_string(getpid()) + "-" +
         std::to_string(Clock::now().time_since_epoch().count());
}

// A running simulator; its first output line is the pseudo-terminal's path.
class SimProcess : public BackgroundProcess {
public:
  explicit SimProcess(std::vector<std::string> arguments) : BackgroundProcess(VQ2X_SIM_BINARY, std::move(arguments)) {}
  const std::string& slave() const { return FirstLine(); }
};

// The tool's side of the line.
class ToolPort {
public:
  explicit ToolPort(const std::string& path) { fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK); }
  ~ToolPort() {
    if (fd_ >= 0) close(fd_);
  }
  bool is_open() const { return fd_ >= 0; }

  // parity: 'N', 'E' or 'O'.
  void Configure(speed_t speed, bool twoStopBits = false, char parity = 'N') {
    termios settings{};
    tcgetattr(fd_, &settings);
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~(CSTOPB | PARENB | PARODD);
    if (twoStopBits) settings.c_cflag |= CSTOPB;
    if (parity != 'N') settings.c_cflag |= PARENB;
    if (parity == 'O') settings.c_cflag |= PARODD;
    cfsetispeed(&settings, speed);
    cfsetospeed(&settings, speed);
    tcsetattr(fd_, TCSANOW, &settings);
  }

  // Sends the command with CR and collects the reply: first byte within
  // firstByteMs, then until 50 ms of silence.
  std::string Exchange(const std::string& command, int firstByteMs = 500) {
    tcflush(fd_, TCIFLUSH);
    std::string frame = command + "\r";
    const Clock::time_point sent = Clock::now();
    lastByteAfter_ = {};
    if (write(fd_, frame.data(), frame.size()) != static_cast<ssize_t>(frame.size())) return "<write failed>";
    std::string reply;
    int wait = firstByteMs;
    while (true) {
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, wait) <= 0) return reply;
      char buffer[256];
      ssize_t count = read(fd_, buffer, sizeof buffer);
      if (count <= 0) return reply;
      lastByteAfter_ = Clock::now() - sent;
      reply.append(buffer, static_cast<std::size_t>(count));
      wait = 50;
    }
  }

  // From writing the last command to reading the last byte of its reply.
  Clock::duration lastByteAfter() const { return lastByteAfter_; }

private:
  int fd_ = -1;
  Clock::duration lastByteAfter_{};
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class PtyEndToEndTest : public ::testing::Test {
protected:
  void TearDown() override {
    std::remove(logPath.c_str());
    std::remove(statePath.c_str());
  }
  std::string logPath = TempPath("vq2x-sim-log");
  std::string statePath = TempPath("vq2x-sim-state");
};

TEST_F(PtyEndToEndTest, AnswersLikeAVq22OnUnit0) {
  SimProcess sim({"--pty", "--log", logPath});
  ASSERT_EQ(sim.slave().rfind("/dev/", 0), 0u) << "first line: " << sim.slave();
  ToolPort port(sim.slave());
  ASSERT_TRUE(port.is_open());
  port.Configure(B9600);

  EXPECT_EQ(port.Exchange("sc 0"), "sc 0\r\n");
  EXPECT_EQ(port.Exchange("rt").rfind("rt VQ22", 0), 0u);
  EXPECT_TRUE(std::regex_match(port.Exchange("rp 203"), std::regex("rp 203 -?[0-9]+\r\n")));
  EXPECT_EQ(port.Exchange("wp 247 31"), "er 7\r\n");
  EXPECT_EQ(port.Exchange("wp 247 5"), "wp 247 5\r\n");
  EXPECT_EQ(port.Exchange("bp"), "bp -1\r\n");
  EXPECT_EQ(port.Exchange("sc 5", 200), "");
  EXPECT_EQ(port.Exchange("rt", 200), "") << "sc 5 deselected unit 0";

  std::string log = ReadFile(logPath);
  EXPECT_NE(log.find(" rx \"sc 0\\r\"\n"), std::string::npos) << log;
  EXPECT_NE(log.find(" tx \"sc 0\\r\\n\"\n"), std::string::npos) << log;
  EXPECT_NE(log.find(" line 9600 8 N 1\n"), std::string::npos) << log;
}

TEST_F(PtyEndToEndTest, UnitAt19200IsSilentAt38400) {
  SimProcess sim({"--pty", "--unit", "0:VQ22", "--unit", "7:VQ20:19200:2", "--log", logPath});
  ToolPort port(sim.slave());
  ASSERT_TRUE(port.is_open());
  port.Configure(B38400, true);
  EXPECT_EQ(port.Exchange("sc 7", 200), "");
  EXPECT_EQ(port.Exchange("sc 0"), "sc 0\r\n") << "unit 0 answers at any rate";
  port.Configure(B19200, true);
  EXPECT_EQ(port.Exchange("sc 7"), "sc 7\r\n");
  EXPECT_EQ(port.Exchange("rt").rfind("rt VQ20", 0), 0u);
  // With one stop bit instead of two the selected unit can no longer decode
  // the line: it sends at most a few garbage bytes, never a reply.
  port.Configure(B19200, false);
  std::string garbage = port.Exchange("sc 7", 200);
  EXPECT_LE(garbage.size(), 3u);
  EXPECT_EQ(garbage.find("sc"), std::string::npos);
  EXPECT_NE(ReadFile(logPath).find(" line 38400 8 N 2\n"), std::string::npos);
}

TEST_F(PtyEndToEndTest, ToolMayCloseAndReopenThePort) {
  SimProcess sim({"--pty"});
  {
    ToolPort port(sim.slave());
    port.Configure(B9600);
    EXPECT_EQ(port.Exchange("sc 0"), "sc 0\r\n");
  }
  ToolPort again(sim.slave());
  again.Configure(B57600, false, 'O');
  EXPECT_EQ(again.Exchange("rt").rfind("rt VQ22", 0), 0u);
}

TEST_F(PtyEndToEndTest, StateSurvivesARestartAfterSigterm) {
  {
    SimProcess sim({"--pty", "--state", statePath});
    ToolPort port(sim.slave());
    port.Configure(B9600);
    port.Exchange("sc 0");
    EXPECT_EQ(port.Exchange("ws 7 4321"), "ws 7 4321\r\n");
    EXPECT_EQ(port.Exchange("wp 120 250"), "wp 120 250\r\n");
    EXPECT_EQ(sim.Stop(), 0) << "a clean exit on SIGTERM";
  }
  SimProcess sim({"--pty", "--state", statePath});
  ToolPort port(sim.slave());
  port.Configure(B9600);
  port.Exchange("sc 0");
  EXPECT_EQ(port.Exchange("rs 7"), "rs 7 4321\r\n");
  EXPECT_EQ(port.Exchange("rp 120"), "rp 120 250\r\n");
}

TEST_F(PtyEndToEndTest, ReplyDelayAndBurstsAreHonoured) {
  SimProcess sim({"--pty", "--reply-delay", "150", "--burst", "3:20"});
  ToolPort port(sim.slave());
  port.Configure(B9600);
  EXPECT_EQ(port.Exchange("sc 0", 60), "") << "the first byte comes after 150 ms";
  usleep(400 * 1000);  // let the late reply pass; the next exchange purges it
  EXPECT_EQ(port.Exchange("rt", 1000).rfind("rt VQ22", 0), 0u) << "bursts 20 ms apart make one reply";
}

TEST_F(PtyEndToEndTest, WireTimePacesCommandAndReplyAtTheLinesRate) {
  SimProcess sim({"--pty", "--wire-time", "--wire-parity", "E", "--long-reply"});
  ToolPort port(sim.slave());
  ASSERT_TRUE(port.is_open());
  port.Configure(B9600, false, 'E');  // the pty drops the parity bit; --wire-parity counts it
  ASSERT_EQ(port.Exchange("sc 0"), "sc 0\r\n");
  const std::string reply = port.Exchange("rh");
  ASSERT_GT(reply.size(), 100u);
  EXPECT_EQ(reply.rfind("rh ", 0), 0u);
  EXPECT_EQ(reply.substr(reply.size() - 2), "\r\n");
  // 8E1: 11 bits a character. "rh" and CR in, the reply delay of 2 ms, the
  // reply out.
  const double characterSeconds = 11.0 / 9600;
  const double least = (3 + static_cast<double>(reply.size())) * characterSeconds + 0.002;
  EXPECT_GE(std::chrono::duration<double>(port.lastByteAfter()).count(), least);
}

}  // namespace
