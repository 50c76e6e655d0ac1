#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>

class QWidget;

// Answers the modal dialogs a test makes the window open (message boxes, the input box,
// the file dialogs), in the order they come, the way a person would. It watches for the
// active modal widget while the dialog's own event loop runs, writes down what each
// dialog showed, and hands the dialog to the next answer. A dialog nobody expected is
// written down and rejected, so that a failing test never hangs.
//
// What it writes down, one text per dialog:
//   "Information [OK]: File saved as '/tmp/x/HELLO.EXE'"
//   "Question [No]: File exists. Delete?"          (the default button in brackets)
//   "Prompt [&H8000]: Enter new ORG (prefix HEX numbers with '&H'):"
//   "File [Tasm OBJ Files (Intel, Motorola or MOS Hex, *.OBJ)]: Open Object File..."
//   "Unexpected: ..."                 (rejected)
//   "Still open: ..."                 (its answer did not close it; rejected)
// A message box or prompt without the window title as its caption is written down as
// "Caption '...': ...".
class DialogAnswerer : public QObject {
public:
    using Answer = std::function<void(QWidget* dialog)>;

    DialogAnswerer();

    DialogAnswerer& Then(Answer answer);

    // Answers for the usual dialogs.
    static Answer Press(int standardButton);    // clicks a message box button
    static Answer PressEnter();                 // takes the default button
    static Answer Type(const QString& text);    // types into the input box and presses Enter
    static Answer Cancel();                     // rejects any dialog
    static Answer Choose(const QString& path);  // picks a file in a file dialog

    // What the dialogs showed, since the last call.
    QStringList Take();
    bool AllAnswered() const { return answers_.empty(); }

    // Runs while the dialog is shown, before its answer: for looking at the window then.
    std::function<void(QWidget* dialog)> onDialog;

private:
    void Poll();

    QTimer timer_;
    QPointer<QWidget> lastAnswered_;
    QElapsedTimer sinceAnswer_;
    std::deque<Answer> answers_;
    QStringList seen_;
};
