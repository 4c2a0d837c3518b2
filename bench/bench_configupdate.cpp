// SPDX-License-Identifier: GPL-3.0-or-later

// What an update costs, from the host's configUpdated() to the layouts and paints it causes, with
// the window, button, status item and voice dialog on screen; the program fails when one changing
// nothing paints or relayouts any widget. Run with -callgrind for instruction counts.

#include "timeslots.h"

#include <simulatedcard.h>

#include <QElapsedTimer>
#include <QPushButton>
#include <QtTest>

namespace {

// Paints and relayouts of every widget in the application, by widget.
struct RedrawCounter : QObject
{
    int paints = 0;
    int layouts = 0;
    QMap<QString, int> byWidget;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool paint = event->type() == QEvent::Paint;
        if (watched->isWidgetType() && (paint || event->type() == QEvent::LayoutRequest)) {
            ++(paint ? paints : layouts);
            ++byWidget[watched->objectName().isEmpty() ? watched->metaObject()->className()
                                                       : watched->objectName()];
        }
        return false;
    }
};

} // namespace

class bench_ConfigUpdate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Compat::dropWarnings(); }

    // The factory settings, every widget on screen and painted; changing: all 31 slots, flipped.
    void init()
    {
        card = new SimulatedCard(QStringLiteral("e1"));
        plugin = new TimeSlots;
        counter = new RedrawCounter;
        QWidget *window = plugin->window();
        for (QWidget *widget : {window, plugin->button(), plugin->statusPanelItem()})
            widget->show();
        window->findChild<QPushButton *>(QStringLiteral("btnPrbs"))->click();
        window->findChild<QPushButton *>(QStringLiteral("btnVoiceFunc"))->click();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTRY_VERIFY(!card->notificationPending());
        QTest::qWait(50);
        configuration = card->configuration();
        flipped = false;
        if (QTest::currentDataTag() != QLatin1String("changing nothing")) {
            card->setConfigValue(QStringLiteral("structure"), QStringLiteral("pcm31"));
            flipAllTimeslots();
            handleUpdate();
            flushLayoutsAndPaints();
        }
        qApp->installEventFilter(counter);
    }

    void cleanup()
    {
        delete counter;
        delete plugin;
        delete card;
    }

    void update_data()
    {
        QTest::addColumn<bool>("changing");
        QTest::addColumn<int>("iterations");
        QTest::addColumn<double>("targetMs");
        QTest::newRow("changing nothing") << false << 2000 << 0.2;
        QTest::newRow("changing all 62 timeslots") << true << 400 << 2.0;
    }

    void update()
    {
        QFETCH(bool, changing);
        QBENCHMARK {
            if (changing)
                flipAllTimeslots();
            handleUpdate();
            flushLayoutsAndPaints();
        }
        QVERIFY(changing ? counter->paints > 0 : counter->paints + counter->layouts == 0);
    }

    void figures_data() { update_data(); }

    // Plain timed loops, the card's writes outside the time, with targets and redraws.
    void figures()
    {
        QFETCH(bool, changing);
        QFETCH(int, iterations);
        QFETCH(double, targetMs);
        qint64 handling = 0, withRepaint = 0;
        for (int i = 0; i < iterations; ++i) {
            if (changing)
                flipAllTimeslots();
            const Compat::Stopwatch timer;
            handleUpdate();
            handling += timer.nsecsElapsed();
            flushLayoutsAndPaints();
            withRepaint += timer.nsecsElapsed();
        }
        const double ms = withRepaint / 1e6 / iterations;
        qInfo("update %s: %.3f ms with the repaint, %.3f ms the plug-in's handling alone "
              "(target < %g ms: %s)",
              QTest::currentDataTag(), ms, handling / 1e6 / iterations, targetMs,
              ms < targetMs ? "met" : "MISSED");
        qInfo("%d updates: %d paints, %d layout requests", iterations, counter->paints,
              counter->layouts);
        for (auto it = counter->byWidget.constBegin(); it != counter->byWidget.constEnd(); ++it)
            qInfo("  %s: %d", qPrintable(it.key()), it.value());
        QVERIFY(changing ? counter->paints > 0 : counter->paints + counter->layouts == 0);
    }

private:
    // The host's call; the card's own notification stays queued, as it would repeat the update.
    void handleUpdate() { static_cast<LauncherPlugin *>(plugin)->configUpdated(configuration); }

    void flushLayoutsAndPaints()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }

    // Every timeslot of both directions takes another value, none of them voice.
    void flipAllTimeslots()
    {
        flipped = !flipped;
        for (int slot = 1; slot <= 31; ++slot)
            for (const char *side : {"rx", "tx"})
                card->setConfigValue(QStringLiteral("timeslot-%1-%2").arg(side).arg(slot),
                                     (side[0] == 'r') == flipped ? "pat" : "none");
    }

    SimulatedCard *card = nullptr;
    TimeSlots *plugin = nullptr;
    RedrawCounter *counter = nullptr;
    QVariantMap configuration;
    bool flipped = false;
};

QTEST_MAIN(bench_ConfigUpdate)
#include "bench_configupdate.moc"
