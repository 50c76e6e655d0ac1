// The window as it opens, and which keys, buttons and menu items start which command:
// keys act on release with exactly Ctrl or Shift held, and a disabled command does
// nothing however it is asked for.

#include "WindowTest.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QStatusBar>

class WindowCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

    void opensEmptyWithTheListReadyForKeys()
    {
        Quillet q;
        QCOMPARE(q.window.windowTitle(), QStringLiteral("Kestrane Quillet - V1.20"));
        QVERIFY(!q.window.windowIcon().isNull());
        QCOMPARE(QApplication::focusWidget(), q.List());
        const QFontMetrics metrics(q.List()->font());
        QCOMPARE(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W'));  // columns line up
        QCOMPARE(q.List()->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(q.Lines(), QStringList());
        QCOMPARE(q.Panels(), QStringList({"", "", ""}));

        QStringList items;
        for (const QAction* action : q.Menu()->actions()) {
            items.append(action->text() + (action->isEnabled() ? " on" : " off"));
        }
        QCOMPARE(items, QStringList({"&Open...\tCtrl+O on", "Change O&RG...\tCtrl+R off",
                                     "Change &ENT...\tCtrl+E off", "Change S&P\tCtrl+P off",
                                     "&Copy Selection As Text\tCtrl+C off", "&Save EXE As...\tCtrl+S off"}));
        for (const QAction* action : q.Menu()->actions()) {
            QVERIFY2(action->shortcut().isEmpty(), "menu keys are labels only");
        }
    }

    void beforeALoadOnlyOpenWorks()
    {
        Quillet q;
        DialogAnswerer dialogs;
        QApplication::clipboard()->setText(QStringLiteral("kept"));
        for (const int key : {Qt::Key_S, Qt::Key_R, Qt::Key_E, Qt::Key_P, Qt::Key_C}) {
            q.Ctrl(key);
        }
        q.Menu()->popup(q.List()->mapToGlobal(QPoint(0, 0)));
        QTest::mouseClick(q.Menu(), Qt::LeftButton, {},
                          q.Menu()->actionGeometry(q.Item("PUMSaveExeAs")).center());
        q.Menu()->hide();
        QCOMPARE(dialogs.Take(), QStringList());
        QCOMPARE(ClipboardText(), QStringLiteral("kept"));

        dialogs.Then(DialogAnswerer::Cancel());
        q.Ctrl(Qt::Key_O);
        QCOMPARE(dialogs.Take(),
                 QStringList({"File [Tasm OBJ Files (Intel Hex, *.OBJ)]: Open Object File..."}));
        QCOMPARE(q.Lines(), QStringList());  // a cancelled Open is ignored
    }

    void afterAFailedLoadOnlyOpenWorksAndTheViewDoesNotCopy()
    {
        // The second record is malformed: the load stops with the first line still listed.
        QTemporaryDir dir;
        const QString bad = WriteFile(dir, "bad.obj", ":0180000080FF\n:01800100\n");
        Quillet q;
        DialogAnswerer dialogs;
        dialogs.Then(DialogAnswerer::Choose(bad)).Then(DialogAnswerer::PressEnter());
        q.Ctrl(Qt::Key_O);
        QCOMPARE(dialogs.Take(), QStringList({"File [Tasm OBJ Files (Intel Hex, *.OBJ)]: Open Object File...",
                                              "Warning [OK]: Object file is invalid. File read aborted."}));
        QCOMPARE(q.Lines(), QStringList({"8000  80"}));

        QApplication::clipboard()->setText(QStringLiteral("kept"));
        q.ClickRow(0);
        q.Ctrl(Qt::Key_C);
        QCOMPARE(ClipboardText(), QStringLiteral("kept"));

        dialogs.Then(DialogAnswerer::Choose(TestData("hello.obj")));
        q.Ctrl(Qt::Key_O);
        QCOMPARE(q.Lines().size(), 3);
        QVERIFY(q.Item("PUMCopySelectionAsText")->isEnabled());
    }

    void onlyCtrlOrShiftAloneActs()
    {
        Quillet q;
        DialogAnswerer dialogs;
        q.Press(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        q.Press(Qt::Key_O, Qt::AltModifier);
        q.Press(Qt::Key_O, Qt::ControlModifier | Qt::AltModifier);
        q.Press(Qt::Key_O);
        q.Press(Qt::Key_F10);
        q.Press(Qt::Key_F10, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(dialogs.Take(), QStringList());
        QVERIFY(!q.Menu()->isVisible());

        // Only the release acts.
        QTest::keyPress(q.List(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(dialogs.Take(), QStringList());
        dialogs.Then(DialogAnswerer::Cancel());
        QTest::keyRelease(q.List(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(dialogs.Take().size(), 1);

        q.Press(Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(q.Menu()->isVisible());
        QCOMPARE(q.Menu()->pos(), q.List()->mapToGlobal(QPoint(0, 0)));
        q.Menu()->hide();
    }

    void rightButtonPopsTheMenuAtThePointerAndKeepsTheSelection()
    {
        Quillet q;
        DialogAnswerer dialogs;
        q.Open(dialogs, TestData("hello.lst"));
        QCOMPARE(q.Lines().size(), 4);
        q.ClickRow(0);
        q.ClickRow(2, Qt::ControlModifier);

        const QPoint at = q.List()->visualRect(q.List()->model()->index(1, 0)).center();
        QTest::mousePress(q.List()->viewport(), Qt::RightButton, {}, at);
        QVERIFY(!q.Menu()->isVisible());
        QTest::mouseRelease(q.List()->viewport(), Qt::RightButton, {}, at);
        QTRY_VERIFY(q.Menu()->isVisible());
        QCOMPARE(q.Menu()->pos(), q.List()->viewport()->mapToGlobal(at));

        QTest::mouseClick(q.Menu(), Qt::LeftButton, {},
                          q.Menu()->actionGeometry(q.Item("PUMCopySelectionAsText")).center());
        QCOMPARE(ClipboardText(), q.Lines()[0] + "\r\n" + q.Lines()[2] + "\r\n");
    }

    void theListFillsTheWindowAboveTheStatusBar()
    {
        Quillet q;
        const auto margins = [&q] {
            const QRect list = q.List()->geometry().translated(q.List()->parentWidget()->pos());
            const QRect bar = q.window.statusBar()->geometry();
            return QList<int>{list.left(), list.top(), q.window.width() - list.right() - 1,
                              bar.top() - list.bottom() - 1, q.window.height() - bar.bottom() - 1};
        };
        const QList<int> designed{4, 4, 4, 3, 0};
        QCOMPARE(margins(), designed);
        q.window.resize(900, 700);
        QTRY_COMPARE(margins(), designed);
        const QRect before = q.List()->geometry();
        q.window.showMinimized();
        q.window.showNormal();
        QTRY_COMPARE(q.List()->geometry(), before);
    }
};

QTEST_MAIN(WindowCommandsTest)
#include "WindowCommandsTest.moc"
