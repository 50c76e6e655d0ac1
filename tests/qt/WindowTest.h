#pragma once

// What the window tests share: the window on screen with handles on its parts, keys as a
// person presses them in the list, and the test data.

#include "DialogAnswerer.h"
#include "qt/BlockMap.h"
#include "qt/DumpListView.h"
#include "qt/FrmQuillet.h"
#include "qt/StatusPanelLabel.h"
#include "window/TextWrap.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

inline QString TestData(const QString& name)
{
    return QDir::cleanPath(QStringLiteral(QUILLET_TEST_DATA "/") + name);
}

inline QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

// A copy of the test data file `name` in `dir`, named `as` if given.
inline QString CopyTestData(const QTemporaryDir& dir, const QString& name, const QString& as = QString())
{
    return WriteFile(dir, as.isEmpty() ? name : as, ReadAll(TestData(name)));
}

// A window shown at the screen's top-left corner, and a person at its keyboard.
struct Quillet {
    Quillet()
    {
        window.move(0, 0);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window)) {
            qFatal("the window did not come up");
        }
    }

    DumpListView* List() const { return window.findChild<DumpListView*>(QStringLiteral("LstFile")); }
    QMenu* Menu() const { return window.findChild<QMenu*>(QStringLiteral("PUMMain")); }
    QAction* Item(const char* name) const { return window.findChild<QAction*>(QString::fromLatin1(name)); }
    BlockMap* Map() const { return window.findChild<BlockMap*>(QStringLiteral("BlockMap")); }
    StatusPanelLabel* PanelLabel(const char* key) const
    {
        return window.findChild<StatusPanelLabel*>(QString::fromLatin1(key));
    }
    QString Panel(const char* key) const { return PanelLabel(key)->text(); }
    QStringList Panels() const { return {Panel("LEN"), Panel("BYT"), Panel("ORGENT")}; }

    QStringList Lines() const
    {
        QStringList lines;
        const QAbstractItemModel* model = List()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            lines.append(model->index(row, 0).data().toString());
        }
        return lines;
    }

    // Presses and releases `key` in the list with the modifier keys held.
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        QTest::keyClick(List(), static_cast<Qt::Key>(key), modifiers);
    }
    void Ctrl(int key) const { Press(key, Qt::ControlModifier); }

    // Opens `path` through Ctrl+O and the Open dialog.
    void Open(DialogAnswerer& dialogs, const QString& path) const
    {
        dialogs.Then(DialogAnswerer::Choose(path));
        Ctrl(Qt::Key_O);
    }

    // Clicks the list's row with the modifier keys held.
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        const QModelIndex index = List()->model()->index(row, 0);
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, modifiers, List()->visualRect(index).center());
    }

    FrmQuillet window;
};

inline QString ClipboardText()
{
    return QApplication::clipboard()->text();
}

// A tooltip's text, wrapped as the windows wrap it.
inline QString Wrapped(const QString& text)
{
    return QString::fromStdString(WrapLines(text.toStdString()));
}

// What the tooltip over `widget` at `point` says, asked for as the pointer rests there.
inline QString ToolTipAt(QWidget* widget, const QPoint& point)
{
    QHelpEvent event(QEvent::ToolTip, point, widget->mapToGlobal(point));
    QApplication::sendEvent(widget, &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}
