#pragma once

#include <QListView>

// The list that shows the dump lines (LstFile). The right button pops the menu up at the
// pointer when it is released, never on the press, and leaves the selection as it is, so
// that the menu acts on the lines the user selected. The window's keys act through
// WindowKeys; the view's own Ctrl+C copy of the current line is switched off: copying is a
// command of ours, which may be disabled. While it holds no dump lines, the list says why
// in its own space, and first in its description to screen readers. After a load its first
// line is current; whenever the list takes the focus, or a load makes the first line current
// while it has it, screen readers hear the current line.
class DumpListView : public QListView {
    Q_OBJECT

public:
    explicit DumpListView(QWidget* parent = nullptr);

    // Where the menu pops up from the keyboard, on the screen: just below the current line
    // where it shows, else at the list's top-left corner (KeyboardMenuPoint).
    QPoint KeyboardMenuPoint() const;

    // What the list says while it holds no dump lines.
    void SetEmptyText(const QString& text);
    const QString& EmptyText() const { return emptyText_; }

    void reset() override;

    // Makes the first line current, without selecting it, and shows it at the top.
    void ShowFirstLine();

    // The dump line the user made current by clicking or moving in the list; invalid when
    // there is none, as after every load.
    QModelIndex ChosenIndex() const { return chosen_ ? currentIndex() : QModelIndex(); }

    // Makes `index` current as the user's choice: what Go to and Find find is.
    void Choose(const QModelIndex& index)
    {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        chosen_ = true;
    }

signals:
    void MenuRequested(const QPoint& globalPos);

protected:
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Describe();
    void AnnounceCurrentLine();

    QString emptyText_;
    bool chosen_ = false;  // the user has made a line current since the last load
};
