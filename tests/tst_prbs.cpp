// SPDX-License-Identifier: GPL-3.0-or-later

// The PRBS model and dialog over a simulated card: how every form of the card's "pattern" is
// read, the one "pattern VALUE" command a choice sends (and the invalid input that sends
// nothing), and the dialog following the card.

#include <checkbutton.h>
#include <prbsdialog.h>
#include <prbsmodel.h>
#include <simulatedcard.h>

#include <QLineEdit>
#include <QtTest>

namespace {

const QString Missing = QStringLiteral("<missing>");

QString checkedChoice(const PrbsDialog &dialog)
{
    const auto buttons = dialog.findChildren<CheckButton *>();
    for (const CheckButton *button : buttons) {
        if (button->isCheckable() && button->isChecked())
            return button->objectName();
    }
    return QString();
}

} // namespace

class tst_Prbs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void modelReadsEveryPatternForm_data();
    void modelReadsEveryPatternForm();
    void modelSendsOneCommandForAValidChange_data();
    void modelSendsOneCommandForAValidChange();
    void modelReportsOnlyChangesOfThePattern();
    void modelWithoutControllerSendsNothing();

    void choosingAPatternSendsIt_data();
    void choosingAPatternSendsIt();
    void choosingTheCardsPatternSendsNothing();
    void dialogShowsTheCardsChoice_data();
    void dialogShowsTheCardsChoice();
    void userPatternIsSentWithApplyOrReturn_data();
    void userPatternIsSentWithApplyOrReturn();
    void refusedChoiceDoesNotLingerWhenShownAgain();
    void controlsNeedAModel();

private:
    SimulatedCard *card = nullptr;
    PrbsModel *model = nullptr;
};

void tst_Prbs::init()
{
    card = new SimulatedCard(QStringLiteral("e1"));
    model = new PrbsModel(card->controller());
}

void tst_Prbs::cleanup()
{
    delete model;
    model = nullptr;
    delete card;
    card = nullptr;
}

void tst_Prbs::modelReadsEveryPatternForm_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");

    QTest::newRow("sequence") << QStringLiteral("2e15") << QStringLiteral("2e15");
    QTest::newRow("sequence with -1") << QStringLiteral("2e15-1") << QStringLiteral("2e15");
    QTest::newRow("longest sequence with -1") << QStringLiteral("2e23-1") << QStringLiteral("2e23");
    QTest::newRow("all zeros") << QStringLiteral("all0") << QStringLiteral("all0");
    QTest::newRow("all ones") << QStringLiteral("all1") << QStringLiteral("all1");
    QTest::newRow("alternating") << QStringLiteral("55") << QStringLiteral("55");
    QTest::newRow("user, lower case") << QStringLiteral("0xdead") << QStringLiteral("0xdead");
    QTest::newRow("user, upper case") << QStringLiteral("0x1A2B") << QStringLiteral("0x1A2B");
    QTest::newRow("unknown") << QStringLiteral("bogus") << QStringLiteral("bogus");
    QTest::newRow("never set") << Missing << QStringLiteral("2e15");
}

void tst_Prbs::modelReadsEveryPatternForm()
{
    QFETCH(QString, stored);
    QFETCH(QString, expected);

    if (stored == Missing)
        card->removeConfigValue(QStringLiteral("pattern"));
    else
        card->setConfigValue(QStringLiteral("pattern"), stored);
    QCOMPARE(model->pattern(), expected);
}

void tst_Prbs::modelSendsOneCommandForAValidChange_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QStringList>("commands");

    QTest::newRow("2e23") << QStringLiteral("2e23") << true
                          << QStringList{QStringLiteral("pattern 2e23")};
    QTest::newRow("2e9 with -1") << QStringLiteral("2e9-1") << true
                                 << QStringList{QStringLiteral("pattern 2e9")};
    QTest::newRow("all1") << QStringLiteral("all1") << true
                          << QStringList{QStringLiteral("pattern all1")};
    QTest::newRow("55") << QStringLiteral("55") << true
                        << QStringList{QStringLiteral("pattern 55")};
    QTest::newRow("user pattern") << QStringLiteral("0x1A2B") << true
                                  << QStringList{QStringLiteral("pattern 0x1A2B")};
    QTest::newRow("user pattern, 32 bits") << QStringLiteral("0xdeadBEEF") << true
                                           << QStringList{QStringLiteral("pattern 0xdeadBEEF")};
    QTest::newRow("the card's pattern") << QStringLiteral("2e15") << true << QStringList();
    QTest::newRow("the card's pattern with -1")
        << QStringLiteral("2e15-1") << true << QStringList();

    QTest::newRow("no digits") << QStringLiteral("0x") << false << QStringList();
    QTest::newRow("nine digits") << QStringLiteral("0x123456789") << false << QStringList();
    QTest::newRow("not hexadecimal") << QStringLiteral("0xG1") << false << QStringList();
    QTest::newRow("no prefix") << QStringLiteral("1A2B") << false << QStringList();
    QTest::newRow("capital prefix") << QStringLiteral("0X1A2B") << false << QStringList();
    QTest::newRow("empty") << QString() << false << QStringList();
    QTest::newRow("unknown sequence") << QStringLiteral("2e16") << false << QStringList();
    QTest::newRow("capital word") << QStringLiteral("ALL0") << false << QStringList();
    QTest::newRow("leading blank") << QStringLiteral(" 2e9") << false << QStringList();
}

void tst_Prbs::modelSendsOneCommandForAValidChange()
{
    QFETCH(QString, pattern);
    QFETCH(bool, valid);
    QFETCH(QStringList, commands);

    card->clearCommandLog();
    QCOMPARE(model->setPattern(pattern), valid);
    QCOMPARE(card->commandLog(), commands);
}

void tst_Prbs::modelReportsOnlyChangesOfThePattern()
{
    QSignalSpy changed(model, &PrbsModel::patternChanged);
    QSignalSpy delivered(card, &SimulatedCard::configurationChanged);

    // The answer comes through the card's notification, never from setPattern() itself.
    QVERIFY(model->setPattern(QStringLiteral("2e23")));
    QCOMPARE(changed.count(), 0);
    QTRY_COMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("2e23"));

    // Another setting changes: not a pattern change.
    card->execute(QStringLiteral("speaker off"));
    QTRY_COMPARE(delivered.count(), 2);
    QCOMPARE(changed.count(), 1);

    // The same sequence in its other spelling: not a change either.
    card->setConfigValue(QStringLiteral("pattern"), QStringLiteral("2e23-1"));
    QTRY_COMPARE(delivered.count(), 3);
    QCOMPARE(changed.count(), 1);

    card->setConfigValue(QStringLiteral("pattern"), QStringLiteral("0xBEEF"));
    QTRY_COMPARE(changed.count(), 2);
    QCOMPARE(changed.at(1).at(0).toString(), QStringLiteral("0xBEEF"));
}

void tst_Prbs::modelWithoutControllerSendsNothing()
{
    PrbsModel lonely(nullptr);
    QVERIFY(lonely.pattern().isEmpty());
    QVERIFY(!lonely.setPattern(QStringLiteral("2e23")));
}

void tst_Prbs::choosingAPatternSendsIt_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("keyboard");
    QTest::addColumn<bool>("closeOnChoice");
    QTest::addColumn<QString>("command");

    QTest::newRow("sequence, closing")
        << QStringLiteral("pattern_2e23") << false << true << QStringLiteral("pattern 2e23");
    QTest::newRow("sequence, staying open")
        << QStringLiteral("pattern_2e23") << false << false << QStringLiteral("pattern 2e23");
    QTest::newRow("word with space")
        << QStringLiteral("pattern_all0") << true << true << QStringLiteral("pattern all0");
    QTest::newRow("alternating, staying open")
        << QStringLiteral("pattern_55") << false << false << QStringLiteral("pattern 55");
}

void tst_Prbs::choosingAPatternSendsIt()
{
    QFETCH(QString, button);
    QFETCH(bool, keyboard);
    QFETCH(bool, closeOnChoice);
    QFETCH(QString, command);

    PrbsDialog dialog(nullptr, closeOnChoice);
    QCOMPARE(dialog.closesOnChoice(), closeOnChoice);
    dialog.setModel(model);
    dialog.show(QRect(300, 500, 120, 45));
    card->clearCommandLog();

    auto *choice = dialog.findChild<CheckButton *>(button);
    QVERIFY(choice);
    if (keyboard)
        QTest::keyClick(choice, Qt::Key_Space);
    else
        QTest::mouseClick(choice, Qt::LeftButton);

    QCOMPARE(card->commandLog(), QStringList{command});
    QCOMPARE(dialog.isVisible(), !closeOnChoice);
    QVERIFY(choice->isChecked());
}

void tst_Prbs::choosingTheCardsPatternSendsNothing()
{
    PrbsDialog dialog(nullptr, false);
    dialog.setModel(model);
    dialog.show(QRect(300, 500, 120, 45));
    card->clearCommandLog();

    auto *current = dialog.findChild<CheckButton *>(QStringLiteral("pattern_2e15"));
    QVERIFY(current->isChecked());
    QTest::mouseClick(current, Qt::LeftButton);
    QVERIFY(current->isChecked());
    QCOMPARE(card->commandLog(), QStringList());
}

void tst_Prbs::dialogShowsTheCardsChoice_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("userText");

    QTest::newRow("sequence with -1")
        << QStringLiteral("2e11-1") << QStringLiteral("pattern_2e11") << QString();
    QTest::newRow("all ones") << QStringLiteral("all1") << QStringLiteral("pattern_all1")
                              << QString();
    QTest::newRow("alternating") << QStringLiteral("55") << QStringLiteral("pattern_55")
                                 << QString();
    QTest::newRow("user pattern") << QStringLiteral("0xbeef") << QString()
                                  << QStringLiteral("BEEF");
    QTest::newRow("unknown") << QStringLiteral("bogus") << QString() << QString();
}

void tst_Prbs::dialogShowsTheCardsChoice()
{
    QFETCH(QString, stored);
    QFETCH(QString, checked);
    QFETCH(QString, userText);

    PrbsDialog dialog;
    dialog.setModel(model);
    QCOMPARE(checkedChoice(dialog), QStringLiteral("pattern_2e15"));

    card->setConfigValue(QStringLiteral("pattern"), stored);
    QTRY_COMPARE(checkedChoice(dialog), checked);
    QCOMPARE(dialog.findChild<QLineEdit *>(QStringLiteral("userPattern"))->text(), userText);
}

void tst_Prbs::userPatternIsSentWithApplyOrReturn_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("withReturn");
    QTest::addColumn<QStringList>("commands");

    QTest::newRow("apply") << QStringLiteral("1A2B") << false
                           << QStringList{QStringLiteral("pattern 0x1A2B")};
    QTest::newRow("return") << QStringLiteral("1A2B") << true
                            << QStringList{QStringLiteral("pattern 0x1A2B")};
    QTest::newRow("lower case") << QStringLiteral("dead") << false
                                << QStringList{QStringLiteral("pattern 0xdead")};
    QTest::newRow("nine digits, the ninth refused")
        << QStringLiteral("123456789") << false
        << QStringList{QStringLiteral("pattern 0x12345678")};
    QTest::newRow("not hexadecimal, apply") << QStringLiteral("xyz") << false << QStringList();
    QTest::newRow("not hexadecimal, return") << QStringLiteral("xyz") << true << QStringList();
    QTest::newRow("nothing typed") << QString() << false << QStringList();
}

void tst_Prbs::userPatternIsSentWithApplyOrReturn()
{
    QFETCH(QString, typed);
    QFETCH(bool, withReturn);
    QFETCH(QStringList, commands);

    PrbsDialog dialog(nullptr, false);
    dialog.setModel(model);
    dialog.show(QRect(300, 500, 120, 45));
    card->clearCommandLog();

    auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("userPattern"));
    auto *apply = dialog.findChild<CheckButton *>(QStringLiteral("applyUserPattern"));
    QTest::keyClicks(edit, typed);
    QCOMPARE(apply->isEnabled(), !commands.isEmpty());
    if (withReturn)
        QTest::keyClick(edit, Qt::Key_Return);
    else
        QTest::mouseClick(apply, Qt::LeftButton);
    QCOMPARE(card->commandLog(), commands);
    if (!commands.isEmpty())
        QTRY_COMPARE(model->pattern(), commands.first().mid(8));
}

void tst_Prbs::refusedChoiceDoesNotLingerWhenShownAgain()
{
    PrbsDialog dialog;
    dialog.setModel(model);
    dialog.show(QRect(300, 500, 120, 45));

    card->refuseNext(QStringLiteral("pattern generator busy"));
    QTest::mouseClick(dialog.findChild<CheckButton *>(QStringLiteral("pattern_2e9")),
                      Qt::LeftButton);
    QCOMPARE(card->commandLog().last(), QStringLiteral("pattern 2e9"));
    QVERIFY(!dialog.isVisible());

    dialog.show(QRect(300, 500, 120, 45));
    QCOMPARE(checkedChoice(dialog), QStringLiteral("pattern_2e15"));
}

void tst_Prbs::controlsNeedAModel()
{
    PrbsDialog dialog;
    const auto buttons = dialog.findChildren<CheckButton *>();
    QCOMPARE(buttons.size(), PrbsModel::patterns().size() + 1); // and Apply
    auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("userPattern"));
    auto anyEnabled = [&] {
        bool enabled = edit->isEnabled();
        for (const CheckButton *button : buttons)
            enabled = enabled || button->isEnabled();
        return enabled;
    };
    QVERIFY(!anyEnabled());
    QCOMPARE(checkedChoice(dialog), QString());

    auto *own = new PrbsModel(card->controller());
    dialog.setModel(own);
    QVERIFY(anyEnabled());
    QCOMPARE(checkedChoice(dialog), QStringLiteral("pattern_2e15"));

    delete own;
    QVERIFY(!dialog.model());
    QVERIFY(!anyEnabled());
}

QTEST_MAIN(tst_Prbs)
#include "tst_prbs.moc"
