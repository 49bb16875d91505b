#pragma once

#include <array>
#include <cstdint>

#include "model/Global_var.h"
#include "params/TransferWindow.h"

// Reads parameters and setpoints from the device, value by value. The
// caller takes the received values over when the window closes with OK.
class TFormLeesParSoll : public TransferWindow {
  Q_OBJECT
public:
  explicit TFormLeesParSoll(QWidget* parent = nullptr);

  // What the last finished run received.
  std::array<std::int32_t, kParameterCount> ReceivedParameters{};
  std::array<std::int32_t, kSetpointCount + 1> ReceivedSetpoints{};  // 1 .. 24

protected:
  void StartTransfer(ValueTransfer& transfer) override { transfer.StartRead(Mode); }
  void TakeOver(const ValueTransfer& transfer) override;
  QString FinalText() const override;

private:
  TQL200Protocol QL200LeesParSoll;
};

extern TFormLeesParSoll* FormLeesParSoll;
