#include "qt/DumpListView.h"

#include "qt/DumpLineDelegate.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// A key in the key rule's codes: Qt's codes of the letters are their upper-case ASCII codes.
int RuleKey(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return key;
    }
    switch (key) {
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

DumpListView::DumpListView(QWidget* parent) : QListView(parent)
{
    setItemDelegate(new DumpLineDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

bool DumpListView::Ask(const KeyAction& action)
{
    if (action.popUpMenu) {
        const QRect current = visualRect(currentIndex());
        const std::optional<PixelPoint> below = KeyboardMenuPoint(
            current.isValid()
                ? std::optional<PixelRect>({current.x(), current.y(), current.width(), current.height()})
                : std::nullopt,
            viewport()->height());
        emit MenuRequested(below ? viewport()->mapToGlobal(QPoint(below->x, below->y))
                                 : mapToGlobal(QPoint(0, 0)));
    }
    if (action.command) {
        emit CommandRequested(*action.command);
    }
    return action.AsksSomething();
}

void DumpListView::keyPressEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat() &&
        Ask(keys_.Pressed(RuleKey(event->key()), RuleModifiers(event->modifiers())))) {
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void DumpListView::keyReleaseEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat() &&
        Ask(keys_.Released(RuleKey(event->key()), RuleModifiers(event->modifiers())))) {
        return;
    }
    QListView::keyReleaseEvent(event);
}

void DumpListView::focusOutEvent(QFocusEvent* event)
{
    keys_.Forget();
    QListView::focusOutEvent(event);
}

void DumpListView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    QListView::mousePressEvent(event);
}

void DumpListView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        emit MenuRequested(viewport()->mapToGlobal(event->position().toPoint()));
        return;
    }
    QListView::mouseReleaseEvent(event);
}

void DumpListView::SetEmptyText(const QString& text)
{
    emptyText_ = text;
    viewport()->update();
}

void DumpListView::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    if (emptyText_.isEmpty() || model() == nullptr || model()->rowCount() > 0) {
        return;
    }
    // In the application's font, not the dump lines' fixed-pitch one: it is a sentence.
    QPainter painter(viewport());
    painter.setFont(QGuiApplication::font());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const int margin = painter.fontMetrics().height();
    painter.drawText(viewport()->rect().adjusted(margin, margin, -margin, -margin),
                     Qt::AlignCenter | Qt::TextWordWrap, emptyText_);
}
