// SPDX-License-Identifier: GPL-3.0-or-later

// What a configuration update costs once it reaches the plug-in: the host calls configUpdated()
// with the timeslot window, the launcher button, the status item and the voice dialog on screen,
// and Qt then lays out and paints whatever the update touched. An update that changes nothing
// must touch nothing: the program fails when any widget paints or relayouts after one.
//
//   bench_configupdate                 QBENCHMARK figures, then the timed loops with the targets
//   bench_configupdate -callgrind      instruction counts (under valgrind)

#include "timeslots.h"

#include <simulatedcard.h>

#include <QElapsedTimer>
#include <QPushButton>
#include <QtTest>

namespace {

// Paints and relayouts of every widget in the application, by widget.
class RedrawCounter : public QObject
{
public:
    int paints = 0;
    int layouts = 0;
    QMap<QString, int> byWidget;

    void reset()
    {
        paints = 0;
        layouts = 0;
        byWidget.clear();
    }

    void print(const char *after) const
    {
        qInfo("after %s: %d paints, %d layout requests", after, paints, layouts);
        for (auto it = byWidget.constBegin(); it != byWidget.constEnd(); ++it)
            qInfo("  %s: %d", qPrintable(it.key()), it.value());
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!watched->isWidgetType())
            return false;
        if (event->type() == QEvent::Paint)
            ++paints;
        else if (event->type() == QEvent::LayoutRequest)
            ++layouts;
        else
            return false;
        const QString name = watched->objectName().isEmpty()
            ? QString::fromLatin1(watched->metaObject()->className())
            : watched->objectName();
        ++byWidget[name];
        return false;
    }
};

QString slotKey(const char *direction, int slot)
{
    return QStringLiteral("timeslot-%1-%2").arg(QLatin1String(direction)).arg(slot);
}

// The offscreen platform says so each time a popup asks for what it cannot do.
QtMessageHandler defaultHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    defaultHandler(type, context, message);
}

} // namespace

class bench_ConfigUpdate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void updateChangingNothing();
    void updateChangingAllTimeslots();
    void figures();

private:
    void deliverUpdate();
    void handleUpdate();
    void flushLayoutsAndPaints();
    void flipAllTimeslots();
    double meanMs(int iterations, bool flip, bool withRepaint);

    SimulatedCard *card = nullptr;
    TimeSlots *plugin = nullptr;
    RedrawCounter counter;
    QVariantMap configuration;
    bool flipped = false;
};

void bench_ConfigUpdate::initTestCase()
{
    defaultHandler = qInstallMessageHandler(quietHandler);
}

// The card as it leaves the factory (PCM30 with CRC, voice on timeslot 5 both ways, tone and
// loudspeaker on), every widget of the plug-in built and on screen, the voice dialog open, all
// of it painted once.
void bench_ConfigUpdate::init()
{
    card = new SimulatedCard(QStringLiteral("e1"));
    plugin = new TimeSlots;
    QWidget *window = plugin->window();
    window->show();
    plugin->button()->show();
    plugin->statusPanelItem()->show();
    window->findChild<QPushButton *>(QStringLiteral("btnPrbs"))->click();
    window->findChild<QPushButton *>(QStringLiteral("btnVoiceFunc"))->click();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_VERIFY(!card->notificationPending());
    QTest::qWait(50);
    QVERIFY(window->isVisible() && plugin->button()->isVisible());
    QVERIFY(plugin->statusPanelItem()->isVisible());
    configuration = card->configuration();
    flipped = false;
    counter.reset();
    qApp->installEventFilter(&counter);
}

void bench_ConfigUpdate::cleanup()
{
    qApp->removeEventFilter(&counter);
    delete plugin;
    plugin = nullptr;
    delete card;
    card = nullptr;
}

// The host's call, then what Qt does with the layouts and paints it caused. The card's own
// notification is left queued: it would repeat the same update.
void bench_ConfigUpdate::deliverUpdate()
{
    handleUpdate();
    flushLayoutsAndPaints();
}

void bench_ConfigUpdate::handleUpdate()
{
    static_cast<LauncherPlugin *>(plugin)->configUpdated(configuration);
}

void bench_ConfigUpdate::flushLayoutsAndPaints()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

// Every timeslot 1 to 31 of both directions takes another value: receive between PRBS and off,
// transmit the other way round. No slot carries voice in either state.
void bench_ConfigUpdate::flipAllTimeslots()
{
    flipped = !flipped;
    const QString pat = QStringLiteral("pat");
    const QString none = QStringLiteral("none");
    for (int slot = 1; slot <= 31; ++slot) {
        card->setConfigValue(slotKey("rx", slot), flipped ? pat : none);
        card->setConfigValue(slotKey("tx", slot), flipped ? none : pat);
    }
}

// The mean of a plain timed loop; the card's writes stay outside the time.
double bench_ConfigUpdate::meanMs(int iterations, bool flip, bool withRepaint)
{
    qint64 nanoseconds = 0;
    for (int i = 0; i < iterations; ++i) {
        if (flip)
            flipAllTimeslots();
        QElapsedTimer timer;
        timer.start();
        handleUpdate();
        if (withRepaint)
            flushLayoutsAndPaints();
        nanoseconds += timer.nsecsElapsed();
        if (!withRepaint)
            flushLayoutsAndPaints();
    }
    return nanoseconds / 1e6 / iterations;
}

void bench_ConfigUpdate::updateChangingNothing()
{
    QBENCHMARK {
        deliverUpdate();
    }
    QVERIFY2(counter.paints == 0 && counter.layouts == 0, "an update that changed nothing redrew");
}

// Includes the card's own 62 writes, which the timed loops of figures() leave out.
void bench_ConfigUpdate::updateChangingAllTimeslots()
{
    card->setConfigValue(QStringLiteral("structure"), QStringLiteral("pcm31"));
    flipAllTimeslots();
    deliverUpdate();

    QBENCHMARK {
        flipAllTimeslots();
        deliverUpdate();
    }
    QVERIFY(counter.paints > 0);
}

// The same updates in plain timed loops, with their targets and the redraws they caused.
void bench_ConfigUpdate::figures()
{
    const auto verdict = [](double ms, double target) { return ms < target ? "met" : "MISSED"; };

    const double unchanged = meanMs(2000, false, true);
    qInfo("update changing nothing: %.3f ms (target < 0.2 ms: %s)", unchanged,
          verdict(unchanged, 0.2));
    counter.print("2000 updates changing nothing");
    QVERIFY2(counter.paints == 0, "a widget was repainted by an update that changed nothing");
    QVERIFY2(counter.layouts == 0, "a layout was redone by an update that changed nothing");

    card->setConfigValue(QStringLiteral("structure"), QStringLiteral("pcm31"));
    flipAllTimeslots();
    deliverUpdate();
    counter.reset();
    const double changed = meanMs(200, true, true);
    const double handled = meanMs(200, true, false);
    qInfo("update changing all 62 timeslots: %.3f ms with the repaint, %.3f ms without "
          "(target < 2 ms: %s)",
          changed, handled, verdict(changed, 2.0));
    counter.print("400 updates changing all timeslots");
    QVERIFY2(counter.paints > 0, "the changed slot panels were never painted");
}

QTEST_MAIN(bench_ConfigUpdate)
#include "bench_configupdate.moc"
