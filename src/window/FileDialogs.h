#pragma once

#include <QString>

#include <optional>

class QWidget;

// The Open dialog: titled "Open Object File...", with the Tasm OBJ filter selected; the
// file must exist. `presetName` fills the file name field and `folder`, when not empty,
// is where the dialog starts. Returns the chosen path, or nothing when cancelled.
std::optional<QString> AskOpenPath(QWidget* parent, const QString& presetName, const QString& folder);

// The Save dialog: titled "Save Kestrane EXE As...", with the Kestrane EXE filter
// selected and `presetPath` chosen, also where its folder does not exist. It does not
// ask about replacing a file: the writer does. Returns the chosen path, or nothing when
// cancelled.
std::optional<QString> AskSavePath(QWidget* parent, const QString& presetPath);
