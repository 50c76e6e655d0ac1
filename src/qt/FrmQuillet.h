#pragma once

#include "model/Document.h"
#include "qt/DumpListModel.h"
#include "qt/WindowFrontEnd.h"
#include "window/CommandTable.h"
#include "window/LoadedBlock.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <optional>

class BlockMap;
class DumpListView;
class QMenu;

// The main window: the dump list (LstFile), the block map below it, the status bar
// (StBInfo) with its three panels, and the six commands, offered by the pop-up menu
// (PUMMain) and by keys in the list. It owns the document every command works on and is
// its front end. A file dropped onto the window is opened as Open opens it.
class FrmQuillet : public QMainWindow {
    Q_OBJECT

public:
    explicit FrmQuillet(QWidget* parent = nullptr);
    ~FrmQuillet() override;

    // Loads `path` as Open does once its dialog has closed.
    void OpenFile(const QString& path);

    const BlockState& State() const { return doc_.state; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildStatusBar();
    void BuildMenu();
    QSize InitialSize() const;

    void RunCommand(const std::function<void()>& command);
    void RunMenuCommand(WindowCommand command);
    void RunShortcut(WindowCommand command);
    void ShowPendingLines(bool showNewest);
    void ShowBlockMap();
    void Load(const std::string& path);
    void WidenToWidestLine();

    void Open();
    void CopySelectionAsText();

    WindowFrontEnd frontEnd_;
    Document doc_;
    DumpListModel model_;  // after doc_: it stops observing the list before the list goes
    DumpListView* list_ = nullptr;
    BlockMap* map_ = nullptr;
    QMenu* menu_ = nullptr;
    std::map<WindowCommand, QAction*> menuItems_;
    LoadedBlock loads_;
};
