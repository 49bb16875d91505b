#include "tools/CamGridDelegate.h"

#include <QPainter>

#include "model/CamOverview.h"
#include "tools/PixelPainting.h"

namespace {

constexpr int kHeaderTop = 2;
constexpr int kHeaderRightInset = 4;
constexpr int kSelectionFrame = 2;

}  // namespace

CamGridDelegate::CamGridDelegate(const std::array<std::int32_t, kParameterCount>& parameters, QObject* parent)
    : QStyledItemDelegate(parent), parameters_(parameters) {}

void CamGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  if (index.row() == 0 || index.column() == 0) {
    PaintFixedCell(painter, option, index);
    return;
  }
  const std::optional<RgbColour> colour = CamCellColour(parameters_, index.column(), index.row());
  painter->fillRect(option.rect, colour ? ToQColor(*colour) : option.palette.color(QPalette::Base));
  if (option.state & QStyle::State_Selected) {
    const QColor frame = option.palette.color(QPalette::Highlight);
    painter->setPen(QPen(frame, kSelectionFrame));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
  }
}

void CamGridDelegate::PaintFixedCell(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
  // Fixed cells cannot be selected, and so count as disabled; they are
  // drawn in the active colours all the same.
  painter->fillRect(option.rect, option.palette.color(QPalette::Active, QPalette::Button));
  painter->setPen(option.palette.color(QPalette::Active, QPalette::ButtonText));
  const QString text = index.data(Qt::DisplayRole).toString();
  if (index.column() == 0)
    painter->drawText(option.rect.adjusted(0, kHeaderTop, -kHeaderRightInset, 0), Qt::AlignRight | Qt::AlignTop, text);
  else
    painter->drawText(option.rect, Qt::AlignCenter, text);
}
