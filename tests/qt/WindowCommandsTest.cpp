// The window as it opens, and which keys, buttons and menu items start which command:
// keys act on release with exactly Ctrl or Shift held, and a disabled command does
// nothing however it is asked for.

#include "FileImages.h"
#include "WindowTest.h"

#include "qt/DumpListModel.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>

#include <algorithm>
#include <utility>

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
        QCOMPARE(q.List()->EmptyText(),
                 QStringLiteral(
                     "Open a Tasm listing, object file or Kestrane executable (Ctrl+O), or drop one here."));

        QStringList items;
        for (const QAction* action : q.Menu()->actions()) {
            items.append(action->isSeparator() ? "--"
                                               : action->text() + (action->isEnabled() ? " on" : " off"));
        }
        QCOMPARE(items, QStringList({"&Open...\tCtrl+O on", "Change O&RG...\tCtrl+R off",
                                     "Change &ENT...\tCtrl+E off", "Change S&P\tCtrl+P off",
                                     "&Copy Selection As Text\tCtrl+C off", "&Save EXE As...\tCtrl+S off",
                                     "--", "&Go To...\tCtrl+G off", "&Find Bytes...\tCtrl+F off",
                                     "Find &Next\tF3 off", "Find Pre&vious\tShift+F3 off", "--",
                                     "Copy As Assembler &Bytes off", "Copy As C &Array off"}));
        for (const QAction* action : q.Menu()->actions()) {
            QVERIFY2(action->shortcut().isEmpty(), "menu keys are labels only");
        }
    }

    void beforeALoadOnlyOpenWorks()
    {
        Quillet q;
        DialogAnswerer dialogs;
        QApplication::clipboard()->setText(QStringLiteral("kept"));
        for (const int key : {Qt::Key_S, Qt::Key_R, Qt::Key_E, Qt::Key_P, Qt::Key_C, Qt::Key_G, Qt::Key_F}) {
            q.Ctrl(key);
        }
        q.Press(Qt::Key_F3);
        q.Menu()->popup(q.List()->mapToGlobal(QPoint(0, 0)));
        QTest::mouseClick(q.Menu(), Qt::LeftButton, {},
                          q.Menu()->actionGeometry(q.Item("PUMSaveExeAs")).center());
        q.Menu()->hide();
        QCOMPARE(dialogs.Take(), QStringList());
        QCOMPARE(ClipboardText(), QStringLiteral("kept"));

        dialogs.Then(DialogAnswerer::Cancel());
        q.Ctrl(Qt::Key_O);
        QCOMPARE(
            dialogs.Take(),
            QStringList({"File [Tasm OBJ Files (Intel, Motorola or MOS Hex, *.OBJ)]: Open Object File..."}));
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
        QCOMPARE(
            dialogs.Take(),
            QStringList({"File [Tasm OBJ Files (Intel, Motorola or MOS Hex, *.OBJ)]: Open Object File...",
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

    void eachDumpLineShowsItsBytesAsCharactersBesideIt()
    {
        Quillet q;
        const int before = q.window.width();
        DialogAnswerer dialogs;
        q.Open(dialogs, TestData("hello.obj"));
        const QModelIndex second = q.List()->model()->index(1, 0);
        QCOMPARE(second.data(DumpListModel::CharactersRole).toString(),
                 QStringLiteral("O, KESTRANE.......UUUUUU"));
        QCOMPARE(
            second.data().toString(),
            QStringLiteral("8018  4F 2C 20 4B 45 53 54 52 41 4E 45 00 00 80 07 80 10 80 55 55 55 55 55 55"));

        // Records of 24 bytes: the window widened, within the screen, to show a whole line
        // with its characters; a row is highlighted across both.
        const int needed = q.List()->sizeHintForIndex(second).width();
        QVERIFY(q.window.width() > before);
        QVERIFY(q.List()->viewport()->width() >= needed);
        QVERIFY(q.List()->visualRect(second).width() >= needed);
        QVERIFY(q.window.screen()->availableGeometry().contains(q.window.frameGeometry()));

        // Copy takes the dump line alone.
        q.ClickRow(1);
        q.Ctrl(Qt::Key_C);
        QCOMPARE(ClipboardText(), q.Lines()[1] + "\r\n");
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

        // Ctrl let go of first, and Shift+Tab taking the focus to the map before the letter
        // is: the command still runs, as the keys act there too.
        QTest::keyPress(q.List(), Qt::Key_O, Qt::ControlModifier);
        QTest::keyClick(q.List(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(q.window.focusWidget(), q.Map());
        dialogs.Then(DialogAnswerer::Cancel());
        QTest::keyRelease(q.Map(), Qt::Key_O, Qt::NoModifier);
        QCOMPARE(dialogs.Take().size(), 1);
        q.List()->setFocus();

        // Only the release acts.
        QTest::keyPress(q.List(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(dialogs.Take(), QStringList());
        dialogs.Then(DialogAnswerer::Cancel());
        QTest::keyRelease(q.List(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(dialogs.Take().size(), 1);

        // Ctrl let go of before the letter, as fast typists do: the command still runs.
        QTest::keyPress(q.List(), Qt::Key_O, Qt::ControlModifier);
        dialogs.Then(DialogAnswerer::Cancel());
        QTest::keyRelease(q.List(), Qt::Key_O, Qt::NoModifier);
        QCOMPARE(dialogs.Take().size(), 1);

        q.Press(Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(q.Menu()->isVisible());
        QCOMPARE(q.Menu()->pos(), q.List()->mapToGlobal(QPoint(0, 0)));
        q.Menu()->hide();
    }

    void theMenuKeyAndShiftF10PopTheMenuUpBelowTheCurrentLine()
    {
        Quillet q;
        DialogAnswerer dialogs;
        q.Open(dialogs, TestData("top16k.lst"));
        q.ClickRow(2);
        const QRect line = q.List()->visualRect(q.List()->currentIndex());
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_Menu, Qt::NoModifier}, {Qt::Key_F10, Qt::ShiftModifier}}) {
            q.Press(key, modifiers);
            QTRY_VERIFY(q.Menu()->isVisible());
            QCOMPARE(q.Menu()->pos(), q.List()->viewport()->mapToGlobal(line.bottomLeft() + QPoint(0, 1)));
            q.Menu()->hide();
        }
        // The current line scrolled out of sight: at the list's top-left corner.
        q.List()->scrollToBottom();
        q.Press(Qt::Key_Menu);
        QTRY_VERIFY(q.Menu()->isVisible());
        QCOMPARE(q.Menu()->pos(), q.List()->mapToGlobal(QPoint(0, 0)));
        q.Menu()->hide();
        QCOMPARE(dialogs.Take().size(), 1);  // the Open dialog alone
    }

    void aNewlyOpenedFileShowsItsFirstLine()
    {
        Quillet q;
        DialogAnswerer dialogs;
        q.Open(dialogs, TestData("top16k.lst"));
        q.ClickRow(0);
        q.Press(Qt::Key_End);
        QVERIFY(q.List()->indexAt(QPoint(1, 1)).row() > 0);
        q.Open(dialogs, TestData("top16k.obj"));
        QCOMPARE(q.List()->indexAt(QPoint(1, 1)).row(), 0);
    }

    void goToAndFindSelectWhatTheyFindAndMoveTheMapsCursorThere()
    {
        Quillet q;
        DialogAnswerer dialogs;
        q.Open(dialogs, TestData("hello.lst"));
        dialogs.Take();
        const auto selected = [&q] {
            QList<int> rows;
            for (const QModelIndex& index : q.List()->selectionModel()->selectedRows()) {
                rows.append(index.row());
            }
            std::sort(rows.begin(), rows.end());
            return rows;
        };
        // Straight after the load the first line is current for screen readers, but is no
        // line the user chose: what it holds is found without passing the end.
        QCOMPARE(q.List()->currentIndex().row(), 0);
        dialogs.Then(DialogAnswerer::Type("F3 31"));
        q.Ctrl(Qt::Key_F);
        QCOMPARE(dialogs.Take(), QStringList({"Prompt []: Find bytes (hex, or text in double quotes):"}));
        QCOMPARE(selected(), QList<int>({0}));

        // A screen reader names the entry field by its prompt.
        QString heard;
        dialogs.onDialog = [&heard](QWidget* dialog) {
            if (auto* entry = dialog->findChild<QLineEdit*>()) {
                heard = QAccessible::queryAccessibleInterface(entry)->text(QAccessible::Name);
            }
        };
        dialogs.Then(DialogAnswerer::Type("done"));
        q.Ctrl(Qt::Key_G);
        QCOMPARE(dialogs.Take(), QStringList({"Prompt []: Go to address (hex) or label:"}));
        QCOMPARE(heard, QStringLiteral("Go to address (hex) or label:"));
        dialogs.onDialog = nullptr;
        QCOMPARE(q.List()->currentIndex().row(), 1);
        QCOMPARE(selected(), QList<int>({1}));
        QCOMPARE(q.Map()->Cursor(), 0x8010);

        // Text across two lines, found past the end of the block; then bytes sought again
        // with F3 and Shift+F3.
        dialogs.Then(DialogAnswerer::Type("\"KESTRANE\"")).Then(DialogAnswerer::PressEnter());
        q.Ctrl(Qt::Key_F);
        QCOMPARE(dialogs.Take().last(),
                 QStringLiteral("Information [OK]: Passed the end of the block: found from its start."));
        QCOMPARE(selected(), QList<int>({1, 2}));
        QCOMPARE(q.Map()->Cursor(), 0x801B);
        dialogs.Then(DialogAnswerer::Type("00 80"));
        q.Ctrl(Qt::Key_F);
        QCOMPARE(selected(), QList<int>({2}));
        dialogs.Then(DialogAnswerer::PressEnter()).Then(DialogAnswerer::PressEnter());
        q.Press(Qt::Key_F3);
        QCOMPARE(selected(), QList<int>({1}));
        QCOMPARE(q.Map()->Cursor(), 0x8012);
        q.Press(Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(selected(), QList<int>({2}));
        QCOMPARE(dialogs.Take(),
                 QStringList({"Prompt [\"KESTRANE\"]: Find bytes (hex, or text in double quotes):",
                              "Information [OK]: Passed the end of the block: found from its start.",
                              "Information [OK]: Passed the start of the block: found from its end."}));

        // The line's bytes as source, from the menu.
        q.Menu()->popup(q.List()->mapToGlobal(QPoint(0, 0)));
        QTest::mouseClick(q.Menu(), Qt::LeftButton, {},
                          q.Menu()->actionGeometry(q.Item("PUMCopyAsAssemblerBytes")).center());
        QCOMPARE(ClipboardText(),
                 QStringLiteral(".byte $41, $4E, $45, $00, $00, $80, $07, $80, $10, $80, $55, $55, "
                                "$55, $55, $55, $55 ; 8020\r\n"));

        // The labels in the tooltips, and at the ENT prompt.
        QCOMPARE(q.List()->model()->index(0, 0).data(Qt::ToolTipRole).toString(),
                 QStringLiteral("Labels: start (8000), loop (8007)."));
        QVERIFY(ToolTipAt(q.Map(), q.Map()->DetailPointOf(0x12)).contains("Label: done+2."));
        dialogs.Then(DialogAnswerer::Type("msg"));
        q.Ctrl(Qt::Key_E);
        QCOMPARE(q.Panel("ORGENT"), QStringLiteral("Org=&H8000, Ent=&H8014, SP=&HBFFF "));
    }

    void theMapTakesTheFocusWithTabAndTellsWhatIsAtItsCursor()
    {
        Quillet q;
        QCOMPARE(q.List()->accessibleName(), QStringLiteral("Dump lines"));
        QCOMPARE(q.Map()->accessibleName(),
                 QStringLiteral("Block map: 0000, in the 16K page at 0000. No block loaded."));
        QCOMPARE(q.PanelLabel("ORGENT")->accessibleName(), QStringLiteral("ORG, ENT and SP"));
        // A screen reader hears what the eye sees: the empty list's hint, the panels' texts,
        // which lines carry a mark, what is at the map's cursor; and nothing goes unnamed.
        const auto heard = [](QObject* object, QAccessible::Text which) {
            return QAccessible::queryAccessibleInterface(object)->text(which);
        };
        QVERIFY(heard(q.List(), QAccessible::Description).startsWith(q.List()->EmptyText() + " The block"));
        DialogAnswerer dialogs;
        q.Open(dialogs, TestData("split.obj"));
        QVERIFY(q.Map()->accessibleDescription().contains("The block's 38 bytes load at 8000 to 8025."));
        QVERIFY(heard(q.List(), QAccessible::Description).startsWith("The block"));
        QCOMPARE(heard(q.PanelLabel("ORGENT"), QAccessible::Value),
                 QStringLiteral("Org=&H8000, Ent=&H8000, SP=&HBFFF "));
        QCOMPARE(heard(q.PanelLabel("ORGENT"), QAccessible::Name),
                 QStringLiteral("ORG, ENT and SP: Org=&H8000, Ent=&H8000, SP=&HBFFF"));
        QAccessibleTableInterface* rows = QAccessible::queryAccessibleInterface(q.List())->tableInterface();
        QCOMPARE(rows->cellAt(0, 0)->text(QAccessible::Description), QString());
        QVERIFY(rows->cellAt(1, 0)
                    ->text(QAccessible::Description)
                    .startsWith("Dump line at 9000 does not follow on"));
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(q.window.statusBar());
        for (int child = 0; child < bar->childCount(); ++child) {
            QVERIFY2(!bar->child(child)->text(QAccessible::Name).isEmpty(),
                     qPrintable(QString::number(child)));
        }

        QTest::keyClick(q.List(), Qt::Key_Tab);
        QCOMPARE(q.window.focusWidget(), q.Map());
        QCOMPARE(q.Map()->Cursor(), 0x8000);
        QTest::keyClick(q.Map(), Qt::Key_Right);
        QCOMPARE(q.Map()->Cursor(), 0x800F);
        QVERIFY(heard(q.Map(), QAccessible::Value).startsWith("800F, in the 16K page at 8000\nByte 16"));
        QVERIFY(heard(q.Map(), QAccessible::Name)
                    .startsWith("Block map: 800F, in the 16K page at 8000. Byte 16"));
        QTRY_VERIFY(QToolTip::isVisible());
        QVERIFY(QToolTip::text().startsWith("800F, in the 16K page at 8000\nByte 16 of the block's 38"));

        // The commands' keys act on the map as in the list.
        dialogs.Take();
        dialogs.Then(DialogAnswerer::Cancel());
        QTest::keyClick(q.Map(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(
            dialogs.Take(),
            QStringList({"File [Tasm OBJ Files (Intel, Motorola or MOS Hex, *.OBJ)]: Open Object File..."}));
        QTest::keyClick(q.Map(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(ClipboardText(), q.Lines().join("\r\n") + "\r\n");
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_Menu, Qt::NoModifier}, {Qt::Key_F10, Qt::ShiftModifier}}) {
            QTest::keyClick(q.Map(), key, modifiers);
            QTRY_VERIFY(q.Menu()->isVisible());
            QCOMPARE(q.Menu()->pos(), q.Map()->KeyboardMenuPoint());
            q.Menu()->hide();
        }
        QCOMPARE(q.window.focusWidget(), q.Map());
        QTest::keyClick(q.Map(), Qt::Key_Tab);
        QCOMPARE(q.window.focusWidget(), q.List());
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

        // Over the block map as over the list.
        const QPoint onMap = q.Map()->PointOf(0x8000);
        QTest::mouseClick(q.Map(), Qt::RightButton, {}, onMap);
        QTRY_VERIFY(q.Menu()->isVisible());
        QCOMPARE(q.Menu()->pos(), q.Map()->mapToGlobal(onMap));
        q.Menu()->hide();
    }

    void theListFillsTheWindowAboveTheStatusBar()
    {
        Quillet q;
        const auto margins = [&q] {
            const QPoint central = q.List()->parentWidget()->pos();
            const QRect list = q.List()->geometry().translated(central);
            const QRect map = q.Map()->geometry().translated(central);
            const QRect bar = q.window.statusBar()->geometry();
            return QList<int>{list.left(),
                              list.top(),
                              q.window.width() - list.right() - 1,
                              map.top() - list.bottom() - 1,
                              bar.top() - map.bottom() - 1,
                              q.window.height() - bar.bottom() - 1,
                              map.left() - list.left(),
                              map.right() - list.right()};
        };
        const QList<int> designed{4, 4, 4, 3, 3, 0, 0, 0};
        QCOMPARE(margins(), designed);
        q.window.resize(900, 700);
        QTRY_COMPARE(margins(), designed);
        const QRect before = q.List()->geometry();
        q.window.showMinimized();
        q.window.showNormal();
        QTRY_COMPARE(q.List()->geometry(), before);
    }

    void theStatusPanelsShareTheBarByWhatTheyHold()
    {
        Quillet q;
        const auto widths = [&q] {
            return QList<int>{q.PanelLabel("LEN")->width(), q.PanelLabel("BYT")->width(),
                              q.PanelLabel("ORGENT")->width()};
        };
        const QFontMetrics metrics(q.PanelLabel("LEN")->font());
        const QList<int> before = widths();
        QVERIFY(before[0] > metrics.horizontalAdvance("LST File Lenght"));
        QVERIFY(before[1] > metrics.horizontalAdvance("Block Bytes"));
        QVERIFY(before[0] > before[1] && before[0] > before[2]);
        QCOMPARE(ToolTipAt(q.PanelLabel("LEN"), QPoint(5, 5)), QStringLiteral("LST File Lenght"));
        const QSize least = q.window.minimumSizeHint();

        // A name too long for panel 1 is cut and shows whole as its tooltip; the panels keep
        // their widths as texts no longer than usual change.
        QTemporaryDir dir;
        const QString name = QString(60, 'x') + ".lst";
        DialogAnswerer dialogs;
        q.Open(dialogs, CopyTestData(dir, "hello.lst", name));
        QCOMPARE(widths(), before);
        QVERIFY(q.PanelLabel("LEN")->IsCut());
        QCOMPARE(ToolTipAt(q.PanelLabel("LEN"), QPoint(5, 5)), name.toUpper() + " (1343 bytes)");
        QCOMPARE(ToolTipAt(q.PanelLabel("BYT"), QPoint(5, 5)), QStringLiteral("Block Bytes"));
        dialogs.Then(DialogAnswerer::Type("&HC000"))
            .Then(DialogAnswerer::PressEnter())
            .Then(DialogAnswerer::Press(QMessageBox::No));
        q.Ctrl(Qt::Key_R);
        QCOMPARE(q.Panel("ORGENT"), QStringLiteral("Org=&HC000, Ent=&H8000, SP=&HBFFF "));
        QCOMPARE(widths(), before);

        // A block of over a million bytes re-based above FFFF: panels 2 and 3 take the room
        // their texts need from panel 1, and show them whole, without widening the window's
        // least width; even at that width, where the file's short name leaves them room.
        std::string records;
        for (unsigned i = 0; i < 3922; ++i) {
            records += IntelHexRecord((0x8000 + i * 255) & 0xFFFF, 0, std::string(255, 'B')) + "\n";
        }
        q.Open(dialogs, WriteFile(dir, "big.obj", QByteArray::fromStdString(records + ":00000001FF\n")));
        dialogs.Then(DialogAnswerer::Type("&H7DDDDDDD"))
            .Then(DialogAnswerer::PressEnter())
            .Then(DialogAnswerer::Press(QMessageBox::Yes))
            .Then(DialogAnswerer::Press(QMessageBox::No))
            .Then(DialogAnswerer::Press(QMessageBox::No));
        q.Ctrl(Qt::Key_R);
        QCOMPARE(q.Panels().mid(1),
                 QStringList({"Block=1000110 bytes ", "Org=&H7DDDDDDD, Ent=&H8000, SP=&HBFFF "}));
        const auto whole = [&q] {
            for (const char* key : {"LEN", "BYT", "ORGENT"}) {
                QVERIFY2(!q.PanelLabel(key)->IsCut(), key);
            }
        };
        whole();
        QCOMPARE(q.window.minimumSizeHint(), least);
        q.window.resize(1, 1);
        QTRY_COMPARE(q.window.size(), q.window.minimumSize().expandedTo(least));
        whole();
    }

    // Also run at twice the scale on a screen of 1280 by 800 (640 by 400 to the window).
    void theWindowNeverAsksForMoreThanTheScreensWidth()
    {
        // One record of 255 bytes: its dump line is wider than the screen.
        QTemporaryDir dir;
        const QString wide = WriteFile(
            dir, "wide.obj",
            QByteArray::fromStdString(IntelHexRecord(0x8000, 0, std::string(255, 'A')) + "\n:00000001FF\n"));
        Quillet q;
        const QRect area = q.window.screen()->availableGeometry();
        QVERIFY(area.contains(q.window.frameGeometry()));
        DialogAnswerer dialogs;
        q.Open(dialogs, wide);
        QCOMPARE(q.Lines().size(), 1);
        QVERIFY(area.contains(q.window.frameGeometry()));
        QTRY_VERIFY(q.List()->horizontalScrollBar()->maximum() > 0);  // the list scrolls sideways
        q.window.resize(1, 1);
        q.window.resize(area.width() * 2, q.window.height());
        QTRY_VERIFY(q.window.width() > 1);
        q.window.resize(1, 1);
        QTRY_COMPARE(q.window.size(), q.window.minimumSize().expandedTo(q.window.minimumSizeHint()));
        QVERIFY(q.window.frameGeometry().width() <= area.width());
        for (const char* key : {"LEN", "BYT", "ORGENT"}) {
            QVERIFY2(q.window.statusBar()->rect().contains(q.PanelLabel(key)->geometry()), key);
        }
    }

    void atItsLeastTheWindowShowsAFewLinesAndEveryPanelWhole()
    {
        Quillet q;
        DialogAnswerer dialogs;
        q.Open(dialogs, TestData("top16k.lst"));
        q.window.resize(1, 1);
        QTRY_COMPARE(q.window.size(), q.window.minimumSize());
        QVERIFY(q.List()->viewport()->height() >= 4 * q.List()->sizeHintForRow(0));
        QRect panels;
        for (const char* key : {"LEN", "BYT", "ORGENT"}) {
            const QRect panel = q.PanelLabel(key)->geometry();
            QVERIFY2(!panel.intersects(panels) && q.window.statusBar()->rect().contains(panel), key);
            panels = panels.united(panel);
        }
        // The file name's panel is never narrower than the others; theirs never change.
        QVERIFY(q.PanelLabel("LEN")->width() >= q.PanelLabel("ORGENT")->width());
    }
};

QTEST_MAIN(WindowCommandsTest)
#include "WindowCommandsTest.moc"
