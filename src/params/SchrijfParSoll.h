#pragma once

#include <array>
#include <cstdint>

#include "model/Global_var.h"
#include "params/TransferWindow.h"

// Writes parameters and setpoints to the device, value by value, then
// (unless only setpoints went) lets the device compute and take the
// parameters over.
class TFormSchrijfParSoll : public TransferWindow {
  Q_OBJECT
public:
  explicit TFormSchrijfParSoll(QWidget* parent = nullptr);

  // What the caller wants sent; filled before the window is shown.
  std::array<std::int32_t, kParameterCount> SendParameters{};
  std::array<std::int32_t, kSetpointCount + 1> SendSetpoints{};  // 1 .. 24

protected:
  void StartTransfer(ValueTransfer& transfer) override;
  QString FinalText() const override;

private:
  TQL200Protocol QL200SchrijfParSoll;
  TQL200Protocol QL200BerekenParameters;
};

extern TFormSchrijfParSoll* FormSchrijfParSoll;
