#pragma once

#include "comm/RkProtocolComponent.h"

// Binary protocol with header 82h 96h, 82h stuffing and an XOR check byte.
// The caller fills the message with SetFrameByte (byte 0 = L = payload + 1).
// On success the result holds the count byte followed by the payload.
class TRk2Protocol : public TRkProtocolComponent {
public:
  ProtocolKind Kind() const override { return ProtocolKind::Rk2; }
};
