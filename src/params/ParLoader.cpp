#include "params/ParLoader.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/ServiceInput.h"
#include "params/EditParam.h"
#include "ui/QtText.h"
#include "ui/StatusPanel.h"

TFormParLoader* FormParLoader = nullptr;

namespace {

constexpr int kPanelFontPixels = 15;
constexpr int kPanelWidth = 360;

const std::vector<TextRow> kLoaderTexts = {
    {"", "Caption", "Loader"},
    {"CmdOK", "CmdOK", "OK"},
    {nullptr, "PanelTekst0", "tekst 0"},
    {nullptr, "PanelTekst2", "tekst 2"},
    {nullptr, "PanelTekst4", "tekst 4"},
    {nullptr, "PanelTekst5", "tekst 5"},
    {nullptr, "PanelTekst6", "tekst 6"},
};

}  // namespace

TFormParLoader::TFormParLoader(QWidget* parent)
    : TWindowBase(parent, "FormParLoader", "Loader"), texts_("Loader", kLoaderTexts) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  auto* layout = new QVBoxLayout(this);
  Panel1 = NewStatusPanel(this, kPanelWidth, 3, kPanelFontPixels);
  Panel1->setFixedHeight(Panel1->minimumHeight());
  layout->addWidget(Panel1);
  CmdOK = new QPushButton("OK", this);
  CmdOK->setObjectName("CmdOK");
  CmdOK->setDefault(true);
  connect(CmdOK, &QPushButton::clicked, this, [this] { accept(); });
  layout->addWidget(CmdOK, 0, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Wire(QL200ParLoader, kComputeReplyTimeoutMs, {});
  commands_ = std::make_unique<ParameterCommands>(nullptr, &QL200ParLoader);
  commands_->OnComputed = [this](const ComputeResult& result) { QL200ParLoaderCommResult(result); };
  commands_->OnFailure = [this](const TCommError& e) { QL200ParLoaderCommError(e); };
}

void TFormParLoader::FormActivate() {
  texts_.Apply(*this);
  Panel1->clear();
  // A closed port would take the command without a word; say so instead.
  if (!PortOpen()) {
    ShowOutcome(texts_.Stored("PanelTekst2"), true);
    return;
  }
  commands_->Compute();
}

void TFormParLoader::QL200ParLoaderCommResult(const ComputeResult& result) {
  if (result.Outcome != ComputeReply::Invalid && FormEditParam != nullptr) FormEditParam->ParamSentNotLoaded = false;
  switch (result.Outcome) {
    case ComputeReply::Computed:
      ShowOutcome(texts_.Stored("PanelTekst4"), false);
      break;
    case ComputeReply::Failed:
      ShowOutcome(texts_.Stored("PanelTekst5") + " " + Q(result.Code) + " " + texts_.Stored("PanelTekst6"), true);
      break;
    case ComputeReply::Invalid:
      // Not an answer to "bp": nothing is known to be taken over.
      ShowOutcome(texts_.Stored("PanelTekst2"), true);
      break;
  }
}

void TFormParLoader::QL200ParLoaderCommError(const TCommError& error) {
  // The flag stays: the device has not said it took the parameters over.
  if (error.Code == ceTimeout)
    ShowOutcome(texts_.Stored("PanelTekst0"), true);
  else if (!error.IsSuccess())
    ShowOutcome(texts_.Stored("PanelTekst2"), true);
}

void TFormParLoader::ShowOutcome(const QString& text, bool failure) {
  QPalette palette = Panel1->palette();
  palette.setColor(QPalette::WindowText, failure ? QColor(Qt::red) : this->palette().color(QPalette::WindowText));
  Panel1->setPalette(palette);
  Panel1->setText(text);
}
