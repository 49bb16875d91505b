#pragma once

#include <QString>
#include <memory>

#include "comm/dialogs/ApparaatZoeken.h"
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
#include "shell/VQ20Main.h"
#include "tools/AfdrukkenPar.h"
#include "tools/AfdrukkenSoll.h"
#include "tools/Calibratie.h"
#include "tools/DisplayNokken.h"
#include "tools/Grafiek.h"
#include "tools/Linearisatie.h"

// The eighteen windows of the program, created once in a fixed order (the
// main window first) and kept until the program ends. Each is reachable
// through its global reference (FormMain, FormGrafiek, ...).
class WindowSet {
public:
  explicit WindowSet(const MainWindowSetup& setup);
  ~WindowSet();
  WindowSet(const WindowSet&) = delete;
  WindowSet& operator=(const WindowSet&) = delete;

  TFormMain& Main() { return *main_; }

private:
  std::unique_ptr<TFormMain> main_;
};
