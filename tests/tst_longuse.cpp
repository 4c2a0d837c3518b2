// SPDX-License-Identifier: GPL-3.0-or-later

// The plug-in in long use, its library opened by path so that unloading unmaps it: after 100 uses
// that warm the caches up, resident memory (under an emulator, the heap in use) stays flat over
// 1,000 more (E1_LONGUSE_CYCLES) and over 100 loads and unloads.

#include "offscreennotice.h"
#include "testsupport.h"
#include <launcherplugin.h>

#include <malloc.h>
#include <unistd.h>

namespace {

#ifndef E1_EMULATOR
const char *const measured = "resident memory";
qint64 memoryKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    statm.open(QIODevice::ReadOnly);
    return statm.readAll().split(' ').value(1, "-1").toLongLong() * (sysconf(_SC_PAGESIZE) / 1024);
}
#else
// The emulator's resident memory is mostly its own translated code, which grows with every
// library mapped afresh; what the program itself holds is its heap.
const char *const measured = "heap in use";
qint64 memoryKiB()
{
    const struct mallinfo2 heap = mallinfo2();
    return qint64(heap.uordblks + heap.hblkhd) / 1024;
}
#endif

LauncherPlugin *instance(QLibrary &library)
{
    const auto function = reinterpret_cast<QObject *(*)()>(library.resolve("qt_plugin_instance"));
    return function ? qobject_cast<LauncherPlugin *>(function()) : nullptr;
}

// Keeps new windows off the screen while on (most use cycles): shown, but never painted.
struct OffScreen : QObject
{
    bool on = false;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (on && event->type() == QEvent::Polish && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow())
            static_cast<QWidget *>(watched)->setAttribute(Qt::WA_DontShowOnScreen);
        return false;
    }
} offScreen;

void verifyFlat(qint64 before, const char *what)
{
#if !defined(__SANITIZE_ADDRESS__) // its quarantine keeps freed memory resident
    const qint64 growth = memoryKiB() - before;
    qInfo("%s grew by %lld KiB after the first %s", measured, growth, what);
    QVERIFY2(before > 0 && growth < 3 * 1024, qPrintable(QStringLiteral("%1 KiB").arg(growth)));
#else
    Q_UNUSED(before)
    Q_UNUSED(what)
#endif
}

} // namespace

class tst_LongUse : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        dropOffscreenNotices();
        QPixmapCache::setCacheLimit(0); // it keeps dropped pictures' keys for 30 s
        qApp->installEventFilter(&offScreen);
    }

    void repeatedUseKeepsMemoryFlat()
    {
        QLibrary library(QStringLiteral(E1_LIBRARY_DIR "/libtimeslots.so"));
        SimulatedCard card(QStringLiteral("e1"));
        const int given = qEnvironmentVariableIntValue("E1_LONGUSE_CYCLES");
        const int warmUp = 100, cycles = warmUp + (given > 0 ? given : 1000);
        qint64 before = -1;
        for (int cycle = 1; cycle <= cycles; ++cycle) {
            offScreen.on = cycle % 10 != 0;
            const auto deliver = [&] { // on screen everything due, else the card's updates alone
                offScreen.on ? QCoreApplication::sendPostedEvents(&card, QEvent::MetaCall)
                             : QCoreApplication::processEvents();
            };
            QPointer<LauncherPlugin> plugin = instance(library);
            QVERIFY2(plugin, qPrintable(library.errorString()));
            QPointer<QWidget> window = plugin->window();
            for (QWidget *widget : {window.data(), plugin->button(), plugin->statusPanelItem()})
                widget->show();
            window->findChild<QPushButton *>(QStringLiteral("btnVoiceFunc"))->click();
            window->findChild<QPushButton *>(QStringLiteral("btnPrbs"))->click();
            card.setConfigValue("timeslot-rx-" + QString::number(1 + cycle % 31),
                                cycle % 2 ? "pat" : "none");
            card.setConfigValue(QStringLiteral("pattern"), cycle % 3 ? "2e15" : "all1");
            card.publishData(QStringLiteral("vfsignal"),
                             Compat::variantMap({{"level", QString::number(-6 - cycle % 18)},
                                                 {"frequency", "1000"}}));
            deliver();
            card.execute(QStringLiteral("timeslot tx %1 pat").arg(1 + cycle % 15));
            card.startMeasurement(QStringLiteral("base"));
            card.stopMeasurement(QStringLiteral("base"));
            deliver();
            delete plugin;
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY2(!window, "the window outlived its plug-in object");
            before = cycle == warmUp ? memoryKiB() : before;
        }
        QVERIFY(library.unload());
        verifyFlat(before, "100 use cycles");
    }

    void libraryLoadsAndUnloadsAgain()
    {
        const QString voiceIcon = QStringLiteral(":/main/resource/voice.png");
        qint64 before = -1;
        for (int cycle = 1; cycle <= 100; ++cycle) {
            QLibrary library(QStringLiteral(E1_LIBRARY_DIR "/libtimeslots.so"));
            LauncherPlugin *plugin = instance(library);
            QVERIFY2(plugin && QFile::exists(voiceIcon), qPrintable(library.errorString()));
            plugin->window()->show();
            plugin->statusPanelItem();
            QCoreApplication::processEvents();
            delete plugin;
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY2(library.unload(), qPrintable(library.errorString()));
            QVERIFY2(!QFile::exists(voiceIcon), "the icons stayed registered after unloading");
            before = cycle == 10 ? memoryKiB() : before;
        }
        verifyFlat(before, "10 loads");
    }
};

QTEST_MAIN(tst_LongUse)
#include "tst_longuse.moc"
