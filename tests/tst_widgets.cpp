// SPDX-License-Identifier: GPL-3.0-or-later
// Small widgets of the widget library: the round slider's position and the status label's size.
#include "testsupport.h"

#include <roundslider.h>
#include <statuslabel.h>

#include <qmath.h>

class tst_Widgets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Steps, separated by commas: "set <position>", "range <minimum> <maximum>", "disable",
    // "key <name>", "wheel <dx> <dy>", and "press", "move" or "release" at "<degrees> [<radius>]"
    // on the 200 x 200 dial, counter-clockwise from three o'clock. The track runs clockwise from
    // 225 degrees (the minimum) to -45 degrees (the maximum).
    void positionChangedReportsEveryChange_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QList<int>>("reports");
        QTest::newRow("set the same") << 40 << "set 40" << QList<int>();
        QTest::newRow("set new") << 40 << "set 41" << (QList<int>() << 41);
        QTest::newRow("set above the range") << 40 << "set 150" << (QList<int>() << 100);
        QTest::newRow("set below the range") << 40 << "set -5" << (QList<int>() << 0);
        QTest::newRow("set above the top") << 100 << "set 101" << QList<int>();
        QTest::newRow("narrower range") << 80 << "range 10 50, range 20 60" << (QList<int>() << 50);
        QTest::newRow("maximum below minimum") << 80 << "range 30 10" << (QList<int>() << 30);
        QTest::newRow("up") << 40 << "key Up" << (QList<int>() << 41);
        QTest::newRow("right") << 40 << "key Right" << (QList<int>() << 41);
        QTest::newRow("down") << 40 << "key Down" << (QList<int>() << 39);
        QTest::newRow("left") << 40 << "key Left" << (QList<int>() << 39);
        QTest::newRow("page up") << 40 << "key PageUp" << (QList<int>() << 50);
        QTest::newRow("page down near the bottom") << 5 << "key PageDown" << (QList<int>() << 0);
        QTest::newRow("home") << 40 << "key Home" << (QList<int>() << 0);
        QTest::newRow("end") << 40 << "key End" << (QList<int>() << 100);
        QTest::newRow("up at the top") << 100 << "key Up" << QList<int>();
        QTest::newRow("other key") << 40 << "key A" << QList<int>();
        QTest::newRow("wheel notch up") << 40 << "wheel 0 120" << (QList<int>() << 41);
        QTest::newRow("wheel two notches down") << 40 << "wheel 0 -240" << (QList<int>() << 38);
        QTest::newRow("wheel half notches")
            << 40 << "wheel 0 60, wheel 0 60" << (QList<int>() << 41);
        QTest::newRow("wheel right") << 40 << "wheel 120 0" << (QList<int>() << 41);
        QTest::newRow("press at the start") << 30 << "press 225" << (QList<int>() << 0);
        QTest::newRow("press at the left") << 30 << "press 180" << (QList<int>() << 17);
        QTest::newRow("press outside the track") << 30 << "press 90 95" << (QList<int>() << 50);
        QTest::newRow("press in the gap, nearer the start")
            << 30 << "press -100" << (QList<int>() << 0);
        QTest::newRow("press in the gap, nearer the end")
            << 30 << "press -80" << (QList<int>() << 100);
        QTest::newRow("drag, nearer the centre, released")
            << 0 << "press 180, move 135, move 135 50, move 90, release 90, move 0"
            << (QList<int>() << 17 << 33 << 50);
        QTest::newRow("drag stops at the end instead of jumping the gap")
            << 0 << "press -45, move -80, move -100, move -130, move 0, release 0"
            << (QList<int>() << 100 << 83);
        QTest::newRow("disabled: the program still sets it")
            << 40 << "disable, key Up, wheel 0 120, press 90, move 0, set 60"
            << (QList<int>() << 60);
    }

    void positionChangedReportsEveryChange()
    {
        QFETCH(int, start);
        QFETCH(QString, steps);
        QFETCH(QList<int>, reports);
        RoundSlider slider;
        QCOMPARE((QVector<int>() << slider.minimum() << slider.position() << slider.maximum()),
                 (QVector<int>() << 0 << 0 << 100));
        slider.resize(200, 200);
        slider.setPosition(start);
        QList<int> reported;
        Compat::connect(&slider, SIGNAL(positionChanged(int)), this,
                        [&](int pos) { reported << pos; });
        for (const QString &step : steps.split(QStringLiteral(", "))) {
            const QStringList word = step.split(QLatin1Char(' '));
            const int a = word.value(1).toInt(), b = word.value(2, QStringLiteral("70")).toInt();
            const QPoint at(100 + qRound(b * qCos(qDegreesToRadians(qreal(a)))),
                            100 - qRound(b * qSin(qDegreesToRadians(qreal(a)))));
            if (word[0] == "set") {
                slider.setPosition(a);
            } else if (word[0] == "range") {
                slider.setRange(a, b);
            } else if (word[0] == "disable") {
                slider.setEnabled(false);
            } else if (word[0] == "key") {
                const QByteArray key = "Key_" + word[1].toLatin1();
                QTest::keyClick(&slider, Compat::key(key.constData()));
            } else if (word[0] == "wheel") {
                Compat::sendWheel(&slider, QPoint(100, 100), QPoint(a, b));
            } else if (word[0] == "press") {
                QTest::mousePress(&slider, Qt::LeftButton, {}, at);
            } else if (word[0] == "release") {
                QTest::mouseRelease(&slider, Qt::LeftButton, {}, at);
            } else if (word[0] == "move") {
                QMouseEvent move(QEvent::MouseMove, at, slider.mapToGlobal(at), Qt::NoButton,
                                 Qt::LeftButton, {});
                QApplication::sendEvent(&slider, &move);
            } else {
                QFAIL(qPrintable("unknown step " + step));
            }
        }
        QCOMPARE(reported, reports);
        QCOMPARE(slider.position(), reports.isEmpty() ? start : reports.last());
    }

    void sizeHintFollowsTheContent_data()
    {
        QTest::addColumn<QPoint>("cell");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("size");
        QTest::addColumn<QSize>("change"); // the sign of each dimension's change
        QTest::newRow("longer text") << QPoint(0, 0) << "PRBS: 2e23-1 long" << 0 << QSize(1, 0);
        QTest::newRow("new column") << QPoint(2, 0) << "VF: on" << 0 << QSize(1, 0);
        QTest::newRow("new row") << QPoint(0, 2) << "x" << 0 << QSize(0, 1);
        QTest::newRow("title") << QPoint(0, 0) << "PRBS: 2e15-1" << -3 << QSize(-1, -1);
        QTest::newRow("larger") << QPoint(0, 0) << "PRBS: 2e15-1" << 3 << QSize(1, 1);
    }
    void sizeHintFollowsTheContent()
    {
        QFETCH(QPoint, cell);
        QFETCH(QString, text);
        QFETCH(int, size);
        const auto sign = [](int value) { return (value > 0) - (value < 0); };
        StatusLabel label;
        label.setCell(0, 0, Qt::AlignLeft, "PRBS: 2e15-1", QColor(), 0);
        const QSize before = label.sizeHint();
        label.setCell(cell.x(), cell.y(), Qt::AlignLeft, text, QColor(), size);
        const QSize after = label.sizeHint();
        QTEST(QSize(sign(after.width() - before.width()), sign(after.height() - before.height())),
              "change");
    }
};

QTEST_MAIN(tst_Widgets)
#include "tst_widgets.moc"
