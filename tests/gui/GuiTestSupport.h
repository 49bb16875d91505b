#pragma once

#include <QApplication>
#include <QTest>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "EventLoopSpin.h"
#include "VirtualSerial.h"
#include "model/Global_var.h"
#include "shell/ApparaatZoeken.h"
#include "params/EditParam.h"
#include "params/EditSollwerten.h"
#include "params/LeesParSoll.h"
#include "params/ParLoader.h"
#include "params/ParamService.h"
#include "params/SchrijfParSoll.h"
#include "shell/About.h"
#include "shell/InfoErrorNummers.h"
#include "shell/InitSerial.h"
#include "shell/Opties.h"
#include "shell/WindowSet.h"
#include "tools/AfdrukkenPar.h"
#include "tools/AfdrukkenSoll.h"
#include "tools/Calibratie.h"
#include "tools/DisplayNokken.h"
#include "tools/Grafiek.h"
#include "tools/Linearisatie.h"
#include "ui/ElidedLabel.h"

// A program folder for one test, with the shipped data files it asks for.
class ProgramFolder {
public:
  explicit ProgramFolder(const QStringList& dataFiles = {}) {
    for (const QString& name : dataFiles)
      QFile::copy(QString(VQ2X_DATA_DIR) + "/" + name, dir_.filePath(name));
  }
  std::string Path() const { return QDir(dir_.path()).absolutePath().toStdString() + "/"; }
  QString File(const QString& name) const { return dir_.filePath(name); }
  void Write(const QString& name, const QByteArray& content) const {
    QFile file(dir_.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(content);
  }
  QByteArray Read(const QString& name) const {
    QFile file(dir_.filePath(name));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
  }

private:
  QTemporaryDir dir_;
};

inline const QStringList kAllDataFiles = {"Taal0.ini", "Taal1.ini", "Taal2.ini", "Parameters.txt", "ParNo.txt"};

// Answers every message box that opens (they run their own event loop), and
// remembers what they said.
class MessageBoxCatcher : public QObject {
public:
  struct Seen {
    QString name, title, text;
  };
  MessageBoxCatcher() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        seen_.push_back({box->objectName(), box->windowTitle(), box->text()});
        box->done(QMessageBox::Ok);
      }
    });
    timer_.start();
  }
  const std::vector<Seen>& Seen_() const { return seen_; }
  std::size_t Count() const { return seen_.size(); }

private:
  QTimer timer_;
  std::vector<Seen> seen_;
};

// A VQ22 on the virtual line, answering the commands the main window uses.
// Values can be changed while it runs.
class FakeDevice {
public:
  FakeDevice() {
    values_ = {{"rt", "VQ22 V2.14"}, {"rh", "HW 3.1"},  {"rx", "SN 20261208"}, {"r0", "1234"}, {"r1", "-56"},
               {"r8", "777"},        {"ra", "1500"},     {"rb", "1600"},         {"r2", "50000"}, {"r3", "120000"},
               {"r4", "45000"},      {"r5", "100000"},   {"r6", "2048"},         {"ri", "2"},     {"ru", "5"},
               {"rf", "-1"},         {"wf", "-1"}};
  }
  void Set(const std::string& command, const std::string& value) {
    std::lock_guard lock(mutex_);
    values_[command] = value;
  }
  void SetSilent(bool silent) {
    std::lock_guard lock(mutex_);
    silent_ = silent;
  }
  VirtualReply operator()(const std::string& request) {
    std::lock_guard lock(mutex_);
    if (silent_) return VirtualReply::Silence();
    const std::string line = request.substr(0, request.find('\r'));
    const std::string code = line.substr(0, 2);
    if (code == "sc") return VirtualReply::Answer(line + "\r\n");
    const auto it = values_.find(code);
    return VirtualReply::Answer(code + " " + (it == values_.end() ? std::string("?") : it->second) + "\r\n");
  }

private:
  std::mutex mutex_;
  std::map<std::string, std::string> values_;
  bool silent_ = false;
};

inline void ResetSharedState() { GlobalVar() = TGlobalVar{}; }

// Saves what a window shows as a PNG into VQ2X_SCREENSHOT_DIR (set by
// scripts/screenshots.sh, which runs the window tests at 100 % and 200 %);
// without it the grab is only made.
inline void SaveScreenshot(QWidget& window, const QString& name) {
  const QPixmap pixmap = window.grab();
  const QString dir = qEnvironmentVariable("VQ2X_SCREENSHOT_DIR");
  if (dir.isEmpty() || pixmap.isNull()) return;
  pixmap.save(QDir(dir).filePath(name + qEnvironmentVariable("VQ2X_SCREENSHOT_SUFFIX") + ".png"));
}

// The whole tool (its window set) on a virtual line whose device is a
// FakeDevice, in a program folder of its own. Window tests derive from it
// (besides QObject), call Reset() in init() and Stop() in cleanup().
class ToolHarness {
protected:
  void Reset() {
    backend_ = std::make_shared<VirtualSerialBackend>();
    line_ = backend_->Attach(TPort::COM1);
    device_ = std::make_shared<FakeDevice>();
    line_->SetResponder([device = device_](const std::string& r) { return (*device)(r); });
  }
  void Start(const QStringList& dataFiles = kAllDataFiles, const QString& argument = {}) {
    folder_ = std::make_unique<ProgramFolder>(dataFiles);
    StartIn(argument);
  }
  // Starts in the folder already made (with files a test wrote into it).
  void StartIn(const QString& argument = {}) {
    ResetSharedState();
    MainWindowSetup setup;
    setup.programDir = folder_->Path();
    setup.backend = backend_;
    setup.firstArgument = argument;
    windows_ = std::make_unique<WindowSet>(setup);
    Main().show();
  }
  void Stop() {
    if (windows_) Main().close();
    windows_.reset();
  }
  TFormMain& Main() { return windows_->Main(); }
  bool OpenPort() {
    QTest::mouseClick(Main().CmdSelectUnit, Qt::LeftButton);
    return Main().Port().Active();
  }
  bool WaitIdentified() {
    return QTest::qWaitFor([&] { return !Main().StatusPanels[4]->text().isEmpty(); }, 5000);
  }
  // The commands the device received, without their CR.
  std::vector<std::string> Commands() const {
    std::vector<std::string> out;
    for (const auto& r : line_->Requests()) out.push_back(r.substr(0, r.find('\r')));
    return out;
  }

  std::unique_ptr<ProgramFolder> folder_;
  std::shared_ptr<VirtualSerialBackend> backend_;
  std::shared_ptr<VirtualDevice> line_;
  std::shared_ptr<FakeDevice> device_;
  std::unique_ptr<WindowSet> windows_;
};
