#pragma once

// What the harnesses share: the input as text or as reply bytes, and a
// check that turns a broken promise of a reader into a crash the fuzzer
// keeps.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "comm/FrameBuffer.h"

inline std::string_view InputText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

inline ResultBytes InputBytes(const std::uint8_t* data, std::size_t size) { return ResultBytes(data, data + size); }

// The input cut into pieces at each byte `separator` (kept at the end of its piece).
inline std::vector<ResultBytes> InputPieces(const std::uint8_t* data, std::size_t size, std::uint8_t separator) {
  std::vector<ResultBytes> pieces(1);
  for (std::size_t i = 0; i < size; ++i) {
    pieces.back().push_back(data[i]);
    if (data[i] == separator) pieces.emplace_back();
  }
  return pieces;
}

inline void Require(bool promise) {
  if (!promise) std::abort();
}
