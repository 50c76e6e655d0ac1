#include "window/FrmQuillet.h"

#include "convert/CommandLineConversion.h"
#include "edit/AddressCommands.h"
#include "load/LoadObjectFile.h"
#include "load/PathQuestions.h"
#include "load/SourceFile.h"
#include "model/BlockLayout.h"
#include "model/DumpList.h"
#include "output/WriteExe.h"
#include "window/AppIdentity.h"
#include "window/BlockMap.h"
#include "window/DumpListView.h"
#include "window/FileDialogs.h"
#include "window/QtStrings.h"
#include "window/StatusPanelLabel.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <new>

namespace {

// The window's design lengths are in twips (1/1440 inch); Qt's device-independent
// pixel is 1/96 inch, 15 twips.
int Twips(int twips)
{
    return (twips + 7) / 15;
}

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

// What the list says before anything has been loaded.
const char* const kNothingLoadedText = "Open a Tasm listing or object file (Ctrl+O), or drop one here.";

// Dump lines the list shows at least, however small the window is made.
constexpr int kFewestLinesShown = 4;

// The longest dump line of a listing: "8000  " and 16 pairs, with its 16 characters two
// characters to the right.
constexpr int kListingLineWithCharacters = 53 + 2 + 16;

// The widest text of each status panel that holds a number: a listing's largest block,
// and ORG, ENT and SP of four digits each, the widest hex digit in every place.
QString WidestBlockText()
{
    return QStringLiteral("Block=524272 bytes ");
}

QString WidestAddressesText(const QFontMetrics& metrics)
{
    QChar widest = QLatin1Char('0');
    for (const QChar digit : QStringLiteral("0123456789ABCDEF")) {
        if (metrics.horizontalAdvance(digit) > metrics.horizontalAdvance(widest)) {
            widest = digit;
        }
    }
    const QString four(4, widest);
    return QStringLiteral("Org=&H%1, Ent=&H%1, SP=&H%1 ").arg(four);
}

// The one local listing or object file being dragged, if that is what is dragged.
std::optional<QString> DraggedFile(const QMimeData* data)
{
    if (data == nullptr || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile()) {
        return std::nullopt;
    }
    const QString path = data->urls().constFirst().toLocalFile();
    if (SourceKindOf(PathFromQt(path)) == SourceKind::Other || QFileInfo(path).isDir()) {
        return std::nullopt;
    }
    return path;
}

}  // namespace

FrmQuillet::FrmQuillet(QWidget* parent)
    : QMainWindow(parent), frontEnd_(this), doc_(frontEnd_), model_(doc_.lines)
{
    setObjectName(QStringLiteral("FrmQuillet"));
    setWindowTitle(WindowTitle());
    setWindowIcon(QuilletIcon());
    setAcceptDrops(true);

    list_ = new DumpListView;
    list_->setObjectName(QStringLiteral("LstFile"));
    list_->setFont(DumpFont());
    list_->setModel(&model_);
    list_->SetEmptyText(QString::fromLatin1(kNothingLoadedText));
    map_ = new BlockMap;
    map_->setObjectName(QStringLiteral("BlockMap"));

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(Twips(60), Twips(60), Twips(60), Twips(45));
    layout->setSpacing(Twips(45));
    layout->addWidget(list_);
    layout->addWidget(map_);
    setCentralWidget(central);

    BuildStatusBar();
    BuildMenu();

    // However small the window is made, the list shows a few dump lines (and its
    // horizontal scroll bar), and the status bar's panels all their width.
    list_->setMinimumHeight(kFewestLinesShown * (list_->fontMetrics().height() + 4) +
                            2 * list_->frameWidth() +
                            list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent));

    connect(list_, &DumpListView::MenuRequested, menu_, [this](const QPoint& at) { menu_->popup(at); });
    connect(list_, &DumpListView::CtrlKeyReleased, this, &FrmQuillet::RunShortcut);
    // Before a question or prompt the map shows the block as it stands (Change ORG asks
    // about SP and ENT once the block has moved), but not halfway through a load.
    frontEnd_.SetBeforeDialog([this] {
        ShowPendingLines(true);
        if (!loading_) {
            ShowBlockMap();
        }
    });
    resize(InitialSize());
    list_->setFocus();
}

FrmQuillet::~FrmQuillet() = default;

void FrmQuillet::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StBInfo"));
    auto* file = new StatusPanelLabel(QStringLiteral("LST File Lenght"));
    auto* block = new StatusPanelLabel(QStringLiteral("Block Bytes"));
    auto* addresses = new StatusPanelLabel(QString());

    // Panels 2 and 3 keep one width, whatever their texts, wide enough for their design-time
    // string and the texts of any block a listing gives. Panel 1, the file name, takes the
    // rest, never narrower than panel 3; a longer name is cut rather than widening
    // the window, and shows whole as the panel's tooltip.
    block->setFixedWidth(
        std::max(block->WidthFor(QStringLiteral("Block Bytes")), block->WidthFor(WidestBlockText())));
    addresses->setFixedWidth(addresses->WidthFor(WidestAddressesText(addresses->fontMetrics())));
    file->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    file->setMinimumWidth(std::max(file->WidthFor(QStringLiteral("LST File Lenght")), addresses->width()));

    const struct {
        StatusPanel panel;
        const char* key;
        StatusPanelLabel* label;
        int stretch;
    } panels[] = {
        {StatusPanel::File, "LEN", file, 1},
        {StatusPanel::Block, "BYT", block, 0},
        {StatusPanel::Addresses, "ORGENT", addresses, 0},
    };
    for (const auto& p : panels) {
        p.label->setObjectName(QString::fromLatin1(p.key));
        bar->addPermanentWidget(p.label, p.stretch);
        frontEnd_.AttachPanel(p.panel, p.label);
    }
}

void FrmQuillet::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The window's minimum size takes the status bar's minimum, not its hint: so that the
    // panels never overlap, the minimum is the hint, with the size grip the bar shows only
    // once the window is on screen.
    if (statusBar()->minimumSize() != statusBar()->minimumSizeHint()) {
        statusBar()->setMinimumSize(statusBar()->minimumSizeHint());
    }
}

QAction* FrmQuillet::AddMenuItem(const char* name, const QString& caption, const QString& keyLabel, int key,
                                 Handler handler)
{
    // The key after the tab is only a label: the keys act through the list (RunShortcut).
    auto* action = new QAction(caption + QLatin1Char('\t') + keyLabel, menu_);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this,
            [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    menu_->addAction(action);
    keyActions_[key] = action;
    return action;
}

void FrmQuillet::BuildMenu()
{
    menu_ = new QMenu(QStringLiteral("Main"), this);
    menu_->setObjectName(QStringLiteral("PUMMain"));
    const struct {
        const char* name;
        const char* caption;
        const char* keyLabel;
        int key;
        Handler handler;
        std::optional<Command> command;  // none: Open, which is never disabled
    } items[] = {
        {"PUMOpen", "&Open...", "Ctrl+O", Qt::Key_O, &FrmQuillet::Open, std::nullopt},
        {"PUMChangeORG", "Change O&RG...", "Ctrl+R", Qt::Key_R, &FrmQuillet::ChangeOrgCommand,
         Command::ChangeOrg},
        {"PUMChangeENT", "Change &ENT...", "Ctrl+E", Qt::Key_E, &FrmQuillet::ChangeEntCommand,
         Command::ChangeEnt},
        {"PUMChangeSP", "Change S&P", "Ctrl+P", Qt::Key_P, &FrmQuillet::ChangeSpCommand, Command::ChangeSp},
        {"PUMCopySelectionAsText", "&Copy Selection As Text", "Ctrl+C", Qt::Key_C,
         &FrmQuillet::CopySelectionAsText, Command::CopySelectionAsText},
        {"PUMSaveExeAs", "&Save EXE As...", "Ctrl+S", Qt::Key_S, &FrmQuillet::SaveExeAs, Command::SaveExeAs},
    };
    for (const auto& item : items) {
        QAction* action = AddMenuItem(item.name, QString::fromLatin1(item.caption),
                                      QString::fromLatin1(item.keyLabel), item.key, item.handler);
        if (item.command) {
            action->setEnabled(false);  // until a block is loaded
            frontEnd_.AttachCommand(*item.command, action);
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
        listFrame + Twips(120);
    // Panel 1 a little wider than panel 3 (as it is at any width above the least), and room
    // for the size grip.
    const int bar = statusBar()->minimumSizeHint().width() + 3 * statusBar()->fontMetrics().height();
    return {std::max({Twips(6255), list, bar}), Twips(4800) + map_->sizeHint().height() + Twips(45)};
}

void FrmQuillet::RunCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::bad_alloc&) {
        // A command that ran out of memory ends there; the window goes on.
        loading_ = false;
        frontEnd_.ShowMessage(kOutOfMemoryMessage, Icon::Warning);
    }
    ShowPendingLines(false);
    ShowBlockMap();
}

void FrmQuillet::RunShortcut(int key)
{
    const auto found = keyActions_.find(key);
    if (found != keyActions_.end() && found->second->isEnabled()) {
        found->second->trigger();
    }
}

void FrmQuillet::ShowPendingLines(bool showNewest)
{
    if (model_.ShowPendingLines() && showNewest) {
        list_->scrollTo(model_.index(model_.rowCount() - 1), QAbstractItemView::PositionAtBottom);
    }
}

void FrmQuillet::ShowBlockMap()
{
    if (!blockLoaded_) {
        map_->ShowNoBlock();
    } else {
        map_->ShowBlock(LayOutBlock(doc_.lines, doc_.state.Org), doc_.state.Ent, doc_.state.Sp);
    }
}

void FrmQuillet::Load(const std::string& path)
{
    loading_ = true;
    blockLoaded_ = false;
    const LoadOutcome outcome = LoadObjectFile(doc_, path);
    loading_ = false;
    blockLoaded_ = outcome == LoadOutcome::Loaded;
    list_->SetEmptyText(QStringLiteral("No dump lines in %1.").arg(MessageToQt(DisplayName(path))));
    if (outcome == LoadOutcome::Loaded) {
        ShowPendingLines(false);
        WidenToWidestLine();
    }
}

void FrmQuillet::WidenToWidestLine()
{
    if (model_.WidestRow() < 0 || isMaximized() || isFullScreen()) {
        return;
    }
    // The room the longest line and its character column need, a vertical scroll bar
    // beside them, against the room the list has.
    const int needed = list_->sizeHintForIndex(model_.index(model_.WidestRow())).width() +
                       2 * list_->frameWidth() + list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int shortfall = needed - list_->width();
    if (shortfall <= 0) {
        return;
    }
    const QRect screenArea = screen()->availableGeometry();
    const int frame = frameGeometry().width() - width();
    const int widened = std::min(width() + shortfall, screenArea.width() - frame);
    if (widened <= width()) {
        return;
    }
    resize(widened, height());
    // Kept on the screen: moved left as far as the wider window needs.
    const int overhang = frameGeometry().right() - screenArea.right();
    if (overhang > 0) {
        move(std::max(screenArea.left(), x() - overhang), y());
    }
}

void FrmQuillet::OpenFile(const QString& path)
{
    RunCommand([this, path] { Load(PathFromQt(path)); });
}

void FrmQuillet::Open()
{
    const QModelIndex current = list_->currentIndex();
    const QString preset = current.isValid() ? current.data().toString() : QString();
    // The dialog starts in the folder of the file opened last, if there was one.
    QString folder;
    if (!doc_.state.SourcePath.empty()) {
        const QFileInfo last(PathToQt(doc_.state.SourcePath));
        if (last.dir().exists()) {
            folder = last.absolutePath();
        }
    }
    const std::optional<QString> path = AskOpenPath(this, preset, folder);
    if (path && !path->isEmpty()) {
        Load(PathFromQt(*path));
    }
}

void FrmQuillet::ChangeOrgCommand()
{
    ChangeOrg(doc_);
}

void FrmQuillet::ChangeEntCommand()
{
    ChangeEnt(doc_);
}

void FrmQuillet::ChangeSpCommand()
{
    ChangeSp(doc_);
}

void FrmQuillet::CopySelectionAsText()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    std::vector<int> rows;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    const QString text = DumpTextToQt(SelectionAsText(doc_.lines, rows));
    // Let the clipboard's owner hear of the clearing before it is filled; no user input
    // is taken here, so no other command can start in between.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    clipboard->setText(text);
}

void FrmQuillet::SaveExeAs()
{
    // A name in a folder that does not exist, or the source itself, is not taken: the
    // user is told, and the dialog comes up again on that name.
    QString preset = PathToQt(doc_.state.ExePath);
    std::optional<QString> path;
    while ((path = AskSavePath(this, preset)) &&
           (!FolderExists(PathFromQt(*path)) || MightBeSameFile(PathFromQt(*path), doc_.state.SourcePath))) {
        frontEnd_.ShowMessage(
            !FolderExists(PathFromQt(*path))
                ? "The folder '" + QDir::toNativeSeparators(QFileInfo(*path).absolutePath()).toStdString() +
                      "' does not exist. Check the path and try again."
                : OutputIsTheSourceMessage(PathFromQt(*path)),
            Icon::Warning);
        preset = *path;
    }
    if (!path) {
        frontEnd_.ShowMessage("Save canceled!", Icon::Information);
        return;
    }
    doc_.state.ExePath = PathFromQt(*path);
    WriteExe(doc_, false);
}

void FrmQuillet::dragEnterEvent(QDragEnterEvent* event)
{
    if (DraggedFile(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void FrmQuillet::dropEvent(QDropEvent* event)
{
    const std::optional<QString> path = DraggedFile(event->mimeData());
    if (!path) {
        return;
    }
    event->acceptProposedAction();
    // Loaded once the drop is over, so that the program the file came from is not kept
    // waiting while a message about the file is open.
    QTimer::singleShot(0, this, [this, file = *path] { OpenFile(file); });
}
