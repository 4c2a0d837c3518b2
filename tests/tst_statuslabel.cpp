// SPDX-License-Identifier: GPL-3.0-or-later
#include "statuslabel.h"

#include <QTest>

class tst_StatusLabel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        top = new QWidget;
        label = new StatusLabel(top);
        top->show();
        QVERIFY(QTest::qWaitForWindowExposed(top));
        top->installEventFilter(this);
        label->installEventFilter(this);
    }
    void cleanup() { delete top; }

    void cellsReadBackAndReplace()
    {
        label->setCell(1, 2, Qt::AlignRight | Qt::AlignTop, "Timeslots", Qt::red, -3);
        QCOMPARE(label->cellText(1, 2), "Timeslots");
        QCOMPARE(label->cellAlignment(1, 2), Qt::AlignRight | Qt::AlignTop);
        QCOMPARE(label->cellColor(1, 2), QColor(Qt::red));
        QCOMPARE(label->cellSize(1, 2), -3);
        QCOMPARE(QSize(label->columnCount(), label->rowCount()), QSize(2, 3));
        const QPixmap speaker(40, 40);
        label->setCell(1, 2, Qt::AlignLeft, speaker);
        QVERIFY(label->cellText(1, 2).isEmpty());
        QCOMPARE(label->cellPixmap(1, 2).cacheKey(), speaker.cacheKey());
        QCOMPARE(label->cellAlignment(1, 2), Qt::AlignLeft);
        const QSize withPicture = label->sizeHint();
        label->setCell(1, 2, Qt::AlignLeft, QPixmap());
        QVERIFY(label->cellPixmap(1, 2).isNull());
        QVERIFY(label->sizeHint().height() < withPicture.height());
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
        label->setCell(0, 0, Qt::AlignLeft, "PRBS: 2e15-1", QColor(), 0);
        const QSize before = label->sizeHint();
        label->setCell(cell.x(), cell.y(), Qt::AlignLeft, text, QColor(), size);
        const QSize after = label->sizeHint();
        QTEST(QSize(sign(after.width() - before.width()), sign(after.height() - before.height())),
              "change");
    }

    // Owners rewrite every cell on each update, making their pictures afresh: "1 0" when the
    // label was repainted, "0 1" when it was laid out again.
    void identicalContentCostsNothing()
    {
        QPixmap picture(22, 22);
        picture.fill(Qt::darkYellow);
        QStringList costs;
        const struct
        {
            const char *text;
            Qt::GlobalColor color;
            int side;
        } updates[] = {{"2e15-1", Qt::black, 22},
                       {"2e15-1", Qt::black, 22},
                       {"2e15-1", Qt::red, 22},
                       {"2e23-1 long", Qt::red, 22},
                       {"2e23-1 long", Qt::red, 30}};
        for (const auto &update : updates) {
            label->setCell(0, 1, Qt::AlignLeft, update.text, update.color, 0);
            label->setCell(2, 2, Qt::AlignRight, picture.copy().scaled(update.side, update.side));
            paints = relayouts = 0;
            QCoreApplication::processEvents();
            costs << QString("%1 %2").arg(paints > 0).arg(relayouts > 0);
        }
        QCOMPARE(costs.mid(1),
                 (QStringList() << "0 0"
                                << "1 0"
                                << "1 1"
                                << "1 1"));
    }

private:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        paints += watched == label && event->type() == QEvent::Paint;
        relayouts += watched == top && event->type() == QEvent::LayoutRequest;
        return false;
    }

    QWidget *top = nullptr;
    StatusLabel *label = nullptr;
    int paints = 0, relayouts = 0;
};

QTEST_MAIN(tst_StatusLabel)
#include "tst_statuslabel.moc"
