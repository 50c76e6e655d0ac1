#include "qt/DumpListView.h"

#include "qt/DumpLineDelegate.h"
#include "window/DumpListText.h"
#include "window/KeyRule.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

DumpListView::DumpListView(QWidget* parent) : QListView(parent)
{
    setItemDelegate(new DumpLineDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

QPoint DumpListView::KeyboardMenuPoint() const
{
    const QRect current = visualRect(currentIndex());
    const std::optional<PixelPoint> below = ::KeyboardMenuPoint(
        current.isValid()
            ? std::optional<PixelRect>({current.x(), current.y(), current.width(), current.height()})
            : std::nullopt,
        viewport()->height());
    return below ? viewport()->mapToGlobal(QPoint(below->x, below->y)) : mapToGlobal(QPoint(0, 0));
}

void DumpListView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        event->accept();
        return;
    }
    const QModelIndex before = currentIndex();
    QListView::keyPressEvent(event);
    chosen_ = chosen_ || currentIndex() != before;
}

void DumpListView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    QListView::mousePressEvent(event);
    chosen_ = currentIndex().isValid();
}

void DumpListView::ShowFirstLine()
{
    if (model() != nullptr && model()->rowCount() > 0) {
        // A view that has the focus tells screen readers of its new current line.
        selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
    }
    scrollToTop();
}

void DumpListView::focusInEvent(QFocusEvent* event)
{
    QListView::focusInEvent(event);
    // Once Qt has told screen readers that the list has the focus, which it does after this
    // event: the current line is heard too, as when the Open dialog hands the focus back.
    QTimer::singleShot(0, this, [this] { AnnounceCurrentLine(); });
}

void DumpListView::AnnounceCurrentLine()
{
    if (hasFocus() && currentIndex().isValid()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(currentIndex().row());
        QAccessible::updateAccessibility(&focus);
    }
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
    Describe();
    viewport()->update();
}

void DumpListView::reset()
{
    chosen_ = false;
    QListView::reset();
    Describe();
}

void DumpListView::rowsInserted(const QModelIndex& parent, int start, int end)
{
    QListView::rowsInserted(parent, start, end);
    Describe();
}

void DumpListView::Describe()
{
    const bool empty = model() == nullptr || model()->rowCount() == 0;
    setAccessibleDescription(QString::fromStdString(DumpListDescription(empty, emptyText_.toStdString())));
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
