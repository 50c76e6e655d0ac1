#include "window/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace {

// A name filter that shows `description` and offers names ending in ".EXTENSION" in any
// case, so that "demo.obj" is offered as well as "DEMO.OBJ" where names are
// case-sensitive. The plain pattern comes first: the Save dialog gives a typed name the
// extension of the first pattern when the filter changes. An empty extension offers
// every name. The patterns themselves are hidden from the user (HideNameFilterDetails).
QString NameFilter(const QString& description, const QString& extension)
{
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

std::optional<QString> Ask(QFileDialog& dialog, const QStringList& filters)
{
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(1));  // the second entry: the program's own files
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace

std::optional<QString> AskOpenPath(QWidget* parent, const QString& presetName, const QString& folder)
{
    QFileDialog dialog(parent, QStringLiteral("Open Object File..."), folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.selectFile(presetName);
    return Ask(dialog,
               {NameFilter(QStringLiteral("All Files (*.*)"), QString()),
                NameFilter(QStringLiteral("Tasm OBJ Files (Intel Hex, *.OBJ)"), QStringLiteral("OBJ")),
                NameFilter(QStringLiteral("Tasm LST Files (*.LST)"), QStringLiteral("LST"))});
}

std::optional<QString> AskSavePath(QWidget* parent, const QString& presetPath)
{
    QFileDialog dialog(parent, QStringLiteral("Save Kestrane EXE As..."));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // A name in a folder that does not exist (one offered again after it was refused) is
    // given from the nearest folder that does, where the dialog starts: given whole, the
    // dialog would drop the folders it cannot find.
    const QFileInfo preset(presetPath);
    QString folder = preset.absolutePath();
    while (!presetPath.isEmpty() && !QFileInfo(folder).isDir() &&
           QFileInfo(folder).absolutePath() != folder) {
        folder = QFileInfo(folder).absolutePath();
    }
    if (!presetPath.isEmpty() && folder != preset.absolutePath()) {
        dialog.setDirectory(folder);
        dialog.selectFile(QDir(folder).relativeFilePath(preset.absoluteFilePath()));
    } else {
        dialog.selectFile(presetPath);
    }
    return Ask(dialog, {NameFilter(QStringLiteral("All Files (*.*)"), QString()),
                        NameFilter(QStringLiteral("Kestrane EXE Files (*.EXE)"), QStringLiteral("EXE"))});
}
