// SPDX-License-Identifier: GPL-3.0-or-later
// The voice dialog turns a click into a command and mirrors settings with setChecked(): the
// program's changes must not echo as clicks, and a click must show the new state in clicked().
#include "testsupport.h"

#include <checkbutton.h>

class tst_CheckButton : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onlyTheUsersClickEmitsClickedWithTheNewState_data()
    {
        QTest::addColumn<bool>("start");
        QTest::addColumn<QString>("input"); // "mouse", "space" or "set" (setChecked twice)
        QTest::addColumn<bool>("disabled");
        QTest::addColumn<QString>("log");
        QTest::newRow("mouse, unchecked") << false << "mouse" << false << "t1 c1 checked 1";
        QTest::newRow("mouse, checked") << true << "mouse" << false << "t0 c0 checked 0";
        QTest::newRow("space, unchecked") << false << "space" << false << "t1 c1 checked 1";
        QTest::newRow("space, checked") << true << "space" << false << "t0 c0 checked 0";
        QTest::newRow("mouse, disabled") << false << "mouse" << true << "";
        QTest::newRow("space, disabled") << true << "space" << true << "";
        QTest::newRow("set, unchecked") << false << "set" << false << "t1";
        QTest::newRow("set, disabled") << true << "set" << true << "t0";
    }
    void onlyTheUsersClickEmitsClickedWithTheNewState()
    {
        QFETCH(bool, start);
        QFETCH(QString, input);
        QFETCH(bool, disabled);
        CheckButton button;
        button.setText("Loudspeaker");
        button.resize(button.sizeHint());
        QVERIFY(button.isCheckable());
        button.setChecked(start);
        button.setDisabled(disabled); // a disabled button still mirrors the setting
        QStringList log;
        Compat::connect(&button, SIGNAL(toggled(bool)), this,
                        [&](bool on) { log << QString("t%1").arg(on); });
        Compat::connect(&button, SIGNAL(clicked(bool)), this, [&](bool on) {
            log << QString("c%1 checked %2").arg(on).arg(button.isChecked());
        });
        if (input == "set") {
            button.setChecked(!start);
            button.setChecked(!start);
        } else if (input == "space") {
            QTest::keyClick(&button, Qt::Key_Space);
        } else {
            QTest::mouseClick(&button, Qt::LeftButton);
        }
        QTEST(log.join(" "), "log");
        QCOMPARE(button.isChecked(), start != (input == "set" || !disabled));
    }
};

QTEST_MAIN(tst_CheckButton)
#include "tst_checkbutton.moc"
