#include "window/ListSizing.h"

#include <algorithm>

ClientSize InitialClientSize(int listWidth, int barWidth, int mapHeight)
{
    return {std::max({Twips(kDesignClientWidth), listWidth, barWidth}),
            Twips(kDesignClientHeight) + mapHeight + Twips(kListSpacing)};
}

WindowSpan WidenedToShowLine(int needed, int listWidth, WindowSpan window, int frame, int screenLeft,
                             int screenWidth)
{
    const int shortfall = needed - listWidth;
    if (shortfall <= 0) {
        return window;
    }
    const int widened = std::min(window.width + shortfall, screenWidth - frame);
    if (widened <= window.width) {
        return window;
    }
    // Kept on the screen: moved left as far as the wider window needs.
    const int overhang = window.left + widened + frame - (screenLeft + screenWidth);
    return {overhang > 0 ? std::max(screenLeft, window.left - overhang) : window.left, widened};
}

ClientSize FittedToScreen(ClientSize size, ClientSize screen)
{
    return {std::min(size.width, screen.width), std::min(size.height, screen.height)};
}

WindowPlace KeptOnScreen(WindowPlace frame, WindowPlace area)
{
    frame.width = std::min(frame.width, area.width);
    frame.height = std::min(frame.height, area.height);
    frame.left = std::clamp(frame.left, area.left, area.left + area.width - frame.width);
    frame.top = std::clamp(frame.top, area.top, area.top + area.height - frame.height);
    return frame;
}
