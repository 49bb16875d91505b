#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableWidget>


// The setpoint editor's grid: a header row and 12 rows of five columns
// (number, value, spacer, number, value), edited in place in the two value
// columns only. Grid coordinates are those of the setpoint model: row 0 is
// the header, rows 1 .. 12 the setpoint rows (table rows 0 .. 11 below the
// header view).
//
// The grid only routes keys; what a key does to the setpoints is the
// window's:
//  - Enter (editing or not) and Escape are reported, never handled here;
//  - while the in-place editor is open, the arrow keys, Tab and mouse clicks
//    on other cells do not leave the cell (left and right move the caret
//    within the text), and every typed character passes the setpoint key
//    filter first;
//  - right arrow in column 1 goes to column 4, left arrow in column 4 back.
// The editor never writes into the grid: only Enter stores a value, so a
// cell always shows the stored setpoint.
class SetpointGridView : public QTableWidget {
  Q_OBJECT
public:
  explicit SetpointGridView(QWidget* parent = nullptr);

  QString CellText(int column, int row) const;
  void SetCellText(int column, int row, const QString& text);
  void SetHeaderText(int column, const QString& text);

  // The current cell in grid coordinates (row 1 .. 12).
  int Column() const;
  int Row() const;
  void SelectCell(int column, int row);

  void OpenEditor();
  void CloseEditor();
  bool Editing() const { return editor_ != nullptr; }
  // The in-place editor while it is open, else null.
  QLineEdit* Editor() const { return editor_; }
  // The text Enter is to take: the editor's while it is open, else the cell's.
  QString EnteredText() const;

  // Whether the grid or its editor has the keyboard focus (the drawing
  // differs).
  bool GridFocused() const;

signals:
  void EnterPressed();
  void EscapePressed();

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

protected slots:
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
  friend class SetpointCellDelegate;
  QTableWidgetItem* ItemAt(int column, int row) const;
  // Key presses the editor receives; true when the key is taken here.
  bool EditorKeyPress(QLineEdit& editor, const QKeyEvent& event);
  void EditorOpened(QLineEdit* editor) { editor_ = editor; }

  QPointer<QLineEdit> editor_;
};

// Draws the grid's cells and makes its in-place editor.
class SetpointCellDelegate : public QStyledItemDelegate {
  Q_OBJECT
public:
  explicit SetpointCellDelegate(SetpointGridView& grid);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const override;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  SetpointGridView& grid_;
};
