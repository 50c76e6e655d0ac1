#include "qt/BlockMap.h"

#include "window/BlockMapTips.h"
#include "window/Colours.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFocusRect>
#include <QToolTip>

#include <utility>

namespace {

QColor WarningColour()
{
    return QColor(kWarningColour.red, kWarningColour.green, kWarningColour.blue);
}

QRect ToQt(const PixelRect& rect)
{
    return {rect.left, rect.top, rect.width, rect.height};
}

}  // namespace

BlockMap::BlockMap(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFocusPolicy(Qt::StrongFocus);
    Changed();
}

void BlockMap::Show(std::optional<MappedBlock> block)
{
    block_ = std::move(block);
    cursor_ = block_ ? block_->layout.start : 0;
    Changed();
}

void BlockMap::MoveCursor(std::int32_t address)
{
    cursor_ = address;
    CursorMoved();
}

void BlockMap::Changed()
{
    setAccessibleDescription(QString::fromStdString(BlockMapDescription(Block())));
    CursorMoved();
}

void BlockMap::CursorMoved()
{
    // Screen readers read the map by its name, which says what is at the cursor, and speak
    // it again when it changes while the map has the focus.
    setAccessibleName(QString::fromStdString(BlockMapSpokenName(Block(), Geometry(), cursor_)));
    update();
}

QSize BlockMap::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(QStringLiteral("0000")) * 16, minimumSizeHint().height()};
}

QSize BlockMap::minimumSizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return {4 * (metrics.horizontalAdvance(QStringLiteral("C000")) + metrics.height()),
            BlockMapGeometry::Height(metrics.height())};
}

BlockMapGeometry BlockMap::Geometry() const
{
    return BlockMapGeometry(width(), fontMetrics().height());
}

QPoint BlockMap::PointOf(std::int32_t address) const
{
    const BlockMapGeometry geometry = Geometry();
    return {geometry.XOf(address), ToQt(geometry.Strip()).center().y()};
}

QPoint BlockMap::DetailPointOf(std::int64_t offset) const
{
    const BlockMapGeometry geometry = Geometry();
    return {block_ ? geometry.DetailXOf(block_->layout, offset) : geometry.DetailStrip().left,
            ToQt(geometry.DetailStrip()).center().y()};
}

QPoint BlockMap::KeyboardMenuPoint() const
{
    const BlockMapGeometry geometry = Geometry();
    return mapToGlobal(QPoint(geometry.XOf(cursor_), geometry.Strip().Bottom() + 1));
}

QString BlockMap::ToolTipAt(const QPoint& point) const
{
    return QString::fromStdString(BlockMapToolTip(Block(), Geometry(), point.x(), point.y()));
}

QString BlockMap::AccessibleValue() const
{
    return QString::fromStdString(CursorToolTip(Block(), Geometry(), cursor_));
}

void BlockMap::ShowCursorTip()
{
    const QPoint below = PointOf(cursor_) + QPoint(0, fontMetrics().height());
    QToolTip::showText(mapToGlobal(below),
                       QString::fromStdString(CursorToolTip(Block(), Geometry(), cursor_)), this);
}

bool BlockMap::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), ToolTipAt(help->pos()), this);
        return true;
    }
    return QWidget::event(event);
}

void BlockMap::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
        case Qt::Key_Left:
            cursor_ = NextCursorStop(Block(), cursor_, -1);
            break;
        case Qt::Key_Right:
            cursor_ = NextCursorStop(Block(), cursor_, 1);
            break;
        case Qt::Key_Home:
            cursor_ = CursorStops(Block()).front();
            break;
        case Qt::Key_End:
            cursor_ = CursorStops(Block()).back();
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    CursorMoved();
    ShowCursorTip();
}

void BlockMap::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

void BlockMap::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        emit MenuRequested(event->globalPosition().toPoint());
    }
}

void BlockMap::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
        ShowCursorTip();
    }
}

void BlockMap::PaintStrip(QPainter& painter, const QRect& strip, const std::vector<StripPiece>& pieces,
                          const std::vector<int>& ticks, bool halfTicks) const
{
    for (const StripPiece& piece : pieces) {
        painter.fillRect(QRect(piece.left, strip.top(), piece.width, strip.height()),
                         piece.loadedTwice ? QBrush(WarningColour(), Qt::BDiagPattern)
                                           : QBrush(palette().color(QPalette::Highlight)));
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(strip);
    // The places where a dump line does not follow on: a tick up from the strip's lower
    // edge, on the overview only half way, so that the block stays in sight around it.
    painter.setPen(QPen(WarningColour(), 2));
    for (const int x : ticks) {
        painter.drawLine(x, halfTicks ? strip.center().y() : strip.top(), x, strip.bottom());
    }
}

void BlockMap::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const BlockMapGeometry geometry = Geometry();
    const QPalette& colours = palette();
    const QFontMetrics metrics = fontMetrics();
    const TextWidth textWidth = [&metrics](const std::string& text) {
        return metrics.horizontalAdvance(QString::fromStdString(text));
    };
    // A label below a strip.
    const auto drawLabel = [&](const MapLabel& label, int top) {
        painter.setPen(colours.color(QPalette::WindowText));
        painter.drawText(QRect(label.left, top, label.width, metrics.height()), Qt::AlignLeft | Qt::AlignTop,
                         QString::fromStdString(label.text));
    };

    // The overview: the four 16K pages, each labelled with its first address below the
    // strip, and the block where it loads.
    const QRect strip = ToQt(geometry.Strip()).adjusted(0, 0, -1, -1);
    painter.fillRect(strip, colours.color(QPalette::Base));
    const std::vector<MapLabel> pages = geometry.PageLabels();
    for (const MapLabel& page : pages) {
        if (&page != &pages.front()) {  // the first page starts at the strip's frame
            painter.setPen(colours.color(QPalette::Mid));
            painter.drawLine(page.left, strip.top(), page.left, strip.bottom());
        }
        drawLabel(page, strip.bottom() + 1);
    }
    const QRect detail = ToQt(geometry.DetailStrip()).adjusted(0, 0, -1, -1);
    painter.fillRect(detail, colours.color(QPalette::Base));
    if (!block_) {
        PaintStrip(painter, strip, {}, {}, true);
        PaintStrip(painter, detail, {}, {}, false);
    } else {
        const BlockLayout& layout = block_->layout;
        PaintStrip(painter, strip, geometry.Pieces(layout), geometry.FollowOnTicks(layout), true);
        PaintMarkers(painter, geometry.Markers(*block_, textWidth), geometry.Strip().top);

        // The detail row: the block's own bytes across the whole width.
        std::vector<StripPiece> pieces;
        if (layout.bytes > 0) {
            pieces.push_back({detail.left(), detail.width(), false});
        }
        if (const std::optional<StripPiece> twice = geometry.DetailLoadedTwice(layout)) {
            pieces.push_back(*twice);
        }
        PaintStrip(painter, detail, pieces, geometry.DetailTicks(layout), false);
        PaintMarkers(painter, geometry.DetailMarkers(*block_, textWidth), geometry.DetailStrip().top);
        for (const MapLabel& label : geometry.DetailLabels(*block_, textWidth)) {
            drawLabel(label, detail.bottom() + 1);
        }
    }

    if (hasFocus()) {
        // The keyboard's cursor across the overview's strip, and the focus around it.
        const int x = geometry.XOf(cursor_);
        painter.setPen(QPen(colours.color(QPalette::Text), 2));  // on the strip's base colour
        painter.drawLine(x, strip.top() - 1, x, strip.bottom() + 1);
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = strip.adjusted(-2, -2, 2, 2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void BlockMap::PaintMarkers(QPainter& painter, const MapMarkers& markers, int stripTop) const
{
    // A small triangle pointing down at each address, the labels beside them.
    const int size = Geometry().MarkerSize();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const int x : markers.arrows) {
        QPainterPath arrow;
        arrow.moveTo(x - size, stripTop - size - 1);
        arrow.lineTo(x + size, stripTop - size - 1);
        arrow.lineTo(x, stripTop - 1);
        arrow.closeSubpath();
        painter.fillPath(arrow, palette().color(QPalette::WindowText));
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(palette().color(QPalette::WindowText));
    for (const MapLabel& label : markers.labels) {
        painter.drawText(
            QRect(label.left, stripTop - fontMetrics().height(), label.width, fontMetrics().height()),
            Qt::AlignLeft | Qt::AlignBottom, QString::fromStdString(label.text));
    }
}
