// SPDX-License-Identifier: GPL-3.0-or-later

// The plug-in's start as the launcher meets it, from the library not yet loaded to the window
// painted, and the memory every widget and both dialogs cost. The first start is timed by the
// clock; the QBENCHMARK loads, starts and unloads again and again (-callgrind counts instructions).

#include <launcherplugin.h>
#include <simulatedcard.h>

#include <QElapsedTimer>
#include <QLibrary>
#include <QPushButton>
#include <QtTest>

#include <unistd.h>

namespace {

qint64 residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    statm.open(QIODevice::ReadOnly);
    return statm.readAll().split(' ').value(1, "-1").toLongLong() * (sysconf(_SC_PAGESIZE) / 1024);
}

struct PaintWatch : QObject
{
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
};

// Shows the widget and returns once it has been painted.
void showPainted(QWidget *widget)
{
    PaintWatch watch;
    widget->installEventFilter(&watch);
    widget->show();
    QElapsedTimer limit;
    limit.start();
    while (!watch.painted && limit.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

class bench_Startup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The launcher's own window is up first, with the instrument's font and Qt's style in use.
    void initTestCase()
    {
        Compat::dropWarnings();
        host.setFont(QFont(QStringLiteral("Liberation Sans"), 14, QFont::Bold));
        showPainted(&host);
        QVERIFY(!library.isLoaded());
    }

    // Then the launcher button, the status item and both dialogs, each on screen and painted.
    void firstStart()
    {
        const qint64 residentBefore = residentKiB();
        const Compat::Stopwatch timer;
        LauncherPlugin *plugin = start();
        const double ms = timer.nsecsElapsed() / 1e6;
        QVERIFY2(plugin, qPrintable(library.errorString()));
        showPainted(plugin->button());
        showPainted(plugin->statusPanelItem());
        QWidget *window = plugin->window();
        for (const char *dialog : {"btnVoiceFunc", "btnPrbs"}) {
            window->findChild<QPushButton *>(QLatin1String(dialog))->click();
            showPainted(QApplication::activePopupWidget());
        }
        QCoreApplication::processEvents();
        const qint64 growth = residentKiB() - residentBefore;
        qInfo("first start, load to window painted: %.1f ms (target < 150 ms: %s); resident "
              "memory, load to every widget and both dialogs built: %lld KiB (target < 8192: %s)",
              ms, ms < 150 ? "met" : "MISSED", growth, growth < 8192 ? "met" : "MISSED");
        stop(plugin);
        QVERIFY(!library.isLoaded());
    }

    void loadToPainted()
    {
        QBENCHMARK {
            stop(start());
        }
    }

private:
    LauncherPlugin *start()
    {
        const auto instance
            = reinterpret_cast<QObject *(*)()>(library.resolve("qt_plugin_instance"));
        auto *plugin = qobject_cast<LauncherPlugin *>(instance ? instance() : nullptr);
        if (plugin)
            showPainted(plugin->window());
        return plugin;
    }

    void stop(LauncherPlugin *plugin)
    {
        QVERIFY(plugin);
        delete plugin;
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        library.unload();
    }

    QLibrary library{QStringLiteral(E1_LIBRARY_DIR "/libtimeslots.so")};
    SimulatedCard card{QStringLiteral("e1")};
    QPushButton host{QStringLiteral("E1 2.048 Mbit/s")};
};

QTEST_MAIN(bench_Startup)
#include "bench_startup.moc"
