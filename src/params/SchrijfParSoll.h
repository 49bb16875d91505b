#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/Global_var.h"
#include "params/TransferWindow.h"

class QTableWidget;

// Writes parameters and setpoints to the device, value by value, then
// (unless only setpoints went) lets the device compute and take the
// parameters over. With the option to check writes on, it then reads every
// value written back and lists each the device holds otherwise.
class TFormSchrijfParSoll : public TransferWindow {
  Q_OBJECT
public:
  explicit TFormSchrijfParSoll(QWidget* parent = nullptr);

  // What the caller wants sent; filled before the window is shown.
  std::array<std::int32_t, kParameterCount> SendParameters{};
  std::array<std::int32_t, kSetpointCount + 1> SendSetpoints{};  // 1 .. 24
  // Chosen items instead of the mode's (a write that should end with "bp"
  // lists it last); for the next showing only, cleared when it closes.
  std::vector<TransferStep> ChosenSteps;

  // What the last checked run found the device holding otherwise.
  const std::vector<HeldOtherwise>& LastHeldOtherwise() const { return heldOtherwise_; }

  QTableWidget* GridVerschillen = nullptr;

protected:
  void FormActivate() override;
  void StartTransfer(ValueTransfer& transfer) override;
  QString FinalText() const override;
  std::size_t ChosenStepCount() const override;
  void ShowHeldOtherwise(const TransferEnd& end) override;
  void hideEvent(QHideEvent* event) override;

private:
  DeviceContent Content() const { return DeviceContent{SendParameters, SendSetpoints}; }

  TQL200Protocol QL200SchrijfParSoll;
  TQL200Protocol QL200BerekenParameters;
  TQL200Protocol QL200ControleParSoll;
  bool verify_ = false;
  std::vector<HeldOtherwise> heldOtherwise_;
};

extern TFormSchrijfParSoll* FormSchrijfParSoll;
