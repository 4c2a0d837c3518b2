// SPDX-License-Identifier: GPL-3.0-or-later
#include "statuslabel.h"

#include <QHash>
#include <QPixmap>
#include <QTest>
#include <QVBoxLayout>

namespace {

// Counts the events of each type that reach the watched objects.
class EventCounter : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        ++counts[qMakePair(watched, event->type())];
        return false;
    }
    int count(QObject *watched, QEvent::Type type) const
    {
        return counts.value(qMakePair(watched, type));
    }
    void reset() { counts.clear(); }

private:
    QHash<QPair<QObject *, QEvent::Type>, int> counts;
};

QPixmap picture(const QSize &size, const QColor &color)
{
    QPixmap pixmap(size);
    pixmap.fill(color);
    return pixmap;
}

} // namespace

class tst_StatusLabel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void textCellsReadBack_data();
    void textCellsReadBack();
    void pictureCellReadsBack();
    void rewritingReplacesTheCell();
    void nullPixmapEmptiesTheCell();
    void gridSpansEveryCellWritten();
    void sizeHintFollowsTheContent_data();
    void sizeHintFollowsTheContent();
    void titleIsSmallerThanNormalText();
    void identicalContentCostsNothing_data();
    void identicalContentCostsNothing();
    void newColourRepaintsWithoutRelayout();

private:
    void settle();

    QWidget *top = nullptr;
    StatusLabel *label = nullptr;
    QWidget *canary = nullptr;
    EventCounter counter;
};

void tst_StatusLabel::init()
{
    top = new QWidget;
    auto *layout = new QVBoxLayout(top);
    label = new StatusLabel(top);
    canary = new QWidget(top);
    canary->setMinimumSize(10, 10);
    layout->addWidget(label);
    layout->addWidget(canary);
    top->show();
    QVERIFY(QTest::qWaitForWindowExposed(top));
    top->installEventFilter(&counter);
    label->installEventFilter(&counter);
    canary->installEventFilter(&counter);
}

void tst_StatusLabel::cleanup()
{
    delete top;
    top = nullptr;
}

// Lets every pending relayout and repaint of the window happen: the canary beside the label is
// painted in the same pass as anything the label asked for.
void tst_StatusLabel::settle()
{
    counter.reset();
    canary->update();
    QTRY_VERIFY(counter.count(canary, QEvent::Paint) > 0);
}

void tst_StatusLabel::textCellsReadBack_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<int>("size");
    QTest::newRow("title") << 0 << 0 << int(Qt::AlignRight | Qt::AlignTop) << "Timeslots"
                           << QColor(Qt::black) << -3;
    QTest::newRow("prbs") << 0 << 1 << int(Qt::AlignLeft | Qt::AlignBottom) << "PRBS: 2e15-1"
                          << QColor(Qt::darkBlue) << 0;
    QTest::newRow("reading") << 1 << 2 << int(Qt::AlignLeft | Qt::AlignVCenter)
                             << "  -12 dB, 1020 Hz" << QColor() << 0;
    QTest::newRow("large") << 3 << 1 << int(Qt::AlignCenter) << "!" << QColor(Qt::red) << 4;
}

void tst_StatusLabel::textCellsReadBack()
{
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(int, alignment);
    QFETCH(QString, text);
    QFETCH(QColor, color);
    QFETCH(int, size);
    label->setCell(column, row, Qt::Alignment(alignment), text, color, size);
    QCOMPARE(label->cellText(column, row), text);
    QCOMPARE(label->cellAlignment(column, row), Qt::Alignment(alignment));
    QCOMPARE(label->cellColor(column, row), color);
    QCOMPARE(label->cellSize(column, row), size);
    QVERIFY(label->cellPixmap(column, row).isNull());
    QVERIFY(label->cellText(column + 1, row).isEmpty());
    QVERIFY(label->cellText(-1, row).isEmpty());
}

void tst_StatusLabel::pictureCellReadsBack()
{
    const QPixmap speaker = picture(QSize(24, 24), Qt::blue);
    label->setCell(0, 2, Qt::AlignLeft | Qt::AlignVCenter, speaker);
    QCOMPARE(label->cellPixmap(0, 2).cacheKey(), speaker.cacheKey());
    QCOMPARE(label->cellAlignment(0, 2), Qt::AlignLeft | Qt::AlignVCenter);
    QVERIFY(label->cellText(0, 2).isEmpty());
}

void tst_StatusLabel::rewritingReplacesTheCell()
{
    label->setCell(1, 1, Qt::AlignCenter, QStringLiteral("VF: off"), QColor(), 0);
    label->setCell(1, 1, Qt::AlignRight, picture(QSize(22, 22), Qt::green));
    QVERIFY(label->cellText(1, 1).isEmpty());
    QCOMPARE(label->cellPixmap(1, 1).size(), QSize(22, 22));
    label->setCell(1, 1, Qt::AlignLeft, QStringLiteral("VF: on"), QColor(), 0);
    QCOMPARE(label->cellText(1, 1), QStringLiteral("VF: on"));
    QCOMPARE(label->cellAlignment(1, 1), Qt::Alignment(Qt::AlignLeft));
    QVERIFY(label->cellPixmap(1, 1).isNull());
}

void tst_StatusLabel::nullPixmapEmptiesTheCell()
{
    label->setCell(0, 0, Qt::AlignLeft, picture(QSize(24, 24), Qt::blue));
    const QSize withPicture = label->sizeHint();
    label->setCell(0, 0, Qt::AlignLeft, QPixmap());
    QVERIFY(label->cellPixmap(0, 0).isNull());
    QVERIFY(label->cellText(0, 0).isEmpty());
    QVERIFY(label->sizeHint().width() < withPicture.width());
    QVERIFY(label->sizeHint().height() < withPicture.height());
}

void tst_StatusLabel::gridSpansEveryCellWritten()
{
    QCOMPARE(label->columnCount(), 0);
    QCOMPARE(label->rowCount(), 0);
    label->setCell(2, 0, Qt::AlignLeft, QPixmap());
    label->setCell(0, 3, Qt::AlignLeft, QStringLiteral("x"), QColor(), 0);
    QCOMPARE(label->columnCount(), 3);
    QCOMPARE(label->rowCount(), 4);
}

void tst_StatusLabel::sizeHintFollowsTheContent_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("wider");
    QTest::addColumn<bool>("taller");
    QTest::newRow("longer text in the widest column")
        << 0 << 0 << "PRBS: 2e23-1 long" << true << false;
    QTest::newRow("shorter text in the widest column") << 0 << 0 << "P" << false << false;
    QTest::newRow("new column") << 2 << 0 << "VF: on" << true << false;
    QTest::newRow("new row") << 0 << 2 << "x" << false << true;
}

void tst_StatusLabel::sizeHintFollowsTheContent()
{
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(bool, wider);
    QFETCH(bool, taller);
    label->setCell(0, 0, Qt::AlignLeft, QStringLiteral("PRBS: 2e15-1"), QColor(), 0);
    label->setCell(1, 1, Qt::AlignLeft, QStringLiteral("on"), QColor(), 0);
    const QSize before = label->sizeHint();
    label->setCell(column, row, Qt::AlignLeft, text, QColor(), 0);
    const QSize after = label->sizeHint();
    QCOMPARE(after.width() > before.width(), wider);
    QCOMPARE(after.height() > before.height(), taller);
    QVERIFY(after.width() >= label->fontMetrics().horizontalAdvance(text));
}

void tst_StatusLabel::titleIsSmallerThanNormalText()
{
    QFont font = label->font();
    font.setPointSize(12);
    label->setFont(font);
    const QString text = QStringLiteral("Timeslots");
    label->setCell(0, 0, Qt::AlignLeft, text, QColor(), -3);
    const QSize title = label->sizeHint();
    label->setCell(0, 0, Qt::AlignLeft, text, QColor(), 0);
    const QSize normal = label->sizeHint();
    label->setCell(0, 0, Qt::AlignLeft, text, QColor(), 3);
    const QSize large = label->sizeHint();
    QVERIFY(title.width() < normal.width());
    QVERIFY(title.height() < normal.height());
    QVERIFY(large.width() > normal.width());
}

void tst_StatusLabel::identicalContentCostsNothing_data()
{
    QTest::addColumn<bool>("pictureCell");
    QTest::addColumn<bool>("reloaded");
    QTest::newRow("text") << false << false;
    QTest::newRow("same picture") << true << false;
    QTest::newRow("picture made afresh") << true << true;
}

void tst_StatusLabel::identicalContentCostsNothing()
{
    QFETCH(bool, pictureCell);
    QFETCH(bool, reloaded);
    const QImage image = picture(QSize(22, 22), Qt::darkYellow).toImage();
    auto write = [&](const QString &text) {
        if (pictureCell) {
            label->setCell(2, 2, Qt::AlignRight, QPixmap::fromImage(image));
            if (!reloaded)
                label->setCell(2, 2, Qt::AlignRight, label->cellPixmap(2, 2));
        } else {
            label->setCell(0, 1, Qt::AlignLeft | Qt::AlignBottom, text, QColor(Qt::black), 0);
        }
    };
    write(QStringLiteral("PRBS: 2e15-1"));
    settle();

    write(QStringLiteral("PRBS: 2e15-1"));
    settle();
    QCOMPARE(counter.count(label, QEvent::Paint), 0);
    QCOMPARE(counter.count(top, QEvent::LayoutRequest), 0);

    // The same watch sees a real change.
    if (pictureCell)
        label->setCell(2, 2, Qt::AlignRight, picture(QSize(30, 30), Qt::red));
    else
        write(QStringLiteral("PRBS: 2e23-1"));
    settle();
    QVERIFY(counter.count(label, QEvent::Paint) > 0);
    QVERIFY(counter.count(top, QEvent::LayoutRequest) > 0);
}

void tst_StatusLabel::newColourRepaintsWithoutRelayout()
{
    label->setCell(0, 1, Qt::AlignLeft, QStringLiteral("VF: on"), QColor(Qt::black), 0);
    settle();
    label->setCell(0, 1, Qt::AlignLeft, QStringLiteral("VF: on"), QColor(Qt::red), 0);
    settle();
    QVERIFY(counter.count(label, QEvent::Paint) > 0);
    QCOMPARE(counter.count(top, QEvent::LayoutRequest), 0);
}

QTEST_MAIN(tst_StatusLabel)
#include "tst_statuslabel.moc"
