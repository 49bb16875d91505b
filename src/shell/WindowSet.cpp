#include "shell/WindowSet.h"

#include "shell/ApparaatZoeken.h"
#include "params/EditParam.h"
#include "params/EditSollwerten.h"
#include "params/LeesParSoll.h"
#include "params/ParLoader.h"
#include "params/ParamService.h"
#include "params/SchrijfParSoll.h"
#include "params/Vergelijken.h"
#include "shell/About.h"
#include "shell/InfoErrorNummers.h"
#include "shell/InitSerial.h"
#include "shell/Opties.h"
#include "tools/AfdrukkenPar.h"
#include "tools/AfdrukkenSoll.h"
#include "tools/Calibratie.h"
#include "tools/DisplayNokken.h"
#include "tools/Grafiek.h"
#include "tools/Linearisatie.h"

WindowSet::WindowSet(const MainWindowSetup& setup) : main_(std::make_unique<TFormMain>(setup)) {
  // The secondary windows belong to the main window, so they stay above it
  // and end with it.
  QWidget* owner = main_.get();
  FormGrafiek = new TFormGrafiek(owner);
  FormAfdrukkenSoll = new TFormAfdrukkenSoll(owner);
  FormAfdrukkenPar = new TFormAfdrukkenPar(owner);
  FormCalibratie = new TFormCalibratie(owner);
  FormParLoader = new TFormParLoader(owner);
  FormInfoErrorNummers = new TFormInfoErrorNummers(owner);
  FormSchrijfParSoll = new TFormSchrijfParSoll(owner);
  FormApparaatZoeken = new TFormApparaatZoeken(owner);
  FormLeesParSoll = new TFormLeesParSoll(owner);
  FormDisplayNokken = new TFormDisplayNokken(owner);
  FormEditSollwerten = new TFormEditSollwerten(owner);
  FormParamService = new TFormParamService(owner);
  FormInitSerial = new TFormInitSerial(owner);
  FormAbout = new TFormAbout(owner);
  FormEditParam = new TFormEditParam(owner);
  FormOpties = new TFormOpties(owner);
  FormLinearisatie = new TFormLinearisatie(owner);
  FormVergelijken = new TFormVergelijken(owner);

  Links() = WindowLinks{main_.get(), FormParamService, FormInfoErrorNummers};
  TFormMain* main = main_.get();
  FormApparaatZoeken->SetPortActive = [main](bool active) { return main->SetPortActive(active); };
  FormApparaatZoeken->UnitChosen = [main](int unit) { main->SetUnitNumber(unit); };
}

WindowSet::~WindowSet() {
  Links() = WindowLinks{};
  main_.reset();  // deletes the secondary windows with it
  FormGrafiek = nullptr;
  FormAfdrukkenSoll = nullptr;
  FormAfdrukkenPar = nullptr;
  FormCalibratie = nullptr;
  FormParLoader = nullptr;
  FormInfoErrorNummers = nullptr;
  FormSchrijfParSoll = nullptr;
  FormApparaatZoeken = nullptr;
  FormLeesParSoll = nullptr;
  FormDisplayNokken = nullptr;
  FormEditSollwerten = nullptr;
  FormParamService = nullptr;
  FormInitSerial = nullptr;
  FormAbout = nullptr;
  FormEditParam = nullptr;
  FormOpties = nullptr;
  FormLinearisatie = nullptr;
  FormVergelijken = nullptr;
}
