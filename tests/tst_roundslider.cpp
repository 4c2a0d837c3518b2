// SPDX-License-Identifier: GPL-3.0-or-later

// The level dial: its range and clamping, and that positionChanged() reports exactly the
// positions that change, whether the keys, the wheel, a drag or the program moved the dial.

#include <roundslider.h>

#include <QtMath>
#include <QtTest>

namespace {

// A point on the dial at \a degrees (counter-clockwise from three o'clock), \a radius pixels
// from the centre of a 200 x 200 dial.
QPoint onDial(qreal degrees, qreal radius = 70)
{
    const qreal angle = qDegreesToRadians(degrees);
    return QPoint(100 + qRound(radius * std::cos(angle)), 100 - qRound(radius * std::sin(angle)));
}

void moveMouse(QWidget *widget, const QPoint &pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void turnWheel(QWidget *widget, const QPoint &angleDelta)
{
    const QPoint pos = widget->rect().center();
    QWheelEvent wheel(pos, widget->mapToGlobal(pos), QPoint(), angleDelta, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

QList<int> reported(const QSignalSpy &spy)
{
    QList<int> positions;
    for (const QList<QVariant> &arguments : spy)
        positions << arguments.at(0).toInt();
    return positions;
}

} // namespace

class tst_RoundSlider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void rangeIsTheCardsLevelRangeByDefault();
    void setPositionClampsAndReportsOnlyChanges_data();
    void setPositionClampsAndReportsOnlyChanges();
    void narrowingTheRangeMovesThePositionIntoIt();
    void keysMoveByStepsAndStopAtTheEnds_data();
    void keysMoveByStepsAndStopAtTheEnds();
    void wheelMovesOneStepPerNotch_data();
    void wheelMovesOneStepPerNotch();
    void pressJumpsToTheAngle_data();
    void pressJumpsToTheAngle();
    void dragReportsEveryNewPositionOnce();
    void dragStopsAtTheEndInsteadOfJumpingTheGap();
    void disabledDialTakesNoInput();

private:
    RoundSlider *slider = nullptr;
};

void tst_RoundSlider::init()
{
    slider = new RoundSlider;
    slider->resize(200, 200);
}

void tst_RoundSlider::cleanup()
{
    delete slider;
    slider = nullptr;
}

void tst_RoundSlider::rangeIsTheCardsLevelRangeByDefault()
{
    QCOMPARE(slider->minimum(), 0);
    QCOMPARE(slider->maximum(), 100);
    QCOMPARE(slider->position(), 0);
    QVERIFY(!slider->accessibleName().isEmpty());
}

void tst_RoundSlider::setPositionClampsAndReportsOnlyChanges_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QList<int>>("reports");

    QTest::newRow("same position") << 40 << 40 << 40 << QList<int>();
    QTest::newRow("new position") << 40 << 41 << 41 << QList<int> {41};
    QTest::newRow("above the range") << 40 << 150 << 100 << QList<int> {100};
    QTest::newRow("below the range") << 40 << -5 << 0 << QList<int> {0};
    QTest::newRow("above the range at the top") << 100 << 101 << 100 << QList<int>();
    QTest::newRow("below the range at the bottom") << 0 << -1 << 0 << QList<int>();
}

void tst_RoundSlider::setPositionClampsAndReportsOnlyChanges()
{
    QFETCH(int, start);
    QFETCH(int, set);
    QFETCH(int, expected);
    QFETCH(QList<int>, reports);

    slider->setPosition(start);
    QSignalSpy spy(slider, &RoundSlider::positionChanged);
    slider->setPosition(set);
    QCOMPARE(slider->position(), expected);
    QCOMPARE(reported(spy), reports);
}

void tst_RoundSlider::narrowingTheRangeMovesThePositionIntoIt()
{
    slider->setPosition(80);
    QSignalSpy spy(slider, &RoundSlider::positionChanged);
    slider->setRange(10, 50);
    QCOMPARE(slider->position(), 50);
    QCOMPARE(reported(spy), QList<int> {50});

    slider->setRange(20, 60);
    QCOMPARE(slider->position(), 50);
    QCOMPARE(spy.count(), 1);

    // A maximum below the minimum collapses the range onto the minimum.
    slider->setRange(30, 10);
    QCOMPARE(slider->minimum(), 30);
    QCOMPARE(slider->maximum(), 30);
    QCOMPARE(slider->position(), 30);
}

void tst_RoundSlider::keysMoveByStepsAndStopAtTheEnds_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");

    QTest::newRow("up") << 40 << int(Qt::Key_Up) << 41;
    QTest::newRow("right") << 40 << int(Qt::Key_Right) << 41;
    QTest::newRow("down") << 40 << int(Qt::Key_Down) << 39;
    QTest::newRow("left") << 40 << int(Qt::Key_Left) << 39;
    QTest::newRow("page up") << 40 << int(Qt::Key_PageUp) << 50;
    QTest::newRow("page down") << 40 << int(Qt::Key_PageDown) << 30;
    QTest::newRow("home") << 40 << int(Qt::Key_Home) << 0;
    QTest::newRow("end") << 40 << int(Qt::Key_End) << 100;
    QTest::newRow("page up near the top") << 95 << int(Qt::Key_PageUp) << 100;
    QTest::newRow("page down near the bottom") << 5 << int(Qt::Key_PageDown) << 0;
    QTest::newRow("up at the top") << 100 << int(Qt::Key_Up) << 100;
    QTest::newRow("down at the bottom") << 0 << int(Qt::Key_Down) << 0;
    QTest::newRow("end at the top") << 100 << int(Qt::Key_End) << 100;
    QTest::newRow("other key") << 40 << int(Qt::Key_A) << 40;
}

void tst_RoundSlider::keysMoveByStepsAndStopAtTheEnds()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, expected);

    slider->setPosition(start);
    QSignalSpy spy(slider, &RoundSlider::positionChanged);
    QTest::keyClick(slider, Qt::Key(key));
    QCOMPARE(slider->position(), expected);
    QCOMPARE(reported(spy), expected == start ? QList<int>() : QList<int> {expected});
}

void tst_RoundSlider::wheelMovesOneStepPerNotch_data()
{
    QTest::addColumn<QList<QPoint>>("deltas");
    QTest::addColumn<QList<int>>("reports");

    QTest::newRow("one notch up") << QList<QPoint> {{0, 120}} << QList<int> {41};
    QTest::newRow("two notches down") << QList<QPoint> {{0, -240}} << QList<int> {38};
    QTest::newRow("two half notches") << QList<QPoint> {{0, 60}, {0, 60}} << QList<int> {41};
    QTest::newRow("half a notch") << QList<QPoint> {{0, 60}} << QList<int>();
    QTest::newRow("horizontal wheel") << QList<QPoint> {{120, 0}} << QList<int> {41};
    QTest::newRow("notch by notch")
        << QList<QPoint> {{0, 120}, {0, 120}, {0, -120}} << QList<int> {41, 42, 41};
}

void tst_RoundSlider::wheelMovesOneStepPerNotch()
{
    QFETCH(QList<QPoint>, deltas);
    QFETCH(QList<int>, reports);

    slider->setPosition(40);
    QSignalSpy spy(slider, &RoundSlider::positionChanged);
    for (const QPoint &delta : deltas)
        turnWheel(slider, delta);
    QCOMPARE(reported(spy), reports);
    QCOMPARE(slider->position(), reports.isEmpty() ? 40 : reports.last());
}

void tst_RoundSlider::pressJumpsToTheAngle_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("expected");

    // The track runs clockwise from 225 degrees (the minimum) to -45 degrees (the maximum).
    QTest::newRow("start of the track") << onDial(225) << 0;
    QTest::newRow("left") << onDial(180) << 17;
    QTest::newRow("top") << onDial(90) << 50;
    QTest::newRow("right") << onDial(0) << 83;
    QTest::newRow("end of the track") << onDial(-45) << 100;
    QTest::newRow("gap, nearer the start") << onDial(-100) << 0;
    QTest::newRow("gap, nearer the end") << onDial(-80) << 100;
    QTest::newRow("outside the track, same angle") << onDial(90, 95) << 50;
    QTest::newRow("centre") << QPoint(100, 100) << 30;
}

void tst_RoundSlider::pressJumpsToTheAngle()
{
    QFETCH(QPoint, point);
    QFETCH(int, expected);

    slider->setPosition(30);
    QSignalSpy spy(slider, &RoundSlider::positionChanged);
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, point);
    QCOMPARE(slider->position(), expected);
    QCOMPARE(reported(spy), expected == 30 ? QList<int>() : QList<int> {expected});
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, point);
    QCOMPARE(spy.count(), expected == 30 ? 0 : 1);
}

void tst_RoundSlider::dragReportsEveryNewPositionOnce()
{
    QSignalSpy spy(slider, &RoundSlider::positionChanged);
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, onDial(180));
    moveMouse(slider, onDial(135));
    moveMouse(slider, onDial(135, 50)); // same angle, nearer the centre: no new position
    moveMouse(slider, onDial(90));
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, onDial(90));
    moveMouse(slider, onDial(0)); // released: the dial no longer follows
    QCOMPARE(reported(spy), (QList<int> {17, 33, 50}));
    QCOMPARE(slider->position(), 50);
}

void tst_RoundSlider::dragStopsAtTheEndInsteadOfJumpingTheGap()
{
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, onDial(-45));
    QCOMPARE(slider->position(), 100);
    // Past the end and on through the gap towards the start of the track.
    moveMouse(slider, onDial(-80));
    moveMouse(slider, onDial(-100));
    moveMouse(slider, onDial(-130));
    QCOMPARE(slider->position(), 100);
    // Back onto the track near the end, the dial follows again.
    moveMouse(slider, onDial(0));
    QCOMPARE(slider->position(), 83);
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, onDial(0));
}

void tst_RoundSlider::disabledDialTakesNoInput()
{
    slider->setPosition(40);
    slider->setEnabled(false);
    QSignalSpy spy(slider, &RoundSlider::positionChanged);
    QTest::keyClick(slider, Qt::Key_Up);
    turnWheel(slider, QPoint(0, 120));
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, onDial(90));
    moveMouse(slider, onDial(0));
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, onDial(0));
    QCOMPARE(slider->position(), 40);
    QCOMPARE(spy.count(), 0);

    // The program still sets it: the voice dialog mirrors the card's level while disabled.
    slider->setPosition(60);
    QCOMPARE(slider->position(), 60);
}

QTEST_MAIN(tst_RoundSlider)
#include "tst_roundslider.moc"
