#pragma once

#include "qt/Accessibility.h"
#include "window/BlockMapGeometry.h"

#include <QWidget>

#include <cstdint>
#include <optional>

// The block map, across the window below the dump list. Above, the overview: the 64K
// address space as its four 16K pages (labelled 0000, 4000, 8000 and C000); the
// addresses the block's bytes load into, from ORG one after another as the executable
// holds them (two pieces where the block runs past FFFF, hatched where it holds more than
// 64K and so loads some addresses twice); ENT and SP as markers above the strip; and, in
// a warning colour, each place where a dump line does not follow on from the bytes before
// it, at the address its bytes load at. Below, the detail row: the block's own bytes
// across the whole width, however few, with the same places, ENT and SP where they fall
// inside, and where the bytes load. A tooltip over any point says what is there. The map
// takes the focus with Tab; the arrow keys, Home and End then move a cursor along the
// overview from one thing to the next, showing the tooltip there. The right button pops
// the menu up at the pointer, as over the list. The map only shows: it changes nothing. What goes where, and
// what the tooltips say, is worked out by BlockMapGeometry and BlockMapTips; this paints it. A screen reader
// hears what it shows as its description, and what is at its cursor in its name (BlockMapSpokenName), again
// as the cursor moves; in-process, the same as its value.
class BlockMap : public QWidget, public HasAccessibleValue {
    Q_OBJECT

public:
    explicit BlockMap(QWidget* parent = nullptr);

    // Shows `block`, or the empty address space when nothing is loaded.
    void Show(std::optional<MappedBlock> block);

    // The point on the overview's strip that shows `address`.
    QPoint PointOf(std::int32_t address) const;

    // The point on the detail row's strip that shows the byte `offset` bytes into the
    // block.
    QPoint DetailPointOf(std::int64_t offset) const;

    // What the tooltip over `point` says.
    QString ToolTipAt(const QPoint& point) const;

    // Where the keyboard's cursor is on the overview, and moving it to `address`.
    std::int32_t Cursor() const { return cursor_; }
    void MoveCursor(std::int32_t address);

    // Where the menu pops up from the keyboard, on the screen: at the cursor, just below
    // the overview's strip.
    QPoint KeyboardMenuPoint() const;

    QString AccessibleValue() const override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The right button, let go of over the map, asks for the menu at `globalPos`.
    void MenuRequested(const QPoint& globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    BlockMapGeometry Geometry() const;
    const MappedBlock* Block() const { return block_ ? &*block_ : nullptr; }
    void Changed();
    void CursorMoved();
    void ShowCursorTip();
    void PaintStrip(QPainter& painter, const QRect& strip, const std::vector<StripPiece>& pieces,
                    const std::vector<int>& ticks, bool halfTicks) const;
    void PaintMarkers(QPainter& painter, const MapMarkers& markers, int stripTop) const;

    std::optional<MappedBlock> block_;
    std::int32_t cursor_ = 0;
};
