#include "qt/FileDialogs.h"

#include "qt/QtStrings.h"
#include "window/FileDialogSetup.h"

#include <QFileDialog>
#include <QStringList>

namespace {

// A name filter that shows the filter's description and offers names ending in
// ".EXTENSION" in any case, so that "demo.obj" is offered as well as "DEMO.OBJ" where
// names are case-sensitive. The plain pattern comes first: the Save dialog gives a typed
// name the extension of the first pattern when the filter changes. An empty extension
// offers every name. The patterns themselves are hidden from the user
// (HideNameFilterDetails).
QString NameFilter(const FileFilter& filter)
{
    const QString description = QString::fromUtf8(filter.description);
    const QString extension = QString::fromUtf8(filter.extension);
    if (extension.isEmpty()) {
        return description + QStringLiteral(" (*)");
    }
    QString anyCase;
    for (const QChar c : extension) {
        anyCase += QLatin1Char('[') + c.toUpper() + c.toLower() + QLatin1Char(']');
    }
    return description + QStringLiteral(" (*.") + extension + QStringLiteral(" *.") + anyCase +
           QLatin1Char(')');
}

// Sets the dialog up as `setup` says. Before the name is preset: selecting a filter gives
// the name in the box the filter's extension, in the filter's case ("game.exe" would
// become "game.EXE", another file where names are case-sensitive).
void SetUp(QFileDialog& dialog, const FileDialogSetup& setup)
{
    dialog.setWindowTitle(QString::fromUtf8(setup.title));
    QStringList filters;
    for (const FileFilter& filter : setup.filters) {
        filters.append(NameFilter(filter));
    }
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(setup.filterIndex - 1));
    dialog.setDefaultSuffix(QString::fromUtf8(setup.defaultExtension));
}

// Shows the dialog and returns the chosen path.
std::optional<QString> Ask(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace

std::optional<QString> AskOpenPath(QWidget* parent, const QString& presetName, const QString& folder)
{
    QFileDialog dialog(parent, QString(), folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(OpenDialogSetup().fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    SetUp(dialog, OpenDialogSetup());
    dialog.selectFile(presetName);
    return Ask(dialog);
}

std::optional<QString> AskSavePath(QWidget* parent, const QString& presetPath)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    SetUp(dialog, SaveDialogSetup());
    const DialogStart start = SaveDialogStart(PathFromQt(presetPath));
    if (!start.folder.empty()) {
        dialog.setDirectory(PathToQt(start.folder));
    }
    dialog.selectFile(PathToQt(start.name));
    return Ask(dialog);
}
