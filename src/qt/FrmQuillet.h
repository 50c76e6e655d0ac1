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
class QMenu;
class StatusPanelLabel;

// The main window: the dump list (LstFile), the block map below it, the status bar
// (StBInfo) with its three panels, and the six commands, offered by the pop-up menu
// (PUMMain) and by keys in the list. It owns the document every command works on and is
// its front end. A file dropped onto the window is opened as Open opens it. What it does is
// the window's logic (WindowLogic); this is its view, in Qt.
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

private:
    void BuildStatusBar();
    void BuildMenu();
    QSize InitialSize() const;
    void SetPanelWidths(const PanelWidths& widths);
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

    WindowFrontEnd frontEnd_;
    WindowLogic logic_;
    DumpListModel model_;  // after logic_: it stops observing the list before the list goes
    DumpListView* list_ = nullptr;
    BlockMap* map_ = nullptr;
    QMenu* menu_ = nullptr;
    std::vector<StatusPanelLabel*> panels_;
    PanelWidths panelWidths_;  // as the fonts need them
    bool shown_ = false;
    int fittedFrameWidth_ = 0;  // the frame's width the panels were last fitted for
    bool placing_ = false;      // shown, or widened, and not yet seen with its frame on the screen
};
