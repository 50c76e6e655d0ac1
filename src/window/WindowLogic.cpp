#include "window/WindowLogic.h"

#include "model/DumpList.h"
#include "window/DumpListText.h"
#include "window/FileDialogSetup.h"
#include "window/ListSizing.h"
#include "window/WindowCommands.h"
#include "window/WindowView.h"

#include <optional>

WindowLogic::WindowLogic(FrontEnd& frontEnd, const CommandStates& commands, WindowView& view)
    : doc_(frontEnd), commands_(commands), view_(view)
{
}

void WindowLogic::Run(WindowCommand command)
{
    if (running_ || !commands_.IsEnabled(command)) {
        return;
    }
    const WindowSide side{[this] { Open(); }, [this] { CopySelectionAsText(); },
                          [this](const std::string& preset) { return view_.AskSavePath(preset); },
                          [this](SourceForm form) {
                              view_.PutOnClipboard(SelectionAsSource(doc_.lines, view_.SelectedRows(), form));
                          },
                          [this](WindowCommand find) { FindInList(find); }};
    RunCommand([this, command, &side] { RunWindowCommand(doc_, command, side); });
}

bool WindowLogic::OpenFile(const std::string& path)
{
    if (running_) {
        return false;
    }
    RunCommand([this, &path] { Load(path); });
    return true;
}

void WindowLogic::BeforeDialog()
{
    view_.ShowPendingLines(true);
    if (!loads_.Loading()) {
        ShowBlockMap();
    }
}

void WindowLogic::RunCommand(const std::function<void()>& command)
{
    running_ = true;
    mapCursor_.reset();
    view_.CommandRunning(true);
    RunTellingOfMemory(doc_, loads_, command);
    running_ = false;
    view_.CommandRunning(false);
    view_.ShowPendingLines(false);
    ShowBlockMap();
}

void WindowLogic::ShowBlockMap()
{
    const std::optional<MappedBlock> block = loads_.Mapped(doc_);
    view_.ShowBlock(block ? &*block : nullptr);
    if (block && mapCursor_) {
        view_.MoveMapCursor(*mapCursor_);
    }
}

void WindowLogic::Load(const std::string& path)
{
    const LoadOutcome outcome = loads_.Load(doc_, path);
    view_.SetEmptyText(EmptyListText(outcome, path));
    if (outcome == LoadOutcome::Loaded) {
        view_.ShowPendingLines(false);
        WidenToWidestLine();
    }
    // Whatever the list showed before, it shows the new lines from the first.
    view_.ShowFirstLine();
}

void WindowLogic::WidenToWidestLine()
{
    const std::optional<LineRoom> room = view_.RoomForWidestLine();
    if (!room) {
        return;
    }
    const WindowSpan widened = WidenedToShowLine(room->needed, room->listWidth, room->window, room->frame,
                                                 room->screenLeft, room->screenWidth);
    if (widened.left != room->window.left || widened.width != room->window.width) {
        view_.PlaceWindow(widened);
    }
}

void WindowLogic::Open()
{
    const std::optional<std::string> path =
        view_.AskOpenPath(view_.CurrentLine(), OpenDialogFolder(doc_.state.SourcePath));
    if (path && !path->empty()) {
        Load(*path);
    }
}

void WindowLogic::CopySelectionAsText()
{
    view_.PutOnClipboard(SelectionAsText(doc_.lines, view_.SelectedRows()));
}

void WindowLogic::FindInList(WindowCommand command)
{
    if (command == WindowCommand::GoTo) {
        finder_.GoTo(doc_, *this);
    } else {
        finder_.Find(doc_, *this, command);
    }
}

int WindowLogic::CurrentRow() const
{
    return view_.CurrentRow();
}

void WindowLogic::ShowFound(int firstRow, int lastRow, std::int32_t mapAddress)
{
    view_.ShowFound(firstRow, lastRow);
    mapCursor_ = mapAddress;
    view_.MoveMapCursor(mapAddress);
}
