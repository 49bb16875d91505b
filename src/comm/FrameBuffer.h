#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr std::size_t kFrameSize = 512;
// Transmit frame or exchange buffer: byte 0 is a length or count, the bytes
// follow from index 1.
using FrameBuffer = std::array<std::uint8_t, kFrameSize>;
// The reply bytes handed to OnCommResult / OnCommError.
using ResultBytes = std::vector<std::uint8_t>;

// Which exchange procedure the port's worker runs for a component.
enum class ProtocolKind { None, QL200, Rk2, Zrx };
