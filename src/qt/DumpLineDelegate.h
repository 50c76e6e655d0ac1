#pragma once

#include <QStyledItemDelegate>

// Draws a row of the dump list: a narrow gutter, with a mark in the warning colour on a
// line that does not follow on from the bytes before it; the dump line; then, two
// characters right of the longest line, its character column in a dimmer colour that is
// still readable on the row's background (DimmedTextColour). Every row is given the size
// of the longest line with its character column, so that the view lays out 32767 rows at
// once without measuring each, no line is cut short, and a selected row is highlighted
// across both columns.
class DumpLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
