#include "LineServer.h"

#include <algorithm>

LineServer::LineServer(LineBus& bus, TrafficLog* log, std::uint32_t seed) : bus_(bus), log_(log), random_(seed) {}

void LineServer::NoteSettings(const LineSettings& settings) {
  if (lastSettings_ == settings) return;
  lastSettings_ = settings;
  if (log_) log_->Line(settings.LogText());
}

void LineServer::Receive(std::string_view bytes, const LineSettings& settings, SimTime now) {
  NoteSettings(settings);
  for (char c : bytes) {
    const SimTime arrived = ArrivalOfNextByte(settings, now);
    raw_ += c;
    if (c == '\r') {
      heard_.push_back(HeardLine{arrived, std::move(raw_), std::move(text_), overflow_, settings});
      raw_.clear();
      text_.clear();
      overflow_ = false;
      continue;
    }
    if (c == '\n' || c == '\0') continue;
    // A device's receive buffer is short: an overlong line is dropped whole.
    if (text_.size() >= MaxLineLength) {
      overflow_ = true;
      text_.clear();
    }
    if (raw_.size() > 4 * MaxLineLength) raw_.erase(0, raw_.size() - MaxLineLength);
    if (!overflow_) text_ += c;
  }
  HandleHeardLines(now);
}

// A pseudo-terminal cannot keep a parity bit (Linux reports every pty as
// 8 data bits without parity), so the plan may name the parity to count.
LineSettings LineServer::WireFraming(const LineSettings& settings) const {
  LineSettings framing = settings;
  if (faults_.wireParity != 0) framing.parity = faults_.wireParity;
  return framing;
}

// Without wire time every byte counts as there the moment it is read.
SimTime LineServer::ArrivalOfNextByte(const LineSettings& settings, SimTime now) {
  if (!faults_.wireTime) return now;
  receiverFreeAt_ = std::max(now, receiverFreeAt_) + WireFraming(settings).WireTime(1);
  return receiverFreeAt_;
}

void LineServer::HandleHeardLines(SimTime now) {
  while (!heard_.empty() && heard_.front().at <= now) {
    HeardLine line = std::move(heard_.front());
    heard_.pop_front();
    if (log_) log_->Received(line.raw);
    if (!line.overflow) HandleLine(line.text, line.settings, line.at);
  }
}

void LineServer::HandleLine(const std::string& text, const LineSettings& settings, SimTime now) {
  if (text.find_first_not_of(" \t") == std::string::npos) return;
  std::string reply = bus_.Hear(text, settings, now);
  if (faults_.silentCommands > 0) {
    --faults_.silentCommands;
    return;
  }
  if (faults_.garbledCommands > 0) {
    --faults_.garbledCommands;
    reply = Garble(reply);
  }
  if (reply.empty()) return;
  std::size_t splitAt = 0;
  const RandomFaults::Kind fault = faults_.random.Draw(random_);
  if (fault != RandomFaults::Kind::None && log_) log_->Fault(RandomFaultName(fault));
  switch (fault) {
    case RandomFaults::Kind::Silent: return;
    case RandomFaults::Kind::Garble: reply = Garble(reply); break;
    case RandomFaults::Kind::Late: now += LateReplyDelay(text); break;
    case RandomFaults::Kind::Split: splitAt = reply.size() > 1 ? 1 + random_() % (reply.size() - 1) : 0; break;
    case RandomFaults::Kind::Double: Schedule(reply, settings, now); break;
    case RandomFaults::Kind::None: break;
  }
  Schedule(reply, settings, now, splitAt);
}

// With `splitAt` (0: none) the bytes from there on leave as a burst of their
// own, RandomFaults::SplitGap after the ones before.
void LineServer::Schedule(const std::string& reply, const LineSettings& settings, SimTime now, std::size_t splitAt) {
  SimTime at = now + Milliseconds(std::max(0, faults_.replyDelayMs));
  SimDuration gap = Milliseconds(std::max(0, faults_.burstGapMs));
  // Replies leave in order, a burst gap apart: none overtakes one still pending.
  if (!pending_.empty()) at = std::max(at, pending_.back().at + gap);
  std::size_t size = faults_.burstSize > 0 ? static_cast<std::size_t>(faults_.burstSize) : reply.size();
  for (std::size_t offset = 0; offset < reply.size();) {
    std::size_t end = std::min(reply.size(), offset + size);
    if (offset < splitAt && splitAt < end) end = splitAt;
    at = ScheduleBurst(reply.substr(offset, end - offset), offset == 0 ? reply : std::string(), settings, at);
    at += end == splitAt ? std::max<SimDuration>(gap, RandomFaults::SplitGap) : gap;
    offset = end;
  }
}

// Queues one burst that starts at `start`; returns when its last byte has
// ended. Without wire time the burst goes out whole at its start. With it
// each byte is handed out when it has crossed the line: one character time
// after the start for the first byte, one more for each further byte.
SimTime LineServer::ScheduleBurst(const std::string& burst, const std::string& wholeReply,
                                  const LineSettings& settings, SimTime start) {
  if (!faults_.wireTime) {
    pending_.push_back(Chunk{start, burst, wholeReply});
    return start;
  }
  const LineSettings framing = WireFraming(settings);
  SimTime at = start;
  for (std::size_t i = 0; i < burst.size(); ++i) {
    at = start + framing.WireTime(i + 1);
    pending_.push_back(Chunk{at, burst.substr(i, 1), i == 0 ? wholeReply : std::string()});
  }
  return at;
}

// A reply hit by interference: the echoed code no longer matches and one
// byte in the middle is lost to a random one; the line end survives.
std::string LineServer::Garble(std::string reply) {
  if (reply.empty()) return reply;
  reply[0] = static_cast<char>(reply[0] ^ 0x20);
  std::size_t body = reply.size() > 2 ? reply.size() - 2 : reply.size();
  if (body > 1) {
    std::size_t at = 1 + random_() % (body - 1);
    reply[at] = static_cast<char>(0x80 | (random_() & 0x7F));
  }
  return reply;
}

void LineServer::SetNoise(double perMinute, SimTime now) {
  faults_.noisePerMinute = perMinute;
  nextNoise_.reset();
  if (perMinute > 0) ScheduleNextNoise(now);
}

void LineServer::ScheduleNextNoise(SimTime after) {
  std::exponential_distribution<double> gap(faults_.noisePerMinute / 60.0);
  double seconds = std::min(gap(random_), 3600.0);
  nextNoise_ = after + std::chrono::duration_cast<SimDuration>(std::chrono::duration<double>(seconds));
}

std::string LineServer::NoiseBytes() {
  std::string bytes(1 + random_() % 4, '\0');
  for (char& c : bytes) c = static_cast<char>(random_() & 0xFF);
  return bytes;
}

std::optional<SimTime> LineServer::NextDue() const {
  std::optional<SimTime> due = nextNoise_;
  if (!pending_.empty() && (!due || pending_.front().at < *due)) due = pending_.front().at;
  if (!heard_.empty() && (!due || heard_.front().at < *due)) due = heard_.front().at;
  return due;
}

std::string LineServer::TakeDue(SimTime now) {
  HandleHeardLines(now);
  std::string out;
  if (nextNoise_ && *nextNoise_ <= now) {
    std::string noise = NoiseBytes();
    if (log_) log_->Noise(noise);
    out += noise;
    ScheduleNextNoise(now);
  }
  while (!pending_.empty() && pending_.front().at <= now) {
    Chunk& chunk = pending_.front();
    if (!chunk.wholeReply.empty() && log_) log_->Sent(chunk.wholeReply);
    out += chunk.bytes;
    pending_.pop_front();
  }
  return out;
}
