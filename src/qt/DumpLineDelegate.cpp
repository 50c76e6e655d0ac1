#include "qt/DumpLineDelegate.h"

#include "qt/DumpListModel.h"
#include "window/Colours.h"
#include "window/DumpListText.h"
#include "window/ListSizing.h"

#include <QPainter>

namespace {

// The row whose dump line is the longest, or `index` itself where the model keeps no such row.
QModelIndex WidestIndex(const QModelIndex& index)
{
    const auto* model = qobject_cast<const DumpListModel*>(index.model());
    return model != nullptr && model->WidestRow() >= 0 ? model->index(model->WidestRow()) : index;
}

// The width of `count` characters of the fixed-pitch dump font, as a run of text lays
// them out (a character's advance may be a fraction of a pixel).
int CharactersWidth(const QStyleOptionViewItem& option, qsizetype count)
{
    return option.fontMetrics.horizontalAdvance(QString(count, QLatin1Char('0')));
}

int Gutter(const QStyleOptionViewItem& option)
{
    return MarkGutterWidth(option.fontMetrics.height());
}

Rgb ToRgb(const QColor& colour)
{
    return {colour.red(), colour.green(), colour.blue()};
}

}  // namespace

QSize DumpLineDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QModelIndex widest = WidestIndex(index);
    QSize size = QStyledItemDelegate::sizeHint(option, widest);
    size.rwidth() += Gutter(option);
    const qsizetype characters = widest.data(DumpListModel::CharactersRole).toString().size();
    if (characters > 0) {
        size.rwidth() += CharactersWidth(option, kCharacterColumnGap + characters);
    }
    return size;
}

void DumpLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    // The gutter on the left, then the row as the style draws it.
    const int gutter = Gutter(option);
    QStyleOptionViewItem row = option;
    row.rect.setLeft(option.rect.left() + gutter);
    QStyledItemDelegate::paint(painter, row, index);
    if (index.data(DumpListModel::MarkedRole).toBool()) {
        painter->fillRect(QRect(option.rect.left(), option.rect.top(), gutter - 1, option.rect.height()),
                          QColor(kWarningColour.red, kWarningColour.green, kWarningColour.blue));
    }
    const QString characters = index.data(DumpListModel::CharactersRole).toString();
    if (characters.isEmpty()) {
        return;
    }

    // Where the style puts the dump line's text, and the column after the longest line.
    QStyleOptionViewItem item = row;
    initStyleOption(&item, index);
    const QWidget* view = option.widget;
    const QStyle* style = view != nullptr ? view->style() : nullptr;
    if (style == nullptr) {
        return;
    }
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &item, view);
    const qsizetype widest = WidestIndex(index).data().toString().size();
    QRect column = text.adjusted(margin + CharactersWidth(option, widest + kCharacterColumnGap), 0, 0, 0);

    // Dimmer than the dump line, but readable on the row's background.
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const QPalette::ColorGroup group = (option.state & QStyle::State_Enabled) == 0  ? QPalette::Disabled
                                       : (option.state & QStyle::State_Active) != 0 ? QPalette::Active
                                                                                    : QPalette::Inactive;
    const Rgb colour = DimmedTextColour(
        ToRgb(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text)),
        ToRgb(option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base)));
    painter->save();
    painter->setFont(option.font);
    painter->setPen(QColor(colour.red, colour.green, colour.blue));
    painter->drawText(column, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, characters);
    painter->restore();
}
