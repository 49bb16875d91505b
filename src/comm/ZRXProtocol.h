#pragma once

#include "comm/RkProtocolComponent.h"

// Binary protocol framed by DLE STX ... DLE ETX with DLE stuffing and an XOR
// check byte after the trailer. Filled and delivered like TRk2Protocol.
class TZRXProtocol : public TRkProtocolComponent {
public:
  ProtocolKind Kind() const override { return ProtocolKind::Zrx; }
};
