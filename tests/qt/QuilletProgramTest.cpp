// The window's front end on its own (message boxes, input box, busy pointer), and
// `quillet FILE`: a conversion reported in message boxes with no window behind them, or
// on the console where no display can be opened.

#include "WindowTest.h"

#include "qt/CommandLineStart.h"
#include "qt/WindowFrontEnd.h"

#include <QMessageBox>
#include <QProcess>

class QuilletProgramTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

    void messagesAndPromptsShowAsTheLogicAsks()
    {
        WindowFrontEnd ui;
        DialogAnswerer dialogs;
        // Every message box is wide enough for its caption, in the bold font of a title
        // bar, and shows each line of its text unbroken.
        QStringList cut;
        dialogs.onDialog = [&cut](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            if (box == nullptr) {
                return;
            }
            QFont bold = box->font();
            bold.setBold(true);
            if (QFontMetrics(bold).horizontalAdvance(box->windowTitle()) + 100 > box->width()) {
                cut.append("caption: " + box->text());
            }
            const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            for (const QString& line : box->text().split('\n')) {
                if (QFontMetrics(label->font()).horizontalAdvance(line) > label->contentsRect().width()) {
                    cut.append(line);
                }
            }
        };
        dialogs.Then(DialogAnswerer::PressEnter())
            .Then(DialogAnswerer::PressEnter())
            .Then(DialogAnswerer::PressEnter())
            .Then(DialogAnswerer::Press(QMessageBox::Yes))
            .Then([](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); })
            .Then(DialogAnswerer::Type("&H9000"))
            .Then(DialogAnswerer::Cancel());
        ui.ShowMessage("It could be a good idea to supply a valid filename...", Icon::Error);
        ui.ShowMessage(
            "Cannot write '/home/ann/z80/build/GAME.EXE': No space left on device. File not saved.",
            Icon::Warning);
        QCOMPARE(ui.AskYesNo("SP falls outside ORG's 16K page.\r\nDo you REALLY want to change the SP?",
                             Icon::Warning, Answer::No),
                 Answer::No);
        QCOMPARE(ui.AskYesNo("<b>File</b> exists. Delete?", Icon::Information, Answer::No), Answer::Yes);
        QCOMPARE(ui.AskYesNo("ENT address falls outside the block. Change ORG?", Icon::Question, Answer::Yes),
                 Answer::No);
        QCOMPARE(ui.AskText("Enter new ORG (prefix HEX numbers with '&H'):", "&H8000"),
                 std::string("&H9000"));
        QCOMPARE(ui.AskText("Enter new SP register value (prefix HEX numbers with '&H'):", "&HBFFF"),
                 std::string());
        QCOMPARE(dialogs.Take(),
                 QStringList(
                     {"Error [OK]: It could be a good idea to supply a valid filename...",
                      "Warning [OK]: Cannot write '/home/ann/z80/build/GAME.EXE': No space left on device. "
                      "File not "
                      "saved.",
                      "Warning [&No]: SP falls outside ORG's 16K page.\nDo you REALLY want to change the SP?",
                      "Information [&No]: <b>File</b> exists. Delete?",
                      "Question [&Yes]: ENT address falls outside the block. Change ORG?",
                      "Prompt [&H8000]: Enter new ORG (prefix HEX numbers with '&H'):",
                      "Prompt [&HBFFF]: Enter new SP register value (prefix HEX numbers with '&H'):"}));

        QCOMPARE(cut, QStringList());

        ui.SetBusy(true);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        ui.SetBusy(false);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void aFileArgumentConvertsWithMessageBoxesAlone()
    {
        QTemporaryDir dir;
        const QString source = CopyTestData(dir, "hello.obj");
        DialogAnswerer dialogs;
        bool alone = false;
        dialogs.onDialog = [&alone](QWidget* box) {
            alone = box->parentWidget() == nullptr && QApplication::topLevelWidgets().size() == 1;
        };
        dialogs.Then(DialogAnswerer::PressEnter()).Then(DialogAnswerer::PressEnter());
        QCOMPARE(ConvertWithMessageBoxes(source.toStdString()), 0);
        QCOMPARE(ConvertWithMessageBoxes(dir.filePath("hello.txt").toStdString()), 2);
        QCOMPARE(dialogs.Take(),
                 QStringList({"Information [OK]: File saved as '" + dir.filePath("HELLO.EXE") + "'",
                              "Error [OK]: It could be a good idea to supply a valid filename..."}));
        QVERIFY(alone);

        // Records far apart: every place where a dump line does not follow on, in one box
        // that names the file, its lines wrapped.
        const QString split = CopyTestData(dir, "split.obj");
        dialogs.Then(DialogAnswerer::PressEnter()).Then(DialogAnswerer::PressEnter());
        QCOMPARE(ConvertWithMessageBoxes(split.toStdString()), 0);
        QCOMPARE(
            dialogs.Take(),
            QStringList({"Warning [OK]: " + split + ":\n" +
                             Wrapped("Dump line at 9000 does not follow on from the bytes before it, which "
                                     "end at 800E; the executable holds them one after another.") +
                             "\n\n" +
                             Wrapped("Dump line at 9100 does not follow on from the bytes before it, which "
                                     "end at 9013; the executable holds them one after another."),
                         "Information [OK]: File saved as '" + dir.filePath("SPLIT.EXE") + "'"}));

        // A refused file: one box with the reader's message and what came of it.
        const QString bad = WriteFile(dir, "bad.obj", ":0180000080FE\n");
        dialogs.Then(DialogAnswerer::PressEnter());
        QCOMPARE(ConvertWithMessageBoxes(bad.toStdString()), 1);
        QCOMPARE(dialogs.Take(), QStringList({"Warning [OK]: " + bad +
                                              ":\nLast line listed failed checksum. File read aborted.\n\n"
                                              "Nothing saved."}));

        // A binary file: its ORG asked for as the window asks when it opens one; Cancel
        // saves nothing.
        const QString binary = WriteFile(dir, "boot.bin", QByteArray(3, '\x76'));
        dialogs.Then(DialogAnswerer::Cancel())
            .Then(DialogAnswerer::Type("&H9000"))
            .Then(DialogAnswerer::PressEnter());
        QCOMPARE(ConvertWithMessageBoxes(binary.toStdString()), 1);
        QVERIFY(!QFile::exists(dir.filePath("BOOT.EXE")));
        QCOMPARE(ConvertWithMessageBoxes(binary.toStdString()), 0);
        const QString prompt = "Prompt [&H0]: Enter ORG of BOOT.BIN (prefix HEX numbers with '&H'):";
        QCOMPARE(dialogs.Take(),
                 QStringList(
                     {prompt, prompt, "Information [OK]: File saved as '" + dir.filePath("BOOT.EXE") + "'"}));
        QCOMPARE(ReadAll(dir.filePath("BOOT.EXE")).mid(16, 2), QByteArray("\x00\x90", 2));
    }

    void withoutADisplayTheConsoleIsTold_data()
    {
        QTest::addColumn<QString>("platform");
        QTest::newRow("no display") << QString();
        QTest::newRow("offscreen") << QStringLiteral("offscreen");
    }

    void withoutADisplayTheConsoleIsTold()
    {
        QFETCH(QString, platform);
        QTemporaryDir dir;
        CopyTestData(dir, "hello.lst", "my prog.lst");
        WriteFile(dir, "bad.obj", ":0180000080FE\n");
        CopyTestData(dir, "hello.obj", " bad.obj");
        const auto run = [&](const QStringList& arguments, int waitMs = 20000) {
            QProcess quillet;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
                env.remove(name);
            }
            if (!platform.isEmpty()) {
                env.insert("QT_QPA_PLATFORM", platform);
            }
            quillet.setProcessEnvironment(env);
            quillet.setWorkingDirectory(dir.path());
            quillet.start(QStringLiteral(QUILLET_PROGRAM), arguments);
            if (!quillet.waitForFinished(waitMs)) {
                quillet.kill();
                quillet.waitForFinished();
                return QStringList({"still running"});
            }
            return QStringList({QString::number(quillet.exitCode()),
                                QString::fromLocal8Bit(quillet.readAllStandardOutput()),
                                QString::fromLocal8Bit(quillet.readAllStandardError()).trimmed()});
        };
        QCOMPARE(run({"my", "prog.lst"}), QStringList({"0", "File saved as 'MY PROG.EXE'\n", ""}));
        QCOMPARE(ReadAll(dir.filePath("MY PROG.EXE")).size(), 512 + 64);
        QCOMPARE(run({"bad.obj"}),
                 QStringList({"1", "",
                              "bad.obj:1: Last line listed failed checksum. File read aborted.\n"
                              "bad.obj: Nothing saved."}));
        QCOMPARE(run({"missing.obj"}).mid(0, 2), QStringList({"2", ""}));
        WriteFile(dir, "boot.bin", QByteArray(3, '\x76'));
        QCOMPARE(run({"boot.bin"}),
                 QStringList(
                     {"2", "",
                      "boot.bin: A binary file has no load address: give its ORG with quillet-cli --org N.\n"
                      "usage: quillet [FILE]"}));
        // The name looked up is the name loaded: trimmed only where no file has it whole.
        QCOMPARE(run({" bad.obj"}), QStringList({"0", "File saved as ' BAD.EXE'\n", ""}));

        // --help and --version answer on the console; Qt's own options go to Qt, and what
        // is left is the file.
        const QStringList help = run({"--help"});
        QVERIFY2(help[0] == "0" && help[1].startsWith("usage: quillet [FILE]\n") &&
                     help[1].contains("Intel HEX, Motorola S-record or MOS Technology hex form"),
                 qPrintable(help.join('|')));
        QCOMPARE(run({"--version"}), QStringList({"0", "quillet (Kestrane Quillet) 1.20\n", ""}));
        QCOMPARE(run({"-style", "fusion", "my", "prog.lst"}),
                 QStringList({"0", "File saved as 'MY PROG.EXE'\n", ""}));
        // A platform named with Qt's option is a place to show the window on.
        QCOMPARE(run({"-platform", "offscreen"}, 1000), QStringList({"still running"}));
    }
};

QTEST_MAIN(QuilletProgramTest)
#include "QuilletProgramTest.moc"
