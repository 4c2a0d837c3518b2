// SPDX-License-Identifier: GPL-3.0-or-later

// The check button: the program sets its state without a clicked(), and a click by the user
// changes the state before clicked() arrives, which the voice dialog relies on when it turns a
// click into a command.

#include <checkbutton.h>

#include <QAccessible>
#include <QtTest>

class tst_CheckButton : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void isCheckableFromConstruction();
    void setCheckedEmitsNoClicked_data();
    void setCheckedEmitsNoClicked();
    void userClickTogglesBeforeClicked_data();
    void userClickTogglesBeforeClicked();
    void disabledButtonIgnoresTheUser_data();
    void disabledButtonIgnoresTheUser();
    void plainButtonClicksWithoutState();
    void sizeHintFitsIconAndText();

private:
    CheckButton *button = nullptr;
};

void tst_CheckButton::init()
{
    button = new CheckButton;
    button->setText(QStringLiteral("Loudspeaker"));
    QPixmap pixmap(27, 27);
    pixmap.fill(Qt::darkGray);
    button->setIcon(QIcon(pixmap));
    button->resize(button->sizeHint());
}

void tst_CheckButton::cleanup()
{
    delete button;
    button = nullptr;
}

void tst_CheckButton::isCheckableFromConstruction()
{
    QVERIFY(button->isCheckable());
    QVERIFY(!button->isChecked());
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(button);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Loudspeaker"));
    QVERIFY(accessible->state().checkable);
}

void tst_CheckButton::setCheckedEmitsNoClicked_data()
{
    QTest::addColumn<bool>("start");
    QTest::addColumn<bool>("set");
    QTest::newRow("check") << false << true;
    QTest::newRow("uncheck") << true << false;
    QTest::newRow("check again") << true << true;
    QTest::newRow("uncheck again") << false << false;
}

void tst_CheckButton::setCheckedEmitsNoClicked()
{
    QFETCH(bool, start);
    QFETCH(bool, set);

    button->setChecked(start);
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    QSignalSpy toggled(button, &QAbstractButton::toggled);
    button->setChecked(set);
    QCOMPARE(button->isChecked(), set);
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(toggled.count(), start == set ? 0 : 1);
}

void tst_CheckButton::userClickTogglesBeforeClicked_data()
{
    QTest::addColumn<bool>("start");
    QTest::addColumn<bool>("keyboard");
    QTest::newRow("mouse, unchecked") << false << false;
    QTest::newRow("mouse, checked") << true << false;
    QTest::newRow("space, unchecked") << false << true;
    QTest::newRow("space, checked") << true << true;
}

void tst_CheckButton::userClickTogglesBeforeClicked()
{
    QFETCH(bool, start);
    QFETCH(bool, keyboard);

    button->setChecked(start);
    QStringList order;
    QList<bool> stateAtClicked;
    connect(button, &QAbstractButton::toggled, this,
            [&](bool on) { order << QStringLiteral("toggled(%1)").arg(on); });
    connect(button, &QAbstractButton::clicked, this, [&](bool on) {
        order << QStringLiteral("clicked(%1)").arg(on);
        stateAtClicked << button->isChecked();
    });

    if (keyboard)
        QTest::keyClick(button, Qt::Key_Space);
    else
        QTest::mouseClick(button, Qt::LeftButton);

    const bool now = !start;
    QCOMPARE(button->isChecked(), now);
    QCOMPARE(order,
             (QStringList {QStringLiteral("toggled(%1)").arg(now),
                           QStringLiteral("clicked(%1)").arg(now)}));
    QCOMPARE(stateAtClicked, QList<bool> {now});
}

void tst_CheckButton::disabledButtonIgnoresTheUser_data()
{
    QTest::addColumn<bool>("keyboard");
    QTest::newRow("mouse") << false;
    QTest::newRow("space") << true;
}

void tst_CheckButton::disabledButtonIgnoresTheUser()
{
    QFETCH(bool, keyboard);

    button->setEnabled(false);
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    if (keyboard)
        QTest::keyClick(button, Qt::Key_Space);
    else
        QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!button->isChecked());
    QCOMPARE(clicked.count(), 0);

    // The program can still mirror a setting into it.
    button->setChecked(true);
    QVERIFY(button->isChecked());
}

void tst_CheckButton::plainButtonClicksWithoutState()
{
    button->setCheckable(false);
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::keyClick(button, Qt::Key_Space);
    QCOMPARE(clicked.count(), 2);
    QVERIFY(!button->isChecked());
}

void tst_CheckButton::sizeHintFitsIconAndText()
{
    const QSize hint = button->sizeHint();
    const QFontMetrics metrics(button->font());
    QVERIFY(hint.width() > button->iconSize().width() + metrics.horizontalAdvance(button->text()));
    QVERIFY(hint.height() > qMax(button->iconSize().height(), metrics.height()));
    QVERIFY(button->minimumSizeHint().width() <= hint.width());

    const int withText = hint.width();
    button->setText(button->text() + QStringLiteral(" and more"));
    QVERIFY(button->sizeHint().width() > withText);
}

QTEST_MAIN(tst_CheckButton)
#include "tst_checkbutton.moc"
