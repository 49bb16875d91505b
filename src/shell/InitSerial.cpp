#include "shell/InitSerial.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cstdlib>
#include <optional>

#include "comm/PortPaths.h"
#include "comm/RkComm.h"
#include "model/Global_var.h"
#include "model/LanguageTexts.h"
#include "shell/VQ20Main.h"
#include "ui/OkCancelRow.h"
#include "ui/QtText.h"

TFormInitSerial* FormInitSerial = nullptr;

namespace {

using List = TextRow::Kind;

// The lists as laid out, and their texts when a loaded language file lacks
// them: in the order of the settings' positions.
constexpr const char* kPortItems = "COM1,COM2,COM3,COM4,COM5,COM6,COM7,COM8,COM9,COM10,COM11,COM12,COM13,COM14,COM15,COM16";
constexpr const char* kIoItems = "03F8h,02F8h,03E8h,02E8h";
constexpr const char* kBaudItems = "9600,19200,28800,38400,57600,115200";
constexpr const char* kDataBitItems = "7,8";
constexpr const char* kParityItems = "None,Even,Odd";
constexpr const char* kStopbitItems = "1,2";
constexpr const char* kHardwareItems = "Standard,\"PCLab PCL-745\",\"Phoenix PSM\",\"User defined\"";
constexpr const char* kPortTypeItems = "RS232C,RS422,RS485";
constexpr const char* kReceiverItems = "None,\"Register 7 to 2\"";
constexpr const char* kTransmitterItems = "None,\"Register 7 to 1\",\"RTS to 1\",\"DTR to 0\"";

// The baud list starts at 9600: its position + 3 is the TBaudrate ordinal.
constexpr int kBaudListOffset = static_cast<int>(TBaudrate::br9600);

const std::vector<TextRow> kSerialTexts = {
    {"", "Caption", "Seriele poort"},
    {"TabInterface", "RegInterface", "Interface"},
    {"TabExtended", "RegExtended", "Extended"},
    {"CmdOK", "CmdOK", "OK"},
    {"CmdCancel", "CmdCancel", "Cancel"},
    {"LabelPoort", "PortLabel", "Poort"},
    {"ComboPoort", "PortItems", kPortItems, List::List},
    {"Label_IO", "IOLabel", "IO"},
    {"Combo_IO", "IOItems", kIoItems, List::List},
    {"LabelBaud", "BaudLabel", "Baud"},
    {"ComboBaud", "BaudItems", kBaudItems, List::List},
    {"LabelDataBits", "DatabitLabel", "Bits"},
    {"ComboDataBits", "DataBitItems", kDataBitItems, List::List},
    {"LabelParity", "ParityLabel", "Parity"},
    {"ComboParity", "ParityItems", kParityItems, List::List},
    {"LabelStopBits", "StopbitLabel", "stopbits"},
    {"ComboStopBits", "StopbitItems", kStopbitItems, List::List},
    {"LabelHardware", "HardwareLabel", "hardware"},
    {"ComboHardware", "HardwareItems", kHardwareItems, List::List},
    {"LabelPortType", "PortTypeLabel", "Poorttype"},
    {"ComboPortType", "PortTypeItems", kPortTypeItems, List::List},
    {"LabelReceiver", "ReceiverLabel", "Receiver"},
    {"ComboReceiver", "ReceiverItems", kReceiverItems, List::List},
    {"LabelTransmitter", "TransmitterLabel", "Transmitter"},
    {"ComboTransmitter", "TransmitterItems", kTransmitterItems, List::List},
    {"GroupBoxDevice", "DeviceGroup", "Device on this computer"},
    {"LabelDevicePath", "DevicePathLabel", "Path:"},
    {"CmdRefreshDevices", "CmdRefreshDevices", "Refresh"},
};

QStringList Items(const char* commaList) {
  QStringList items;
  for (const QString& item : QString(commaList).split(',')) items << QString(item).remove('"');
  return items;
}

// The selected position as a setting; none without a selection.
template <typename Enum>
std::optional<Enum> Selected(const QComboBox* list, int count, int offset = 0) {
  Enum value{};
  if (list->currentIndex() < 0 || !EnumFromPosition(list->currentIndex() + offset, count, value)) return std::nullopt;
  return value;
}

template <typename Enum>
void Select(QComboBox* list, Enum value, int offset = 0) {
  const int position = static_cast<int>(value) - offset;
  list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

QString DeviceText(const char* key, const char* builtIn) { return Q(Tekst("InitCom", key, builtIn)); }

// What the system knows of the device at path.
QString DescribeDevice(const QString& path) {
  if (path.isEmpty()) return {};
  const QFileInfo file(path);
  if (!file.exists()) return DeviceText("DeviceMissing", "There is no device at this path on this computer.");
  const QString canonical = file.canonicalFilePath();
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    if (info.systemLocation() != path && QFileInfo(info.systemLocation()).canonicalFilePath() != canonical) continue;
    QStringList facts;
    if (!info.description().isEmpty()) facts << info.description();
    if (!info.manufacturer().isEmpty()) facts << info.manufacturer();
    if (!info.serialNumber().isEmpty())
      facts << DeviceText("DeviceSerialNumber", "serial number") + " " + info.serialNumber();
    if (info.hasVendorIdentifier() && info.hasProductIdentifier())
      facts << QString::asprintf("USB %04x:%04x", info.vendorIdentifier(), info.productIdentifier());
    if (facts.isEmpty()) return DeviceText("DeviceKnownNothing", "A serial port; the system knows nothing more of it.");
    return facts.join(", ");
  }
  if (path.startsWith("/dev/pts/"))
    return DeviceText("DevicePseudoTerminal", "A pseudo-terminal (for example the simulator).");
  return DeviceText("DeviceNotListed", "The system lists no serial port at this path.");
}

QLabel* AddRow(QGridLayout* grid, const char* labelName, const char* caption, QComboBox*& list, const char* listName,
               const char* items, bool enabled) {
  QWidget* parent = grid->parentWidget();
  auto* label = new QLabel(caption, parent);
  label->setObjectName(labelName);
  list = new QComboBox(parent);
  list->setObjectName(listName);
  list->addItems(Items(items));
  list->setEnabled(enabled);
  label->setBuddy(list);
  const int row = grid->count() / 2;
  grid->addWidget(label, row, 0);
  grid->addWidget(list, row, 1);
  return label;
}

}  // namespace

TFormInitSerial::TFormInitSerial(QWidget* parent)
    : TWindowBase(parent, "FormInitSerial", "Seriele poort"), texts_("InitCom", kSerialTexts) {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  auto* layout = new QVBoxLayout(this);
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  PageControl1->addTab(BuildInterfacePage(), "Interface");
  PageControl1->addTab(BuildExtendedPage(), "Extended");
  layout->addWidget(PageControl1, 1);

  const OkCancelButtons buttons = AddOkCancelRow(*this, *layout, "Cansel");
  CmdOK = buttons.ok;
  CmdCancel = buttons.cancel;
  connect(CmdOK, &QPushButton::clicked, this, [this] { CmdOKClick(); });
  setMinimumWidth(460);
}

QWidget* TFormInitSerial::BuildInterfacePage() {
  auto* page = new QWidget(this);
  page->setObjectName("TabInterface");
  auto* layout = new QVBoxLayout(page);
  auto* settings = new QWidget(page);
  auto* grid = new QGridLayout(settings);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setColumnStretch(1, 1);
  AddRow(grid, "LabelPoort", "Poort", ComboPoort, "ComboPoort", kPortItems, true);
  AddRow(grid, "Label_IO", "IO", Combo_IO, "Combo_IO", kIoItems, false);
  AddRow(grid, "LabelBaud", "Baud", ComboBaud, "ComboBaud", kBaudItems, true);
  AddRow(grid, "LabelDataBits", "Bits", ComboDataBits, "ComboDataBits", kDataBitItems, true);
  AddRow(grid, "LabelParity", "Parity", ComboParity, "ComboParity", kParityItems, true);
  AddRow(grid, "LabelStopBits", "Stopbits", ComboStopBits, "ComboStopBits", kStopbitItems, true);
  layout->addWidget(settings);
  layout->addWidget(BuildDeviceGroup(page));
  layout->addStretch(1);
  connect(ComboPoort, &QComboBox::currentIndexChanged, this, [this] { ComboPoortChange(); });
  return page;
}

QWidget* TFormInitSerial::BuildDeviceGroup(QWidget* parent) {
  auto* group = new QGroupBox("Device on this computer", parent);
  group->setObjectName("GroupBoxDevice");
  auto* grid = new QGridLayout(group);
  auto* label = new QLabel("Path:", group);
  label->setObjectName("LabelDevicePath");
  ComboDevicePath = new QComboBox(group);
  ComboDevicePath->setObjectName("ComboDevicePath");
  ComboDevicePath->setEditable(true);
  ComboDevicePath->setInsertPolicy(QComboBox::NoInsert);
  ComboDevicePath->setMinimumContentsLength(22);
  label->setBuddy(ComboDevicePath);
  CmdRefreshDevices = new QPushButton("Refresh", group);
  CmdRefreshDevices->setObjectName("CmdRefreshDevices");
  CmdRefreshDevices->setAutoDefault(false);
  LabelDeviceInfo = new QLabel(group);
  LabelDeviceInfo->setObjectName("LabelDeviceInfo");
  LabelDeviceInfo->setWordWrap(true);
  LabelDeviceInfo->setTextInteractionFlags(Qt::TextSelectableByMouse);
  LabelDeviceInfo->setMinimumHeight(2 * LabelDeviceInfo->fontMetrics().lineSpacing());
  grid->addWidget(label, 0, 0);
  grid->addWidget(ComboDevicePath, 0, 1);
  grid->addWidget(CmdRefreshDevices, 0, 2);
  grid->addWidget(LabelDeviceInfo, 1, 1, 1, 2);
  grid->setColumnStretch(1, 1);
  connect(ComboDevicePath, &QComboBox::editTextChanged, this, [this](const QString& t) { DevicePathEdited(t); });
  connect(CmdRefreshDevices, &QPushButton::clicked, this, [this] {
    ListPresentDevices();
    ShowDeviceOfChosenPort();
  });
  return group;
}

QWidget* TFormInitSerial::BuildExtendedPage() {
  auto* page = new QWidget(this);
  page->setObjectName("TabExtended");
  auto* layout = new QVBoxLayout(page);
  auto* settings = new QWidget(page);
  auto* grid = new QGridLayout(settings);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setColumnStretch(1, 1);
  // Shown only: they follow one another by the port's rules.
  AddRow(grid, "LabelHardware", "Hardware", ComboHardware, "ComboHardware", kHardwareItems, false);
  AddRow(grid, "LabelPortType", "Poorttype", ComboPortType, "ComboPortType", kPortTypeItems, false);
  AddRow(grid, "LabelReceiver", "Receiver", ComboReceiver, "ComboReceiver", kReceiverItems, false);
  AddRow(grid, "LabelTransmitter", "Transmitter", ComboTransmitter, "ComboTransmitter", kTransmitterItems, false);
  layout->addWidget(settings);
  layout->addStretch(1);
  return page;
}

// --- Activation ---------------------------------------------------------------

void TFormInitSerial::FormActivate() {
  if (FormMain != nullptr) FormMain->SetPortActive(false);
  selecting_ = true;
  texts_.Apply(*this);
  SelectCurrentSettings();
  if (FormMain != nullptr)
    for (int p = 0; p < kPortCount; ++p) paths_[static_cast<std::size_t>(p)] = FormMain->Paths()->Configured(static_cast<TPort>(p));
  ListPresentDevices();
  selecting_ = false;
  ShowDeviceOfChosenPort();
  PageControl1->setCurrentIndex(0);
  // The texts of the language may be longer than the laid-out ones.
  adjustSize();
}

void TFormInitSerial::SelectCurrentSettings() {
  const TRkComm& port = Port();
  Select(ComboPoort, port.PortName());
  Select(Combo_IO, port.PortAddress());
  Select(ComboBaud, port.Baudrate(), kBaudListOffset);
  Select(ComboDataBits, port.FrameDatabits());
  Select(ComboParity, port.FrameParitybit());
  Select(ComboStopBits, port.FrameStopbits());
  Select(ComboHardware, port.Hardware());
  Select(ComboPortType, port.PortType());
  Select(ComboReceiver, port.ReceiveDriver());
  Select(ComboTransmitter, port.TransmitDriver());
}

// --- The COM number and its device -------------------------------------------

int TFormInitSerial::ChosenPort() const {
  const int position = ComboPoort->currentIndex();
  return position >= 0 && position < kPortCount ? position : -1;
}

void TFormInitSerial::ComboPoortChange() {
  if (selecting_) return;
  // COM1 .. COM4 have their classic I/O address, higher ports none.
  const int position = ComboPoort->currentIndex();
  Combo_IO->setCurrentIndex(position < Combo_IO->count() ? position : -1);
  ShowDeviceOfChosenPort();
}

void TFormInitSerial::ListPresentDevices() {
  const bool wasSelecting = selecting_;
  selecting_ = true;
  const QString shown = ComboDevicePath->currentText();
  ComboDevicePath->clear();
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    ComboDevicePath->addItem(info.systemLocation());
    ComboDevicePath->setItemData(ComboDevicePath->count() - 1, info.description(), Qt::ToolTipRole);
  }
  ComboDevicePath->setEditText(shown);
  selecting_ = wasSelecting;
}

void TFormInitSerial::ShowDeviceOfChosenPort() {
  const int position = ChosenPort();
  selecting_ = true;
  if (position < 0) {
    ComboDevicePath->setEditText({});
    ComboDevicePath->setEnabled(false);
    LabelDeviceInfo->clear();
    selecting_ = false;
    return;
  }
  const auto port = static_cast<TPort>(position);
  const std::string& mapped = paths_[static_cast<std::size_t>(position)];
  const char* fromEnvironment = std::getenv(PortPaths::EnvironmentName(port).c_str());
  const bool overridden = fromEnvironment != nullptr && *fromEnvironment != '\0';
  const QString path = Q(overridden ? std::string(fromEnvironment) : mapped.empty() ? PortPaths::DefaultPath(port) : mapped);
  ComboDevicePath->setEditText(path);
  ComboDevicePath->setEnabled(!overridden);
  selecting_ = false;
  QString info = DescribeDevice(path);
  if (overridden)
    info = Q("Set by the environment variable " + PortPaths::EnvironmentName(port) + ", which overrides the mapping. ") + info;
  LabelDeviceInfo->setText(info);
}

void TFormInitSerial::DevicePathEdited(const QString& text) {
  if (selecting_) return;
  const int position = ChosenPort();
  if (position < 0) return;
  const QString path = text.trimmed();
  const auto port = static_cast<TPort>(position);
  // The default path needs no mapping.
  paths_[static_cast<std::size_t>(position)] = path == Q(PortPaths::DefaultPath(port)) ? std::string() : S(path);
  LabelDeviceInfo->setText(DescribeDevice(path.isEmpty() ? Q(PortPaths::DefaultPath(port)) : path));
}

// --- OK -----------------------------------------------------------------------

// In this order, so the port's rules run as they do for its own copy. A list
// without a selection keeps the port's setting.
void TFormInitSerial::WriteSettings() const {
  TRkComm& port = Port();
  if (auto v = Selected<TPort>(ComboPoort, kPortCount)) port.SetPortName(*v);
  if (auto v = Selected<TPortAddr>(Combo_IO, kPortAddrCount)) port.SetPortAddress(*v);
  if (auto v = Selected<TBaudrate>(ComboBaud, kBaudrateCount, kBaudListOffset)) port.SetBaudrate(*v);
  if (auto v = Selected<TDataBit>(ComboDataBits, 2)) port.SetFrameDatabits(*v);
  if (auto v = Selected<TParityBit>(ComboParity, 3)) port.SetFrameParitybit(*v);
  if (auto v = Selected<TStopBit>(ComboStopBits, 2)) port.SetFrameStopbits(*v);
  if (auto v = Selected<THardware>(ComboHardware, kHardwareCount)) port.SetHardware(*v);
  if (auto v = Selected<TPortType>(ComboPortType, kPortTypeCount)) port.SetPortType(*v);
  if (auto v = Selected<TReceiveDriver>(ComboReceiver, kReceiveDriverCount)) port.SetReceiveDriver(*v);
  if (auto v = Selected<TTransmitDriver>(ComboTransmitter, kTransmitDriverCount)) port.SetTransmitDriver(*v);
}

void TFormInitSerial::StoreMapping() const {
  if (FormMain == nullptr) return;
  PortPaths& mapping = *FormMain->Paths();
  for (int p = 0; p < kPortCount; ++p) mapping.SetConfigured(static_cast<TPort>(p), paths_[static_cast<std::size_t>(p)]);
}

void TFormInitSerial::CmdOKClick() {
  try {
    WriteSettings();
  } catch (const std::exception& e) {
    QMessageBox box(QMessageBox::Critical, windowTitle(), Q(e.what()), QMessageBox::Ok, this);
    box.setObjectName("PortSettingFailure");
    box.exec();
    return;
  }
  StoreMapping();
  // A port that does not open has been reported by the main window; the
  // window stays, so the user can choose again or cancel.
  if (FormMain == nullptr || !FormMain->SetPortActive(true)) return;
  accept();
}
