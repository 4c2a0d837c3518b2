// SPDX-License-Identifier: GPL-3.0-or-later
// The voice dialog turns a click into a command and mirrors settings with setChecked(): the
// program's changes must not echo as clicks, and a click must show the new state in clicked().
#include <checkbutton.h>

#include <QtTest>

class tst_CheckButton : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void setCheckedEmitsNoClicked();
    void userClickTogglesBeforeClicked_data();
    void userClickTogglesBeforeClicked();

private:
    CheckButton *button = nullptr;
    QStringList log;
};

void tst_CheckButton::init()
{
    button = new CheckButton;
    button->setText(QStringLiteral("Loudspeaker"));
    button->resize(button->sizeHint());
    QVERIFY(button->isCheckable());
    log.clear();
    connect(button, &QAbstractButton::toggled, this,
            [this](bool on) { log << QStringLiteral("toggled(%1)").arg(on); });
    connect(button, &QAbstractButton::clicked, this, [this](bool on) {
        log << QStringLiteral("clicked(%1), checked %2").arg(on).arg(button->isChecked());
    });
}

void tst_CheckButton::cleanup()
{
    delete button;
    button = nullptr;
}

void tst_CheckButton::setCheckedEmitsNoClicked()
{
    for (bool on : {true, true, false, false})
        button->setChecked(on);
    button->setEnabled(false); // a disabled button still mirrors the setting
    button->setChecked(true);
    QVERIFY(button->isChecked());
    QCOMPARE(log, QStringList({"toggled(1)", "toggled(0)", "toggled(1)"}));
}

void tst_CheckButton::userClickTogglesBeforeClicked_data()
{
    QTest::addColumn<bool>("start");
    QTest::addColumn<bool>("keyboard");
    QTest::addColumn<bool>("disabled");
    QTest::newRow("mouse, unchecked") << false << false << false;
    QTest::newRow("mouse, checked") << true << false << false;
    QTest::newRow("space, unchecked") << false << true << false;
    QTest::newRow("space, checked") << true << true << false;
    QTest::newRow("mouse, disabled") << false << false << true;
    QTest::newRow("space, disabled") << true << true << true;
}

void tst_CheckButton::userClickTogglesBeforeClicked()
{
    QFETCH(bool, start);
    QFETCH(bool, keyboard);
    QFETCH(bool, disabled);
    button->setChecked(start);
    button->setDisabled(disabled);
    log.clear();
    if (keyboard)
        QTest::keyClick(button, Qt::Key_Space);
    else
        QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(button->isChecked(), disabled ? start : !start);
    const QStringList expected({QStringLiteral("toggled(%1)").arg(!start),
                                QStringLiteral("clicked(%1), checked %1").arg(!start)});
    QCOMPARE(log, disabled ? QStringList() : expected);
}

QTEST_MAIN(tst_CheckButton)
#include "tst_checkbutton.moc"
