#pragma once

#include <string>

#include "comm/RkProtocolComponent.h"
#include "comm/RkTypes.h"

// Sends one line of text and collects whatever the device sends back.
// Every exchange with a VQ2x goes through components of this class: set
// ASCIIProtocol to the command ("rp 12", "wp 226 0"), call Send, and receive
// every reply byte (line end included) in OnCommResult, or a failure in
// OnCommError.
//
// Wire format: [ProtocolHead] text [ProtocolFoot]; the reply ends at the
// ReceiveStop character or at 50 ms of silence after a byte. With
// SingleLineReplies set and the port's fast replies on, it also ends at its
// first CR LF.
class TQL200Protocol : public TRkProtocolComponent {
public:
  TQL200Protocol() = default;

  ProtocolKind Kind() const override { return ProtocolKind::QL200; }
  void DescribeExchange(ExchangeRequest& request) const override;

  // Trims ASCIIProtocol (leading and trailing codes 0..32), builds the frame
  // and queues it. Frames hold at most 254 bytes of head, text and foot; a
  // longer text is cut there.
  void Send() override;
  void DoReceiveData(const FrameBuffer& data, const FrameBuffer& frame, bool& continuation) override;

  std::string ASCIIProtocol;
  bool Filtered = false;
  TSequenceChar ReceiveStart = TSequenceChar::scNone;
  TSequenceChar ReceiveStop = TSequenceChar::scNone;
  TSequenceChar ProtocolHead = TSequenceChar::scNone;
  TSequenceChar ProtocolFoot = TSequenceChar::scNone;
  // Every reply to this component's commands is one line that echoes the
  // command's two-character code and ends with CR LF. Texts that may hold
  // anything (identification, the terminal, probes) never set it.
  bool SingleLineReplies = false;
};

// The components of this tool all send a command followed by CR.
void SetUpLineCommand(TQL200Protocol& component, class TRkComm* port, int timeoutMs = 0);
