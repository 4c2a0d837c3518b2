// SPDX-License-Identifier: GPL-3.0-or-later

// The plug-in's start as the launcher meets it: the library, not yet loaded, opened by path; the
// object taken from its entry point; the window built, shown and painted once. And the memory
// that loading and building every widget and both dialogs costs.
//
// The launcher is up before it loads a plug-in, with Qt's fonts and style in use; so is this
// program's own small window before the first measurement. The first start of the process is
// measured once, by the clock; the QBENCHMARK then loads, starts and unloads the library again
// and again, each time from a library that is not loaded.
//
//   bench_startup                      figures in milliseconds and KiB, with the targets beside
//   bench_startup -callgrind           instruction counts (under valgrind)

#include <launcherplugin.h>
#include <simulatedcard.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QLibrary>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

#include <unistd.h>

using InstanceFunction = QObject *(*)();

namespace {

const char *const LibraryPath = E1_LIBRARY_DIR "/libtimeslots.so";

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

// Waits until the widget has been painted once.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *widget) { widget->installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

void waitForPaint(QWidget *widget)
{
    PaintWatch watch(widget);
    widget->show();
    QElapsedTimer limit;
    limit.start();
    while (!watch.painted && limit.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

QtMessageHandler defaultHandler = nullptr;

// The offscreen platform says so each time a popup asks for what it cannot do.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    defaultHandler(type, context, message);
}

} // namespace

class bench_Startup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void firstStart();
    void loadToPainted();

private:
    LauncherPlugin *start();
    void stop(LauncherPlugin *plugin);

    QLibrary library{QString::fromLatin1(LibraryPath)};
    SimulatedCard *card = nullptr;
    QWidget *host = nullptr;
};

// The launcher's own window, with text in the instrument's fonts, on screen and painted.
void bench_Startup::initTestCase()
{
    defaultHandler = qInstallMessageHandler(quietHandler);
    card = new SimulatedCard(QStringLiteral("e1"));
    host = new QWidget;
    host->setFont(QFont(QStringLiteral("Liberation Sans"), 14, QFont::Bold));
    auto *layout = new QVBoxLayout(host);
    layout->addWidget(new QLabel(QStringLiteral("E1 2.048 Mbit/s"), host));
    layout->addWidget(new QPushButton(QStringLiteral("Start"), host));
    waitForPaint(host);
    QVERIFY(!library.isLoaded());
}

void bench_Startup::cleanupTestCase()
{
    delete host;
    delete card;
}

// From the library not yet loaded to the window on screen and painted once.
LauncherPlugin *bench_Startup::start()
{
    if (!library.load())
        return nullptr;
    auto instance = reinterpret_cast<InstanceFunction>(library.resolve("qt_plugin_instance"));
    auto *plugin = qobject_cast<LauncherPlugin *>(instance ? instance() : nullptr);
    if (plugin)
        waitForPaint(plugin->window());
    return plugin;
}

void bench_Startup::stop(LauncherPlugin *plugin)
{
    delete plugin;
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    library.unload();
}

void bench_Startup::firstStart()
{
    const qint64 residentBefore = residentKiB();
    QElapsedTimer timer;
    timer.start();
    LauncherPlugin *plugin = start();
    const double ms = timer.nsecsElapsed() / 1e6;
    QVERIFY2(plugin, qPrintable(library.errorString()));

    // Everything else the plug-in can build: the launcher button, the status item and both
    // dialogs, each on screen and painted.
    waitForPaint(plugin->button());
    waitForPaint(plugin->statusPanelItem());
    QWidget *window = plugin->window();
    window->findChild<QPushButton *>(QStringLiteral("btnVoiceFunc"))->click();
    waitForPaint(window->findChild<QWidget *>(QStringLiteral("VoiceDialog")));
    window->findChild<QPushButton *>(QStringLiteral("btnPrbs"))->click();
    const QList<QWidget *> popups = window->findChildren<QWidget *>();
    for (QWidget *popup : popups) {
        if (popup->isWindow() && popup->isVisible())
            waitForPaint(popup);
    }
    QCoreApplication::processEvents();
    const qint64 growth = residentKiB() - residentBefore;

    qInfo("first start, load to window painted: %.1f ms (target < 150 ms: %s)", ms,
          ms < 150 ? "met" : "MISSED");
    qInfo("resident memory, load to every widget and both dialogs built: %lld KiB "
          "(target < 8192 KiB: %s)",
          growth, growth < 8192 ? "met" : "MISSED");
    stop(plugin);
    QVERIFY(!library.isLoaded());
}

void bench_Startup::loadToPainted()
{
    QBENCHMARK {
        LauncherPlugin *plugin = start();
        QVERIFY(plugin);
        stop(plugin);
    }
}

QTEST_MAIN(bench_Startup)
#include "bench_startup.moc"
