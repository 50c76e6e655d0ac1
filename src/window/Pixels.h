#pragma once

// Places on a window, in pixels, as the toolkit-free layer gives them to a window to draw.

struct PixelPoint {
    int x = 0;
    int y = 0;
};

// A rectangle; `Right` and `Bottom` are its last column and row.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int Right() const { return left + width - 1; }
    int Bottom() const { return top + height - 1; }
};
