// SPDX-License-Identifier: GPL-3.0-or-later
#include "statuslabel.h"

#include <QTest>

class tst_StatusLabel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void cellsReadBackAndReplace();
    void sizeHintFollowsTheContent_data();
    void sizeHintFollowsTheContent();
    void identicalContentCostsNothing();

private:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        paints += watched == label && event->type() == QEvent::Paint;
        relayouts += watched == top && event->type() == QEvent::LayoutRequest;
        return false;
    }
    // Lets pending work happen: (1, 0) when the label was repainted, (0, 1) relaid out.
    QPoint settle()
    {
        paints = relayouts = 0;
        QCoreApplication::processEvents();
        return QPoint(qMin(paints, 1), qMin(relayouts, 1));
    }

    QWidget *top = nullptr;
    StatusLabel *label = nullptr;
    int paints = 0, relayouts = 0;
};

void tst_StatusLabel::init()
{
    top = new QWidget;
    label = new StatusLabel(top);
    top->show();
    QVERIFY(QTest::qWaitForWindowExposed(top));
    top->installEventFilter(this);
    label->installEventFilter(this);
}

void tst_StatusLabel::cleanup()
{
    delete top;
    top = nullptr;
}

void tst_StatusLabel::cellsReadBackAndReplace()
{
    label->setCell(1, 2, Qt::AlignRight | Qt::AlignTop, QStringLiteral("Timeslots"), Qt::red, -3);
    QCOMPARE(label->cellText(1, 2), QStringLiteral("Timeslots"));
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

void tst_StatusLabel::sizeHintFollowsTheContent_data()
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

void tst_StatusLabel::sizeHintFollowsTheContent()
{
    QFETCH(QPoint, cell);
    QFETCH(QString, text);
    QFETCH(int, size);
    QFETCH(QSize, change);
    auto sign = [](int value) { return (value > 0) - (value < 0); };
    label->setCell(0, 0, Qt::AlignLeft, QStringLiteral("PRBS: 2e15-1"), QColor(), 0);
    const QSize before = label->sizeHint();
    label->setCell(cell.x(), cell.y(), Qt::AlignLeft, text, QColor(), size);
    const QSize after = label->sizeHint();
    QCOMPARE(QSize(sign(after.width() - before.width()), sign(after.height() - before.height())),
             change);
}

// Owners rewrite every cell on each update, making their pictures afresh.
void tst_StatusLabel::identicalContentCostsNothing()
{
    QPixmap picture(22, 22);
    picture.fill(Qt::darkYellow);
    auto update = [&](const char *text, const QColor &color, int side) {
        label->setCell(0, 1, Qt::AlignLeft, QString::fromLatin1(text), color, 0);
        label->setCell(2, 2, Qt::AlignRight,
                       side == 22 ? picture.copy() : picture.scaled(side, side));
        return settle();
    };
    update("2e15-1", Qt::black, 22);
    QCOMPARE(update("2e15-1", Qt::black, 22), QPoint(0, 0));
    QCOMPARE(update("2e15-1", Qt::red, 22), QPoint(1, 0));
    QCOMPARE(update("2e23-1 long", Qt::red, 22), QPoint(1, 1));
    QCOMPARE(update("2e23-1 long", Qt::red, 30), QPoint(1, 1));
}

QTEST_MAIN(tst_StatusLabel)
#include "tst_statuslabel.moc"
