// The parameter editor's construction, its texts, the group tree and the
// grid. The menu commands (files, defaults, transfers, the other windows)
// are in EditParamCommands.cpp.
#include "params/EditParam.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/Global_var.h"
#include "model/TreeFile.h"
#include "params/ParLoader.h"
#include "params/ParamService.h"
#include "tools/DisplayNokken.h"
#include "tools/Linearisatie.h"
#include "ui/QtText.h"

TFormEditParam* FormEditParam = nullptr;

namespace {

constexpr int kColumnWidths[] = {60, 44, 210, 78, 219};
constexpr int kColumnCount = 5;
constexpr int kValueColumn = 3;
constexpr int kRowHeight = 16;
constexpr int kGridFontPixels = 15;
constexpr int kStatusPanelWidths[] = {250, 100, 50, 100, 70, 100, 50};
constexpr int kTreeWidth = 230;

constexpr int kGroupRole = Qt::UserRole;
constexpr int kSubgroupRole = Qt::UserRole + 1;

// The editor's texts in section "EditParam". The column titles have no
// control of their own; they are applied from the stored texts.
const std::vector<TextRow> kEditParamTexts = {
    {"", "Caption", "Edit param"},
    {nullptr, "KolomTekst0", "tekst 0"},
    {nullptr, "KolomTekst1", "tekst 1"},
    {nullptr, "KolomTekst2", "tekst 2"},
    {nullptr, "KolomTekst3", "tekst 3"},
    {nullptr, "KolomTekst4", "tekst 4"},
    {"StatusPanel0", "min", "min"},
    {"StatusPanel2", "max", "max"},
    {"StatusPanel4", "default", "default"},
    {"CmdClear", "CmdClear", "Wissen"},
    {"CheckGewijzigd", "CheckGewijzigd", "Alleen gewijzigd"},
    {"menuBestand", "menuBestand", "Bestand"},
    {"subOpenen", "subOpenen", "Openen"},
    {"subOpslaanAls", "subOpslaanAls", "Opslaan als..."},
    {"subLaadDefault", "subLaadDefault", "Laad default"},
    {"subVergelijken", "subVergelijken", "Vergelijken..."},
    {"subAfdrukken", "subAfdrukken", "Afdrukken"},
    {"subAfsluiten", "subAfsluiten", "Afsluiten"},
    {"menuZendenOntvangen", "menuZendenOntvangen", "Zenden & ontvangen"},
    {"subParOntvangen", "subParOntvangen", "Par ontvangen"},
    {"subParZenden", "subParZenden", "Par zenden"},
    {"subLoader", "subLoader", "Loader"},
    {"menuVenster", "menuVenster", "Venster"},
    {"subNokkenInfo", "subNokkenInfo", "Nokken info"},
    {"subLinearisatie", "subLinearisatie", "Linearisatie"},
    {"menuHelp", "menuHelp", "Help"},
    {"subErrorNummers", "subErrorNummers", "Error info"},
};

// Draws the grid's cells: the fixed-pitch font in the highlight colour on
// the grid colour; a selected row in the highlight colour while the grid
// has the focus, and plain without it, so the row the keyboard acts on is
// only marked where the keyboard is. The value column is right-aligned.
class ParameterCellDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const bool focused = option.widget != nullptr && option.widget->hasFocus();
    const bool marked = focused && option.state.testFlag(QStyle::State_Selected);
    const QPalette& palette = option.palette;
    painter->save();
    painter->fillRect(option.rect, marked ? palette.brush(QPalette::Active, QPalette::Highlight) : palette.base());
    painter->setPen(marked ? palette.color(QPalette::Active, QPalette::HighlightedText)
                           : palette.color(QPalette::Active, QPalette::Highlight));
    painter->setFont(option.font);
    const bool right = index.column() == kValueColumn;
    const QRect area = option.rect.adjusted(2, 0, right ? -4 : -2, 0);
    const QString text = option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, area.width());
    painter->drawText(area, Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft), text);
    painter->restore();
  }
};

// Icon 0 for a node, icon 1 for the selected node.
QIcon NodeIcon(const QStyle& style) {
  QIcon icon;
  icon.addPixmap(style.standardIcon(QStyle::SP_DirClosedIcon).pixmap(16), QIcon::Normal);
  icon.addPixmap(style.standardIcon(QStyle::SP_DirOpenIcon).pixmap(16), QIcon::Selected);
  return icon;
}

void AddNodes(const std::vector<TreeNode>& nodes, const QIcon& icon, QTreeWidgetItem* parent, QTreeWidget* tree) {
  for (const TreeNode& node : nodes) {
    auto* item = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    item->setText(0, Q(node.Caption));
    item->setIcon(0, icon);
    item->setData(0, kGroupRole, node.Group);
    item->setData(0, kSubgroupRole, node.Subgroup);
    AddNodes(node.Children, icon, item, tree);
  }
}

}  // namespace

TFormEditParam::TFormEditParam(QWidget* parent)
    : TWindowBase(parent, "FormEditParam", "Edit param"),
      texts_("EditParam", kEditParamTexts),
      group_(kNoGroup),
      subgroup_(kNoGroup) {
  BuildControls();
}

// --- Construction -----------------------------------------------------------

void TFormEditParam::BuildControls() {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);
  BuildMenus();
  outer->setMenuBar(ParamMenu1);

  auto* body = new QHBoxLayout;
  body->setContentsMargins(6, 6, 6, 6);
  TreeView1 = new QTreeWidget(this);
  TreeView1->setObjectName("TreeView1");
  TreeView1->setHeaderHidden(true);
  TreeView1->setFixedWidth(kTreeWidth);
  TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
  connect(TreeView1, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current) { TreeView1Change(current); });
  body->addWidget(TreeView1);

  auto* right = new QVBoxLayout;
  right->addWidget(BuildGrid());
  CmdClear = new QPushButton("Wissen", this);
  CmdClear->setObjectName("CmdClear");
  CmdClear->setAutoDefault(false);  // Enter belongs to the grid (it opens the service window)
  CmdClear->setEnabled(false);
  connect(CmdClear, &QPushButton::clicked, this, [this] { CmdClearClick(); });
  CheckGewijzigd = new QCheckBox("Alleen gewijzigd", this);
  CheckGewijzigd->setObjectName("CheckGewijzigd");
  connect(CheckGewijzigd, &QCheckBox::toggled, this, [this] {
    BuildGridRows();
    EmptyStatusValues();
  });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(CheckGewijzigd);
  buttons->addStretch(1);
  buttons->addWidget(CmdClear);
  right->addLayout(buttons);
  right->addStretch(1);
  body->addLayout(right);
  outer->addLayout(body, 1);

  BuildStatusBar();
  outer->addWidget(StatusBar1);
  setTabOrder(TreeView1, StringGrid1);
  setTabOrder(StringGrid1, CheckGewijzigd);
  setTabOrder(CheckGewijzigd, CmdClear);
  setSizeGripEnabled(false);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TFormEditParam::BuildMenus() {
  ParamMenu1 = new QMenuBar(this);
  ParamMenu1->setObjectName("ParamMenu1");
  auto menu = [this](const char* name, const QString& title) {
    QMenu* m = ParamMenu1->addMenu(title);
    m->setObjectName(name);
    return m;
  };
  auto add = [this](QMenu* m, const char* name, const QString& text, auto handler) {
    QAction* action = m->addAction(text);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  // The built-in captions, kept while no language file is loaded.
  menuBestand = menu("menuBestand", "&Bestand");
  subOpenen = add(menuBestand, "subOpenen", "&Openen", [this] { OpenClick(); });
  subOpslaanAls = add(menuBestand, "subOpslaanAls", "O&pslaan als...", [this] { SaveAsClick(); });
  subLaadDefault = add(menuBestand, "subLaadDefault", "&Laad Default parameters", [this] { LoadDefaultsClick(); });
  subVergelijken = add(menuBestand, "subVergelijken", "&Vergelijken...", [this] { CompareClick(); });
  menuBestand->addSeparator();
  subAfdrukken = add(menuBestand, "subAfdrukken", "&Afdrukken", [this] { PrintClick(); });
  menuBestand->addSeparator();
  subAfsluiten = add(menuBestand, "subAfsluiten", "&Afsluiten", [this] { close(); });

  menuZendenOntvangen = menu("menuZendenOntvangen", "&Zenden && Ontvangen");
  subParOntvangen = add(menuZendenOntvangen, "subParOntvangen", "&Parameters ontvangen", [this] { ReceiveClick(); });
  subParZenden = add(menuZendenOntvangen, "subParZenden", "P&arameters zenden", [this] { SendClick(); });
  menuZendenOntvangen->addSeparator();
  subLoader = add(menuZendenOntvangen, "subLoader", "Parameters VQ80... Laden en Testen",
                  [this] { ShowChild(FormParLoader); });

  menuVenster = menu("menuVenster", "Venster");
  subNokkenInfo = add(menuVenster, "subNokkenInfo", "Nokken info", [this] { ShowChild(FormDisplayNokken); });
  subLinearisatie = add(menuVenster, "subLinearisatie", "Grafiek", [this] { ShowChild(FormLinearisatie); });

  menuHelp = menu("menuHelp", "Help");
  subErrorNummers = add(menuHelp, "subErrorNummers", "Error", [this] { ShowErrorHelp(); });
}

QWidget* TFormEditParam::BuildGrid() {
  StringGrid1 = new QTableWidget(kParameterGridRows, kColumnCount, this);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setWordWrap(false);
  StringGrid1->setItemDelegate(new ParameterCellDelegate(StringGrid1));

  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPixelSize(kGridFontPixels);
  StringGrid1->setFont(font);

  QHeaderView* rows = StringGrid1->verticalHeader();
  rows->hide();
  rows->setMinimumSectionSize(1);
  rows->setDefaultSectionSize(kRowHeight);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  QHeaderView* columns = StringGrid1->horizontalHeader();
  columns->setMinimumSectionSize(1);
  columns->setSectionResizeMode(QHeaderView::Fixed);
  columns->setHighlightSections(false);
  columns->setSectionsClickable(false);
  columns->setFixedHeight(kRowHeight);
  QFont headerFont = columns->font();
  headerFont.setPixelSize(kRowHeight - 4);
  columns->setFont(headerFont);

  int width = 0;
  for (int c = 0; c < kColumnCount; ++c) {
    StringGrid1->setColumnWidth(c, kColumnWidths[c]);
    width += kColumnWidths[c];
    auto* title = new QTableWidgetItem(QString("tekst %1").arg(c));
    title->setTextAlignment((c == kValueColumn ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    StringGrid1->setHorizontalHeaderItem(c, title);
  }
  for (int r = 0; r < kParameterGridRows; ++r)
    for (int c = 0; c < kColumnCount; ++c) {
      auto* cell = new QTableWidgetItem;
      cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
      StringGrid1->setItem(r, c, cell);
    }
  const int frame = 2 * StringGrid1->frameWidth();
  StringGrid1->setFixedSize(width + frame, (kParameterGridRows + 1) * kRowHeight + frame);

  connect(StringGrid1, &QTableWidget::currentCellChanged, this, [this](int row) { StringGrid1SelectCell(row); });
  connect(StringGrid1, &QTableWidget::cellClicked, this, [this](int row) { StringGrid1SelectCell(row); });
  connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, [this](int row) { StringGrid1Activate(row); });
  StringGrid1->installEventFilter(this);
  return StringGrid1;
}

void TFormEditParam::BuildStatusBar() {
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName("StatusBar1");
  StatusBar1->setSizeGripEnabled(false);
  const char* captions[] = {"Min:", "", "Max:", "", "Default:", "", ""};
  for (int i = 0; i < 7; ++i) {
    auto* panel = new QLabel(captions[i], StatusBar1);
    panel->setObjectName("StatusPanel" + QString::number(i));
    panel->setFixedWidth(kStatusPanelWidths[i]);
    const bool caption = i == 0 || i == 2 || i == 4;
    panel->setAlignment((caption ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    if (!caption) {
      panel->setFrameShape(QFrame::Panel);
      panel->setFrameShadow(QFrame::Sunken);
    }
    StatusPanels[static_cast<std::size_t>(i)] = panel;
    StatusBar1->addWidget(panel);
  }
  // Each value is read with its caption.
  for (std::size_t i : {0u, 2u, 4u}) StatusPanels[i]->setBuddy(StatusPanels[i + 1]);
}

// --- Opening ----------------------------------------------------------------

void TFormEditParam::FormActivate() {
  group_ = subgroup_ = kNoGroup;  // no node until the tree is read again
  CmdClear->setEnabled(false);
  BuildGridRows();
  ApplyTexts();
  LoadTree();
  const bool open = PortOpen();
  for (QAction* device : {subParOntvangen, subParZenden, subLoader}) device->setEnabled(open);
  ParamSentNotLoaded = false;
  StringGrid1->setCurrentCell(-1, -1);
  EmptyStatusValues();
}

void TFormEditParam::ApplyTexts() {
  if (!texts_.Apply(*this)) return;
  for (int c = 0; c < kColumnCount; ++c)
    StringGrid1->horizontalHeaderItem(c)->setText(texts_.Stored(("KolomTekst" + std::to_string(c)).c_str()));
}

void TFormEditParam::LoadTree() {
  TreeView1->clear();
  const TreeFile tree = LoadTreeFile(GlobalVar().ProgramDir + TreeFileName(GlobalVar().LanguageIndex));
  AddNodes(tree.Roots, NodeIcon(*style()), nullptr, TreeView1);
  if (tree.Error) {
    // The nodes read before the fault are shown; the editor goes on with them.
    QMessageBox box(QMessageBox::Critical, windowTitle(), Q(TreeFileErrorText(*tree.Error)), QMessageBox::Ok, this);
    box.setObjectName("TreeFileError");
    box.exec();
  }
  if (QTreeWidgetItem* first = TreeView1->topLevelItem(0)) {
    first->setExpanded(true);
    TreeView1->setCurrentItem(first);
  }
}

// --- Tree and grid ------------------------------------------------------------

void TFormEditParam::TreeView1Change(QTreeWidgetItem* item) {
  group_ = item != nullptr ? item->data(0, kGroupRole).toInt() : kNoGroup;
  subgroup_ = item != nullptr ? item->data(0, kSubgroupRole).toInt() : kNoGroup;
  CmdClear->setEnabled(ClearApplies(group_));
  BuildGridRows();
  // The row marked in the grid now shows another parameter; what the
  // panels showed belongs to the node before.
  EmptyStatusValues();
}

void TFormEditParam::BuildGridRows() {
  const TGlobalVar& g = GlobalVar();
  rows_ = ParameterGridRows(EditorCataloguesOf(g), group_, subgroup_, g.ParameterTable);
  if (CheckGewijzigd->isChecked()) rows_ = ModifiedRowsOnly(rows_, g.ParameterCatalogue, g.ParameterTable);
  for (int r = 0; r < kParameterGridRows; ++r) {
    const ParameterGridRow empty;
    const auto index = static_cast<std::size_t>(r);
    const ParameterGridRow& row = index < rows_.size() ? rows_[index] : empty;
    const std::string* cells[] = {&row.Position, &row.Number, &row.Name, &row.Value, &row.Option};
    for (int c = 0; c < kColumnCount; ++c) StringGrid1->item(r, c)->setText(Q(*cells[c]));
  }
}

void TFormEditParam::StringGrid1SelectCell(int row) {
  TSelectedParameter& selected = GlobalVar().SelectedParameter;
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size() || rows_[static_cast<std::size_t>(row)].IsEmpty()) {
    selected.NumberText.clear();
    selected.Name.clear();
    EmptyStatusValues();
    return;
  }
  const ParameterSelection selection =
      SelectGridRow(EditorCataloguesOf(GlobalVar()), rows_[static_cast<std::size_t>(row)], GlobalVar().ParameterTable);
  selected = selection.Parameter;
  SelectedDecimals = selection.SelectedDecimals;
  StatusPanels[1]->setText(Q(selected.MinimumText));
  StatusPanels[3]->setText(Q(selected.MaximumText));
  StatusPanels[5]->setText(Q(selected.DefaultText));
}

void TFormEditParam::EmptyStatusValues() {
  for (std::size_t i : {1u, 3u, 5u}) StatusPanels[i]->clear();
}

void TFormEditParam::StringGrid1Activate(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= rows_.size() || rows_[static_cast<std::size_t>(row)].IsEmpty())
    return;
  // Hand over the row acted on, whatever was selected before.
  StringGrid1SelectCell(row);
  if (FormParamService != nullptr) FormParamService->exec();
  BuildGridRows();
  StringGrid1SelectCell(row);
}

void TFormEditParam::CmdClearClick() {
  ClearNodeParameters(EditorCataloguesOf(GlobalVar()), group_, subgroup_, GlobalVar().ParameterTable);
  BuildGridRows();
  StringGrid1SelectCell(StringGrid1->currentRow());
}

bool TFormEditParam::eventFilter(QObject* watched, QEvent* event) {
  if (watched == StringGrid1) {
    switch (event->type()) {
      case QEvent::FocusIn:
        StringGrid1->viewport()->update();
        break;
      case QEvent::FocusOut: {
        StringGrid1->viewport()->update();
        // Another window or a menu taking the keyboard is not leaving the grid.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) EmptyStatusValues();
        break;
      }
      case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
          StringGrid1Activate(StringGrid1->currentRow());
          return true;
        }
        break;
      }
      default:
        break;
    }
  }
  return TWindowBase::eventFilter(watched, event);
}
