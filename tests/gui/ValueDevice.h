#pragma once

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "GuiTestSupport.h"

// Echoes "rp"/"rs"/"wp"/"ws" with their number and the value it holds,
// answers "bp -1"; replies planned for a command are used first, one each.
// A clamped parameter keeps a written value at its maximum without a word.
class ValueDevice {
public:
  void Plan(const std::string& command, std::vector<std::string> replies) {
    std::lock_guard lock(mutex_);
    planned_[command] = std::move(replies);
  }
  void Clamp(int parameter, std::int32_t maximum) {
    std::lock_guard lock(mutex_);
    clamped_[parameter] = maximum;
  }
  void SetDelay(int ms) {
    std::lock_guard lock(mutex_);
    delayMs_ = ms;
  }
  std::optional<VirtualReply> operator()(const std::string& request) {
    std::lock_guard lock(mutex_);
    const std::string command = request.substr(0, request.find('\r'));
    auto plan = planned_.find(command);
    if (plan != planned_.end() && !plan->second.empty()) {
      const std::string reply = plan->second.front();
      plan->second.erase(plan->second.begin());
      return reply.empty() ? VirtualReply::Silence() : VirtualReply::Answer(reply + "\r\n", delayMs_);
    }
    if (command == "bp") return VirtualReply::Answer("bp -1\r\n", delayMs_);
    const std::string code = command.substr(0, 2);
    if (code != "rp" && code != "rs" && code != "wp" && code != "ws") return std::nullopt;
    const std::size_t blank = command.find(' ', 3);
    const int number = std::stoi(command.substr(3, blank - 3));
    std::int32_t& value = (code[1] == 'p' ? parameters_ : setpoints_)[number];
    if (code[0] == 'w') value = std::stoi(command.substr(blank + 1));
    if (code == "wp" && clamped_.count(number)) value = std::min(value, clamped_[number]);
    return VirtualReply::Answer(command.substr(0, blank) + " " + std::to_string(value) + "\r\n", delayMs_);
  }

private:
  std::mutex mutex_;
  std::map<std::string, std::vector<std::string>> planned_;
  std::map<int, std::int32_t> parameters_, setpoints_, clamped_;
  int delayMs_ = 2;
};

// The line answers values from a ValueDevice, everything else from `device`.
inline std::shared_ptr<ValueDevice> AnswerValues(VirtualDevice& line, std::shared_ptr<FakeDevice> device) {
  auto values = std::make_shared<ValueDevice>();
  line.SetResponder([values, device](const std::string& r) {
    if (auto reply = (*values)(r)) return *reply;
    return (*device)(r);
  });
  return values;
}
