#include "params/SetpointGridView.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <array>

#include "model/Global_var.h"
#include "model/ParameterNumbers.h"
#include "model/SetpointGrid.h"
#include "ui/QtText.h"

namespace {

constexpr std::array<int, kSetpointGridColumns> kColumnWidths = {30, 105, 37, 31, 104};
constexpr int kRowHeight = 16;
constexpr int kFontPixels = 15;
const QColor kNumberColumnColour(255, 255, 151);

// Texts end 4 pixels before the right edge of a cell. They are centred in
// its height rather than set 2 pixels below its top: the 15-pixel font is
// taller than a 16-pixel row, and from the top a comma would lose its tail.
QRect NarrowedCell(const QRect& cell) { return cell.adjusted(0, 0, -4, 0); }
constexpr Qt::Alignment kTextAlignment = Qt::AlignRight | Qt::AlignVCenter;

bool IsNumberColumn(int column) { return column == 0 || column == 3; }

// Neither a style hint nor fixed pitch is asked for: either makes the font
// matching pass over Courier's metric equivalent for another monospace font.
QFont GridFont() {
  QFont font("Courier");
  font.setPixelSize(kFontPixels);
  return font;
}

// The header row: button face, titles right-aligned in the narrowed cell.
class SetpointHeaderView : public QHeaderView {
public:
  explicit SetpointHeaderView(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
  void paintSection(QPainter* painter, const QRect& rect, int section) const override {
    painter->save();
    painter->fillRect(rect, palette().color(QPalette::Button));
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->setFont(font());
    painter->drawText(NarrowedCell(rect), kTextAlignment,
                      model()->headerData(section, Qt::Horizontal).toString());
    painter->restore();
  }
};

}  // namespace

SetpointGridView::SetpointGridView(QWidget* parent) : QTableWidget(kSetpointGridRows, kSetpointGridColumns, parent) {
  setFont(GridFont());
  setHorizontalHeader(new SetpointHeaderView(this));
  QHeaderView* header = horizontalHeader();
  header->setFont(font());
  header->setSectionsClickable(false);
  header->setHighlightSections(false);
  header->setMinimumSectionSize(1);
  header->setSectionResizeMode(QHeaderView::Fixed);
  header->setFixedHeight(kRowHeight);
  for (int column = 0; column < kSetpointGridColumns; ++column)
    header->resizeSection(column, kColumnWidths[static_cast<std::size_t>(column)]);
  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                  QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  setItemDelegate(new SetpointCellDelegate(*this));

  for (int row = 1; row <= kSetpointGridRows; ++row)
    for (int column = 0; column < kSetpointGridColumns; ++column) {
      auto* item = new QTableWidgetItem;
      // Number and spacer cells are not enabled, so neither the mouse nor the
      // keys can make them current.
      item->setFlags(IsSelectableSetpointCell(column, row)
                         ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                         : Qt::NoItemFlags);
      item->setTextAlignment(kTextAlignment);
      setItem(row - 1, column, item);
    }
  for (int column = 0; column < kSetpointGridColumns; ++column) setHorizontalHeaderItem(column, new QTableWidgetItem);

  int width = 0;
  for (int w : kColumnWidths) width += w;
  setFixedSize(width + 2 * frameWidth(), kRowHeight * (kSetpointGridRows + 1) + 2 * frameWidth());
  // The selected cell is drawn differently with and without the focus.
  connect(qApp, &QApplication::focusChanged, this, [this] { viewport()->update(); });
}

QTableWidgetItem* SetpointGridView::ItemAt(int column, int row) const { return item(row - 1, column); }

QString SetpointGridView::CellText(int column, int row) const {
  const QTableWidgetItem* cell = ItemAt(column, row);
  return cell != nullptr ? cell->text() : QString();
}

void SetpointGridView::SetCellText(int column, int row, const QString& text) {
  if (QTableWidgetItem* cell = ItemAt(column, row)) cell->setText(text);
}

void SetpointGridView::SetHeaderText(int column, const QString& text) {
  if (QTableWidgetItem* cell = horizontalHeaderItem(column)) cell->setText(text);
}

int SetpointGridView::Column() const { return currentColumn(); }
int SetpointGridView::Row() const { return currentRow() + 1; }

void SetpointGridView::SelectCell(int column, int row) {
  if (IsSelectableSetpointCell(column, row)) setCurrentCell(row - 1, column);
}

void SetpointGridView::OpenEditor() {
  if (!Editing()) edit(currentIndex());
}

void SetpointGridView::CloseEditor() {
  if (QLineEdit* editor = editor_) closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void SetpointGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  if (editor == editor_) editor_ = nullptr;
  QTableWidget::closeEditor(editor, hint);
}

QString SetpointGridView::EnteredText() const { return editor_ ? editor_->text() : CellText(Column(), Row()); }

bool SetpointGridView::GridFocused() const {
  const QWidget* focus = QApplication::focusWidget();
  return focus != nullptr && (focus == this || isAncestorOf(focus));
}

void SetpointGridView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: emit EnterPressed(); return;
    case Qt::Key_Escape: emit EscapePressed(); return;
    case Qt::Key_Right:
      if (Column() == kFirstHalfColumn) SelectCell(kSecondHalfColumn, Row());
      return;
    case Qt::Key_Left:
      if (Column() == kSecondHalfColumn) SelectCell(kFirstHalfColumn, Row());
      return;
    default: break;
  }
  if (Editing()) return;  // keys the editor passed on do not move the cursor
  QTableWidget::keyPressEvent(event);
}

// While the editor is open the cursor stays in its cell; a click keeps the
// caret in the editor.
void SetpointGridView::mousePressEvent(QMouseEvent* event) {
  if (QLineEdit* editor = editor_) {
    editor->setFocus();
    return;
  }
  QTableWidget::mousePressEvent(event);
}

void SetpointGridView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (editor_) return;
  QTableWidget::mouseDoubleClickEvent(event);
}

bool SetpointGridView::EditorKeyPress(QLineEdit& editor, const QKeyEvent& event) {
  const bool shift = event.modifiers() & Qt::ShiftModifier;
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: emit EnterPressed(); return true;
    case Qt::Key_Escape: emit EscapePressed(); return true;
    case Qt::Key_Left: editor.cursorBackward(shift); return true;
    case Qt::Key_Right: editor.cursorForward(shift); return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return true;
    default: break;
  }
  const QString typed = event.text();
  // Keys without a character (Home, End, Delete) are the editor's.
  if (typed.isEmpty() || typed == QChar(0x7f)) return false;
  if (typed.size() != 1) return true;
  // The character replaces a selection, so the selected text does not count.
  QString remaining = editor.text();
  if (editor.hasSelectedText()) remaining.remove(editor.selectionStart(), editor.selectedText().size());
  const char32_t character = typed.at(0).unicode();
  const auto allowed = FilterSetpointKey(S(remaining), character,
                                         GlobalVar().ParameterTable[ParameterNumber::DecimalsOfPositions]);
  if (!allowed) return true;
  if (static_cast<char32_t>(*allowed) == character) return false;
  editor.insert(QString(QChar(*allowed)));
  return true;
}

SetpointCellDelegate::SetpointCellDelegate(SetpointGridView& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

QWidget* SetpointCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
  auto* editor = new QLineEdit(parent);
  editor->setObjectName("InplaceEditor");
  editor->setFrame(false);
  editor->setFont(grid_.font());
  editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // Text reaches the editor only through the key filter.
  editor->setContextMenuPolicy(Qt::NoContextMenu);
  editor->setDragEnabled(false);
  editor->setAcceptDrops(false);
  grid_.EditorOpened(editor);
  return editor;
}

void SetpointCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  if (auto* line = qobject_cast<QLineEdit*>(editor)) {
    line->setText(index.data().toString());
    line->selectAll();
  }
}

// Only Enter stores a value (through the window), never the editor itself.
void SetpointCellDelegate::setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const {}

void SetpointCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                const QModelIndex&) const {
  editor->setGeometry(option.rect);
}

void SetpointCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  const QPalette& palette = grid_.palette();
  const bool current = index == grid_.currentIndex();
  QColor fill = palette.color(QPalette::Base);
  QColor ink = palette.color(QPalette::Text);
  QRect textRect = NarrowedCell(option.rect);
  Qt::Alignment alignment = kTextAlignment;
  if (grid_.GridFocused()) {
    if (current) {
      fill = palette.color(QPalette::Highlight);
      ink = Qt::white;
    } else if (IsNumberColumn(index.column())) {
      fill = kNumberColumnColour;
    }
  } else if (current) {
    textRect = option.rect.adjusted(2, 0, 0, 0);
    alignment = Qt::AlignLeft | Qt::AlignVCenter;
  }
  painter->save();
  painter->fillRect(option.rect, fill);
  painter->setPen(ink);
  painter->setFont(grid_.font());
  painter->drawText(textRect, alignment, index.data().toString());
  painter->restore();
}

bool SetpointCellDelegate::eventFilter(QObject* watched, QEvent* event) {
  auto* editor = qobject_cast<QLineEdit*>(watched);
  if (editor == nullptr) return QStyledItemDelegate::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::KeyPress: return grid_.EditorKeyPress(*editor, static_cast<QKeyEvent&>(*event));
    // The editor stays open when the focus goes elsewhere (a menu, a
    // message): only Enter and Escape end it.
    case QEvent::FocusOut: return false;
    default: return QStyledItemDelegate::eventFilter(watched, event);
  }
}
