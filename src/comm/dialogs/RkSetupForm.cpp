#include "comm/dialogs/RkSetupForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <optional>

#include "comm/RkComm.h"
#include "comm/RkCompsResources.h"
#include <QString>

namespace {

constexpr int kClientWidth = 361;
constexpr int kClientHeight = 406;

// Library text numbers of the window.
enum : int {
  kHelpFileText = 50,
  kCaptionText = 51,
  kOkText = 52,
  kCancelText = 53,
  kPortPageText = 54,
  kExtendedPageText = 55,
  kPortLabelText = 56,
  kIoRangeLabelText = 61,
  kBaudrateLabelText = 62,
  kDatabitsLabelText = 63,
  kParityLabelText = 64,
  kFirstParityText = 65,
  kStopbitsLabelText = 68,
  kHardwareLabelText = 69,
  kFirstHardwareText = 70,
  kPortTypeLabelText = 74,
  kReceiverLabelText = 75,
  kFirstReceiverText = 76,
  kTransmitterLabelText = 78,
  kFirstTransmitterText = 79,
};

QStringList Numbers(std::initializer_list<int> values) {
  QStringList items;
  for (const int v : values) items << QString::number(v);
  return items;
}

// The selected position as an enumeration value; none without a selection.
template <typename Enum>
std::optional<Enum> Selected(const QComboBox* list, int count) {
  Enum value{};
  if (!EnumFromPosition(list->currentIndex(), count, value)) return std::nullopt;
  return value;
}

template <typename Enum>
void Select(QComboBox* list, Enum value) {
  const int position = static_cast<int>(value);
  list->setCurrentIndex(position < list->count() ? position : -1);
}

}  // namespace

TRkSetupCommForm::TRkSetupCommForm(TRkComm* port, int language, QWidget* parent)
    : QDialog(parent), port_(port), language_(language) {
  setObjectName("RkSetupCommForm");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::WindowContextHelpButtonHint);
  helpFile_ = Text(kHelpFileText);
  setWindowTitle(Text(kCaptionText));

  auto* layout = new QVBoxLayout(this);
  PageControl = new QTabWidget(this);
  PageControl->setObjectName("PageControl");
  TSAnschluss = new QWidget(PageControl);
  TSAnschluss->setObjectName("TSAnschluss");
  TSErweitert = new QWidget(PageControl);
  TSErweitert->setObjectName("TSErweitert");
  for (QWidget* page : {TSAnschluss, TSErweitert}) {
    auto* grid = new QGridLayout(page);
    grid->setColumnStretch(1, 1);
    grid->setVerticalSpacing(10);
  }
  PageControl->addTab(TSAnschluss, Text(kPortPageText));
  PageControl->addTab(TSErweitert, Text(kExtendedPageText));
  layout->addWidget(PageControl, 1);

  QStringList ports;
  for (int p = 0; p < kPortCount; ++p) ports << QString::fromStdString(PortDisplayName(static_cast<TPort>(p)));
  QStringList rates;
  for (int b = 0; b < kBaudrateCount; ++b) rates << QString::number(BaudrateValue(static_cast<TBaudrate>(b)));
  auto texts = [this](int first, int count) {
    QStringList items;
    for (int n = first; n < first + count; ++n) items << Text(n);
    return items;
  };
  CBAnschluss = AddList(TSAnschluss, "PortLabel", kPortLabelText, "CBAnschluss", 1, ports);
  CBBereich = AddList(TSAnschluss, "IORangeLabel", kIoRangeLabelText, "CBBereich", 2,
                      {"03F8 - 03FF", "02F8 - 02FF", "03E8 - 03EF", "02E8 - 02EF"});
  CBBaudrate = AddList(TSAnschluss, "BaudrateLabel", kBaudrateLabelText, "CBBaudrate", 3, rates);
  CBDatenbits = AddList(TSAnschluss, "DatabitsLabel", kDatabitsLabelText, "CBDatenbits", 4, Numbers({7, 8}));
  CBParitaet = AddList(TSAnschluss, "ParityLabel", kParityLabelText, "CBParitaet", 5, texts(kFirstParityText, 3));
  CBStopbits = AddList(TSAnschluss, "StopbitsLabel", kStopbitsLabelText, "CBStopbits", 6, Numbers({1, 2}));
  CBHardware = AddList(TSErweitert, "HardwareLabel", kHardwareLabelText, "CBHardware", 7,
                       texts(kFirstHardwareText, kHardwareCount));
  CBTyp = AddList(TSErweitert, "PortTypeLabel", kPortTypeLabelText, "CBTyp", 8, {"RS 232 C", "RS 422", "RS 485"});
  CBEmpfangen = AddList(TSErweitert, "ReceiverLabel", kReceiverLabelText, "CBEmpfangen", 9,
                        texts(kFirstReceiverText, kReceiveDriverCount));
  CBSenden = AddList(TSErweitert, "TransmitterLabel", kTransmitterLabelText, "CBSenden", 10,
                     texts(kFirstTransmitterText, kTransmitDriverCount));
  for (QWidget* page : {TSAnschluss, TSErweitert})
    static_cast<QGridLayout*>(page->layout())->setRowStretch(page->layout()->count() / 2, 1);

  connect(CBAnschluss, &QComboBox::currentIndexChanged, this, [this] { CBAnschlussChange(); });
  for (QComboBox* list : {CBHardware, CBTyp, CBEmpfangen, CBSenden})
    connect(list, &QComboBox::currentIndexChanged, this, [this, list] { HardwareListChange(list); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  OKButton = new QPushButton(Text(kOkText), this);
  OKButton->setObjectName("OKButton");
  OKButton->setDefault(true);
  OKButton->setEnabled(false);
  CancelButton = new QPushButton(Text(kCancelText), this);
  CancelButton->setObjectName("CancelButton");
  buttons->addWidget(OKButton);
  buttons->addWidget(CancelButton);
  layout->addLayout(buttons);
  connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

  TSAnschluss->setEnabled(false);
  TSErweitert->setEnabled(false);
  PageControl->setCurrentWidget(TSAnschluss);
  setFixedSize(kClientWidth, kClientHeight);
}

QString TRkSetupCommForm::Text(int number) const { return QString::fromStdString(RkText(number, language_)); }

QComboBox* TRkSetupCommForm::AddList(QWidget* page, const char* labelName, int labelText, const char* listName,
                                     int helpContext, const QStringList& items) {
  auto* grid = static_cast<QGridLayout*>(page->layout());
  const int row = grid->rowCount() == 1 && grid->count() == 0 ? 0 : grid->rowCount();
  auto* label = new QLabel(Text(labelText), page);
  label->setObjectName(labelName);
  auto* list = new QComboBox(page);
  list->setObjectName(listName);
  list->addItems(items);
  list->setProperty("HelpContext", helpContext);
  label->setBuddy(list);
  grid->addWidget(label, row, 0);
  grid->addWidget(list, row, 1);
  return list;
}

void TRkSetupCommForm::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
    if (OnShow) OnShow();
    FormActivate();
  }
  QDialog::showEvent(event);
}

void TRkSetupCommForm::FormActivate() {
  if (port_ == nullptr) return;
  TSAnschluss->setEnabled(true);
  TSErweitert->setEnabled(true);
  OKButton->setEnabled(!port_->Active());
  showing_ = true;
  Select(CBAnschluss, port_->PortName());
  Select(CBBereich, port_->PortAddress());
  Select(CBBaudrate, port_->Baudrate());
  Select(CBDatenbits, port_->FrameDatabits());
  Select(CBParitaet, port_->FrameParitybit());
  Select(CBStopbits, port_->FrameStopbits());
  showing_ = false;
  ShowHardwareSettings(port_->CurrentHardwareSettings());
  UpdateCaption();
}

void TRkSetupCommForm::UpdateCaption() {
  setWindowTitle(QString::asprintf("%s %s", qUtf8Printable(Text(kCaptionText)),
                                   qUtf8Printable(CBAnschluss->currentText())));
}

void TRkSetupCommForm::CBAnschlussChange() {
  if (showing_) return;
  // COM 1 .. COM 4 have their classic address; higher ports none.
  const int position = CBAnschluss->currentIndex();
  CBBereich->setCurrentIndex(position < CBBereich->count() ? position : -1);
  UpdateCaption();
}

HardwareSettings TRkSetupCommForm::ShownHardwareSettings() const {
  // A list without a selection stands for the port's own setting.
  HardwareSettings settings = port_ != nullptr ? port_->CurrentHardwareSettings() : HardwareSettings{};
  if (auto v = Selected<THardware>(CBHardware, kHardwareCount)) settings.hardware = *v;
  if (auto v = Selected<TPortType>(CBTyp, kPortTypeCount)) settings.portType = *v;
  if (auto v = Selected<TReceiveDriver>(CBEmpfangen, kReceiveDriverCount)) settings.receiveDriver = *v;
  if (auto v = Selected<TTransmitDriver>(CBSenden, kTransmitDriverCount)) settings.transmitDriver = *v;
  return settings;
}

void TRkSetupCommForm::ShowHardwareSettings(const HardwareSettings& settings) {
  showing_ = true;
  Select(CBHardware, settings.hardware);
  Select(CBTyp, settings.portType);
  Select(CBEmpfangen, settings.receiveDriver);
  Select(CBSenden, settings.transmitDriver);
  showing_ = false;
}

void TRkSetupCommForm::HardwareListChange(QComboBox* changed) {
  if (showing_) return;
  HardwareSettings s = ShownHardwareSettings();
  if (changed == CBHardware)
    s = WithHardware(s, s.hardware);
  else if (changed == CBTyp)
    s = WithPortType(s, s.portType);
  else if (changed == CBEmpfangen)
    s = WithReceiveDriver(s, s.receiveDriver);
  else
    s = WithTransmitDriver(s, s.transmitDriver);
  ShowHardwareSettings(s);
}

// In the order the port's own copy of settings uses, so its rules run in
// that order. A list without a selection leaves that setting as it is.
void TRkSetupCommForm::WriteToPort(TRkComm& port) const {
  if (auto v = Selected<TPort>(CBAnschluss, kPortCount)) port.SetPortName(*v);
  if (auto v = Selected<TPortAddr>(CBBereich, kPortAddrCount)) port.SetPortAddress(*v);
  if (auto v = Selected<TBaudrate>(CBBaudrate, kBaudrateCount)) port.SetBaudrate(*v);
  if (auto v = Selected<TDataBit>(CBDatenbits, 2)) port.SetFrameDatabits(*v);
  if (auto v = Selected<TParityBit>(CBParitaet, 3)) port.SetFrameParitybit(*v);
  if (auto v = Selected<TStopBit>(CBStopbits, 2)) port.SetFrameStopbits(*v);
  if (auto v = Selected<THardware>(CBHardware, kHardwareCount)) port.SetHardware(*v);
  if (auto v = Selected<TPortType>(CBTyp, kPortTypeCount)) port.SetPortType(*v);
  if (auto v = Selected<TReceiveDriver>(CBEmpfangen, kReceiveDriverCount)) port.SetReceiveDriver(*v);
  if (auto v = Selected<TTransmitDriver>(CBSenden, kTransmitDriverCount)) port.SetTransmitDriver(*v);
}

void TRkSetupCommForm::OKButtonClick() {
  if (port_ == nullptr) return;
  try {
    WriteToPort(*port_);
  } catch (const std::exception& e) {
    QMessageBox box(QMessageBox::Critical, windowTitle(), QString::fromUtf8(e.what()), QMessageBox::Ok, this);
    box.setObjectName("PortSettingFailure");
    box.exec();
    return;
  }
  accept();
}
