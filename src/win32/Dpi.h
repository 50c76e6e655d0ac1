#pragma once

#include <windows.h>

// Lengths on a monitor of `dpi` dots per inch: the window follows the scale of the monitor
// it is on (per-monitor DPI awareness), so every length is worked out for that monitor.

// A length of `pixels` at 96 dots per inch.
inline int Scaled(int pixels, int dpi)
{
    return MulDiv(pixels, dpi, USER_DEFAULT_SCREEN_DPI);
}

// A system metric (GetSystemMetrics) at `dpi`.
inline int SystemMetric(int index, int dpi)
{
    return GetSystemMetricsForDpi(index, static_cast<UINT>(dpi));
}
