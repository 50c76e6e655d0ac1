#pragma once

#include <QListView>

// The list that shows the dump lines (LstFile). The right button pops the menu up at the
// pointer when it is released, never on the press, and leaves the selection as it is, so
// that the menu acts on the lines the user selected. The window's keys act through
// WindowKeys; the view's own Ctrl+C copy of the current line is switched off: copying is a
// command of ours, which may be disabled. While it holds no dump lines, the list says why
// in its own space, and first in its description to screen readers.
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

signals:
    void MenuRequested(const QPoint& globalPos);

protected:
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Describe();

    QString emptyText_;
};
