#include "shell/Opties.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "model/CatalogueFiles.h"
#include "model/Global_var.h"
#include "model/LanguageTexts.h"
#include "shell/VQ20Main.h"
#include "ui/OkCancelRow.h"

TFormOpties* FormOpties = nullptr;

namespace {

const std::vector<TextRow> kOptionTexts = {
    {"", "Caption", "Instellingem"},
    {"TabAlgemeen", "RegAlgemeen", "Algemeen"},
    {"LabelTaal", "TaalLabel", "Error"},
    {"ComboTaal", "TaalItems", "\"0\",\"1\",\"2\"", TextRow::Kind::List},
    {"CheckControle", "ControleLabel", "Na het schrijven alle waarden teruglezen en controleren"},
    {"CmdOK", "CmdOK", "OK"},
    {"CmdCancel", "CmdCancel", "Cancel"},
};

}  // namespace

TFormOpties::TFormOpties(QWidget* parent) : TWindowBase(parent, "FormOpties", "Instellingem"), texts_("Opties", kOptionTexts) {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  auto* layout = new QVBoxLayout(this);
  auto* tabs = new QTabWidget(this);
  tabs->setObjectName("PageControl1");
  auto* page = new QWidget(tabs);
  page->setObjectName("TabAlgemeen");
  tabs->addTab(page, "Algemeen");
  auto* pageLayout = new QVBoxLayout(page);
  auto* group = new QGroupBox(page);
  group->setObjectName("GroupBoxTaal");
  auto* grid = new QGridLayout(group);
  auto* label = new QLabel("Taal:", group);
  label->setObjectName("LabelTaal");
  ComboTaal = new QComboBox(group);
  ComboTaal->setObjectName("ComboTaal");
  ComboTaal->addItems({"NE", "EN", "D"});
  ComboTaal->setMinimumWidth(180);
  label->setBuddy(ComboTaal);
  grid->addWidget(label, 0, 0);
  grid->addWidget(ComboTaal, 0, 1);
  grid->setColumnStretch(1, 1);
  pageLayout->addWidget(group);
  CheckControle = new QCheckBox("Na het schrijven alle waarden teruglezen en controleren", page);
  CheckControle->setObjectName("CheckControle");
  pageLayout->addWidget(CheckControle);
  pageLayout->addStretch(1);
  layout->addWidget(tabs, 1);

  const OkCancelButtons buttons = AddOkCancelRow(*this, *layout, "Cancel");
  CmdOK = buttons.ok;
  CmdCancel = buttons.cancel;
  connect(CmdOK, &QPushButton::clicked, this, [this] { CmdOKClick(); });
  setMinimumWidth(320);
}

void TFormOpties::FormActivate() {
  texts_.Apply(*this);
  const int index = GlobalVar().LanguageIndex;
  ComboTaal->setCurrentIndex(index >= 0 && index < ComboTaal->count() ? index : -1);
  indexAtActivation_ = index;
  CheckControle->setChecked(GlobalVar().VerifyAfterWrite);
  adjustSize();
}

void TFormOpties::CmdOKClick() {
  TGlobalVar& g = GlobalVar();
  // No entry selected (an index from the settings file that the list does
  // not offer): the language stays as it is.
  if (ComboTaal->currentIndex() >= 0) g.LanguageIndex = ComboTaal->currentIndex();
  g.VerifyAfterWrite = CheckControle->isChecked();
  if (g.LanguageIndex != indexAtActivation_) TekstFile_Lezen(g);
  if (FormMain != nullptr) FormMain->LezenTeksten();
  ParameterDef_lezen(g);
  accept();
}
