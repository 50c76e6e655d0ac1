#pragma once

#include "qt/DumpListModel.h"
#include "qt/WindowFrontEnd.h"
#include "window/CommandTable.h"
#include "window/StatusPanels.h"
#include "window/WindowLogic.h"
#include "window/WindowView.h"

#include <QMainWindow>

#include <optional>
#include <string>
#include <vector>

class BlockMap;
class DumpListView;
class QFileSystemWatcher;
class QLabel;
class QMenu;
class QTimer;
class StatusPanelLabel;

// The main window: the dump list (LstFile), the block map below it, the status bar
// (StBInfo) with its three panels, and the commands, offered by the pop-up menu
// (PUMMain) and by keys in the list. It owns the document every command works on and is
// its front end. A file dropped onto the window is opened as Open opens it. The file loaded
// is followed with a QFileSystemWatcher on it and on its folder, so that a new file renamed
// over it is heard of too; what a reload did shows in the note below the block map. What it
// does is the window's logic (WindowLogic); this is its view, in Qt.
class FrmQuillet : public QMainWindow, private WindowView {
    Q_OBJECT

public:
    explicit FrmQuillet(QWidget* parent = nullptr);
    ~FrmQuillet() override;

    // Loads `path` as Open does once its dialog has closed.
    void OpenFile(const QString& path);

    const BlockState& State() const { return logic_.State(); }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildStatusBar();
    void BuildMenu();
    QSize InitialSize() const;
    void SetPanelWidths(const PanelWidths& widths);
    int RoomBesidePanels();
    void SharePanelRoom();
    void FitToScreen();
    void KeepFrameOnScreen();

    // WindowView
    void ShowPendingLines(bool showNewest) override;
    void ShowBlock(const MappedBlock* block) override;
    void SetEmptyText(const std::string& text) override;
    void ShowFirstLine() override;
    std::optional<LineRoom> RoomForWidestLine() const override;
    void PlaceWindow(const WindowSpan& span) override;
    std::string CurrentLine() const override;
    std::vector<int> SelectedRows() const override;
    void PutOnClipboard(const std::string& text) override;
    std::optional<std::string> AskOpenPath(const std::string& presetName,
                                           const std::optional<std::string>& folder) override;
    std::optional<std::string> AskSavePath(const std::string& presetPath) override;
    void CommandRunning(bool running) override;
    int CurrentRow() const override;
    void ShowFound(int firstRow, int lastRow) override;
    void MoveMapCursor(std::int32_t address) override;
    void FollowFile(const std::string& path) override;
    void LookAgainIn(std::chrono::milliseconds delay) override;
    void ShowNote(const std::string& text) override;
    int TopLine() const override;
    void ShowLineAtTop(int line) override;

    // The watcher told of a change to the file followed or in its folder.
    void FileSystemChanged();

    WindowFrontEnd frontEnd_;
    WindowLogic logic_;
    DumpListModel model_;  // after logic_: it stops observing the list before the list goes
    DumpListView* list_ = nullptr;
    BlockMap* map_ = nullptr;
    QMenu* menu_ = nullptr;
    QLabel* note_ = nullptr;
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* lookTimer_ = nullptr;
    QString followed_;  // the file followed, as the watcher knows it
    std::vector<StatusPanelLabel*> panels_;
    PanelWidths panelWidths_;  // their usual widths, as the fonts need them
    bool shown_ = false;
    int fittedFrameWidth_ = 0;  // the frame's width the panels were last fitted for
    bool placing_ = false;      // shown, or widened, and not yet seen with its frame on the screen
};
