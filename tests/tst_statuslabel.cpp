// SPDX-License-Identifier: GPL-3.0-or-later
#include "statuslabel.h"
#include "testsupport.h"

class tst_StatusLabel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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

QTEST_MAIN(tst_StatusLabel)
#include "tst_statuslabel.moc"
