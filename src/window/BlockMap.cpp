#include "window/BlockMap.h"

#include "convert/FollowOnWarnings.h"
#include "model/HexText.h"
#include "model/Page16K.h"

#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

constexpr std::int64_t kAddressSpace = 0x10000;
constexpr std::int32_t kPageSize = 0x4000;

// How close, in pixels, the pointer must be to a marker for the tooltip to tell of it.
constexpr int kSnap = 3;

// At most this many places where a dump line does not follow on are told in one tooltip.
constexpr std::size_t kMostPlacesInTip = 5;

// The colour of the places where a dump line does not follow on, and of addresses loaded
// twice.
QColor WarningColour()
{
    return QColor(0xD9, 0x48, 0x0F);
}

QString Hex4(std::int32_t address)
{
    return QString::fromStdString(FormatHex4(static_cast<std::uint32_t>(address)));
}

// How far into the block the first byte loading at `address` lies (it may lie beyond the
// block's end).
std::int64_t OffsetOf(const BlockLayout& layout, std::int32_t address)
{
    return ((std::int64_t{address} - layout.start) % kAddressSpace + kAddressSpace) % kAddressSpace;
}

// The run that holds the byte `offset` bytes into the block.
const DumpLineRun& RunHolding(const BlockLayout& layout, std::int64_t offset)
{
    const auto after =
        std::upper_bound(layout.runs.begin(), layout.runs.end(), offset,
                         [](std::int64_t o, const DumpLineRun& run) { return o < run.offset; });
    return *(after - 1);
}

}  // namespace

BlockMap::BlockMap(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void BlockMap::ShowBlock(BlockLayout layout, std::int32_t ent, std::int32_t sp)
{
    block_ = Block{std::move(layout), ent, sp};
    update();
}

void BlockMap::ShowNoBlock()
{
    block_.reset();
    update();
}

QSize BlockMap::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(QStringLiteral("0000")) * 16, minimumSizeHint().height()};
}

QSize BlockMap::minimumSizeHint() const
{
    // A row for the ENT and SP markers, the strip, and a row for the pages' labels.
    const QFontMetrics metrics = fontMetrics();
    return {4 * (metrics.horizontalAdvance(QStringLiteral("C000")) + metrics.height()),
            3 * metrics.height() + 1};
}

QRect BlockMap::Strip() const
{
    // Inset by half a marker, so that ENT or SP at 0000 or FFFF shows whole.
    const int row = fontMetrics().height();
    const int inset = row / 3 + 1;
    return QRect(inset, row, width() - 2 * inset, row);
}

int BlockMap::XOf(std::int64_t address) const
{
    const QRect strip = Strip();
    return strip.left() + static_cast<int>(address * (strip.width() - 1) / kAddressSpace);
}

std::int32_t BlockMap::AddressAt(int x) const
{
    // The first address the pixel column shows.
    const QRect strip = Strip();
    const std::int64_t pixels = std::max(1, strip.width() - 1);
    const std::int64_t address = (std::int64_t{x - strip.left()} * kAddressSpace + pixels - 1) / pixels;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(address, 0, kAddressSpace - 1));
}

QPoint BlockMap::PointOf(std::int32_t address) const
{
    return {XOf(address), Strip().center().y()};
}

QString BlockMap::ToolTipAt(const QPoint& point) const
{
    // The markers within reach of the pointer: a pixel of the strip spans many addresses,
    // and ENT, SP and the places where a dump line does not follow on may share one.
    std::int32_t address = AddressAt(point.x());
    QStringList markers;
    if (block_) {
        int nearest = kSnap + 1;
        const auto reach = [&](std::int32_t marker, const QString& text) {
            const int distance = std::abs(XOf(marker) - point.x());
            if (distance > kSnap) {
                return false;
            }
            if (distance < nearest) {
                nearest = distance;
                address = marker;
            }
            markers.append(text);
            return true;
        };
        reach(block_->ent, QStringLiteral("ENT, the entry address: %1.").arg(Hex4(block_->ent)));
        reach(block_->sp, QStringLiteral("SP, the initial stack pointer: %1.").arg(Hex4(block_->sp)));
        const BlockLayout& layout = block_->layout;
        std::size_t places = 0;
        for (std::size_t run = 1; run < layout.runs.size(); ++run) {
            const std::int32_t at = layout.LoadAddress(layout.runs[run].offset);
            if (std::abs(XOf(at) - point.x()) <= kSnap && ++places > kMostPlacesInTip) {
                continue;
            }
            reach(at, QStringLiteral("At %1: %2")
                          .arg(Hex4(at), QString::fromStdString(NotFollowingOnText(layout, run))));
        }
        if (places > kMostPlacesInTip) {
            markers.append(QStringLiteral("And %1 more dump lines that do not follow on.")
                               .arg(places - kMostPlacesInTip));
        }
    }

    QStringList tip{QStringLiteral("%1, in the 16K page at %2").arg(Hex4(address), Hex4(Page16K(address)))};
    if (!block_) {
        tip.append(QStringLiteral("No block loaded."));
        return tip.join(QLatin1Char('\n'));
    }
    const BlockLayout& layout = block_->layout;
    const std::int64_t offset = OffsetOf(layout, address);
    if (offset < layout.bytes) {
        const DumpLineRun& run = RunHolding(layout, offset);
        const auto claimed = static_cast<std::int32_t>((run.address + offset - run.offset) & 0xFFFF);
        QString byte = QStringLiteral("Byte %1 of the block's %2").arg(offset + 1).arg(layout.bytes);
        if (claimed != address) {
            byte += QStringLiteral(", which its dump line puts at %1").arg(Hex4(claimed));
        }
        tip.append(byte + QLatin1Char('.'));
        if (offset + kAddressSpace < layout.bytes) {
            tip.append(QStringLiteral("Loaded more than once: the block holds more than 64K."));
        }
    } else {
        tip.append(QStringLiteral("Not in the block."));
    }
    return (tip + markers).join(QLatin1Char('\n'));
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
    const QRect strip = Strip().adjusted(0, 0, -1, -1);
    const QPalette& colours = palette();
    painter.fillRect(strip, colours.color(QPalette::Base));

    // The four 16K pages, each labelled with its first address below the strip.
    for (std::int32_t page = 0; page < kAddressSpace; page += kPageSize) {
        const int left = XOf(page);
        painter.setPen(colours.color(QPalette::Mid));
        painter.drawLine(left, strip.top(), left, strip.bottom());
        painter.setPen(colours.color(QPalette::WindowText));
        painter.drawText(
            QRect(left, strip.bottom() + 1, XOf(page + kPageSize) - left, height() - strip.bottom() - 1),
            Qt::AlignLeft | Qt::AlignTop, Hex4(page));
    }

    if (block_) {
        const BlockLayout& layout = block_->layout;
        // However few its bytes, a piece of the block is a few pixels wide.
        const int least = std::max(4, fontMetrics().height() / 3);
        const auto fill = [&](const AddressRange& range, const QBrush& brush) {
            const int left = XOf(range.first);
            painter.fillRect(QRect(left, strip.top(),
                                   std::max(least, XOf(std::int64_t{range.last} + 1) - left), strip.height()),
                             brush);
        };
        for (const AddressRange& range : LoadedRanges(layout)) {
            fill(range, colours.color(QPalette::Highlight));
        }
        if (layout.Over64K()) {
            // The bytes past the first 64K load over the first ones again.
            BlockLayout again = layout;
            again.bytes = layout.bytes - kAddressSpace;
            for (const AddressRange& range : LoadedRanges(again)) {
                fill(range, QBrush(WarningColour(), Qt::BDiagPattern));
            }
        }
    }
    painter.setPen(colours.color(QPalette::Mid));
    painter.drawRect(strip);
    if (!block_) {
        return;
    }

    // The places where a dump line does not follow on: a tick up from the strip's lower
    // edge, so that the block stays in sight around it.
    const BlockLayout& layout = block_->layout;
    painter.setPen(QPen(WarningColour(), 2));
    int drawn = -1;
    for (std::size_t run = 1; run < layout.runs.size(); ++run) {
        const int x = XOf(layout.LoadAddress(layout.runs[run].offset));
        if (x != drawn) {
            painter.drawLine(x, strip.center().y(), x, strip.bottom());
            drawn = x;
        }
    }
    QRect labelsUsed;
    PaintMarker(painter, block_->ent, QStringLiteral("ENT"), labelsUsed);
    PaintMarker(painter, block_->sp, QStringLiteral("SP"), labelsUsed);
}

void BlockMap::PaintMarker(QPainter& painter, std::int32_t address, const QString& label,
                           QRect& labelsUsed) const
{
    // A small triangle pointing down at the address, its name beside it: on the right, or
    // on the left where the right has no room or another marker's name is there.
    const int x = XOf(address);
    const int bottom = Strip().top();
    const int size = fontMetrics().height() / 3;
    QPainterPath arrow;
    arrow.moveTo(x - size, bottom - size - 1);
    arrow.lineTo(x + size, bottom - size - 1);
    arrow.lineTo(x, bottom - 1);
    arrow.closeSubpath();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(arrow, palette().color(QPalette::WindowText));
    painter.setRenderHint(QPainter::Antialiasing, false);

    const int width = fontMetrics().horizontalAdvance(label);
    QRect text(x + size + 1, 0, width, bottom);
    if (text.right() > this->width() || text.intersects(labelsUsed)) {
        text.moveRight(x - size - 2);
    }
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(text, Qt::AlignLeft | Qt::AlignBottom, label);
    labelsUsed = labelsUsed.united(text);
}
