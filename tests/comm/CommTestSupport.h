#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "comm/MainThreadInvoker.h"
#include "comm/QL200Protocol.h"
#include "comm/RkComm.h"
#include "VirtualSerial.h"

// One thing that happened to a component, in the order events fired.
struct EventRecord {
  std::string component;
  std::string kind;  // "result", "error", "activate", "deactivate"
  std::string bytes;
  TCommError error{};
};

inline std::string AsText(const ResultBytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Serves the worker's hand-overs on this thread (the UI thread of the
// test) until pred holds; false after timeoutMs of real time.
inline bool ServeUntil(MainThreadInvoker& invoker, const std::function<bool()>& pred, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!pred()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    invoker.ServeFor(std::chrono::milliseconds(5));
  }
  return true;
}

// A port on a virtual line (COM1) with the test's thread as the UI thread.
class VirtualPortFixture : public ::testing::Test {
protected:
  VirtualPortFixture()
      : backend_(std::make_shared<VirtualSerialBackend>()), device_(backend_->Attach(TPort::COM1)),
        port_(invoker_, backend_) {}

  bool PumpUntil(const std::function<bool()>& pred, int timeoutMs = 5000) {
    return ServeUntil(invoker_, pred, timeoutMs);
  }
  void PumpFor(int ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < deadline) invoker_.ServeFor(std::chrono::milliseconds(5));
  }

  // A line component that records its events under `name`.
  std::unique_ptr<TQL200Protocol> MakeComponent(const std::string& name, int timeoutMs = 0) {
    auto component = std::make_unique<TQL200Protocol>();
    SetUpLineCommand(*component, &port_, timeoutMs);
    Record(*component, name);
    return component;
  }

  void Record(TRkProtocolComponent& component, const std::string& name) {
    component.OnCommResult = [this, name](TRkProtocolComponent&, const ResultBytes& r) {
      events_.push_back({name, "result", AsText(r), {}});
    };
    component.OnCommError = [this, name](TRkProtocolComponent&, TCommError& e, const ResultBytes& r) {
      events_.push_back({name, "error", AsText(r), e});
    };
    component.OnActivate = [this, name](TRkProtocolComponent&) { events_.push_back({name, "activate", {}, {}}); };
    component.OnDeactivate = [this, name](TRkProtocolComponent&) { events_.push_back({name, "deactivate", {}, {}}); };
  }

  std::size_t Count(const std::string& name, const std::string& kind) const {
    std::size_t n = 0;
    for (const auto& e : events_)
      if (e.component == name && e.kind == kind) ++n;
    return n;
  }
  std::vector<EventRecord> Events(const std::string& name) const {
    std::vector<EventRecord> out;
    for (const auto& e : events_)
      if (e.component == name) out.push_back(e);
    return out;
  }

  void Send(TQL200Protocol& component, const std::string& command) {
    component.ASCIIProtocol = command;
    component.Send();
  }

  std::vector<EventRecord> events_;  // outlives the port, whose closing may still fire events
  ManualInvoker invoker_;
  std::shared_ptr<VirtualSerialBackend> backend_;
  std::shared_ptr<VirtualDevice> device_;
  TRkComm port_;
};
