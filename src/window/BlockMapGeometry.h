#pragma once

#include "model/BlockLayout.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Where the block map draws what, in pixels, for a map of a given width and a given
// height of a line of its text: a row for the ENT and SP markers and their labels, the
// strip of the 64K address space, and a row for the labels of its four 16K pages. Any
// window draws the map from these positions with its own toolkit.

// A rectangle of pixels; `Right` and `Bottom` are its last column and row.
struct MapRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int Right() const { return left + width - 1; }
    int Bottom() const { return top + height - 1; }
};

// The colour, as 0xRRGGBB, of the places where a dump line does not follow on, and of
// addresses loaded twice.
inline constexpr std::uint32_t kWarningColour = 0xD9480F;

// The block as the map shows it.
struct MappedBlock {
    BlockLayout layout;
    std::int32_t ent = 0;
    std::int32_t sp = 0;
};

// A part of the strip to fill: where the block's bytes load, or, hatched, where the
// bytes past its first 64K load over the first ones again.
struct StripPiece {
    int left = 0;
    int width = 0;
    bool loadedTwice = false;
};

// A text at a place: a page's label, a marker's label.
struct MapLabel {
    int left = 0;
    int width = 0;
    std::string text;
};

// A marker above the strip: a small triangle pointing down at `x`, and its label.
struct MapMarker {
    int x = 0;
    MapLabel label;
};

// How wide a text is drawn, in pixels, in the map's font.
using TextWidth = std::function<int(const std::string& text)>;

class BlockMapGeometry {
public:
    // The map's height for text lines `rowHeight` pixels high.
    static int Height(int rowHeight);

    BlockMapGeometry(int width, int rowHeight);

    // The strip, inset on both sides by half a marker, so that ENT or SP at 0000 or FFFF
    // shows whole.
    const MapRect& Strip() const { return strip_; }

    // Half the width, and the height, of a marker's triangle.
    int MarkerSize() const { return rowHeight_ / 3; }

    // The pixel column that shows `address` (0 to 0x10000: the end of the strip).
    int XOf(std::int64_t address) const;

    // The first address the pixel column `x` shows.
    std::int32_t AddressAt(int x) const;

    // The four 16K pages' labels, below the strip, each from its page's first column.
    std::vector<MapLabel> PageLabels() const;

    // The pieces of the strip the block fills. However few its bytes, a piece is a few
    // pixels wide.
    std::vector<StripPiece> Pieces(const BlockLayout& layout) const;

    // The columns of the places where a dump line does not follow on from the bytes before
    // it, at the address that line's bytes load at; each column once.
    std::vector<int> FollowOnTicks(const BlockLayout& layout) const;

    // ENT's marker, then SP's, each labelled on its right, or on its left where the right
    // has no room or the other's label is there.
    std::vector<MapMarker> Markers(const MappedBlock& block, const TextWidth& textWidth) const;

private:
    int width_;
    int rowHeight_;
    MapRect strip_;
};
