#include "window/DumpListView.h"

#include "window/DumpLineDelegate.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr Qt::KeyboardModifiers kModifierKeys =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

bool IsCommandKey(int key)
{
    switch (key) {
        case Qt::Key_C:
        case Qt::Key_E:
        case Qt::Key_O:
        case Qt::Key_P:
        case Qt::Key_R:
        case Qt::Key_S:
            return true;
        default:
            return false;
    }
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

void DumpListView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void DumpListView::keyReleaseEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & kModifierKeys;
    if (!event->isAutoRepeat()) {
        if (modifiers == Qt::ShiftModifier && event->key() == Qt::Key_F10) {
            emit MenuRequested(mapToGlobal(QPoint(0, 0)));
            return;
        }
        if (modifiers == Qt::ControlModifier && IsCommandKey(event->key())) {
            emit CtrlKeyReleased(event->key());
            return;
        }
    }
    QListView::keyReleaseEvent(event);
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
