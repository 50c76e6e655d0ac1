// Re-basing the block and setting ENT and SP from the window: the prompts in the input
// box, the questions in message boxes, the list and the status panels after each edit,
// and the executable the edited block is saved as.

#include "WindowTest.h"

#include <QMessageBox>

namespace {

// ORG 8000 -> 9000: SP BFFF still shares ORG's page; ENT 8000 is now below the block.
void MoveTo9000WithEnt9003(Quillet& q, DialogAnswerer& dialogs)
{
    dialogs.Then(DialogAnswerer::Type("&H9000"))
        .Then(DialogAnswerer::PressEnter())
        .Then(DialogAnswerer::Type("&H9003"));
    q.Ctrl(Qt::Key_R);
}

}  // namespace

class WindowEditTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

    void changeOrgMovesTheLinesAndOffersToMoveEnt()
    {
        Quillet q;
        DialogAnswerer dialogs;
        q.Open(dialogs, TestData("hello.obj"));
        dialogs.Take();
        MoveTo9000WithEnt9003(q, dialogs);
        QCOMPARE(dialogs.Take(),
                 QStringList({"Prompt [&H8000]: Enter new ORG (prefix HEX numbers with '&H'):",
                              "Question [&Yes]: ENT address falls outside the block. Change ENT?",
                              "Prompt [&H8000]: Enter new ENT (prefix HEX numbers with '&H'):"}));
        QCOMPARE(q.Lines().replaceInStrings(QRegularExpression("  .*"), ""),
                 QStringList({"9000", "9018", "9030"}));
        QCOMPARE(q.Panels(), QStringList({"HELLO.OBJ (172 bytes)", "Block=62 bytes ",
                                          "Org=&H9000, Ent=&H9003, SP=&HBFFF "}));
    }

    void anSpOutsideOrgsPageIsTakenOnlyWhenTheUserInsists()
    {
        Quillet q;
        DialogAnswerer dialogs;
        q.Open(dialogs, TestData("hello.obj"));
        dialogs.Take();
        // No is the default.
        dialogs.Then(DialogAnswerer::Type("&H4000")).Then(DialogAnswerer::PressEnter());
        q.Ctrl(Qt::Key_P);
        QCOMPARE(dialogs.Take().last(),
                 "Warning [&No]: SP falls outside ORG's 16K page.\nDo you REALLY want to change the SP?");
        QCOMPARE(q.Panel("ORGENT"), QStringLiteral("Org=&H8000, Ent=&H8000, SP=&HBFFF "));
        dialogs.Then(DialogAnswerer::Type("&H4000")).Then(DialogAnswerer::Press(QMessageBox::Yes));
        q.Ctrl(Qt::Key_P);
        QCOMPARE(q.Panel("ORGENT"), QStringLiteral("Org=&H8000, Ent=&H8000, SP=&H4000 "));
    }

    void aPromptAsksAgainForWhatIsNotANumber()
    {
        Quillet q;
        DialogAnswerer dialogs;
        q.Open(dialogs, TestData("hello.obj"));
        dialogs.Take();
        dialogs.Then(DialogAnswerer::Type("xyz")).Then(DialogAnswerer::Type("&HBF00"));
        q.Ctrl(Qt::Key_P);
        QCOMPARE(dialogs.Take().size(), 2);  // not a number: asked again
        QCOMPARE(q.Panel("ORGENT"), QStringLiteral("Org=&H8000, Ent=&H8000, SP=&HBF00 "));
    }

    void cancelChangesNothingAndTheMenuRunsWhatTheKeyRuns()
    {
        Quillet q;
        DialogAnswerer dialogs;
        q.Open(dialogs, TestData("hello.obj"));
        MoveTo9000WithEnt9003(q, dialogs);
        dialogs.Take();
        dialogs.Then(DialogAnswerer::Cancel());
        q.Menu()->popup(q.List()->mapToGlobal(QPoint(0, 0)));
        QTest::mouseClick(q.Menu(), Qt::LeftButton, {},
                          q.Menu()->actionGeometry(q.Item("PUMChangeENT")).center());
        QCOMPARE(dialogs.Take(),
                 QStringList({"Prompt [&H9003]: Enter new ENT (prefix HEX numbers with '&H'):"}));
        QCOMPARE(q.Panel("ORGENT"), QStringLiteral("Org=&H9000, Ent=&H9003, SP=&HBFFF "));
    }

    void theSavedHeaderHoldsTheEditedValuesAndTheBytesStay()
    {
        QTemporaryDir dir;
        Quillet q;
        DialogAnswerer dialogs;
        q.Open(dialogs, CopyTestData(dir, "hello.obj"));
        MoveTo9000WithEnt9003(q, dialogs);
        dialogs.Then(DialogAnswerer::Type("&HBF00"));
        q.Ctrl(Qt::Key_P);
        const QString exe = dir.filePath("HELLO.EXE");
        dialogs.Then(DialogAnswerer::Choose(exe)).Then(DialogAnswerer::PressEnter());
        q.Ctrl(Qt::Key_S);
        const QByteArray saved = ReadAll(exe);
        QCOMPARE(saved.mid(16, 6), QByteArray::fromHex("0090039000bf"));  // ORG, ENT, SP
        QCOMPARE(saved.mid(512, 4), QByteArray::fromHex("f331ffbf"));     // the bytes stay
        QCOMPARE(saved.size(), 512 + 62);
    }

    void anEntOutsideTheBlockCanMoveTheBlockToIt()
    {
        Quillet q;
        DialogAnswerer dialogs;
        q.Open(dialogs, TestData("hello.lst"));
        dialogs.Take();
        dialogs.Then(DialogAnswerer::Type("&HC000"))
            .Then(DialogAnswerer::Press(QMessageBox::Yes))
            .Then(DialogAnswerer::Type("&HC000"))
            .Then(DialogAnswerer::PressEnter());  // SP BFFF is in another page now: keep it
        q.Ctrl(Qt::Key_E);
        QCOMPARE(dialogs.Take().mid(1, 2),
                 QStringList({"Question [&Yes]: ENT address falls outside the block. Change ORG?",
                              "Prompt [&H8000]: Enter new ORG (prefix HEX numbers with '&H'):"}));
        QCOMPARE(q.Lines().first().left(4), QStringLiteral("C000"));
        QCOMPARE(q.Panel("ORGENT"), QStringLiteral("Org=&HC000, Ent=&HC000, SP=&HBFFF "));
    }

    void theBlockMapShowsWhereTheBytesLoadAfterALoadAndAfterChangeOrg()
    {
        // split.obj: 15 bytes at 8000, 20 at 9000, 3 at 9100, loaded one after another.
        Quillet q;
        DialogAnswerer dialogs;
        q.Open(dialogs, TestData("split.obj"));
        dialogs.Take();
        const auto tip = [&q](std::int32_t address) { return ToolTipAt(q.Map(), q.Map()->PointOf(address)); };
        const QString notFollowing =
            "Dump line at %1 does not follow on from the bytes before it, which end at "
            "%2; the executable holds them one after another.";
        // On the strip the ticks of both places are named; above it, on their triangles, ENT
        // and SP.
        QCOMPARE(tip(0x8000), Wrapped("8000, in the 16K page at 8000\n"
                                      "Byte 1 of the block's 38.\n"
                                      "At 800F: " +
                                      notFollowing.arg("9000", "800E") +
                                      "\nAt 8023: " + notFollowing.arg("9100", "9013")));
        const QString onSp =
            ToolTipAt(q.Map(), q.Map()->PointOf(0xBFFF) - QPoint(0, q.Map()->fontMetrics().height()));
        QVERIFY2(
            onSp.contains(QRegularExpression("^BF[0-9A-F]{2}, in the 16K page at 8000\n"
                                             "Not in the block.\nSP, the initial stack pointer: BFFF.$")),
            qPrintable(onSp));
        // The detail row spans the block's 38 bytes; the list marks the two lines that do
        // not follow on, with the warning as their tooltip.
        QCOMPARE(ToolTipAt(q.Map(), q.Map()->DetailPointOf(20) + QPoint(1, 0)),
                 QStringLiteral("8014, in the 16K page at 8000\n"
                                "Byte 21 of the block's 38, which its dump line puts at 9005."));
        const auto marks = [&q] {
            QStringList tips;
            for (int row = 0; row < 3; ++row) {
                tips.append(q.List()->model()->index(row, 0).data(Qt::ToolTipRole).toString());
            }
            return tips;
        };
        QCOMPARE(marks(), QStringList({"", Wrapped(notFollowing.arg("9000", "800E")),
                                       Wrapped(notFollowing.arg("9100", "9013"))}));

        // Moved to FFF0 it runs past FFFF: its bytes load from FFF0, and on from 0000.
        dialogs.Then(DialogAnswerer::Type("&HFFF0"))
            .Then(DialogAnswerer::PressEnter())             // over 64K: continue
            .Then(DialogAnswerer::PressEnter())             // SP in another page: keep it
            .Then(DialogAnswerer::Press(QMessageBox::No));  // ENT outside: keep it
        q.Ctrl(Qt::Key_R);
        QCOMPARE(dialogs.Take().size(), 4);
        QCOMPARE(tip(0xFFFF), Wrapped("FFF0, in the 16K page at C000\n"
                                      "Byte 1 of the block's 38.\n"
                                      "At FFFF: " +
                                      notFollowing.arg("0FF0", "FFFE")));
        QCOMPARE(tip(0x0013), Wrapped("0000, in the 16K page at 0000\n"
                                      "Byte 17 of the block's 38, which its dump line puts at 0FF1.\n"
                                      "At 0013: " +
                                      notFollowing.arg("10F0", "1003")));
        QCOMPARE(ToolTipAt(q.Map(), q.Map()->PointOf(0x8000) - QPoint(0, q.Map()->fontMetrics().height())),
                 QStringLiteral("8000, in the 16K page at 8000\n"
                                "Not in the block.\n"
                                "ENT, the entry address: 8000."));
        QCOMPARE(q.Lines().first().left(4), QStringLiteral("FFF0"));  // the list as Change ORG left it
        QCOMPARE(marks()[2], Wrapped(notFollowing.arg("10F0", "1003")));
    }
};

QTEST_MAIN(WindowEditTest)
#include "WindowEditTest.moc"
