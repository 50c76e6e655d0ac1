#include "qt/FrmQuillet.h"

#include "model/DumpList.h"
#include "qt/Accessibility.h"
#include "qt/AppIdentity.h"
#include "qt/BlockMap.h"
#include "qt/DumpListView.h"
#include "qt/FileDialogs.h"
#include "qt/QtStrings.h"
#include "qt/StatusPanelLabel.h"
#include "qt/WindowKeys.h"
#include "window/DumpListText.h"
#include "window/FileDialogSetup.h"
#include "window/ListSizing.h"
#include "window/Reload.h"
#include "window/StatusPanels.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QSizeGrip>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

// "Courier New" where it is installed, else the system's fixed-pitch font, else any
// fixed-pitch font there is: the columns of the dump lines must line up.
QFont DumpFont()
{
    if (QFontDatabase::families().contains(QStringLiteral("Courier New"))) {
        QFont font(QStringLiteral("Courier New"));
        font.setPointSizeF(8.25);
        return font;
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QFontMetrics metrics(font);
    if (metrics.horizontalAdvance(QLatin1Char('i')) != metrics.horizontalAdvance(QLatin1Char('W'))) {
        font.setFamily(QStringLiteral("monospace"));
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    }
    return font;
}

// The one local file being dragged, if it is one that a drop opens.
std::optional<QString> DraggedFile(const QMimeData* data)
{
    if (data == nullptr || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile()) {
        return std::nullopt;
    }
    const QString path = data->urls().constFirst().toLocalFile();
    if (!OpensWhenDropped(PathFromQt(path))) {
        return std::nullopt;
    }
    return path;
}

}  // namespace

FrmQuillet::FrmQuillet(QWidget* parent)
    : QMainWindow(parent),
      frontEnd_(this),
      logic_(frontEnd_, frontEnd_.Commands(), *this),
      model_(logic_.Doc().lines)
{
    InstallAccessibleValues();
    setObjectName(QStringLiteral("FrmQuillet"));
    setWindowTitle(WindowTitle());
    setWindowIcon(QuilletIcon());
    setAcceptDrops(true);

    list_ = new DumpListView;
    list_->setObjectName(QStringLiteral("LstFile"));
    list_->setFont(DumpFont());
    list_->setModel(&model_);
    list_->SetEmptyText(QString::fromUtf8(kNothingLoadedText));
    list_->setAccessibleName(QString::fromUtf8(kDumpListName));
    map_ = new BlockMap;
    map_->setObjectName(QStringLiteral("BlockMap"));
    note_ = new QLabel;
    note_->setObjectName(QStringLiteral("ReloadNote"));
    note_->setTextFormat(Qt::PlainText);
    note_->setWordWrap(true);
    note_->setAccessibleDescription(QString::fromUtf8(kReloadNoteDescription));
    note_->hide();

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(Twips(kListMargin), Twips(kListMargin), Twips(kListMargin),
                               Twips(kListSpacing));
    layout->setSpacing(Twips(kListSpacing));
    layout->addWidget(list_);
    layout->addWidget(map_);
    layout->addWidget(note_);
    setCentralWidget(central);

    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &FrmQuillet::FileSystemChanged);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &FrmQuillet::FileSystemChanged);
    lookTimer_ = new QTimer(this);
    lookTimer_->setSingleShot(true);
    connect(lookTimer_, &QTimer::timeout, this, [this] { logic_.FileMayHaveChanged(); });

    BuildStatusBar();
    BuildMenu();

    // However small the window is made, the list shows a few dump lines (and its
    // horizontal scroll bar), and the status bar's panels all their width.
    list_->setMinimumHeight(kFewestLinesShown * (list_->fontMetrics().height() + 4) +
                            2 * list_->frameWidth() +
                            list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent));

    connect(list_, &DumpListView::MenuRequested, menu_, [this](const QPoint& at) { menu_->popup(at); });
    connect(map_, &BlockMap::MenuRequested, menu_, [this](const QPoint& at) { menu_->popup(at); });
    // The commands' keys act wherever the focus is: in the list or on the map.
    auto* keys = new WindowKeys(this);
    keys->Watch(list_);
    keys->Watch(map_);
    connect(keys, &WindowKeys::MenuRequested, menu_, [this](QWidget* control) {
        menu_->popup(control == map_ ? map_->KeyboardMenuPoint() : list_->KeyboardMenuPoint());
    });
    connect(keys, &WindowKeys::CommandRequested, this,
            [this](WindowCommand command) { logic_.Run(command); });
    frontEnd_.SetBeforeDialog([this] { logic_.BeforeDialog(); });
    resize(InitialSize());
    list_->setFocus();
}

FrmQuillet::~FrmQuillet() = default;

void FrmQuillet::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StBInfo"));
    if (auto* grip = bar->findChild<QSizeGrip*>()) {
        grip->setAccessibleName(QString::fromUtf8(kSizeGripName));
    }
    std::vector<StatusPanelLabel*> labels;
    for (const PanelItem& item : StatusPanels()) {
        labels.push_back(new StatusPanelLabel(item));
        frontEnd_.AttachPanel(item.panel, labels.back());
    }
    // The panels share the bar by what they hold (PanelWidthsWithin), as their texts change
    // and as the bar changes its width or shows its size grip; panel 1 takes the rest.
    const StatusPanelLabel* sample = labels.front();
    panelWidths_ = PanelWidthsFor(
        [sample](const std::string& text) { return sample->WidthFor(QString::fromStdString(text)); },
        [sample](char c) { return sample->fontMetrics().horizontalAdvance(QLatin1Char(c)); });
    labels[0]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    panels_ = labels;
    SetPanelWidths(panelWidths_);
    for (StatusPanelLabel* label : labels) {
        bar->addPermanentWidget(label, label == labels.front() ? 1 : 0);
        connect(label, &StatusPanelLabel::TextShown, this, &FrmQuillet::SharePanelRoom);
    }
    bar->installEventFilter(this);
}

void FrmQuillet::SetPanelWidths(const PanelWidths& widths)
{
    panels_[0]->setMinimumWidth(widths.file);
    panels_[1]->setFixedWidth(widths.block);
    panels_[2]->setFixedWidth(widths.addresses);
}

int FrmQuillet::RoomBesidePanels()
{
    // What the bar's layout keeps besides the panels: its margins, the gaps, the size grip
    // where it shows. Laid out first, so that it reckons with the panels' widths as they are.
    QStatusBar* bar = statusBar();
    bar->layout()->activate();
    int panels = 0;
    for (const StatusPanelLabel* label : panels_) {
        panels += label->minimumWidth();
    }
    return bar->minimumSizeHint().width() - panels;
}

void FrmQuillet::SharePanelRoom()
{
    const int room = statusBar()->width() - RoomBesidePanels();
    const PanelWidths needed{panels_[0]->WidthFor(panels_[0]->text()),
                             panels_[1]->WidthFor(panels_[1]->text()),
                             panels_[2]->WidthFor(panels_[2]->text())};
    SetPanelWidths(PanelWidthsWithin(panelWidths_, needed, room));
    statusBar()->layout()->activate();  // laid out at once, at the bar's width as it is now
}

bool FrmQuillet::eventFilter(QObject* watched, QEvent* event)
{
    // The bar made wider or narrower, or laid out again as its size grip shows or hides.
    if (watched == statusBar() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest)) {
        SharePanelRoom();
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmQuillet::FitToScreen()
{
    // Never wider than the screen has room for: the window's least width makes room for the
    // panels at their usual widths, whatever their texts, and never more than the screen
    // has; narrower, the panels narrow (their texts cut short then show whole as their
    // tooltips), and the window is no larger than the screen; the list scrolls sideways.
    const QRect area = screen()->availableGeometry();
    const QSize frame = frameGeometry().size() - size();
    const int room = area.width() - frame.width();
    fittedFrameWidth_ = frame.width();
    // The bar's least width set, not left to its hint, which the panels' texts widen; with
    // the size grip the bar shows only once the window is on screen.
    const int least = RoomBesidePanels() + panelWidths_.file + panelWidths_.block + panelWidths_.addresses;
    statusBar()->setMinimumSize(std::min(least, room), statusBar()->minimumSizeHint().height());
    SharePanelRoom();
    if (!shown_) {
        shown_ = true;
        const ClientSize fitted = FittedToScreen({width(), height()}, {room, area.height() - frame.height()});
        if (fitted.width != width() || fitted.height != height()) {
            resize(fitted.width, fitted.height);
        }
    }
}

void FrmQuillet::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    const bool first = !shown_;
    FitToScreen();
    if (first) {
        placing_ = true;
        KeepFrameOnScreen();
    }
}

void FrmQuillet::KeepFrameOnScreen()
{
    // Kept whole on the screen, its title bar and borders included. On X11 the frame is
    // known only once the window manager has framed the window, after it is shown: until
    // then the window is placed again as it moves or changes size.
    const QRect frame = frameGeometry();
    const bool framedLater = QGuiApplication::platformName() == QLatin1String("xcb");
    if (!placing_ || isMaximized() || isFullScreen() || (framedLater && frame.size() == size())) {
        return;
    }
    placing_ = false;
    if (frame.width() - width() != fittedFrameWidth_) {
        FitToScreen();  // the panels narrowed for the room the frame leaves
        layout()->activate();
    }
    const QRect area = screen()->availableGeometry();
    const WindowPlace kept = KeptOnScreen({frame.x(), frame.y(), frame.width(), frame.height()},
                                          {area.x(), area.y(), area.width(), area.height()});
    if (kept.width != frame.width() || kept.height != frame.height()) {
        resize(std::max(kept.width - (frame.width() - width()), minimumWidth()),
               std::max(kept.height - (frame.height() - height()), minimumHeight()));
    }
    if (kept.left != frame.x() || kept.top != frame.y()) {
        move(kept.left, kept.top);
    }
}

void FrmQuillet::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    KeepFrameOnScreen();
}

void FrmQuillet::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    KeepFrameOnScreen();
}

void FrmQuillet::BuildMenu()
{
    menu_ = new QMenu(QStringLiteral("Main"), this);
    menu_->setObjectName(QStringLiteral("PUMMain"));
    for (const CommandItem& item : CommandTable()) {
        if (item.startsGroup) {
            menu_->addSeparator();
        }
        // The key after the tab is only a label: the keys act through the key rule.
        auto* action = new QAction(QString::fromUtf8(MenuText(item)), menu_);
        action->setObjectName(QString::fromLatin1(item.name));
        connect(action, &QAction::triggered, this, [this, command = item.command] { logic_.Run(command); });
        menu_->addAction(action);
        if (item.gate) {
            frontEnd_.AttachCommand(*item.gate, action);
        }
    }
}

QSize FrmQuillet::InitialSize() const
{
    // The client area's design size, widened where the fonts need it: the list shows a
    // listing's dump line of 16 bytes with its character column, and the status bar its
    // panels at their widths; the block map is added below the list's design height.
    const QStyle* style = list_->style();
    const int listFrame = 2 * list_->frameWidth() + style->pixelMetric(QStyle::PM_ScrollBarExtent) +
                          4 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    const int list =
        list_->fontMetrics().horizontalAdvance(QString(kListingLineWithCharacters, QLatin1Char('0'))) +
        MarkGutterWidth(list_->fontMetrics().height()) + listFrame + Twips(2 * kListMargin);
    // Panel 1 a little wider than panel 3 (as it is at any width above the least), and room
    // for the size grip.
    const int bar = statusBar()->minimumSizeHint().width() + 3 * statusBar()->fontMetrics().height();
    const QRect area = screen()->availableGeometry();
    const ClientSize size = FittedToScreen(InitialClientSize(list, bar, map_->sizeHint().height()),
                                           {area.width(), area.height()});
    return {size.width, size.height};
}

void FrmQuillet::OpenFile(const QString& path)
{
    logic_.OpenFile(PathFromQt(path));
}

void FrmQuillet::ShowPendingLines(bool showNewest)
{
    if (model_.ShowPendingLines() && showNewest) {
        list_->scrollTo(model_.index(model_.rowCount() - 1), QAbstractItemView::PositionAtBottom);
    }
}

void FrmQuillet::ShowBlock(const MappedBlock* block)
{
    model_.ShowBlock(block);
    map_->Show(block ? std::optional<MappedBlock>(*block) : std::nullopt);
}

void FrmQuillet::SetEmptyText(const std::string& text)
{
    list_->SetEmptyText(MessageToQt(text));
}

void FrmQuillet::ShowFirstLine()
{
    list_->ShowFirstLine();
}

std::optional<LineRoom> FrmQuillet::RoomForWidestLine() const
{
    if (model_.WidestRow() < 0 || isMaximized() || isFullScreen()) {
        return std::nullopt;
    }
    // The room the longest line and its character column need, a vertical scroll bar
    // beside them, against the room the list has.
    const int needed = list_->sizeHintForIndex(model_.index(model_.WidestRow())).width() +
                       2 * list_->frameWidth() + list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QRect screenArea = screen()->availableGeometry();
    return LineRoom{needed,
                    list_->width(),
                    {x(), width()},
                    frameGeometry().width() - width(),
                    screenArea.left(),
                    screenArea.width()};
}

void FrmQuillet::PlaceWindow(const WindowSpan& span)
{
    if (span.width != width()) {
        resize(span.width, height());
    }
    if (span.left != x()) {
        move(span.left, y());
    }
    placing_ = true;
    KeepFrameOnScreen();
}

std::string FrmQuillet::CurrentLine() const
{
    const QModelIndex current = list_->ChosenIndex();
    return current.isValid() ? std::string(logic_.Doc().lines.Line(current.row())) : std::string();
}

std::vector<int> FrmQuillet::SelectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    return rows;
}

void FrmQuillet::PutOnClipboard(const std::string& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    // Let the clipboard's owner hear of the clearing before it is filled; no user input
    // is taken here, so no other command can start in between.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    clipboard->setText(DumpTextToQt(text));
}

std::optional<std::string> FrmQuillet::AskOpenPath(const std::string& presetName,
                                                   const std::optional<std::string>& folder)
{
    const std::optional<QString> path =
        ::AskOpenPath(this, DumpTextToQt(presetName), folder ? PathToQt(*folder) : QString());
    return path ? std::optional<std::string>(PathFromQt(*path)) : std::nullopt;
}

std::optional<std::string> FrmQuillet::AskSavePath(const std::string& presetPath)
{
    const std::optional<QString> path = ::AskSavePath(this, PathToQt(presetPath));
    return path ? std::optional<std::string>(PathFromQt(*path)) : std::nullopt;
}

int FrmQuillet::CurrentRow() const
{
    const QModelIndex chosen = list_->ChosenIndex();
    return chosen.isValid() ? chosen.row() : -1;
}

void FrmQuillet::ShowFound(int firstRow, int lastRow)
{
    const QModelIndex first = model_.index(firstRow);
    list_->Choose(first);
    list_->selectionModel()->select(QItemSelection(first, model_.index(lastRow)),
                                    QItemSelectionModel::ClearAndSelect);
    list_->scrollTo(model_.index(lastRow));
    list_->scrollTo(first);
}

void FrmQuillet::MoveMapCursor(std::int32_t address)
{
    map_->MoveCursor(address);
}

void FrmQuillet::CommandRunning(bool running)
{
    // No file is taken while a command runs: the pointer says so over the window.
    setAcceptDrops(!running);
}

void FrmQuillet::FollowFile(const std::string& path)
{
    lookTimer_->stop();
    const QStringList watched = watcher_->files() + watcher_->directories();
    if (!watched.isEmpty()) {
        watcher_->removePaths(watched);
    }
    followed_ = path.empty() ? QString() : PathToQt(path);
    if (!followed_.isEmpty()) {
        watcher_->addPath(QFileInfo(followed_).absolutePath());
        watcher_->addPath(followed_);
    }
}

void FrmQuillet::FileSystemChanged()
{
    // A file renamed over the one followed, or removed and made again, is another file: the
    // watcher let the old one go, and takes the new one.
    if (!followed_.isEmpty() && !watcher_->files().contains(followed_) && QFileInfo::exists(followed_)) {
        watcher_->addPath(followed_);
    }
    logic_.FileMayHaveChanged();
}

void FrmQuillet::LookAgainIn(std::chrono::milliseconds delay)
{
    lookTimer_->start(delay);
}

void FrmQuillet::ShowNote(const std::string& text)
{
    note_->setText(MessageToQt(text));
    note_->setVisible(!text.empty());
    if (!text.empty()) {
        QAccessibleEvent alert(note_, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

int FrmQuillet::TopLine() const
{
    return std::max(0, list_->indexAt(QPoint(0, 0)).row());
}

void FrmQuillet::ShowLineAtTop(int line)
{
    list_->scrollTo(model_.index(line), QAbstractItemView::PositionAtTop);
}

void FrmQuillet::dragEnterEvent(QDragEnterEvent* event)
{
    if (!logic_.Running() && DraggedFile(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void FrmQuillet::dropEvent(QDropEvent* event)
{
    const std::optional<QString> path = DraggedFile(event->mimeData());
    if (!path || logic_.Running()) {
        return;
    }
    event->acceptProposedAction();
    // Loaded once the drop is over, so that the program the file came from is not kept
    // waiting while a message about the file is open.
    QTimer::singleShot(0, this, [this, file = *path] { OpenFile(file); });
}
