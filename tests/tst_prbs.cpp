// SPDX-License-Identifier: GPL-3.0-or-later
// The PRBS model and dialog over a simulated card.

#include <checkbutton.h>
#include <prbsdialog.h>
#include <prbsmodel.h>

#include "testsupport.h"

namespace {

QString checkedChoice(const PrbsDialog &dialog)
{
    for (const CheckButton *button : dialog.findChildren<CheckButton *>())
        if (button->isChecked())
            return button->objectName();
    return QString();
}

} // namespace

class tst_Prbs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        card = new SimulatedCard(QStringLiteral("e1"));
        model = new PrbsModel(card->controller());
    }
    void cleanup()
    {
        delete model;
        delete card;
    }
    void cardsPatternIsReadAndShown_data()
    {
        QTest::addColumn<QString>("stored"); // empty: never set
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("userText");
        row("sequence", "2e9", "2e9", "pattern_2e9", "");
        row("sequence with -1", "2e23-1", "2e23", "pattern_2e23", "");
        row("the pattern in use with -1", "2e15-1", "2e15", "pattern_2e15", "");
        row("all zeros", "all0", "all0", "pattern_all0", "");
        row("alternating", "55", "55", "pattern_55", "");
        row("user, lower case", "0xbeef", "0xbeef", "", "BEEF");
        row("user, upper case", "0x1A2B", "0x1A2B", "", "1A2B");
        row("unknown", "bogus", "bogus", "", "");
        row("never set", "", "2e15", "pattern_2e15", "");
    }
    void cardsPatternIsReadAndShown()
    {
        QFETCH(QString, stored);
        QFETCH(QString, pattern);
        QFETCH(QString, checked);
        QFETCH(QString, userText);
        PrbsDialog dialog;
        dialog.setModel(model);
        QCOMPARE(checkedChoice(dialog), QStringLiteral("pattern_2e15"));
        QSignalSpy changed(model, SIGNAL(patternChanged(QString)));
        if (stored.isEmpty())
            card->removeConfigValue(QStringLiteral("pattern"));
        else
            card->setConfigValue(QStringLiteral("pattern"), stored);
        QCOMPARE(model->pattern(), pattern);
        QTRY_VERIFY(!card->notificationPending());
        QCOMPARE(changed.count(), pattern == "2e15" ? 0 : 1);
        if (!changed.isEmpty())
            QCOMPARE(changed.first().first().toString(), pattern);
        QCOMPARE(checkedChoice(dialog), checked);
        QCOMPARE(dialog.findChild<QLineEdit *>(QStringLiteral("userPattern"))->text(), userText);
    }
    void modelSendsOneCommandForAValidChange_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("command"); // empty: nothing sent
        row("2e23", "2e23", true, "pattern 2e23");
        row("2e9-1", "2e9-1", true, "pattern 2e9");
        row("all1", "all1", true, "pattern all1");
        row("0x1A2B", "0x1A2B", true, "pattern 0x1A2B");
        row("0xdeadBEEF", "0xdeadBEEF", true, "pattern 0xdeadBEEF");
        row("2e15, in use", "2e15", true, "");
        row("2e15-1", "2e15-1", true, "");
        for (const char *invalid :
             {"0x", "0x123456789", "0xG1", "1A2B", "0X1A2B", "", "2e16", "ALL0", "0x1A\n"})
            QTest::addRow("\"%s\"", invalid) << QString(invalid) << false << QString();
    }
    void modelSendsOneCommandForAValidChange()
    {
        QFETCH(QString, pattern);
        QFETCH(bool, valid);
        QFETCH(QString, command);
        QSignalSpy changed(model, SIGNAL(patternChanged(QString)));
        QCOMPARE(model->setPattern(pattern), valid);
        QCOMPARE(changed.count(), 0); // the answer comes with the card's notification
        QCOMPARE(card->commandLog(),
                 command.isEmpty() ? QStringList() : (QStringList() << command));
    }
    void dialogSendsTheChosenOrTypedPattern_data()
    {
        QTest::addColumn<QString>("button"); // clicked, or typed into after the user pattern
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("command"); // empty: nothing sent
        row("sequence", "pattern_2e23", "", "pattern 2e23");
        row("the card's choice", "pattern_2e15", "", "");
        row("user, apply", "applyUserPattern", "1A2B", "pattern 0x1A2B");
        row("user, return", "", "dead", "pattern 0xdead");
        row("ninth digit refused", "", "123456789", "pattern 0x12345678");
        row("not hexadecimal", "applyUserPattern", "xyz", "");
    }
    void dialogSendsTheChosenOrTypedPattern()
    {
        QFETCH(QString, button);
        QFETCH(QString, typed);
        QFETCH(QString, command);
        PrbsDialog dialog(nullptr, false);
        dialog.setModel(model);
        dialog.show(QRect(300, 500, 120, 45));
        auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("userPattern"));
        QTest::keyClicks(edit, typed);
        if (button.isEmpty())
            QTest::keyClick(edit, Qt::Key_Return);
        else
            QTest::mouseClick(dialog.findChild<CheckButton *>(button), Qt::LeftButton);
        QCOMPARE(card->commandLog(),
                 command.isEmpty() ? QStringList() : (QStringList() << command));
        QVERIFY(dialog.isVisible()); // made to stay open after a choice
        if (typed.isEmpty())
            QCOMPARE(checkedChoice(dialog), button);
    }

private:
    SimulatedCard *card = nullptr;
    PrbsModel *model = nullptr;
};

QTEST_MAIN(tst_Prbs)
#include "tst_prbs.moc"
