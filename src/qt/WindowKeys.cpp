#include "qt/WindowKeys.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {

// A key in the key rule's codes: Qt's codes of the letters are their upper-case ASCII codes.
int RuleKey(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return key;
    }
    switch (key) {
        case Qt::Key_F3:
            return kKeyF3;
        case Qt::Key_F10:
            return kKeyF10;
        case Qt::Key_Menu:
            return kKeyMenu;
        default:
            return kOtherKey;
    }
}

unsigned RuleModifiers(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ControlModifier ? kCtrlKey : 0u) |
           (modifiers & Qt::ShiftModifier ? kShiftKey : 0u) | (modifiers & Qt::AltModifier ? kAltKey : 0u) |
           (modifiers & Qt::MetaModifier ? kMetaKey : 0u);
}

}  // namespace

WindowKeys::WindowKeys(QObject* parent) : QObject(parent) {}

void WindowKeys::Watch(QWidget* control)
{
    control->installEventFilter(this);
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason) {
            keys_.Forget();  // the letters' releases go elsewhere now
        }
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat()) {
        return false;
    }
    const int ruleKey = RuleKey(key->key());
    const unsigned modifiers = RuleModifiers(key->modifiers());
    const KeyAction action =
        type == QEvent::KeyPress ? keys_.Pressed(ruleKey, modifiers) : keys_.Released(ruleKey, modifiers);
    if (action.popUpMenu) {
        emit MenuRequested(static_cast<QWidget*>(watched));
    }
    if (action.command) {
        emit CommandRequested(*action.command);
    }
    return action.AsksSomething();
}
