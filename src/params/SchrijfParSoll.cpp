#include "params/SchrijfParSoll.h"

TFormSchrijfParSoll* FormSchrijfParSoll = nullptr;

namespace {

constexpr int kPanelTexts = 12;

}  // namespace

TFormSchrijfParSoll::TFormSchrijfParSoll(QWidget* parent)
    : TransferWindow(parent, "FormSchrijfParSoll", "SchrijfParSoll",
                     TransferTextRows({"Schrijf Param", "Schrijf Sollw", "Schrijf Param en sollw", "Schrijf Apparaat"},
                                      kPanelTexts)) {
  Wire(QL200SchrijfParSoll, kWriteReplyTimeoutMs, {}, {});
  Wire(QL200BerekenParameters, kComputeReplyTimeoutMs, {}, {});
  UseTransfer(QL200SchrijfParSoll, &QL200BerekenParameters);
}

void TFormSchrijfParSoll::StartTransfer(ValueTransfer& transfer) {
  transfer.StartWrite(Mode, DeviceContent{SendParameters, SendSetpoints});
}

QString TFormSchrijfParSoll::FinalText() const {
  switch (Mode) {
    case kTransferParameters: return Texts().Stored("PanelTekst3");
    case kTransferSetpoints: return Texts().Stored("PanelTekst5");
    case kTransferBoth: return Texts().Stored("PanelTekst6");
    default: return Texts().Stored("PanelTekst8");
  }
}
