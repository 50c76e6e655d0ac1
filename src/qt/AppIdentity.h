#pragma once

#include <QIcon>
#include <QString>

// How the program shows itself to the desktop.

// The window's title, also the caption of every message box and prompt (kWindowTitle).
QString WindowTitle();

// The program's icon, drawn from its SVG source at the sizes window systems ask for.
QIcon QuilletIcon();

// The name of the program's desktop entry, by which a desktop matches its windows to the
// entry's icon and name in the application menu.
inline constexpr const char* kDesktopFileName = "io.github.kestrane.Quillet";
