// SPDX-License-Identifier: GPL-3.0-or-later
#include "switch.h"

#include <QSet>
#include <QSignalSpy>
#include <QTest>

namespace {

QBitArray bits(const QString &pattern)
{
    QBitArray array(pattern.size());
    for (int i = 0; i < pattern.size(); ++i)
        array.setBit(i, pattern.at(i) == QLatin1Char('1'));
    return array;
}

QRect optionRect(QWidget *chooser, int option)
{
    QRect rect;
    QMetaObject::invokeMethod(chooser, "optionRect", Q_RETURN_ARG(QRect, rect), Q_ARG(int, option));
    return rect;
}

} // namespace

class tst_Switch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void pickingAnOptionSelectsAndEmits_data();
    void pickingAnOptionSelectsAndEmits();
    void ownerClearingTheSelectionEndsThere();
    void selectOptionsIsSilent_data();
    void selectOptionsIsSilent();
    void escapeClosesWithoutChoice_data();
    void escapeClosesWithoutChoice();
    void optionColumnsShapeTheChooser_data();
    void optionColumnsShapeTheChooser();
    void disablingClosesTheChooser();
    void captionIsTheAccessibleName();
    void shownSelectionChangesThePicture();

private:
    QWidget *chooser() const;
    bool chooserOpen() const { return chooser() && chooser()->isVisible(); }

    Switch *allSlots = nullptr;
};

void tst_Switch::init()
{
    allSlots = new Switch;
    allSlots->setText(QStringLiteral("All slots"));
    allSlots->setOptionName(0, QStringLiteral("off"));
    allSlots->setOptionName(1, QStringLiteral("PRBS"));
    allSlots->setOptionName(2, QStringLiteral("Voice"));
    QPixmap icon(32, 26);
    icon.fill(Qt::red);
    allSlots->setOptionIcon(2, QIcon(icon));
    allSlots->setOptionSize(QSize(54, 54));
    allSlots->selectOptions(QBitArray(3));
    allSlots->resize(allSlots->sizeHint());
    allSlots->show();
    allSlots->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(allSlots));
    allSlots->setFocus();
}

void tst_Switch::cleanup()
{
    delete allSlots;
    allSlots = nullptr;
}

QWidget *tst_Switch::chooser() const
{
    return allSlots->findChild<QWidget *>(QStringLiteral("optionChooser"));
}

void tst_Switch::pickingAnOptionSelectsAndEmits_data()
{
    QTest::addColumn<bool>("keyboard");
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("selected");
    QTest::newRow("mouse, off") << false << 0 << "100";
    QTest::newRow("mouse, voice") << false << 2 << "001";
    QTest::newRow("keyboard, off") << true << 0 << "100";
    QTest::newRow("keyboard, prbs") << true << 1 << "010";
    QTest::newRow("keyboard, voice") << true << 2 << "001";
}

void tst_Switch::pickingAnOptionSelectsAndEmits()
{
    QFETCH(bool, keyboard);
    QFETCH(int, option);
    QFETCH(QString, selected);
    QSignalSpy chosen(allSlots, &Switch::indexChanged);
    if (keyboard) {
        QTest::keyClick(allSlots, Qt::Key_Space);
        QVERIFY(chooserOpen());
        for (int i = 0; i < option; ++i)
            QTest::keyClick(chooser(), Qt::Key_Right);
        QTest::keyClick(chooser(), Qt::Key_Return);
    } else {
        QTest::mouseClick(allSlots, Qt::LeftButton);
        QVERIFY(chooserOpen());
        QTest::mouseClick(chooser(), Qt::LeftButton, {}, optionRect(chooser(), option).center());
    }
    QVERIFY(!chooserOpen());
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toInt(), option);
    QCOMPARE(allSlots->selectedOptions(), bits(selected));
}

// The timeslot window uses the switch as a one-shot action: it clears the selection again from
// its indexChanged handler.
void tst_Switch::ownerClearingTheSelectionEndsThere()
{
    QSignalSpy chosen(allSlots, &Switch::indexChanged);
    connect(allSlots, &Switch::indexChanged, allSlots,
            [this]() { allSlots->selectOptions(QBitArray(3)); });
    QTest::keyClick(allSlots, Qt::Key_Enter);
    QTest::keyClick(chooser(), Qt::Key_Right);
    QTest::keyClick(chooser(), Qt::Key_Enter);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(allSlots->selectedOptions(), QBitArray(3));
}

void tst_Switch::selectOptionsIsSilent_data()
{
    QTest::addColumn<QString>("selection");
    QTest::newRow("none of three") << "000";
    QTest::newRow("none of two") << "00";
    QTest::newRow("prbs") << "010";
    QTest::newRow("two at once") << "011";
    QTest::newRow("empty") << QString();
}

void tst_Switch::selectOptionsIsSilent()
{
    QFETCH(QString, selection);
    QSignalSpy chosen(allSlots, &Switch::indexChanged);
    allSlots->selectOptions(bits(selection));
    allSlots->selectOptions(bits(selection));
    QCOMPARE(allSlots->selectedOptions(), bits(selection));
    allSlots->selectOptions(bits(QStringLiteral("100")));
    QCOMPARE(chosen.count(), 0);
}

void tst_Switch::escapeClosesWithoutChoice_data()
{
    QTest::addColumn<bool>("toChooser");
    QTest::newRow("escape in the chooser") << true;
    QTest::newRow("escape to the switch") << false;
}

void tst_Switch::escapeClosesWithoutChoice()
{
    QFETCH(bool, toChooser);
    QSignalSpy chosen(allSlots, &Switch::indexChanged);
    QTest::keyClick(allSlots, Qt::Key_Return);
    QVERIFY(chooserOpen());
    QTest::keyClick(toChooser ? chooser() : static_cast<QWidget *>(allSlots), Qt::Key_Escape);
    QVERIFY(!chooserOpen());
    QCOMPARE(chosen.count(), 0);
    QCOMPARE(allSlots->selectedOptions(), QBitArray(3));
}

void tst_Switch::optionColumnsShapeTheChooser_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rowsOfCells");
    QTest::newRow("default: one row") << 0 << 1;
    QTest::newRow("two columns") << 2 << 2;
    QTest::newRow("one column") << 1 << 3;
}

void tst_Switch::optionColumnsShapeTheChooser()
{
    QFETCH(int, columns);
    QFETCH(int, rowsOfCells);
    allSlots->setOptionColumns(columns);
    QCOMPARE(allSlots->optionColumns(), columns);
    QTest::keyClick(allSlots, Qt::Key_Space);
    QVERIFY(chooserOpen());
    QSet<int> tops;
    for (int option = 0; option < allSlots->optionCount(); ++option) {
        const QRect cell = optionRect(chooser(), option);
        QCOMPARE(cell.size(), QSize(54, 54));
        tops.insert(cell.top());
    }
    QCOMPARE(tops.size(), rowsOfCells);
}

void tst_Switch::disablingClosesTheChooser()
{
    QSignalSpy chosen(allSlots, &Switch::indexChanged);
    QTest::keyClick(allSlots, Qt::Key_Space);
    QVERIFY(chooserOpen());
    allSlots->setEnabled(false);
    QVERIFY(!chooserOpen());
    QCOMPARE(chosen.count(), 0);
}

void tst_Switch::captionIsTheAccessibleName()
{
    QCOMPARE(allSlots->accessibleName(), QStringLiteral("All slots"));
    allSlots->setText(QStringLiteral("Alle"));
    QCOMPARE(allSlots->text(), QStringLiteral("Alle"));
    QCOMPARE(allSlots->accessibleName(), QStringLiteral("Alle"));
}

// The chosen option appears on the button, and clearing the selection takes it away again.
void tst_Switch::shownSelectionChangesThePicture()
{
    const QImage none = allSlots->grab().toImage();
    allSlots->selectOptions(bits(QStringLiteral("001")));
    const QImage voice = allSlots->grab().toImage();
    allSlots->selectOptions(bits(QStringLiteral("000")));
    QVERIFY(voice != none);
    QCOMPARE(allSlots->grab().toImage(), none);
}

QTEST_MAIN(tst_Switch)
#include "tst_switch.moc"
