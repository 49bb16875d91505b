#pragma once

#include <QStyledItemDelegate>
#include <array>
#include <cstdint>

#include "model/Global_var.h"

// Paints the cells of the cam grid: the fixed row of cam numbers and the
// fixed column of output headers in the button-face colour (the headers
// right-aligned, 2 pixels below the cell top and 4 in from its right edge),
// and each cam's cell in the row of its output in the colour of its
// function, read from the parameter table at every paint. The selected cell
// keeps its colour and gets a frame.
class CamGridDelegate : public QStyledItemDelegate {
public:
  CamGridDelegate(const std::array<std::int32_t, kParameterCount>& parameters, QObject* parent);
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
  void PaintFixedCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;

  const std::array<std::int32_t, kParameterCount>& parameters_;
};
