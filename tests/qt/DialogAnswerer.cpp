#include "DialogAnswerer.h"

#include "model/FrontEnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

QString IconName(QMessageBox::Icon icon)
{
    switch (icon) {
        case QMessageBox::Critical:
            return QStringLiteral("Error");
        case QMessageBox::Warning:
            return QStringLiteral("Warning");
        case QMessageBox::Question:
            return QStringLiteral("Question");
        case QMessageBox::Information:
            return QStringLiteral("Information");
        default:
            return QStringLiteral("No icon");
    }
}

QString Describe(QWidget* dialog)
{
    const QString caption = dialog->windowTitle() == QLatin1String("Kestrane Quillet - V1.20")
                                ? QString()
                                : QStringLiteral("Caption '%1': ").arg(dialog->windowTitle());
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        const QAbstractButton* def = box->defaultButton();
        return caption + QStringLiteral("%1 [%2]: %3")
                             .arg(IconName(box->icon()), def ? def->text() : QString(), box->text());
    }
    if (auto* input = qobject_cast<QInputDialog*>(dialog)) {
        // The label shows "&&" as "&": its buddy is the entry field.
        return caption + QStringLiteral("Prompt [%1]: %2")
                             .arg(input->textValue(), input->labelText().replace("&&", "&"));
    }
    if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
        return QStringLiteral("File [%1]: %2").arg(files->selectedNameFilter(), files->windowTitle());
    }
    return QStringLiteral("Dialog: ") + dialog->windowTitle();
}

}  // namespace

DialogAnswerer::DialogAnswerer()
{
    connect(&timer_, &QTimer::timeout, this, &DialogAnswerer::Poll);
    timer_.start(5);
}

DialogAnswerer& DialogAnswerer::Then(Answer answer)
{
    answers_.push_back(std::move(answer));
    return *this;
}

QStringList DialogAnswerer::Take()
{
    QStringList seen;
    seen.swap(seen_);
    return seen;
}

void DialogAnswerer::Poll()
{
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || !dialog->isVisible()) {
        return;
    }
    if (dialog->property("answered").toBool()) {
        // An answer that did not close its dialog: give up on it rather than hang.
        if (dialog == lastAnswered_ && sinceAnswer_.elapsed() > 3000) {
            seen_.append(QStringLiteral("Still open: ") + Describe(dialog));
            QTimer::singleShot(0, dialog, [dialog] { Cancel()(dialog); });
        }
        return;
    }
    dialog->setProperty("answered", true);
    lastAnswered_ = dialog;
    sinceAnswer_.start();
    if (answers_.empty()) {
        seen_.append(QStringLiteral("Unexpected: ") + Describe(dialog));
        QTimer::singleShot(0, dialog, [dialog] { Cancel()(dialog); });
        return;
    }
    seen_.append(Describe(dialog));
    if (onDialog) {
        onDialog(dialog);
    }
    // Answered from outside this timer's call, so that a dialog the answer opens in turn
    // (a file dialog's own warning) is seen and answered too.
    QTimer::singleShot(0, dialog, [dialog, answer = std::move(answers_.front())] { answer(dialog); });
    answers_.pop_front();
}

DialogAnswerer::Answer DialogAnswerer::Press(int standardButton)
{
    return [standardButton](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        QAbstractButton* button =
            box ? box->button(static_cast<QMessageBox::StandardButton>(standardButton)) : nullptr;
        if (button == nullptr) {
            qobject_cast<QDialog*>(dialog)->reject();
            return;
        }
        QTest::mouseClick(button, Qt::LeftButton);
    };
}

DialogAnswerer::Answer DialogAnswerer::PressEnter()
{
    return [](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Return); };
}

DialogAnswerer::Answer DialogAnswerer::Type(const QString& text)
{
    return [text](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    };
}

DialogAnswerer::Answer DialogAnswerer::Cancel()
{
    return [](QWidget* dialog) {
        if (auto* d = qobject_cast<QDialog*>(dialog)) {
            d->reject();
        }
    };
}

DialogAnswerer::Answer DialogAnswerer::Choose(const QString& path)
{
    return [path](QWidget* dialog) {
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    };
}
