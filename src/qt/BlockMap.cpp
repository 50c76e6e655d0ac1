#include "qt/BlockMap.h"

#include "window/BlockMapTips.h"

#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <utility>

namespace {

// The colour of the places where a dump line does not follow on, and of addresses loaded
// twice.
QColor WarningColour()
{
    return QColor(QRgb(kWarningColour));
}

QRect ToQt(const MapRect& rect)
{
    return {rect.left, rect.top, rect.width, rect.height};
}

}  // namespace

BlockMap::BlockMap(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void BlockMap::Show(std::optional<MappedBlock> block)
{
    block_ = std::move(block);
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

QString BlockMap::ToolTipAt(const QPoint& point) const
{
    return QString::fromStdString(BlockMapToolTip(block_ ? &*block_ : nullptr, Geometry(), point.x()));
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

void BlockMap::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const BlockMapGeometry geometry = Geometry();
    const QRect strip = ToQt(geometry.Strip()).adjusted(0, 0, -1, -1);
    const QPalette& colours = palette();
    painter.fillRect(strip, colours.color(QPalette::Base));

    // The four 16K pages, each labelled with its first address below the strip.
    for (const MapLabel& page : geometry.PageLabels()) {
        painter.setPen(colours.color(QPalette::Mid));
        painter.drawLine(page.left, strip.top(), page.left, strip.bottom());
        painter.setPen(colours.color(QPalette::WindowText));
        painter.drawText(QRect(page.left, strip.bottom() + 1, page.width, height() - strip.bottom() - 1),
                         Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(page.text));
    }

    if (block_) {
        for (const StripPiece& piece : geometry.Pieces(block_->layout)) {
            painter.fillRect(QRect(piece.left, strip.top(), piece.width, strip.height()),
                             piece.loadedTwice ? QBrush(WarningColour(), Qt::BDiagPattern)
                                               : QBrush(colours.color(QPalette::Highlight)));
        }
    }
    painter.setPen(colours.color(QPalette::Mid));
    painter.drawRect(strip);
    if (!block_) {
        return;
    }

    // The places where a dump line does not follow on: a tick up from the strip's lower
    // edge, so that the block stays in sight around it.
    painter.setPen(QPen(WarningColour(), 2));
    for (const int x : geometry.FollowOnTicks(block_->layout)) {
        painter.drawLine(x, strip.center().y(), x, strip.bottom());
    }
    const QFontMetrics metrics = fontMetrics();
    for (const MapMarker& marker : geometry.Markers(*block_, [&metrics](const std::string& text) {
             return metrics.horizontalAdvance(QString::fromStdString(text));
         })) {
        PaintMarker(painter, marker, geometry.Strip().top);
    }
}

void BlockMap::PaintMarker(QPainter& painter, const MapMarker& marker, int stripTop) const
{
    // A small triangle pointing down at the address, its label beside it.
    const int x = marker.x;
    const int bottom = stripTop;
    const int size = Geometry().MarkerSize();
    QPainterPath arrow;
    arrow.moveTo(x - size, bottom - size - 1);
    arrow.lineTo(x + size, bottom - size - 1);
    arrow.lineTo(x, bottom - 1);
    arrow.closeSubpath();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(arrow, palette().color(QPalette::WindowText));
    painter.setRenderHint(QPainter::Antialiasing, false);

    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(marker.label.left, 0, marker.label.width, bottom), Qt::AlignLeft | Qt::AlignBottom,
                     QString::fromStdString(marker.label.text));
}
