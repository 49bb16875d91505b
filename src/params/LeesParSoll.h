#pragma once

#include <array>
#include <cstdint>

#include "model/Global_var.h"
#include "ui/WindowBase.h"

// Reads parameters and setpoints from the device, value by value.
class TFormLeesParSoll : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormLeesParSoll(QWidget* parent = nullptr);

  // 0 parameters, 1 setpoints, 2 both, 3 a whole device for a backup.
  int Mode = 0;
  // What the last run received; valid when the window closed with OK.
  std::array<std::int32_t, kParameterCount> ReceivedParameters{};
  std::array<std::int32_t, kSetpointCount + 1> ReceivedSetpoints{};  // 1 .. 24
};

extern TFormLeesParSoll* FormLeesParSoll;
