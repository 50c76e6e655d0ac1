#pragma once

#include "window/KeyRule.h"

#include <QObject>

class QWidget;

// The window's keys for its commands, wherever the focus is in the window: watches the key
// presses and releases of the controls it is installed on (the dump list and the block
// map) and asks for what the window's key rule says, before the control sees the key. A
// key that asks nothing is the control's own.
class WindowKeys : public QObject {
    Q_OBJECT

public:
    explicit WindowKeys(QObject* parent = nullptr);

    // Watches `control`'s keys.
    void Watch(QWidget* control);

signals:
    // The menu, asked for from the keyboard in `control`.
    void MenuRequested(QWidget* control);
    void CommandRequested(WindowCommand command);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyRule keys_;
};
