#include "window/WindowLogic.h"

#include "edit/AddressCommands.h"
#include "load/PathQuestions.h"
#include "load/SourceFile.h"
#include "model/DumpList.h"
#include "window/DumpListText.h"
#include "window/FileDialogSetup.h"
#include "window/ListSizing.h"
#include "window/QuietFrontEnd.h"
#include "window/Reload.h"
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
    const BlockState before = doc_.state;
    const int loads = loadCount_;
    RunCommand([this, command, &side] { RunWindowCommand(doc_, command, side); });
    if (loadCount_ == loads && loads_.HasBlock()) {
        KeepWhatChanged(kept_, before, doc_.state);
        // An executable saved over itself: what the save wrote is no change to load again.
        if (command == WindowCommand::SaveExeAs && SourceKindOf(followed_.Path()) == SourceKind::Executable &&
            MightBeSameFile(doc_.state.ExePath, followed_.Path())) {
            followed_.Take(FileFactsOf(followed_.Path()));
        }
    }
    LookIfHeardMeanwhile();
}

bool WindowLogic::OpenFile(const std::string& path)
{
    if (running_) {
        return false;
    }
    RunCommand([this, &path] { Load(path); });
    LookIfHeardMeanwhile();
    return true;
}

void WindowLogic::FileMayHaveChanged(FollowedFile::Clock::time_point now)
{
    if (followed_.Path().empty()) {
        return;
    }
    if (running_) {
        heardMeanwhile_ = true;
        return;
    }
    const FollowStep step = followed_.Look(now);
    if (step.kind == FollowStep::Settling) {
        view_.LookAgainIn(step.wait);
    } else if (step.kind == FollowStep::Changed) {
        followed_.Take(followed_.Seen());
        Reload();
    }
}

void WindowLogic::LookIfHeardMeanwhile()
{
    if (heardMeanwhile_) {
        heardMeanwhile_ = false;
        FileMayHaveChanged();
    }
}

void WindowLogic::Reload()
{
    running_ = true;
    QuietFrontEnd quiet;
    Document fresh(quiet);
    const bool blockShown = loads_.HasBlock();
    const bool loaded = LoadAgain(fresh, quiet, followed_.Path(), kept_, doc_.state);
    const std::string time = ClockTime(std::chrono::system_clock::now());
    if (loaded) {
        const int top = view_.TopLine();
        const std::string topLine(top >= 0 && top < doc_.lines.Count() ? doc_.lines.Line(top) : "");
        // The name Save offers stays the one the user chose.
        const std::string exePath = doc_.state.ExePath;
        MoveBlock(doc_, fresh);
        doc_.state.ExePath = exePath;
        quiet.PassOn(doc_.frontEnd);
        loads_.Took();
        view_.ShowPendingLines(false);
        view_.ShowLineAtTop(KeptTopLine(topLine, top, doc_.lines));
        ShowBlockMap();
    }
    running_ = false;
    view_.ShowNote(ReloadNote(loaded, blockShown, time, followed_.Path(), quiet.Said()));
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
    // A binary file says nothing of where it loads: the user says, or cancels the load.
    std::optional<std::int32_t> binaryOrg;
    if (SourceKindOf(path) == SourceKind::Binary && !(binaryOrg = AskBinaryOrg(doc_, DisplayName(path)))) {
        return;
    }
    const std::optional<FileFacts> facts = FileFactsOf(path);
    const LoadOutcome outcome = loads_.Load(doc_, path, binaryOrg.value_or(0));
    ++loadCount_;
    followed_ = FollowedFile(outcome == LoadOutcome::NotObjectFile ? std::string() : path);
    followed_.Take(facts);
    kept_ = BlockValues{binaryOrg, std::nullopt, std::nullopt};
    view_.FollowFile(followed_.Path());
    view_.ShowNote("");
    view_.SetEmptyText(EmptyListText(outcome, path));
    if (outcome == LoadOutcome::Loaded) {
        if (binaryOrg) {
            SetBlockValues(doc_, kept_);  // an ORG above FFFF, and the block past 64K
        }
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
