#pragma once

// How big the window and its dump list are made. The design lengths are in twips
// (1/1440 inch); a window converts them to its pixels at 96 pixels to the inch (15 twips
// each) and scales those as the system scales everything else.

inline int Twips(int twips)
{
    return (twips + 7) / 15;
}

// The window's client area as designed, and the margins around the list: 60 twips to the
// window's edges, 45 between the list, the block map and the status bar.
inline constexpr int kDesignClientWidth = 6255;
inline constexpr int kDesignClientHeight = 4800;
inline constexpr int kListMargin = 60;
inline constexpr int kListSpacing = 45;

// Dump lines the list shows at least, however small the window is made.
inline constexpr int kFewestLinesShown = 4;

// The longest dump line of a listing, "8000  " and 16 pairs, with its 16 characters two
// characters to the right: the list is made wide enough for it at first.
inline constexpr int kListingLineWithCharacters = 53 + 2 + 16;

// The window's client area at first: the design size, widened where the list needs
// `listWidth` (margins included) to show a listing's dump line with its character column,
// or the status bar needs `barWidth` for its panels; the block map, `mapHeight` high, is
// added below the list's design height.
struct ClientSize {
    int width = 0;
    int height = 0;
};
ClientSize InitialClientSize(int listWidth, int barWidth, int mapHeight);

// `size` made to fit a screen whose work area is `screen` (a client size, the frame taken
// off): never wider or higher than it, so that the window never asks for more than the
// screen has; the list scrolls sideways instead.
ClientSize FittedToScreen(ClientSize size, ClientSize screen);

// Where the window goes, its frame (title bar and borders) `frame`, so that the whole frame
// lies within the screen's work area `area`: made no larger than the area, and moved in as
// far as it sticks out, in both directions.
struct WindowPlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
WindowPlace KeptOnScreen(WindowPlace frame, WindowPlace area);

// The width of the gutter left of the dump lines, where a mark shows each line that does
// not follow on (FollowOnMarks), for lines `lineHeight` pixels high; the mark leaves a
// pixel free on its right.
inline int MarkGutterWidth(int lineHeight)
{
    return lineHeight / 4 + 2;
}

// A window `width` wide at `left` whose list is `listWidth` wide, when the longest dump line
// with its character column needs `needed`: how wide it is made, and where it goes, so
// that the line shows whole where the screen (from `screenLeft`, `screenWidth` wide) has the
// room; `frame` is what the window's frame adds to its width. It is never narrowed, and
// it is moved left as far as the wider window needs to stay on the screen.
struct WindowSpan {
    int left = 0;
    int width = 0;
};
WindowSpan WidenedToShowLine(int needed, int listWidth, WindowSpan window, int frame, int screenLeft,
                             int screenWidth);

// The same measures, as a window gives them.
struct LineRoom {
    int needed = 0;
    int listWidth = 0;
    WindowSpan window;
    int frame = 0;
    int screenLeft = 0;
    int screenWidth = 0;
};
