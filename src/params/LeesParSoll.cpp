#include "params/LeesParSoll.h"

TFormLeesParSoll* FormLeesParSoll = nullptr;

namespace {

constexpr int kPanelTexts = 8;

}  // namespace

TFormLeesParSoll::TFormLeesParSoll(QWidget* parent)
    : TransferWindow(parent, "FormLeesParSoll", "LeesParSoll",
                     TransferTextRows({"Lees Param", "Lees Sollw", "Lees Param en sollw", "Lees Apparaat"},
                                      kPanelTexts)) {
  Wire(QL200LeesParSoll, kReadReplyTimeoutMs, {}, {});
  UseTransfer(QL200LeesParSoll, nullptr);
}

void TFormLeesParSoll::TakeOver(const ValueTransfer& transfer) {
  const DeviceContent& received = transfer.Received();
  if (Mode != kTransferSetpoints) ReceivedParameters = received.parameters;
  if (Mode != kTransferParameters) ReceivedSetpoints = received.setpoints;
}

QString TFormLeesParSoll::FinalText() const {
  switch (Mode) {
    case kTransferParameters: return Texts().Stored("PanelTekst3");
    case kTransferSetpoints: return Texts().Stored("PanelTekst5");
    default: return Texts().Stored("PanelTekst6");
  }
}
