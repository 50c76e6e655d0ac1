#pragma once

#include "window/BlockMapGeometry.h"

#include <QWidget>

#include <cstdint>
#include <optional>

// The block map, a strip across the window below the dump list: the 64K address space as
// its four 16K pages (labelled 0000, 4000, 8000 and C000); the addresses the block's bytes
// load into, from ORG one after another as the executable holds them (two pieces where
// the block runs past FFFF, hatched where it holds more than 64K and so loads some
// addresses twice); ENT and SP as markers above the strip; and, in a warning colour, each
// place where a dump line does not follow on from the bytes before it, at the address its
// bytes load at. A tooltip over any point gives the address, its 16K page and what is
// there. The map only shows: it changes nothing. What goes where, and what the tooltip
// says, is worked out by BlockMapGeometry and BlockMapToolTip; this paints it.
class BlockMap : public QWidget {
    Q_OBJECT

public:
    explicit BlockMap(QWidget* parent = nullptr);

    // Shows `block`, or the empty address space when nothing is loaded.
    void Show(std::optional<MappedBlock> block);

    // The point on the strip that shows `address`.
    QPoint PointOf(std::int32_t address) const;

    // What the tooltip over `point` says.
    QString ToolTipAt(const QPoint& point) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    BlockMapGeometry Geometry() const;
    void PaintMarker(QPainter& painter, const MapMarker& marker, int stripTop) const;

    std::optional<MappedBlock> block_;
};
