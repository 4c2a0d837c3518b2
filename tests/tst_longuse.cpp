// SPDX-License-Identifier: GPL-3.0-or-later

// The plug-in in long use, as on an instrument that runs for weeks: its object built with every
// widget and both dialogs, used, and deleted again, a thousand times in one process; and its
// library loaded and unloaded a hundred times. Leaks are found by LeakSanitizer in the sanitizer
// build; here the resident memory must stay flat after the first cycles.
//
// The test opens the library by path like the launcher and does not link it, so that unloading
// really unmaps it. E1_LONGUSE_CYCLES sets the number of use cycles (1000 unless given; the
// sanitizer build's test run gives fewer, as each cycle is many times slower there).

#include <launcherplugin.h>
#include <simulatedcard.h>

#include <QLibrary>
#include <QPixmapCache>
#include <QPushButton>
#include <QtTest>

#include <unistd.h>

using InstanceFunction = QObject *(*)();

namespace {

const char *const LibraryPath = E1_LIBRARY_DIR "/libtimeslots.so";
// Growth allowed once the caches have filled: far below what one lost window per cycle costs.
const qint64 AllowedGrowthKiB = 3 * 1024;

int useCycles()
{
    bool ok = false;
    const int cycles = qEnvironmentVariableIntValue("E1_LONGUSE_CYCLES", &ok);
    return ok && cycles > 0 ? cycles : 1000;
}

qint64 residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() < 2)
        return -1;
    return fields.at(1).toLongLong() * (sysconf(_SC_PAGESIZE) / 1024);
}

// AddressSanitizer keeps freed memory in quarantine, so resident memory grows there anyway.
constexpr bool residentMemoryMeaningful()
{
#if defined(__SANITIZE_ADDRESS__)
    return false;
#else
    return true;
#endif
}

QPushButton *windowButton(QWidget *window, const char *name)
{
    return window->findChild<QPushButton *>(QLatin1String(name));
}

void closePopups()
{
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
}

// Lets Qt finish with deleted widgets: their deferred deletions and posted events.
void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Keeps every new top-level window off the screen while switched on: such a window counts as
// visible, so the plug-in behaves as on screen, but Qt does not expose it when it is shown. Most
// use cycles run so, and deliver only the card's notifications, never a paint: painting is most
// of a cycle's time. Every tenth cycle shows and paints everything as usual.
class OffScreen : public QObject
{
public:
    bool on = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (on && event->type() == QEvent::Polish && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->isWindow())
                widget->setAttribute(Qt::WA_DontShowOnScreen);
        }
        return false;
    }
};

// The offscreen platform says so each time a popup asks for what it cannot do, thousands of
// times here.
QtMessageHandler defaultHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    defaultHandler(type, context, message);
}

} // namespace

class tst_LongUse : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void repeatedUseKeepsMemoryFlat();
    void libraryLoadsAndUnloadsAgain();

private:
    void useOnce(LauncherPlugin *plugin, int cycle);
    void deliver();

    SimulatedCard *card = nullptr;
    OffScreen offScreen;
    int defaultCacheLimit = 0;
};

void tst_LongUse::initTestCase()
{
    defaultHandler = qInstallMessageHandler(quietHandler);
}

void tst_LongUse::init()
{
    // Qt's pixmap cache remembers the key of every picture it dropped until a timer clears them
    // half a minute later, so under a stream of new widgets it grows for a while. Without the
    // cache, whatever grows is the plug-in's.
    defaultCacheLimit = QPixmapCache::cacheLimit();
    QPixmapCache::setCacheLimit(0);
    qApp->installEventFilter(&offScreen);
    card = new SimulatedCard(QStringLiteral("e1"));
}

void tst_LongUse::cleanup()
{
    qApp->removeEventFilter(&offScreen);
    closePopups();
    delete card;
    card = nullptr;
    settle();
    QPixmapCache::setCacheLimit(defaultCacheLimit);
}

// The card's notifications, and on a cycle on screen everything else that is due.
void tst_LongUse::deliver()
{
    if (offScreen.on)
        QCoreApplication::sendPostedEvents(card, QEvent::MetaCall);
    else
        QCoreApplication::processEvents();
}

// One session of the instrument's user: every widget and both dialogs on screen, a few changes
// from the card and from the user, a measurement started and stopped, the received signal
// published, the dialogs closed again.
void tst_LongUse::useOnce(LauncherPlugin *plugin, int cycle)
{
    QWidget *window = plugin->window();
    QWidget *button = plugin->button();
    QWidget *status = plugin->statusPanelItem();
    QVERIFY(window && button && status);
    window->show();
    button->show();
    status->show();
    windowButton(window, "btnVoiceFunc")->click();
    windowButton(window, "btnPrbs")->click();
    QVERIFY(QApplication::activePopupWidget());

    const QString slot = QStringLiteral("timeslot-rx-%1").arg(1 + cycle % 31);
    card->setConfigValue(slot, cycle % 2 ? QStringLiteral("pat") : QStringLiteral("none"));
    card->setConfigValue(QStringLiteral("pattern"),
                         cycle % 3 ? QStringLiteral("2e15") : QStringLiteral("all1"));
    QVariantMap signal;
    signal.insert(QStringLiteral("level"), QString::number(-6 - cycle % 18));
    signal.insert(QStringLiteral("frequency"), QStringLiteral("1000"));
    card->publishData(QStringLiteral("vfsignal"), signal);
    deliver();
    card->execute(QStringLiteral("timeslot tx %1 pat").arg(1 + cycle % 15));
    card->startMeasurement(QStringLiteral("base"));
    QVERIFY(!window->isEnabled());
    card->stopMeasurement(QStringLiteral("base"));
    deliver();
    closePopups();
    QVERIFY(!QApplication::activePopupWidget());
}

void tst_LongUse::repeatedUseKeepsMemoryFlat()
{
    QLibrary library{QString::fromLatin1(LibraryPath)};
    QVERIFY2(library.load(), qPrintable(library.errorString()));
    auto instance = reinterpret_cast<InstanceFunction>(library.resolve("qt_plugin_instance"));
    QVERIFY(instance);

    const int cycles = useCycles();
    const int warmUp = qMin(100, cycles / 10);
    qint64 residentAfterWarmUp = -1;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        offScreen.on = cycle % 10 != 0;
        QPointer<LauncherPlugin> plugin = qobject_cast<LauncherPlugin *>(instance());
        QVERIFY(plugin);
        QPointer<QWidget> window = plugin->window();
        useOnce(plugin, cycle);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("in use cycle %1").arg(cycle)));
        delete plugin;
        settle();
        QVERIFY2(!window, "the window outlived its plug-in object");
        if (cycle == warmUp)
            residentAfterWarmUp = residentKiB();
    }

    const qint64 growth = residentKiB() - residentAfterWarmUp;
    qInfo("%d use cycles; resident memory grew by %lld KiB after cycle %d", cycles, growth, warmUp);
    QVERIFY(library.unload());
    if (!residentMemoryMeaningful())
        return;
    QVERIFY(residentAfterWarmUp > 0);
    QVERIFY2(growth < AllowedGrowthKiB, qPrintable(QStringLiteral("grew by %1 KiB").arg(growth)));
}

void tst_LongUse::libraryLoadsAndUnloadsAgain()
{
    const QString voiceIcon = QStringLiteral(":/main/resource/voice.png");
    const int cycles = 100;
    qint64 residentAfterWarmUp = -1;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        QLibrary library{QString::fromLatin1(LibraryPath)};
        QVERIFY2(library.load(), qPrintable(library.errorString()));
        QVERIFY(QFile::exists(voiceIcon));
        auto instance = reinterpret_cast<InstanceFunction>(library.resolve("qt_plugin_instance"));
        QVERIFY(instance);
        QPointer<LauncherPlugin> plugin = qobject_cast<LauncherPlugin *>(instance());
        QVERIFY(plugin);
        QCOMPARE(plugin->cardName(), QStringLiteral("e1"));
        plugin->window()->show();
        plugin->statusPanelItem();
        QCoreApplication::processEvents();
        delete plugin;
        settle();
        QVERIFY2(library.unload(), qPrintable(library.errorString()));
        QVERIFY2(!QFile::exists(voiceIcon), "the icons stayed registered after unloading");
        if (cycle == 10)
            residentAfterWarmUp = residentKiB();
    }
    const qint64 growth = residentKiB() - residentAfterWarmUp;
    qInfo("%d loads; resident memory grew by %lld KiB after load 10", cycles, growth);
    if (!residentMemoryMeaningful())
        return;
    QVERIFY2(growth < AllowedGrowthKiB, qPrintable(QStringLiteral("grew by %1 KiB").arg(growth)));
}

QTEST_MAIN(tst_LongUse)
#include "tst_longuse.moc"
