#include "tools/DisplayNokken.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <optional>
#include <string>

#include "model/CamOverview.h"
#include "model/Global_var.h"
#include "tools/CamGridDelegate.h"
#include "tools/PixelPainting.h"
#include "ui/ElidedLabel.h"
#include "ui/QtText.h"

TFormDisplayNokken* FormDisplayNokken = nullptr;

namespace {

// Section "DisplayNokken"; without a language file the controls keep their
// laid-out captions, which are these defaults.
const std::vector<TextRow> kDisplayNokkenTexts = {
    {"", "Caption", "Display nokken"},
    {nullptr, "RijTekst", "Uitg"},
    {"LabelNokNo", "LabelNokNo", "Nok"},
    {"LabelFuncte", "LabelFuncte", "Functie"},
    {"LabelBron", "LabelBron", "Bron"},
    {"LabelAanvang", "LabelAanvang", "Aanvang"},
    {"LabelEinde", "LabelEinde", "Einde"},
    {"LAbelHysteresis", "LAbelHysteresis", "Hysteresis"},
    {"LabelVervroeging", "LabelVervroeging", "Vervroeging"},
    {"LabelSchakeltijd", "LabelSchakeltijd", "Schakeltijd"},
    {"LabelColor1", "LabelColor1", "Nok"},
    {"LabelColor2", "LabelColor2", "> Grenswaarde"},
    {"LabelColor3", "LabelColor3", "< Grenswaarde"},
    {"LabelColor4", "LabelColor4", "> Grenswaarde (Timer)"},
    {"LabelColor5", "LabelColor5", "< Grenswaarde (Timer)"},
};

constexpr int kHeaderColumnWidth = 76;
constexpr int kCamColumnWidth = 24;
constexpr int kRowHeight = 18;
constexpr int kValuePanelWidth = 110;
constexpr int kOptionPanelWidth = 170;
constexpr int kLegendSwatch = 16;

ElidedLabel* MakePanel(const char* name, int width, QWidget* parent) {
  auto* panel = new ElidedLabel(parent);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  // A fixed width, so that the window keeps its size whatever a cam shows;
  // a longer text is cut with "..." and given whole as its tool tip.
  panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  panel->setFixedWidth(width);
  panel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return panel;
}

QLabel* MakeLabel(const char* name, const char* text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

TFormDisplayNokken::TFormDisplayNokken(QWidget* parent)
    : TWindowBase(parent, "FormDisplayNokken", "Display nokken"), texts_("DisplayNokken", kDisplayNokkenTexts) {
  BuildControls();
}

void TFormDisplayNokken::BuildControls() {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* top = new QHBoxLayout;
  top->addWidget(BuildGrid(), 0, Qt::AlignTop);
  top->addSpacing(16);
  top->addWidget(BuildLegend(), 0, Qt::AlignTop);
  top->addStretch();
  layout->addLayout(top);
  layout->addSpacing(8);
  layout->addWidget(BuildPanels());
}

// 13 x 5 cells without scroll bars: the fixed row 0 holds the cam numbers,
// the fixed column 0 the output headers; the fixed cells cannot be selected.
QWidget* TFormDisplayNokken::BuildGrid() {
  StringGrid1 = new QTableWidget(kCamGridRows, kCamGridColumns, this);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->horizontalHeader()->hide();
  StringGrid1->verticalHeader()->hide();
  StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setItemDelegate(new CamGridDelegate(GlobalVar().ParameterTable, StringGrid1));
  StringGrid1->horizontalHeader()->setMinimumSectionSize(1);
  StringGrid1->verticalHeader()->setMinimumSectionSize(1);
  StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  for (int column = 0; column < kCamGridColumns; ++column)
    StringGrid1->setColumnWidth(column, column == 0 ? kHeaderColumnWidth : kCamColumnWidth);
  for (int row = 0; row < kCamGridRows; ++row) {
    StringGrid1->setRowHeight(row, kRowHeight);
    for (int column = 0; column < kCamGridColumns; ++column) {
      auto* item = new QTableWidgetItem;
      if (row == 0 || column == 0) item->setFlags(Qt::NoItemFlags);
      StringGrid1->setItem(row, column, item);
    }
  }
  const int frame = 2 * StringGrid1->frameWidth();
  StringGrid1->setFixedSize(kHeaderColumnWidth + (kCamGridColumns - 1) * kCamColumnWidth + frame,
                            kCamGridRows * kRowHeight + frame);
  StringGrid1->setCurrentCell(1, 1);
  connect(StringGrid1, &QTableWidget::currentCellChanged, this,
          [this](int row, int column) { UpdateOnSelectedCell(column, row); });
  return StringGrid1;
}

// The function colours with their texts.
QWidget* TFormDisplayNokken::BuildLegend() {
  auto* legend = new QWidget(this);
  auto* grid = new QGridLayout(legend);
  grid->setContentsMargins(0, 0, 0, 0);
  for (int i = 0; i < 5; ++i) {
    const std::string number = std::to_string(i + 1);
    auto* swatch = new QLabel(legend);
    swatch->setObjectName(Q("Panel" + number));
    swatch->setFixedSize(kLegendSwatch, kLegendSwatch);
    swatch->setFrameShape(QFrame::Box);
    swatch->setAutoFillBackground(true);
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, ToQColor(*CamFunctionColour(i + 1)));
    swatch->setPalette(palette);
    auto* label = new QLabel(legend);
    label->setObjectName(Q("LabelColor" + number));
    label->setBuddy(swatch);
    grid->addWidget(swatch, i, 0);
    grid->addWidget(label, i, 1);
    ColourPanels[static_cast<std::size_t>(i)] = swatch;
    ColourLabels[static_cast<std::size_t>(i)] = label;
  }
  const char* defaults[] = {"Nok", "> Grenswaarde", "< Grenswaarde", "> Grenswaarde (Timer)", "< Grenswaarde (Timer)"};
  for (std::size_t i = 0; i < ColourLabels.size(); ++i) ColourLabels[i]->setText(defaults[i]);
  return legend;
}

// The ten panels of the selected cam, each beside its caption; start and
// end show the setpoint selection beside the value.
QWidget* TFormDisplayNokken::BuildPanels() {
  auto* area = new QWidget(this);
  auto* grid = new QGridLayout(area);
  grid->setContentsMargins(0, 0, 0, 0);
  PanelNokNummer = MakePanel("PanelNokNummer", kValuePanelWidth, area);
  PanelFunctie = MakePanel("PanelFunctie", kOptionPanelWidth, area);
  PanelBron = MakePanel("PanelBron", kOptionPanelWidth, area);
  PanelAanvang = MakePanel("PanelAanvang", kValuePanelWidth, area);
  PanelSelectAanvang = MakePanel("PanelSelectAanvang", kOptionPanelWidth, area);
  PanelEinde = MakePanel("PanelEinde", kValuePanelWidth, area);
  PanelSelectEinde = MakePanel("PanelSelectEinde", kOptionPanelWidth, area);
  PanelHysteresis = MakePanel("PanelHysteresis", kValuePanelWidth, area);
  PanelSchakeltijd = MakePanel("PanelSchakeltijd", kValuePanelWidth, area);
  PanelVervroeging = MakePanel("PanelVervroeging", kValuePanelWidth, area);
  for (ElidedLabel* value : {PanelNokNummer, PanelAanvang, PanelEinde, PanelHysteresis, PanelSchakeltijd, PanelVervroeging})
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  struct Row {
    const char* label;
    const char* text;
    ElidedLabel* panel;
    ElidedLabel* selection;  // beside the panel, or none
  };
  const Row rows[] = {
      {"LabelNokNo", "Nok", PanelNokNummer, nullptr},
      {"LabelFuncte", "Functie", PanelFunctie, nullptr},
      {"LabelBron", "Bron", PanelBron, nullptr},
      {"LabelAanvang", "Aanvang", PanelAanvang, PanelSelectAanvang},
      {"LabelEinde", "Einde", PanelEinde, PanelSelectEinde},
      {"LAbelHysteresis", "Hysteresis", PanelHysteresis, nullptr},
      {"LabelSchakeltijd", "Schakeltijd", PanelSchakeltijd, nullptr},
      {"LabelVervroeging", "Vervroeging", PanelVervroeging, nullptr},
  };
  int r = 0;
  for (const Row& row : rows) {
    QLabel* label = MakeLabel(row.label, row.text, area);
    label->setBuddy(row.panel);
    grid->addWidget(label, r, 0);
    const bool option = row.panel == PanelFunctie || row.panel == PanelBron;
    grid->addWidget(row.panel, r, 1, 1, option ? 2 : 1, Qt::AlignLeft);
    if (row.selection != nullptr) grid->addWidget(row.selection, r, 2);
    ++r;
  }
  grid->setColumnStretch(3, 1);
  return area;
}

void TFormDisplayNokken::FormActivate() {
  texts_.Apply(*this);
  WriteGridTexts();
  StringGrid1->viewport()->update();  // the colours follow the table as it is now
  UpdateOnSelectedCell(StringGrid1->currentColumn(), StringGrid1->currentRow());
}

// Row headers "Uitg-1" .. with a language file, bare numbers without one;
// cam numbers "1" .. "12".
void TFormDisplayNokken::WriteGridTexts() {
  const std::optional<std::string> prefix =
      GlobalVar().LanguageLoaded ? std::optional<std::string>(S(texts_.Stored("RijTekst"))) : std::nullopt;
  for (int row = 0; row < kCamGridRows; ++row)
    for (int column = 0; column < kCamGridColumns; ++column)
      StringGrid1->item(row, column)->setText(Q(CamGridText(column, row, prefix)));
}

void TFormDisplayNokken::UpdateOnSelectedCell(int column, int row) {
  const CamPanelTexts texts = CamCellTexts(GlobalVar(), column, row);
  PanelNokNummer->setText(Q(texts.NokNummer));
  PanelFunctie->setText(Q(texts.Functie));
  PanelBron->setText(Q(texts.Bron));
  PanelAanvang->setText(Q(texts.Aanvang));
  PanelSelectAanvang->setText(Q(texts.SelectAanvang));
  PanelEinde->setText(Q(texts.Einde));
  PanelSelectEinde->setText(Q(texts.SelectEinde));
  PanelHysteresis->setText(Q(texts.Hysteresis));
  PanelSchakeltijd->setText(Q(texts.Schakeltijd));
  PanelVervroeging->setText(Q(texts.Vervroeging));
}
