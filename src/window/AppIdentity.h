#pragma once

// How the program names itself.

// The window's title, also the caption of every message box and prompt.
inline constexpr const char* kWindowTitle = "Kestrane Quillet - V" QUILLET_VERSION;

inline constexpr const char* kApplicationName = "Kestrane Quillet";
