#include "shell/Opties.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QStandardPaths>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "model/CatalogueFiles.h"
#include "model/Global_var.h"
#include "model/LanguageTexts.h"
#include "shell/VQ20Main.h"
#include "ui/OkCancelRow.h"
#include "ui/QtText.h"

TFormOpties* FormOpties = nullptr;

namespace {

const std::vector<TextRow> kOptionTexts = {
    {"", "Caption", "Instellingem"},
    {"TabAlgemeen", "RegAlgemeen", "Algemeen"},
    {"LabelTaal", "TaalLabel", "Error"},
    {"ComboTaal", "TaalItems", "\"0\",\"1\",\"2\"", TextRow::Kind::List},
    {"CheckSnelleOverdracht", "SnelleOverdracht", "Snelle overdracht"},
    {"LabelSnelleOverdracht", "SnelleOverdrachtUitleg", "Een antwoord eindigt bij zijn regeleinde."},
    {"GroupBoxVerkeer", "GroepVerkeer", "Verkeer"},
    {"CheckLogVerkeer", "LogVerkeer", "Al het verkeer vastleggen"},
    {"LabelLogMap", "LogMap", "Map:"},
    {"CmdLogMap", "LogMapKiezen", "Kiezen..."},
    {"CheckControle", "ControleLabel", "Na het schrijven alle waarden teruglezen en controleren"},
    {"CmdOK", "CmdOK", "OK"},
    {"CmdCancel", "CmdCancel", "Cancel"},
};

}  // namespace

TFormOpties::TFormOpties(QWidget* parent) : TWindowBase(parent, "FormOpties", "Instellingem"), texts_("Opties", kOptionTexts) {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  auto* layout = new QVBoxLayout(this);
  // Never narrower than its contents, also on a small screen at a large scale.
  layout->setSizeConstraint(QLayout::SetMinimumSize);
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
  CheckSnelleOverdracht = new QCheckBox("Snelle overdracht", page);
  CheckSnelleOverdracht->setObjectName("CheckSnelleOverdracht");
  auto* explanation = new QLabel("Een antwoord eindigt bij zijn regeleinde.", page);
  explanation->setObjectName("LabelSnelleOverdracht");
  explanation->setWordWrap(true);
  explanation->setBuddy(CheckSnelleOverdracht);
  pageLayout->addWidget(CheckSnelleOverdracht);
  pageLayout->addWidget(explanation);
  pageLayout->addWidget(BuildTrafficGroup(page));
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

// "Log all traffic" and the folder of the transcripts (empty: the user's
// documents, which the box shows greyed as its placeholder).
QWidget* TFormOpties::BuildTrafficGroup(QWidget* page) {
  auto* group = new QGroupBox("Verkeer", page);
  group->setObjectName("GroupBoxVerkeer");
  auto* grid = new QGridLayout(group);
  CheckLogVerkeer = new QCheckBox("Al het verkeer vastleggen", group);
  CheckLogVerkeer->setObjectName("CheckLogVerkeer");
  auto* label = new QLabel("Map:", group);
  label->setObjectName("LabelLogMap");
  EditLogMap = new QLineEdit(group);
  EditLogMap->setObjectName("EditLogMap");
  EditLogMap->setPlaceholderText(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  EditLogMap->setMinimumWidth(220);
  label->setBuddy(EditLogMap);
  CmdLogMap = new QPushButton("Kiezen...", group);
  CmdLogMap->setObjectName("CmdLogMap");
  grid->addWidget(CheckLogVerkeer, 0, 0, 1, 3);
  grid->addWidget(label, 1, 0);
  grid->addWidget(EditLogMap, 1, 1);
  grid->addWidget(CmdLogMap, 1, 2);
  grid->setColumnStretch(1, 1);
  connect(CmdLogMap, &QPushButton::clicked, this, [this] { CmdLogMapClick(); });
  return group;
}

void TFormOpties::CmdLogMapClick() {
  const QString start = EditLogMap->text().isEmpty() ? EditLogMap->placeholderText() : EditLogMap->text();
  const QString folder = QFileDialog::getExistingDirectory(this, QString(), start);
  if (!folder.isEmpty()) EditLogMap->setText(QDir::toNativeSeparators(folder));
}

void TFormOpties::FormActivate() {
  texts_.Apply(*this);
  const int index = GlobalVar().LanguageIndex;
  ComboTaal->setCurrentIndex(index >= 0 && index < ComboTaal->count() ? index : -1);
  indexAtActivation_ = index;
  if (FormMain != nullptr) CheckSnelleOverdracht->setChecked(FormMain->Port().FastReplies());
  CheckLogVerkeer->setChecked(GlobalVar().LogTraffic);
  EditLogMap->setText(Q(GlobalVar().TrafficFolder));
  CheckControle->setChecked(GlobalVar().VerifyAfterWrite);
  adjustSize();
  // The wrapped explanation needs more height at the width the dialog gets
  // once shown than its minimum size assumes (at large scales): grow to it
  // then, so the rows below are never squeezed.
  QTimer::singleShot(0, this, [this] {
    const int needed = layout()->totalHeightForWidth(width());
    if (needed > height()) resize(width(), needed);
  });
}

void TFormOpties::CmdOKClick() {
  TGlobalVar& g = GlobalVar();
  // No entry selected (an index from the settings file that the list does
  // not offer): the language stays as it is.
  if (ComboTaal->currentIndex() >= 0) g.LanguageIndex = ComboTaal->currentIndex();
  g.VerifyAfterWrite = CheckControle->isChecked();
  if (g.LanguageIndex != indexAtActivation_) TekstFile_Lezen(g);
  if (FormMain != nullptr) {
    FormMain->Port().SetFastReplies(CheckSnelleOverdracht->isChecked());
    FormMain->LezenTeksten();
  }
  ParameterDef_lezen(g);
  g.LogTraffic = CheckLogVerkeer->isChecked();
  g.TrafficFolder = S(EditLogMap->text().trimmed());
  if (FormMain != nullptr) {
    // A folder the transcript cannot be written in is said at once; the
    // box stays ticked, so the next start tries again.
    if (const QString failure = FormMain->ApplyTrafficLogging(); !failure.isEmpty()) {
      QMessageBox box(QMessageBox::Warning, windowTitle(), failure, QMessageBox::Ok, this);
      box.setObjectName("TrafficLogFailure");
      box.exec();
    }
  }
  accept();
}
