#pragma once

#include <functional>

#include "comm/QL200Protocol.h"

// The events of a line component as the windows handle them: the reply
// bytes, or the failure record.
using ReplyHandler = std::function<void(const ResultBytes& reply)>;
using FailureHandler = std::function<void(const TCommError& error)>;

// Sets a component up the way every component of this tool is: the command
// followed by CR, its first-byte time-out (0: 100 ms), bound to the port,
// with its reply and failure handlers (either may be empty).
void WireLineCommand(TQL200Protocol& component, TRkComm* port, int timeoutMs, ReplyHandler onReply,
                     FailureHandler onFailure = {});

// A free command line from the terminal may take the device a while.
constexpr int kTerminalReplyTimeoutMs = 1500;

// Sets the command text and sends it.
void SendCommand(TQL200Protocol& component, const std::string& command);
