#include "comm/TrafficTranscript.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "comm/TranscriptFormat.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"

namespace {

// With a tick every quarter second no line waits longer than a second.
constexpr std::int64_t kFlushIntervalMs = 750;

std::int64_t SteadyMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string SettingsText(const LineSettings& s) {
  return PortSettingsText(s.baudrate, s.parity, s.dataBits, s.stopBits);
}

std::string Quoted(const std::string& text) {
  return QuoteBytes(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace

std::unique_ptr<TrafficTranscript> TrafficTranscript::Open(TranscriptSetup setup, std::string* error) {
  std::FILE* file = OpenFile(setup.path, setup.append ? "ab" : "wb");
  if (file == nullptr) {
    if (error) *error = std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<TrafficTranscript>(new TrafficTranscript(std::move(setup), file));
}

TrafficTranscript::TrafficTranscript(TranscriptSetup setup, std::FILE* file)
    : setup_(std::move(setup)), file_(file), port_(setup_.port), settings_(setup_.settings) {
  setup_.capBytes = std::max(setup_.capBytes, kMinimumTranscriptCap);
  startMs_ = Now();
  std::error_code ignored;
  const auto existing = setup_.append ? std::filesystem::file_size(setup_.path, ignored) : 0;
  buffer_ = Header();
  fileBytes_ = (existing == static_cast<std::uintmax_t>(-1) ? 0 : existing) + buffer_.size();
  Flush();
}

TrafficTranscript::~TrafficTranscript() {
  if (exchange_) EndExchange({cePortClosed, 0, 0});
  Flush();
  if (file_ != nullptr) std::fclose(file_);
}

std::int64_t TrafficTranscript::Now() const { return setup_.clockMs ? setup_.clockMs() : SteadyMs(); }

std::string TrafficTranscript::Header() const {
  std::string header = std::string(kTranscriptFirstLine) + "\n# started " +
                       LocalDateTime(setup_.started, ' ', true) + " " + UtcOffset(setup_.started) + "\n# program " +
                       setup_.program + "\n# line " + PortText(port_, settings_) + "\n";
  if (part_ > 1)
    header += "# part " + std::to_string(part_) + " (the part before it is " +
              std::filesystem::path(setup_.path).filename().string() + ".1)\n";
  return header;
}

void TrafficTranscript::Line(const std::string& text, std::int64_t atMs) {
  char stamp[24];
  std::snprintf(stamp, sizeof stamp, "%9lld ", static_cast<long long>(atMs - startMs_));
  const std::string line = stamp + text + "\n";
  if (fileBytes_ + line.size() > setup_.capBytes) Rotate();
  buffer_ += line;
  fileBytes_ += line.size();
  if (!oldestBufferedMs_) oldestBufferedMs_ = Now();
  Tick();
}

void TrafficTranscript::Tick() {
  if (oldestBufferedMs_ && Now() - *oldestBufferedMs_ >= kFlushIntervalMs) Flush();
}

void TrafficTranscript::Flush() {
  oldestBufferedMs_.reset();
  if (buffer_.empty() || file_ == nullptr) return;
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size() || std::fflush(file_) != 0)
    writeError_ = std::strerror(errno);
  buffer_.clear();
}

void TrafficTranscript::Rotate() {
  Flush();
  if (file_ != nullptr) std::fclose(file_);
  namespace fs = std::filesystem;
  std::error_code ignored, error;
  fs::remove(setup_.path + ".1", ignored);
  fs::rename(setup_.path, setup_.path + ".1", error);
  if (error) writeError_ = error.message();
  file_ = OpenFile(setup_.path, "wb");
  if (file_ == nullptr) writeError_ = std::strerror(errno);
  ++part_;
  buffer_ = Header();
  fileBytes_ = buffer_.size();
}

std::string TrafficTranscript::PortText(TPort port, const LineSettings& settings) const {
  const std::string path = setup_.portPath ? setup_.portPath(port) : std::string();
  return PortDeviceName(port) + " " + Quoted(path) + " " + SettingsText(settings);
}

void TrafficTranscript::PortOpened(TPort port, const LineSettings& settings, const std::string& failure) {
  port_ = port;
  settings_ = settings;
  std::string text = (failure.empty() ? "open " : "open-failed ") + PortText(port, settings);
  if (!failure.empty()) text += " " + Quoted(failure);
  portOpen_ = failure.empty();
  Line(text, Now());
}

void TrafficTranscript::PortClosed() {
  if (!portOpen_) return;
  if (exchange_) EndExchange({cePortClosed, 0, 0});
  portOpen_ = false;
  Line("close", Now());
}

void TrafficTranscript::LineSettingsChanged(const LineSettings& settings) {
  if (!portOpen_) return;
  settings_ = settings;
  Line("settings " + SettingsText(settings), Now());
}

void TrafficTranscript::ExchangeStarted(std::span<const std::uint8_t> sent) {
  if (exchange_) EndExchange({cePortClosed, 0, 0});
  exchange_ = Exchange{Now(), std::string(sent.begin(), sent.end()), {}, 0};
}

void TrafficTranscript::ReplyBytes(std::span<const std::uint8_t> received, bool restart) {
  if (!exchange_ || received.empty()) return;
  std::vector<std::string>& attempts = exchange_->attempts;
  if (attempts.empty() || (restart && !attempts.back().empty())) {
    if (attempts.size() >= kMaxRecordedAttempts) {
      exchange_->omitted += received.size();
      return;
    }
    attempts.emplace_back();
  }
  std::string& attempt = attempts.back();
  const std::size_t room = kMaxRecordedReplyBytes - std::min(attempt.size(), kMaxRecordedReplyBytes);
  const std::size_t taken = std::min(room, received.size());
  attempt.append(received.begin(), received.begin() + static_cast<std::ptrdiff_t>(taken));
  exchange_->omitted += received.size() - taken;
}

void TrafficTranscript::ExchangeEnded(const TCommError& outcome) {
  if (exchange_) EndExchange(outcome);
}

void TrafficTranscript::EndExchange(const TCommError& error) {
  const Exchange exchange = std::move(*exchange_);
  exchange_.reset();
  const TranscriptOutcome outcome = OutcomeOf(error);
  std::string text = "exchange " + std::string(OutcomeName(outcome)) + " " +
                     std::to_string(Now() - exchange.startMs) + "ms";
  if (outcome != TranscriptOutcome::Reply && outcome != TranscriptOutcome::Timeout &&
      outcome != TranscriptOutcome::Cancelled) {
    text += " code=" + std::to_string(error.Code);
    if (error.CommErrors != 0) text += " flags=" + std::to_string(error.CommErrors);
    if (error.SystemError != 0) text += " errno=" + std::to_string(error.SystemError);
  }
  text += " > " + Quoted(exchange.sent);
  for (const std::string& attempt : exchange.attempts) text += " < " + Quoted(attempt);
  if (exchange.omitted != 0) text += " +" + std::to_string(exchange.omitted);
  Line(text, exchange.startMs);
}

std::string TranscriptFileName(std::chrono::system_clock::time_point started) {
  std::string stamp = LocalDateTime(started, '_');
  stamp.erase(std::remove(stamp.begin(), stamp.end(), ':'), stamp.end());
  return "vq2x-traffic-" + stamp + ".txt";
}
