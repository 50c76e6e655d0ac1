#pragma once

#include <windows.h>

#include <string>

// What screen readers say of the window's controls. A control's name is its window text
// (the list's and the map's are set when they are made); these add the descriptions, and
// the names of the status bar's panels, which are parts of one control, through the
// system's accessibility properties. Where that service is missing (Wine has none) they
// do nothing: the window works as before.

// The name and description of `control` itself, or of its part `child` (1 or more).
void DescribeToScreenReaders(HWND control, int child, const std::wstring& name,
                             const std::wstring& description);
