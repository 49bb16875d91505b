#include "model/DeviceIdentification.h"

#include "model/DeviceReply.h"
#include "model/LineCommand.h"

namespace {

// Query sent at each step, and the status panel its reply goes to.
struct IdentQuery {
  const char* command;
  int panel;
};
constexpr IdentQuery kQueries[] = {{"rt", 2}, {"rh", 3}, {"rx", 4}};

}  // namespace

DeviceIdentification::DeviceIdentification(TRkComm& port, TGlobalVar& globals) : globals_(globals) {
  WireLineCommand(unitSelect_, &port, 0, [this](const ResultBytes& r) { UnitSelectReply(r); },
                  [this](const TCommError& e) {
                    if (OnUnitSelectFailed) OnUnitSelectFailed(e);
                    if (!e.IsSuccess()) End({false, unitSelect_.ASCIIProtocol, e});
                  });
  // A failed query is not shown: the chain just stops there.
  WireLineCommand(typeInfo_, &port, 0, [this](const ResultBytes& r) { TypeInfoReply(r); },
                  [this](const TCommError& e) {
                    if (!e.IsSuccess()) End({false, typeInfo_.ASCIIProtocol, e});
                  });
}

void DeviceIdentification::End(IdentificationEnd end) {
  if (OnEnded) OnEnded(end);
}

bool DeviceIdentification::IsKnownDeviceType(const std::string& type) {
  return type == "VQ20" || type == "VQ21" || type == "VQ22" || type == "VQ23";
}

void DeviceIdentification::Start(int unitNumber) {
  globals_.IdentStep = 0;
  SendCommand(unitSelect_, "sc " + std::to_string(unitNumber));
}

void DeviceIdentification::UnitSelectReply(const ResultBytes& reply) {
  // A reply to another command is no selection: the chain stops, as it
  // does for a query whose reply does not echo it.
  if (!EchoesCommand(reply, "sc")) return End({false, unitSelect_.ASCIIProtocol, {}});
  if (OnUnitSelected) OnUnitSelected();
  globals_.IdentStep = 0;
  SendCommand(typeInfo_, kQueries[0].command);
}

void DeviceIdentification::TypeInfoReply(const ResultBytes& reply) {
  const int step = globals_.IdentStep;
  if (step < 0 || step > 2) return;
  const IdentQuery& query = kQueries[step];
  if (!EchoesCommand(reply, query.command)) return End({false, query.command, {}});
  const std::string value = ReplyValue(reply);
  if (OnText) OnText(query.panel, value);
  if (step == 0) {
    globals_.DeviceType = value.substr(0, 4);
    if (!IsKnownDeviceType(globals_.DeviceType) && OnForeignDevice) OnForeignDevice();
  }
  if (step == 2) return End({true, {}, {}});
  SendCommand(typeInfo_, kQueries[step + 1].command);
  globals_.IdentStep = step + 1;
}
