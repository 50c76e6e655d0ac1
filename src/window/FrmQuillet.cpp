#include "window/FrmQuillet.h"

#include "convert/CommandLineConversion.h"
#include "edit/AddressCommands.h"
#include "load/LoadObjectFile.h"
#include "load/SourceFile.h"
#include "model/DumpList.h"
#include "output/WriteExe.h"
#include "window/AppIdentity.h"
#include "window/DumpListView.h"
#include "window/FileDialogs.h"
#include "window/QtStrings.h"

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

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(Twips(60), Twips(60), Twips(60), Twips(45));
    layout->addWidget(list_);
    setCentralWidget(central);

    BuildStatusBar();
    BuildMenu();

    connect(list_, &DumpListView::MenuRequested, menu_, [this](const QPoint& at) { menu_->popup(at); });
    connect(list_, &DumpListView::CtrlKeyReleased, this, &FrmQuillet::RunShortcut);
    frontEnd_.SetBeforeDialog([this] { ShowPendingLines(true); });

    resize(InitialSize());
    list_->setFocus();
}

FrmQuillet::~FrmQuillet() = default;

void FrmQuillet::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StBInfo"));
    const struct {
        StatusPanel panel;
        const char* key;
        const char* tip;
        int stretch;
    } panels[] = {
        {StatusPanel::File, "LEN", "LST File Lenght", 1},
        {StatusPanel::Block, "BYT", "Block Bytes", 0},
        {StatusPanel::Addresses, "ORGENT", nullptr, 0},
    };
    for (const auto& p : panels) {
        auto* label = new QLabel;
        label->setObjectName(QString::fromLatin1(p.key));
        label->setTextFormat(Qt::PlainText);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        if (p.tip != nullptr) {
            label->setToolTip(QString::fromLatin1(p.tip));
        }
        if (p.stretch > 0) {
            // The file name may be long: it is cut rather than widening the window.
            label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            label->setMinimumWidth(Twips(1200));
        }
        bar->addPermanentWidget(label, p.stretch);
        frontEnd_.AttachPanel(p.panel, label);
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
    // whole dump line of 16 bytes ("8000  " and 16 pairs: 53 characters), and the status
    // bar shows the texts of a block.
    const QStyle* style = list_->style();
    const int listFrame = 2 * list_->frameWidth() + style->pixelMetric(QStyle::PM_ScrollBarExtent) +
                          4 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    const int list =
        list_->fontMetrics().horizontalAdvance(QString(53, QLatin1Char('0'))) + listFrame + Twips(120);
    const QFontMetrics status(statusBar()->font());
    const int bar = status.horizontalAdvance(QStringLiteral("PROGRAM.OBJ (12345 bytes)")) +
                    status.horizontalAdvance(QStringLiteral("Block=16384 bytes ")) +
                    status.horizontalAdvance(QStringLiteral("Org=&H8000, Ent=&H8000, SP=&HBFFF ")) +
                    2 * status.height();  // panel frames, spacing and the size grip
    return {std::max({Twips(6255), list, bar}), Twips(4800)};
}

void FrmQuillet::RunCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::bad_alloc&) {
        // A command that ran out of memory ends there; the window goes on.
        frontEnd_.ShowMessage(kOutOfMemoryMessage, Icon::Warning);
    }
    ShowPendingLines(false);
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

void FrmQuillet::OpenFile(const QString& path)
{
    RunCommand([this, path] { LoadObjectFile(doc_, PathFromQt(path)); });
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
        LoadObjectFile(doc_, PathFromQt(*path));
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
    const std::optional<QString> path = AskSavePath(this, PathToQt(doc_.state.ExePath));
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
