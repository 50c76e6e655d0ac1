// Open and Save through their dialogs, from a file on disk to the executable beside it,
// with the questions and messages on the way; dropped files; and a listing of 32767
// dump lines.

#include "FileImages.h"
#include "WindowTest.h"

#include "convert/CommandLineConversion.h"
#include "convert/ConsoleFrontEnd.h"
#include "model/Document.h"

#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QRegularExpression>
#include <QUrl>

#include <cstdio>
#include <sstream>

namespace {

// The executable the command-line conversion writes for `source`, for comparing.
QByteArray ConvertedBytes(const QString& source, const QString& output)
{
    std::ostringstream out;
    ConsoleFrontEnd ui(out, out, "reference");
    Document doc(ui);
    ConversionRequest request;
    request.source = source.toStdString();
    request.output = output.toStdString();
    ConvertFromCommandLine(doc, request);
    return ReadAll(output);
}

// Whether a file dialog name filter ("Text (*.[Tt][Xx][Tt])") offers `name`.
bool Offers(const QString& filter, const QString& name)
{
    const QString patterns = filter.mid(filter.lastIndexOf('(') + 1).chopped(1);
    for (const QString& pattern : patterns.split(' ', Qt::SkipEmptyParts)) {
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern));
        if (re.match(name).hasMatch()) {
            return true;
        }
    }
    return false;
}

// A record of the one byte 42 at `address`, its checksum off by `checksumError`.
QByteArray OneByteRecord(unsigned address, unsigned checksumError)
{
    return QByteArray::fromStdString(IntelHexRecord(address, 0, "\x42", checksumError) + "\n");
}

}  // namespace

class WindowFilesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

    void openThenSaveWritesWhatTheConverterWrites_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QStringList>("panels");
        QTest::addColumn<int>("size");
        QTest::newRow("object file") << "hello.obj"
                                     << QStringList{"HELLO.OBJ (172 bytes)", "Block=62 bytes ",
                                                    "Org=&H8000, Ent=&H8000, SP=&HBFFF "}
                                     << 512 + 62;
        QTest::newRow("listing") << "hello.lst"
                                 << QStringList{"HELLO.LST (1343 bytes)", "Block=64 bytes ",
                                                "Org=&H8000, Ent=&H8000, SP=&HBFFF "}
                                 << 512 + 64;
        QTest::newRow("records far apart")
            << "split.obj"
            << QStringList{"SPLIT.OBJ (124 bytes)", "Block=38 bytes ", "Org=&H8000, Ent=&H8000, SP=&HBFFF "}
            << 512 + 38;
    }

    void openThenSaveWritesWhatTheConverterWrites()
    {
        QFETCH(QString, fixture);
        QFETCH(QStringList, panels);
        QFETCH(int, size);
        QTemporaryDir dir;
        const QString source = CopyTestData(dir, fixture);
        const QString exe = dir.filePath(QFileInfo(fixture).baseName().toUpper() + ".EXE");

        Quillet q;
        DialogAnswerer dialogs;
        q.Open(dialogs, source);
        QCOMPARE(q.Panels(), panels);
        // The first line is current, for screen readers; none the user chose, for Open.
        QCOMPARE(q.List()->currentIndex().row(), 0);
        QCOMPARE(q.List()->ChosenIndex().isValid(), false);

        QString offered;
        dialogs.onDialog = [&offered](QWidget* dialog) {
            if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
                offered = files->selectedFiles().value(0);
            }
        };
        dialogs.Then(DialogAnswerer::Choose(exe)).Then(DialogAnswerer::PressEnter());
        q.Ctrl(Qt::Key_S);
        QCOMPARE(offered, exe);
        QCOMPARE(
            dialogs.Take(),
            QStringList({"File [Tasm OBJ Files (Intel, Motorola or MOS Hex, *.OBJ)]: Open Object File...",
                         "File [Kestrane EXE Files (*.EXE)]: Save Kestrane EXE As...",
                         "Information [OK]: File saved as '" + exe + "'"}));
        const QByteArray saved = ReadAll(exe);
        QCOMPARE(saved.size(), size);
        QCOMPARE(saved.mid(16, 6), QByteArray::fromHex("00800080ffbf"));  // ORG, ENT, SP
        QCOMPARE(saved, ConvertedBytes(source, dir.filePath("reference.exe")));
    }

    void aCancelledSaveKeepsTheOutputPath()
    {
        QTemporaryDir dir;
        const QString source = CopyTestData(dir, "hello.obj");
        Quillet q;
        DialogAnswerer dialogs;
        q.Open(dialogs, source);
        const std::string exePath = q.window.State().ExePath;

        QStringList offered;
        dialogs.onDialog = [&offered](QWidget* dialog) {
            if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
                offered.append(files->selectedFiles().value(0));
            }
        };
        dialogs.Then(DialogAnswerer::Cancel())
            .Then(DialogAnswerer::PressEnter())
            .Then(DialogAnswerer::Cancel());
        q.Ctrl(Qt::Key_S);
        QCOMPARE(dialogs.Take().mid(1),
                 QStringList({"File [Kestrane EXE Files (*.EXE)]: Save Kestrane EXE As...",
                              "Information [OK]: Save canceled!"}));
        QCOMPARE(q.window.State().ExePath, exePath);
        q.Ctrl(Qt::Key_S);
        QCOMPARE(offered, QStringList({dir.filePath("HELLO.EXE"), dir.filePath("HELLO.EXE")}));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"hello.obj"}));

        // A name in a folder that does not exist is refused, and offered again: nothing is
        // written, and the output path stays as it was.
        const QString missing = dir.filePath("nope/deeper/X.EXE");
        offered.clear();
        dialogs.Take();
        dialogs.Then(DialogAnswerer::Choose(missing))
            .Then(DialogAnswerer::PressEnter())
            .Then(DialogAnswerer::Cancel())
            .Then(DialogAnswerer::PressEnter());
        q.Ctrl(Qt::Key_S);
        QCOMPARE(dialogs.Take(), QStringList({"File [Kestrane EXE Files (*.EXE)]: Save Kestrane EXE As...",
                                              "Warning [OK]: The folder '" +
                                                  QDir::toNativeSeparators(dir.filePath("nope/deeper")) +
                                                  "' does not exist. Check the path and try again.",
                                              "File [Kestrane EXE Files (*.EXE)]: Save Kestrane EXE As...",
                                              "Information [OK]: Save canceled!"}));
        QCOMPARE(offered, QStringList({dir.filePath("HELLO.EXE"), missing}));
        QCOMPARE(q.window.State().ExePath, exePath);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"hello.obj"}));

        // The source itself is refused the same way, before the question about replacing it.
        dialogs.Then(DialogAnswerer::Choose(source))
            .Then(DialogAnswerer::PressEnter())
            .Then(DialogAnswerer::Cancel())
            .Then(DialogAnswerer::PressEnter());
        q.Ctrl(Qt::Key_S);
        QCOMPARE(dialogs.Take(), QStringList({"File [Kestrane EXE Files (*.EXE)]: Save Kestrane EXE As...",
                                              "Warning [OK]: The output '" + source +
                                                  "' is the file being converted. Nothing saved.",
                                              "File [Kestrane EXE Files (*.EXE)]: Save Kestrane EXE As...",
                                              "Information [OK]: Save canceled!"}));
        QCOMPARE(ReadAll(source), ReadAll(TestData("hello.obj")));

        // A name typed without an extension is saved as an executable.
        dialogs.Then(DialogAnswerer::Choose(dir.filePath("NOEXT"))).Then(DialogAnswerer::PressEnter());
        q.Ctrl(Qt::Key_S);
        QCOMPARE(dialogs.Take().last(),
                 "Information [OK]: File saved as '" + dir.filePath("NOEXT.EXE") + "'");
    }

    void aLoadThatLeavesTheListEmptySaysWhyInTheList()
    {
        QTemporaryDir dir;
        const QString notes = WriteFile(dir, "notes.txt", "no dump here\n");
        Quillet q;
        const QImage beforeLoad = q.List()->viewport()->grab().toImage();
        DialogAnswerer dialogs;
        q.Open(dialogs, TestData("hello.obj"));
        q.Open(dialogs, notes);
        QCOMPARE(dialogs.Take().size(), 2);  // the Open dialogs: no message
        QCOMPARE(q.Lines(), QStringList());
        QCOMPARE(q.List()->EmptyText(), QStringLiteral("No dump lines in NOTES.TXT."));
        const QImage shown = q.List()->viewport()->grab().toImage();
        QVERIFY(shown != beforeLoad);
        QVERIFY(ToolTipAt(q.Map(), q.Map()->PointOf(0x8000)).endsWith("\nNo block loaded."));
    }

    void declinedReplacingLeavesTheEarlierFile()
    {
        QTemporaryDir dir;
        const QString source = CopyTestData(dir, "hello.lst");
        const QString exe = WriteFile(dir, "HELLO.EXE", "earlier build");
        Quillet q;
        DialogAnswerer dialogs;
        q.Open(dialogs, source);
        dialogs.Take();

        dialogs.Then(DialogAnswerer::Choose(exe))
            .Then(DialogAnswerer::PressEnter())
            .Then(DialogAnswerer::PressEnter());
        q.Ctrl(Qt::Key_S);
        QCOMPARE(dialogs.Take().mid(1),
                 QStringList({"Information [&No]: File exists. Delete?", "Information [OK]: Save abort!"}));
        QCOMPARE(ReadAll(exe), QByteArray("earlier build"));

        dialogs.Then(DialogAnswerer::Choose(exe))
            .Then(DialogAnswerer::Press(QMessageBox::Yes))
            .Then(DialogAnswerer::PressEnter());
        q.Ctrl(Qt::Key_S);
        QCOMPARE(dialogs.Take().last(), "Information [OK]: File saved as '" + exe + "'");
        QCOMPARE(ReadAll(exe).size(), 512 + 64);
    }

    void anExecutableOpensWithItsOwnValuesAndSavesOverItselfUnchanged()
    {
        QTemporaryDir dir;
        std::string image = ExeHeader(0x9000, 0x9003, 0xBFF0) + std::string(20, '\x76');
        image.replace(22, 5, "build");  // another tool's mark in the header, which stays
        const QString exe = WriteFile(dir, "game.exe", QByteArray::fromStdString(image));
        Quillet q;
        DialogAnswerer dialogs;
        q.Open(dialogs, exe);
        QCOMPARE(q.Lines(),
                 QStringList({"9000  76 76 76 76 76 76 76 76 76 76 76 76 76 76 76 76", "9010  76 76 76 76"}));
        QCOMPARE(q.Panels(), QStringList({"GAME.EXE (532 bytes)", "Block=20 bytes ",
                                          "Org=&H9000, Ent=&H9003, SP=&HBFF0 "}));
        dialogs.Take();

        // Saved where it came from: asked about, then replaced by the same bytes, the
        // header's every byte among them.
        dialogs.Then(DialogAnswerer::PressEnter())
            .Then(DialogAnswerer::Press(QMessageBox::Yes))
            .Then(DialogAnswerer::PressEnter());
        q.Ctrl(Qt::Key_S);
        QCOMPARE(dialogs.Take(), QStringList({"File [Kestrane EXE Files (*.EXE)]: Save Kestrane EXE As...",
                                              "Information [&No]: File exists. Delete?",
                                              "Information [OK]: File saved as '" + exe + "'"}));
        QCOMPARE(ReadAll(exe), QByteArray::fromStdString(image));
    }

    void theChecksumWarningShowsTheFailingRecordAsTheLastLine()
    {
        QByteArray records;
        for (int i = 0; i < 60; ++i) {
            records += OneByteRecord(0x8000 + static_cast<unsigned>(i), 0);
        }
        records += OneByteRecord(0x803C, 1);
        QTemporaryDir dir;
        const QString source = WriteFile(dir, "bad.obj", records);

        Quillet q;
        DialogAnswerer dialogs;
        QStringList shown;
        bool lastLineVisible = false;
        dialogs.onDialog = [&](QWidget*) {
            shown = q.Lines();
            const QRect last =
                q.List()->visualRect(q.List()->model()->index(static_cast<int>(shown.size()) - 1, 0));
            lastLineVisible = q.List()->viewport()->rect().contains(last);
        };
        dialogs.Then(DialogAnswerer::Choose(source)).Then(DialogAnswerer::PressEnter());
        q.Ctrl(Qt::Key_O);
        QCOMPARE(dialogs.Take().last(), "Warning [OK]: Last line listed failed checksum. File read aborted.");
        QCOMPARE(shown.size(), 61);
        QCOMPARE(shown.last(), QStringLiteral("803C  42"));
        QVERIFY(lastLineVisible);
        QCOMPARE(q.Lines(), QStringList());
        QCOMPARE(q.Panels(), QStringList({"", "", ""}));
        QVERIFY(!q.Item("PUMSaveExeAs")->isEnabled());
        // The reader has said why: the list gives no other reason.
        QCOMPARE(q.List()->EmptyText(),
                 QStringLiteral(
                     "Open a Tasm listing, object file or Kestrane executable (Ctrl+O), or drop one here."));
    }

    void theOpenDialogOffersNamesInAnyCaseAndStartsFromTheCurrentLine()
    {
        Quillet q;
        DialogAnswerer dialogs;
        q.Open(dialogs, TestData("hello.lst"));
        q.ClickRow(1);

        QStringList filters;
        QString preset;
        dialogs.onDialog = [&](QWidget* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            filters = files->nameFilters();
            preset = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        };
        dialogs.Then(DialogAnswerer::Cancel());
        q.Ctrl(Qt::Key_O);
        QCOMPARE(preset, q.Lines()[1]);
        QCOMPARE(filters.size(), 5);
        for (const char* name : {"demo.obj", "DEMO.OBJ", "Demo.Obj"}) {
            QVERIFY2(Offers(filters[1], name) && !Offers(filters[2], name), name);
        }
        QVERIFY(Offers(filters[2], "demo.lst") && Offers(filters[0], "README"));
        QVERIFY(Offers(filters[3], "game.exe") && !Offers(filters[3], "demo.obj"));
        QVERIFY(Offers(filters[4], "game.bin") && Offers(filters[4], "GAME.BIN"));
        QCOMPARE(q.Lines().size(), 4);  // cancelled: nothing loaded, nothing lost
    }

    void aDroppedListingOrObjectFileOpens()
    {
        Quillet q;
        const auto drop = [&q](const QString& path) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&q.window, &enter);
            if (!enter.isAccepted()) {
                return false;
            }
            QDropEvent dropped(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&q.window, &dropped);
            return dropped.isAccepted();
        };
        QVERIFY(!drop(TestData("split.asm")));
        QVERIFY(drop(TestData("split.obj")));
        QTRY_COMPARE(q.Lines().size(), 3);
        QCOMPARE(q.Panel("LEN"), QStringLiteral("SPLIT.OBJ (124 bytes)"));

        // A file dropped while a command asks its question is refused: the answer is about
        // the block it asked of, and goes to the file it named.
        QTemporaryDir dir;
        const QString split = CopyTestData(dir, "split.obj");
        const QString hello = CopyTestData(dir, "hello.obj");
        WriteFile(dir, "SPLIT.EXE", "earlier split");
        WriteFile(dir, "HELLO.EXE", "earlier hello");
        DialogAnswerer dialogs;
        q.Open(dialogs, split);
        bool dropped = true;
        dialogs.onDialog = [&](QWidget* dialog) {
            if (qobject_cast<QMessageBox*>(dialog) != nullptr) {
                dropped = drop(hello);
            }
        };
        dialogs.Then(DialogAnswerer::Choose(dir.filePath("SPLIT.EXE")))
            .Then(DialogAnswerer::Press(QMessageBox::Yes))
            .Then(DialogAnswerer::PressEnter());
        q.Ctrl(Qt::Key_S);
        QCOMPARE(dialogs.Take().last(),
                 "Information [OK]: File saved as '" + dir.filePath("SPLIT.EXE") + "'");
        QVERIFY(!dropped);
        QCOMPARE(ReadAll(dir.filePath("SPLIT.EXE")).size(), 512 + 38);
        QCOMPARE(ReadAll(dir.filePath("HELLO.EXE")), QByteArray("earlier hello"));
        QCoreApplication::processEvents();
        QCOMPARE(q.Panel("LEN"), QStringLiteral("SPLIT.OBJ (124 bytes)"));
    }

    void aFileWrittenAgainOnDiskIsLoadedAgain_data()
    {
        QTest::addColumn<bool>("renamed");
        QTest::newRow("written in place") << false;
        QTest::newRow("a new file renamed over it") << true;
    }

    void aFileWrittenAgainOnDiskIsLoadedAgain()
    {
        QFETCH(bool, renamed);
        QTemporaryDir dir;
        const QString source = CopyTestData(dir, "hello.obj", "game.obj");
        Quillet q;
        DialogAnswerer dialogs;
        q.Open(dialogs, source);
        dialogs.Take();
        const auto note = q.window.findChild<QLabel*>(QStringLiteral("ReloadNote"));
        QVERIFY(!note->isVisible());

        // As the assembler writes it: the new bytes show, with no box.
        if (renamed) {
            WriteFile(dir, "game.new", ReadAll(TestData("split.obj")));
            QVERIFY(std::rename(qPrintable(dir.filePath("game.new")), qPrintable(source)) == 0);
        } else {
            WriteFile(dir, "game.obj", ReadAll(TestData("split.obj")));
        }
        QTRY_COMPARE(q.Lines().value(1).left(4), QStringLiteral("9000"));
        QCOMPARE(q.Panel("LEN"), QStringLiteral("GAME.OBJ (124 bytes)"));
        QVERIFY(note->isVisible());
        QVERIFY2(note->text().endsWith(
                     "GAME.OBJ loaded again. 2 dump lines do not follow on from the bytes before them."),
                 qPrintable(note->text()));
        QCOMPARE(dialogs.Take(), QStringList());

        // Followed still, by its name: written again, it is loaded again.
        WriteFile(dir, "game.obj", ReadAll(TestData("hello.obj")));
        QTRY_COMPARE(q.Lines().value(1).left(4), QStringLiteral("8018"));
        QCOMPARE(dialogs.Take(), QStringList());
    }

    void aListingOf32767LinesOpensAndScrollsAtOnce()
    {
        QByteArray listing("ADDR  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\n");
        listing += QByteArray(53, '-') + '\n';
        for (int i = 0; i < 32767; ++i) {
            listing += QByteArray::number(i * 16 % 0x10000, 16).rightJustified(4, '0').toUpper() +
                       "  00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF\n";
        }
        QTemporaryDir dir;
        const QString source = WriteFile(dir, "big.lst", listing);
        Quillet q;
        DialogAnswerer dialogs;
        dialogs.Then(DialogAnswerer::Choose(source));

        QElapsedTimer clock;
        clock.start();
        q.Ctrl(Qt::Key_O);
        QCoreApplication::processEvents();
        const qint64 opened = clock.restart();
        q.ClickRow(0);
        q.Press(Qt::Key_End);
        q.Press(Qt::Key_A, Qt::ControlModifier);
        QCoreApplication::processEvents();
        const qint64 scrolled = clock.elapsed();
        qInfo("32767 dump lines: opened in %lld ms, scrolled to the end and selected in %lld ms", opened,
              scrolled);

        QCOMPARE(q.List()->model()->rowCount(), 32767);
        QCOMPARE(q.List()->currentIndex().row(), 32766);
        QVERIFY2(opened < 1500 && scrolled < 500, "the list made the user wait");
    }
};

QTEST_MAIN(WindowFilesTest)
#include "WindowFilesTest.moc"
