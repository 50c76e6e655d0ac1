#pragma once

#include <windows.h>

#include <string>

// The tooltips of the window's controls, each a common controls tooltip window. A tool is
// a control, or a part of one (`id`), whose tooltip shows while the pointer rests on it;
// a tracking tool shows where the window puts it, for the keyboard.

// A tooltip window for the tools of `owner`'s controls. Its lines break where the text
// says, and at about 60 characters.
HWND CreateToolTips(HWND owner);

// Adds the tool `id` of `control`: the whole control (TTF_IDISHWND, `id` the control's
// handle), a part of it (its rectangle set by SetToolRect), or a tracking tool (TTF_TRACK).
void AddTool(HWND tips, HWND control, UINT_PTR id, UINT flags);

void SetToolRect(HWND tips, HWND control, UINT_PTR id, const RECT& rect);

// What the tool's tooltip says: UTF-8, its lines ending in "\n". None while it is empty.
void SetToolText(HWND tips, HWND control, UINT_PTR id, const std::string& text);
