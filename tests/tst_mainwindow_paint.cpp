// SPDX-License-Identifier: GPL-3.0-or-later

// What the timeslot window paints itself: the separator between the two columns, the brackets
// of the "All slots" switch and the arrow of the "Copy" button. Each view is also saved as a
// PNG file (under $E1_ARTIFACTS) for a look by eye.

#include "mainwindow.h"
#include "timeslots.h"

#include <simulatedcard.h>
#include <switch.h>
#include <switchpanel.h>

#include <QDir>
#include <QPushButton>
#include <QtTest>

namespace {

const QColor Separator(Qt::gray);
const QColor Bracket = QColor(Qt::darkGray).lighter(135);
const QColor ArrowHead = QColor(Qt::darkGray).lighter(130);

// Whether the line of width 2 drawn at x covers one of the pixels around it with the colour.
bool lineAt(const QImage &image, int x, int y, const QColor &color)
{
    for (int dx = -1; dx <= 1; ++dx) {
        if (image.pixelColor(x + dx, y).rgb() == color.rgb())
            return true;
    }
    return false;
}

bool rowAt(const QImage &image, int x, int y, const QColor &color)
{
    for (int dy = -1; dy <= 1; ++dy) {
        if (image.pixelColor(x, y + dy).rgb() == color.rgb())
            return true;
    }
    return false;
}

QString artifactDir()
{
    const QString dir = qEnvironmentVariableIsSet("E1_ARTIFACTS")
        ? qEnvironmentVariable("E1_ARTIFACTS")
        : QDir::tempPath() + QStringLiteral("/e1-artifacts");
    QDir().mkpath(dir);
    return dir;
}

} // namespace

class tst_MainWindowPaint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void viewIsDecorated_data();
    void viewIsDecorated();

private:
    SimulatedCard *card = nullptr;
    TimeSlots *plugin = nullptr;
};

void tst_MainWindowPaint::init()
{
    // The card's factory settings: a PCM30 line with PRBS and one voice slot per direction.
    card = new SimulatedCard(QStringLiteral("e1"));
    plugin = new TimeSlots;
}

void tst_MainWindowPaint::cleanup()
{
    delete plugin;
    plugin = nullptr;
    delete card;
    card = nullptr;
}

void tst_MainWindowPaint::viewIsDecorated_data()
{
    QTest::addColumn<bool>("txFull");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("file");

    // The instrument's screen, and the size the window's form gives it.
    const QSize screen(800, 480);
    const QSize form(543, 398);
    QTest::newRow("receive full") << false << screen << "timeslots-receive-full.png";
    QTest::newRow("transmit full") << true << screen << "timeslots-transmit-full.png";
    QTest::newRow("receive full, form size") << false << form << "timeslots-receive-small.png";
    QTest::newRow("transmit full, form size") << true << form << "timeslots-transmit-small.png";
}

void tst_MainWindowPaint::viewIsDecorated()
{
    QFETCH(bool, txFull);
    QFETCH(QSize, size);
    QFETCH(QString, file);

    QWidget *window = plugin->window();
    window->resize(size);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_VERIFY(!card->notificationPending());
    auto *rxSlots = window->findChild<SwitchPanel *>(QStringLiteral("rxSlots"));
    auto *txSlots = window->findChild<SwitchPanel *>(QStringLiteral("txSlots"));
    if (txFull)
        emit txSlots->clicked();
    QCoreApplication::processEvents();

    const QImage image = window->grab().toImage();
    const QString path = artifactDir() + QLatin1Char('/') + file;
    QVERIFY(image.save(path));
    qInfo("%s", qPrintable(path));

    // The separator runs between the two slot panels down to the bottom panel.
    const int x = (rxSlots->geometry().right() + txSlots->geometry().left()) / 2;
    const int bottom = window->findChild<QWidget *>(QStringLiteral("bottomPanel"))->y();
    QVERIFY(lineAt(image, x, 2, Separator));
    QVERIFY(lineAt(image, x, bottom - 3, Separator));

    // The full panel's "All slots" switch hangs in brackets from the panel above it.
    const QString full = txFull ? QStringLiteral("tx") : QStringLiteral("rx");
    const QString compact = txFull ? QStringLiteral("rx") : QStringLiteral("tx");
    auto *holder = window->findChild<QWidget *>(full + QStringLiteral("AllWidget"));
    auto *all = window->findChild<Switch *>(full + QStringLiteral("All"));
    const int d = all->width() / 5;
    const int y = all->geometry().center().y();
    const QPoint origin = holder->mapTo(window, QPoint(0, 0));
    QVERIFY(lineAt(image, origin.x() + d, origin.y() + 2, Bracket));
    QVERIFY(lineAt(image, origin.x() + holder->rect().right() - d, origin.y() + 2, Bracket));
    QVERIFY(rowAt(image, origin.x() + all->geometry().left() - 8, origin.y() + y, Bracket));
    QVERIFY(rowAt(image, origin.x() + all->geometry().right() + 8, origin.y() + y, Bracket));

    // The compact panel's "Copy" button leads up into it with an arrow.
    auto *panel = window->findChild<QWidget *>(compact + QStringLiteral("Panel"));
    auto *copy = panel->findChild<QPushButton *>();
    const QRect b = copy->geometry().translated(panel->mapTo(window, QPoint(0, 0)));
    const QPoint top = panel->mapTo(window, QPoint(0, 0));
    QVERIFY(lineAt(image, b.center().x(), b.top() - 3, Bracket));
    QCOMPARE(image.pixelColor(b.center().x(), top.y() + 10).rgb(), ArrowHead.rgb());
    // ... coming from the other column's side, where the column leaves room beside it.
    const QRect inPanel = copy->geometry();
    if (txFull ? inPanel.right() < panel->width() - 6 : inPanel.left() > 5) {
        const int side = txFull ? b.right() + 5 : b.left() - 5;
        QVERIFY(rowAt(image, side, b.center().y(), Bracket));
    } else {
        QVERIFY(size != QSize(800, 480));
    }
}

QTEST_MAIN(tst_MainWindowPaint)
#include "tst_mainwindow_paint.moc"
