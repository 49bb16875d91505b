#pragma once

#include <cstdint>

// Plain drawing primitives that geometry functions hand to the windows,
// which paint them as they are. Coordinates are pixels of the image drawn
// on, origin top left, y downwards.

struct PixelPoint {
  int x = 0;
  int y = 0;
  bool operator==(const PixelPoint&) const = default;
};

struct PixelLine {
  PixelPoint from;
  PixelPoint to;
  bool operator==(const PixelLine&) const = default;
};

// A rectangle from (left, top) up to but not including (right, bottom): its
// frame covers the pixels left .. right - 1 and top .. bottom - 1.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const PixelRect&) const = default;
};

struct RgbColour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const RgbColour&) const = default;
};
