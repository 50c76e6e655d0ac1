#pragma once

#include "model/BlockLayout.h"
#include "model/Label.h"
#include "window/Pixels.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Where the block map draws what, in pixels, for a map of a given width and a given
// height of a line of its text. Any window draws the map from these positions with its
// own toolkit. From the top:
// - the overview: a row for the ENT and SP markers and their labels; the strip of the 64K
//   address space, filled where the block's bytes load; a row for the labels of its four
//   16K pages;
// - the detail row, which spans the block's own bytes, as the executable holds them: a row
//   for ENT and SP where they fall inside the block; the strip, with a tick at each place
//   where a dump line does not follow on; a row of labels giving where the bytes load.
// However small the block, the detail row shows it across the whole width.

// The block as the map shows it.
struct MappedBlock {
    BlockLayout layout;
    std::int32_t ent = 0;
    std::int32_t sp = 0;
    std::vector<Label> labels = {};  // a listing's, sorted by address
};

// A part of a strip to fill: where the block's bytes load, or, hatched, where the bytes
// past its first 64K load over the first ones again.
struct StripPiece {
    int left = 0;
    int width = 0;
    bool loadedTwice = false;
};

// A text, one line high, from the column `left`.
struct MapLabel {
    int left = 0;
    int width = 0;
    std::string text;

    int Right() const { return left + width - 1; }
};

// ENT's and SP's markers on a strip: each a small triangle pointing down at its column,
// and labels that never overlap each other or a triangle: one label beside each triangle,
// or, where there is no room for two (the markers close together, or at an end of the
// strip), one label "ENT, SP" beside the pair.
struct MapMarkers {
    std::vector<int> arrows;
    std::vector<MapLabel> labels;
};

// How wide a text is drawn, in pixels, in the map's font.
using TextWidth = std::function<int(const std::string& text)>;

class BlockMapGeometry {
public:
    // The map's height for text lines `rowHeight` pixels high.
    static int Height(int rowHeight);

    BlockMapGeometry(int width, int rowHeight);

    // Half the width, and the height, of a marker's triangle.
    int MarkerSize() const { return rowHeight_ / 3; }

    // The overview's strip, inset on both sides by half a marker, so that ENT or SP at
    // 0000 or FFFF shows whole.
    const PixelRect& Strip() const { return strip_; }

    // The pixel column that shows `address` (0 to 0x10000: the strip's right edge, after
    // its last column). The columns inside the strip's frame show the address space from
    // left to right, each 16K page in whole columns of its own.
    int XOf(std::int64_t address) const;

    // The first and the last address the pixel column `x` shows.
    std::int32_t AddressAt(int x) const;
    std::int32_t LastAddressAt(int x) const;

    // The address the column `x` stands for, the one its tooltip names: the first of its
    // addresses that the block loads, where it loads any; in the columns a small piece is
    // widened over, the piece's byte nearest them; else the column's first address.
    std::int32_t AddressShownAt(int x, const BlockLayout* layout) const;

    // The four 16K pages' labels, below the strip, each from its page's first column.
    std::vector<MapLabel> PageLabels() const;

    // The pieces of the strip the block fills: the columns that show an address it loads,
    // widened where they are fewer than LeastPieceColumns, so that a block of a few bytes
    // still shows on the 64K strip: to the right, or to the left at the strip's end.
    std::vector<StripPiece> Pieces(const BlockLayout& layout) const;
    int LeastPieceColumns() const { return std::max(4, rowHeight_ / 3); }

    // The columns of the places where a dump line does not follow on from the bytes before
    // it, at the address that line's bytes load at; each column once.
    std::vector<int> FollowOnTicks(const BlockLayout& layout) const;

    MapMarkers Markers(const MappedBlock& block, const TextWidth& textWidth) const;

    // The detail row: its top, where its marker row starts, and its strip.
    int DetailTop() const { return detailTop_; }
    const PixelRect& DetailStrip() const { return detail_; }

    // The column where the byte `offset` bytes into the block starts (`bytes`: the strip's
    // right edge, after its last column), and the byte a column shows: the first that starts
    // in it, or the one that covers it; where the bytes past the first 64K start, the first
    // of them, as the column is hatched.
    int DetailXOf(const BlockLayout& layout, std::int64_t offset) const;
    std::int64_t DetailOffsetAt(const BlockLayout& layout, int x) const;

    // The part of the detail strip where the bytes past the first 64K lie, hatched; none
    // for a block of 64K or less.
    std::optional<StripPiece> DetailLoadedTwice(const BlockLayout& layout) const;

    // The detail strip's ticks, where each run of dump lines that follow on starts after
    // the first; each column once.
    std::vector<int> DetailTicks(const BlockLayout& layout) const;

    // The labels below the detail strip: where the block starts loading, where its last byte
    // loads, and each place where a dump line does not follow on ("9000 loads at 800F": the
    // line's own address, and where its bytes load; where that has no room, where they load
    // alone). Labels never overlap: a place's that has no room at all is left out (its
    // tooltip tells it), never the block's ends.
    std::vector<MapLabel> DetailLabels(const MappedBlock& block, const TextWidth& textWidth) const;

    // ENT and SP where they fall inside the block: at the first byte that loads there.
    MapMarkers DetailMarkers(const MappedBlock& block, const TextWidth& textWidth) const;

    // The column of the middle of the first byte loading at `address` in the detail row,
    // if one does.
    std::optional<int> DetailXOfAddress(const BlockLayout& layout, std::int32_t address) const;

private:
    // A piece of the strip and the addresses it stands for.
    struct PieceSpan {
        AddressRange range;
        StripPiece piece;
    };
    std::vector<PieceSpan> PieceSpans(const BlockLayout& layout) const;
    MapMarkers LayOutMarkers(std::optional<int> entX, std::optional<int> spX,
                             const TextWidth& textWidth) const;
    // The first of the columns of 16K page `page` (0 to 4: 4 is the end), counted from
    // the strip's first column.
    int PageColumn(std::int64_t page) const;

    int width_;
    int rowHeight_;
    PixelRect strip_;
    int columns_;
    int detailTop_;
    PixelRect detail_;
    int detailColumns_;
};

// How far into the block the first byte loading at `address` lies (it may lie beyond the
// block's end).
std::int64_t OffsetOf(const BlockLayout& layout, std::int32_t address);
