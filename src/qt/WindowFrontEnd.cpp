#include "qt/WindowFrontEnd.h"

#include "qt/AppIdentity.h"
#include "qt/QtStrings.h"
#include "qt/StatusPanelLabel.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

namespace {

QMessageBox::Icon MessageBoxIcon(Icon icon)
{
    switch (icon) {
        case Icon::Error:
            return QMessageBox::Critical;
        case Icon::Warning:
            return QMessageBox::Warning;
        case Icon::Question:
            return QMessageBox::Question;
        case Icon::Information:
            break;
    }
    return QMessageBox::Information;
}

// The widest a message box grows before Qt wraps its text anywhere, less room for its icon
// and margins: Qt's own limit on a screen `screenWidth` wide.
int WidestMessageText(int screenWidth)
{
    const int limit = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
    return limit - 150;
}

// Widens a message box's text so that each of its lines (a sentence or more) shows
// unbroken, as far as the screen allows, and so that the box's caption, drawn in the
// window manager's bold title font beside an icon and three buttons, is not cut.
void FitMessageBox(QMessageBox& box)
{
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (label == nullptr) {
        return;
    }
    const QFontMetrics text(label->font());
    int widest = 0;
    for (const QString& line : box.text().split(QLatin1Char('\n'))) {
        widest = std::max(widest, text.horizontalAdvance(line) + 1);
    }
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const QFontMetrics title(titleFont);
    const int caption = title.horizontalAdvance(box.windowTitle()) + 6 * title.height();
    const QScreen* screen = box.screen();
    const int screenWidth = screen != nullptr ? screen->availableGeometry().width() : 1024;
    label->setMinimumWidth(std::min(std::max(widest, caption), WidestMessageText(screenWidth)));
}

std::size_t PanelIndex(StatusPanel panel)
{
    return static_cast<std::size_t>(panel) - 1;
}

}  // namespace

WindowFrontEnd::WindowFrontEnd(QWidget* owner) : owner_(owner) {}

WindowFrontEnd::~WindowFrontEnd()
{
    SetBusy(false);
}

void WindowFrontEnd::AttachCommand(Command command, QAction* action)
{
    actions_.emplace(command, action);
    action->setEnabled(commands_.IsEnabled(command));
}

void WindowFrontEnd::AttachPanel(StatusPanel panel, StatusPanelLabel* label)
{
    panels_[PanelIndex(panel)] = label;
}

int WindowFrontEnd::ShowMessageBox(const std::string& text, Icon icon, int buttons, int defaultButton)
{
    if (beforeDialog_) {
        beforeDialog_();
    }
    QMessageBox box(MessageBoxIcon(icon), WindowTitle(), MessageToQt(text),
                    QMessageBox::StandardButtons(buttons), owner_);
    // Paths in messages are shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(static_cast<QMessageBox::StandardButton>(defaultButton));
    FitMessageBox(box);
    return box.exec();
}

void WindowFrontEnd::ShowMessage(const std::string& text, Icon icon)
{
    ShowMessageBox(text, icon, QMessageBox::Ok, QMessageBox::Ok);
}

Answer WindowFrontEnd::AskYesNo(const std::string& text, Icon icon, Answer defaultButton)
{
    // Escape and the close button answer No.
    const int answer = ShowMessageBox(text, icon, QMessageBox::Yes | QMessageBox::No,
                                      defaultButton == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
    return answer == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

std::string WindowFrontEnd::AskText(const std::string& prompt, const std::string& defaultText)
{
    if (beforeDialog_) {
        beforeDialog_();
    }
    QInputDialog dialog(owner_);
    dialog.setWindowTitle(WindowTitle());
    dialog.setInputMode(QInputDialog::TextInput);
    // The prompt's label has the entry field as its buddy, so a lone "&" would be taken
    // as a mnemonic: "&H" must show as typed.
    dialog.setLabelText(MessageToQt(prompt).replace(QLatin1Char('&'), QLatin1String("&&")));
    dialog.setTextValue(QString::fromStdString(defaultText));
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.textValue().toStdString();
}

void WindowFrontEnd::SetCommandEnabled(Command command, bool enabled)
{
    commands_.SetEnabled(command, enabled);
    const auto [first, end] = actions_.equal_range(command);
    for (auto item = first; item != end; ++item) {
        if (item->second) {
            item->second->setEnabled(enabled);
        }
    }
}

void WindowFrontEnd::SetStatusText(StatusPanel panel, const std::string& text)
{
    if (StatusPanelLabel* label = panels_[PanelIndex(panel)]) {
        label->ShowText(MessageToQt(text));
    }
}

void WindowFrontEnd::SetBusy(bool on)
{
    if (on == busy_) {
        return;
    }
    busy_ = on;
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}
