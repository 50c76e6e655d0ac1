#include "window/DumpListView.h"

#include "window/DumpListModel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace {

// Gives every row the size of the longest dump line, so that the view can lay out
// 32767 rows at once without measuring each, and no line is cut short.
class WidestRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const auto* model = qobject_cast<const DumpListModel*>(index.model());
        if (model != nullptr && model->WidestRow() >= 0) {
            return QStyledItemDelegate::sizeHint(option, model->index(model->WidestRow()));
        }
        return QStyledItemDelegate::sizeHint(option, index);
    }
};

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
    setItemDelegate(new WidestRowDelegate(this));
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
