#pragma once

#include "window/KeyRule.h"

#include <QListView>

// The list that shows the dump lines (LstFile). Its commands act when a key or the
// mouse button is released, never on the press:
// - the right button pops the menu up at the pointer;
// - the keys ask for what the window's key rule says: a command, or the menu, which then
//   pops up just below the current line where it shows, else at the list's top-left
//   corner (KeyboardMenuPoint).
// A key that asks nothing is the list's own. The view's
// own Ctrl+C copy of the current line is switched off: copying is a command of ours,
// which may be disabled. A right click leaves the selection as it is, so that the menu
// acts on the lines the user selected. While it holds no dump lines, the list says why in
// its own space.
class DumpListView : public QListView {
    Q_OBJECT

public:
    explicit DumpListView(QWidget* parent = nullptr);

    // What the list says while it holds no dump lines.
    void SetEmptyText(const QString& text);
    const QString& EmptyText() const { return emptyText_; }

signals:
    void MenuRequested(const QPoint& globalPos);
    void CommandRequested(WindowCommand command);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Asks for what the key rule says of a key; whether it asked anything.
    bool Ask(const KeyAction& action);

    KeyRule keys_;
    QString emptyText_;
};
