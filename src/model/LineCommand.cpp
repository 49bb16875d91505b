#include "model/LineCommand.h"

void WireLineCommand(TQL200Protocol& component, TRkComm* port, int timeoutMs, ReplyHandler onReply,
                     FailureHandler onFailure) {
  SetUpLineCommand(component, port, timeoutMs);
  if (onReply)
    component.OnCommResult = [onReply = std::move(onReply)](TRkProtocolComponent&, const ResultBytes& r) { onReply(r); };
  else
    component.OnCommResult = nullptr;
  if (onFailure)
    component.OnCommError = [onFailure = std::move(onFailure)](TRkProtocolComponent&, TCommError& e,
                                                              const ResultBytes&) { onFailure(e); };
  else
    component.OnCommError = nullptr;
}

void SendCommand(TQL200Protocol& component, const std::string& command) {
  component.ASCIIProtocol = command;
  component.Send();
}
