#pragma once

#include <QString>

#include <optional>

class QWidget;

// The Open and Save dialogs, set up as OpenDialogSetup and SaveDialogSetup say.

// The Open dialog. `presetName` fills the file name field and `folder`, when not empty,
// is where the dialog starts. Returns the chosen path, or nothing when cancelled.
std::optional<QString> AskOpenPath(QWidget* parent, const QString& presetName, const QString& folder);

// The Save dialog, with `presetPath` chosen, also where its folder does not exist.
// Returns the chosen path, or nothing when cancelled.
std::optional<QString> AskSavePath(QWidget* parent, const QString& presetPath);
