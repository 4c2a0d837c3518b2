// SPDX-License-Identifier: GPL-3.0-or-later
#include "screenshots.h"

#include "launcherwindow.h"

#include <launcherplugin.h>
#include <simulatedcard.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

namespace {

const int VoiceOption = 2;

// Lets queued notifications, layouts and repaints run, so that a picture shows the settled state.
void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

QWidget *visibleWindowOf(const char *className)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->isVisible() && window->inherits(className))
            return window;
    }
    return nullptr;
}

} // namespace

Screenshots::Screenshots(LauncherWindow &launcher, SimulatedCard &card)
    : launcher(launcher)
    , card(card)
{ }

QStringList Screenshots::fileNames()
{
    return QStringList() << QStringLiteral("window-rx.png") << QStringLiteral("window-tx.png")
                         << QStringLiteral("voice-dialog.png") << QStringLiteral("prbs-dialog.png")
                         << QStringLiteral("voice-warning.png") << QStringLiteral("button.png")
                         << QStringLiteral("status-item.png") << QStringLiteral("launcher.png");
}

bool Screenshots::render(const QString &target)
{
    directory = target;
    writeFailed = false;
    written.clear();
    problems.clear();
    const QFileInfo folder(directory);
    if (folder.exists() && !folder.isDir()) {
        problems.append(tr("%1 is a file, not a folder").arg(directory));
        return false;
    }
    if (!QDir().mkpath(directory)) {
        problems.append(tr("Cannot create the folder %1").arg(directory));
        return false;
    }
    if (!QFileInfo(directory).isWritable()) {
        problems.append(tr("Cannot write into the folder %1").arg(directory));
        return false;
    }
    LauncherPlugin *plugin = launcher.plugin();
    if (!plugin) {
        problems.append(tr("No plug-in is loaded"));
        return false;
    }

    // A reading as the looped-back line carries it with the factory settings: the test tone
    // sent on the transmit voice timeslot, heard on the receive one.
    QVariantMap reading;
    reading.insert(QStringLiteral("level"), QStringLiteral("-10.2"));
    reading.insert(QStringLiteral("frequency"), QStringLiteral("1000"));
    card.publishData(QStringLiteral("vfsignal"), reading);

    // The launcher as it opens on a desktop of 1280 x 720 pixels.
    launcher.fitToScreen(QRect(0, 0, 1280, 720));
    launcher.show();
    settle();
    // Pressing the plug-in's own button is what opens its window on the instrument.
    auto *press = plugin->button() ? plugin->button()->findChild<QAbstractButton *>() : nullptr;
    if (press)
        press->click();
    else
        plugin->buttonClicked();
    settle();
    QWidget *window = plugin->window();
    if (!launcher.isPluginWindowOpen()) {
        fail(QStringLiteral("window-rx.png"), tr("the plug-in's window did not open"));
        return false;
    }

    save(QStringLiteral("window-rx.png"), Compat::grab(window));

    QObject *txSlots = window->findChild<QObject *>(QStringLiteral("txSlots"));
    QObject *rxSlots = window->findChild<QObject *>(QStringLiteral("rxSlots"));
    if (txSlots && rxSlots) {
        QMetaObject::invokeMethod(txSlots, "clicked");
        settle();
        save(QStringLiteral("window-tx.png"), Compat::grab(window));
        QMetaObject::invokeMethod(rxSlots, "clicked");
        settle();
    } else {
        fail(QStringLiteral("window-tx.png"), tr("the window has no slot panels"));
    }

    QString why;
    QPixmap picture = grabPopup(window, "btnVoiceFunc", "VoiceDialog", &why);
    save(QStringLiteral("voice-dialog.png"), picture, why);
    picture = grabPopup(window, "btnPrbs", "PrbsDialog", &why);
    save(QStringLiteral("prbs-dialog.png"), picture, why);
    picture = grabVoiceWarning(window, &why);
    save(QStringLiteral("voice-warning.png"), picture, why);
    QWidget *button = plugin->button();
    save(QStringLiteral("button.png"), button ? Compat::grab(button) : QPixmap());
    QWidget *item = plugin->statusPanelItem();
    save(QStringLiteral("status-item.png"), item ? Compat::grab(item) : QPixmap());

    settle();
    save(QStringLiteral("launcher.png"), Compat::grab(&launcher));
    return problems.isEmpty();
}

void Screenshots::save(const QString &name, const QPixmap &picture, const QString &why)
{
    // After a failed write the others would fail alike: one message says why.
    if (writeFailed)
        return;
    if (picture.isNull()) {
        fail(name, why.isEmpty() ? tr("nothing to show") : why);
        return;
    }
    const QString path = QDir(directory).filePath(name);
    if (!picture.save(path, "PNG")) {
        writeFailed = true;
        fail(name, tr("cannot write %1").arg(path));
        return;
    }
    written.append(path);
}

void Screenshots::fail(const QString &name, const QString &why)
{
    problems.append(tr("%1: %2").arg(name, why));
}

QPixmap Screenshots::grabPopup(QWidget *window, const char *buttonName, const char *className,
                               QString *why)
{
    auto *button = window->findChild<QAbstractButton *>(QLatin1String(buttonName));
    if (!button) {
        *why = tr("the window has no button %1").arg(QLatin1String(buttonName));
        return QPixmap();
    }
    button->click();
    settle();
    QWidget *popup = visibleWindowOf(className);
    if (!popup) {
        *why = tr("pressing %1 opened no %2")
                   .arg(QLatin1String(buttonName), QLatin1String(className));
        return QPixmap();
    }
    const QPixmap picture = Compat::grab(popup);
    popup->close();
    settle();
    return picture;
}

QPixmap Screenshots::grabVoiceWarning(QWidget *window, QString *why)
{
    QObject *rxSlots = window->findChild<QObject *>(QStringLiteral("rxSlots"));
    int slot = 0;
    for (int n = 1; n <= 31 && !slot; ++n) {
        if (n != 16
            && card.configValue(QStringLiteral("timeslot-rx-%1").arg(n)) == QLatin1String("none"))
            slot = n;
    }
    if (!rxSlots || !slot) {
        *why = tr("no receive timeslot to choose voice on");
        return QPixmap();
    }

    // The warning runs its own event loop until closed: a timer that fires inside that loop
    // takes the picture and closes it.
    QPixmap picture;
    QTimer watcher;
    watcher.setInterval(0);
    Compat::connect(&watcher, SIGNAL(timeout()), &watcher, [&] {
        if (QWidget *warning = visibleWindowOf("WarningWindow")) {
            watcher.stop();
            settle();
            picture = Compat::grab(warning);
            warning->close();
        }
    });
    watcher.start();
    card.refuseNext(QStringLiteral("only one voice timeslot may be received"));
    // The receive panel reports the user's choice of the voice option on that slot button.
    QMetaObject::invokeMethod(rxSlots, "indexChanged", Q_ARG(int, slot), Q_ARG(int, VoiceOption));
    watcher.stop();
    settle();
    if (picture.isNull())
        *why = tr("the plug-in showed no warning");
    return picture;
}
