#pragma once

#include <array>
#include <cstdint>

#include "model/Global_var.h"
#include "ui/WindowBase.h"

// Writes parameters and setpoints to the device, value by value.
class TFormSchrijfParSoll : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormSchrijfParSoll(QWidget* parent = nullptr);

  // 0 parameters, 1 setpoints, 2 both, 3 a whole device (restore).
  int Mode = 0;
  // What the caller wants sent; filled before the window is shown.
  std::array<std::int32_t, kParameterCount> SendParameters{};
  std::array<std::int32_t, kSetpointCount + 1> SendSetpoints{};  // 1 .. 24
};

extern TFormSchrijfParSoll* FormSchrijfParSoll;
