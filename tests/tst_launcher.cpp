// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardpanel.h"
#include "launcherapplication.h"
#include "launcherwindow.h"
#include "pluginloader.h"
#include "screenshots.h"

#include <basepopupwindow.h>
#include <cardcontroller.h>
#include <launcherplugin.h>
#include <simulatedcard.h>
#include <switchpanel.h>

#include <QtTest>
#include <QtWidgets>
#include <memory>
#include <stdexcept>

namespace {

// A plug-in whose window fails to come: window() throws, or gives none.
class WindowlessPlugin : public LauncherPlugin
{
public:
    explicit WindowlessPlugin(const QString &cause)
        : LauncherPlugin(QStringLiteral("e1"))
        , cause(cause)
    { }
    QWidget *window() override
    {
        if (!cause.isEmpty())
            throw std::runtime_error(cause.toStdString());
        return nullptr;
    }

private:
    QString cause;
};

} // namespace

class tst_Launcher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        card = std::make_unique<SimulatedCard>("e1");
        QVERIFY2(loader.load(E1_LIBRARY_DIR "/libtimeslots.so"), qPrintable(loader.errorString()));
        launcher = std::make_unique<LauncherWindow>(*loader.plugin(), *card);
        launcher->show();
        QVERIFY(QTest::qWaitForWindowExposed(launcher.get()));
    }
    void cleanup()
    {
        launcher.reset();
        loader.unload();
        card.reset();
    }
    void buttonOpensTheWindowInTheScreenAreaAtEveryPress();
    void structureFromTheCardPanelReachesTheWindow_data();
    void structureFromTheCardPanelReachesTheWindow();
    void cardPanelDrivesTheCard();
    void loopbackLineTellsWhatIsHeard_data();
    void loopbackLineTellsWhatIsHeard();
    void cardPanelTabsInReadingOrder();
    void widgetsOutliveTheLauncherAndDieWithThePlugin();
    void anExceptionInThePluginBecomesAMessage();
    void aFailedCallIntoThePluginBecomesAMessage_data();
    void aFailedCallIntoThePluginBecomesAMessage();
    void instrumentScreenKeepsStillWhileTheStatusItemChanges();
    void popupsOpenOnTheInstrumentScreen_data();
    void popupsOpenOnTheInstrumentScreen();
    void windowFitsTheDesktopAndKeepsItsLayout_data();
    void windowFitsTheDesktopAndKeepsItsLayout();
    void commandLineDecidesTheExit_data();
    void commandLineDecidesTheExit();

private:
    void openWindow()
    {
        loader.plugin()->button()->findChild<QAbstractButton *>()->click();
        QVERIFY(launcher->isPluginWindowOpen());
    }
    QWidget *pluginWindow() const { return loader.plugin()->window(); }
    template<typename T>
    T *panelChild(const char *name) const
    {
        return launcher->cardPanel()->findChild<T *>(name);
    }

    std::unique_ptr<SimulatedCard> card;
    PluginLoader loader;
    std::unique_ptr<LauncherWindow> launcher;
};

void tst_Launcher::buttonOpensTheWindowInTheScreenAreaAtEveryPress()
{
    QVERIFY(launcher->launcherArea()->isAncestorOf(loader.plugin()->button()));
    QVERIFY(launcher->statusPanel()->isAncestorOf(loader.plugin()->statusPanelItem()));
    QVERIFY(!pluginWindow()->isVisible());
    openWindow();
    QVERIFY(launcher->screenArea()->isAncestorOf(pluginWindow()));
    QVERIFY(pluginWindow()->isVisible() && !pluginWindow()->isWindow());
    QTRY_VERIFY(card->commandLog().contains("timeslot"));
    launcher->screenArea()->findChild<QAbstractButton *>("closeWindow")->click();
    QVERIFY(!launcher->isPluginWindowOpen() && !pluginWindow()->isVisible());
    openWindow();
    QCOMPARE(card->commandLog().count("timeslot"), 2);
}

void tst_Launcher::structureFromTheCardPanelReachesTheWindow_data()
{
    QTest::addColumn<QString>("structure");
    QTest::addColumn<bool>("panelsEnabled");
    QTest::addColumn<bool>("slot16Enabled");
    QTest::newRow("unstr disables the panels") << "unstr" << false << false;
    QTest::newRow("pcm30 keeps slot 16 for signalling") << "pcm30" << true << false;
    QTest::newRow("pcm31crc frees slot 16") << "pcm31crc" << true << true;
}

void tst_Launcher::structureFromTheCardPanelReachesTheWindow()
{
    QFETCH(QString, structure);
    QFETCH(bool, panelsEnabled);
    QFETCH(bool, slot16Enabled);

    openWindow();
    auto *rxSlots = pluginWindow()->findChild<SwitchPanel *>("rxSlots");
    auto *combo = panelChild<QComboBox>("structure");
    const int index = combo->findData(structure);
    QVERIFY(rxSlots && index >= 0);
    combo->setCurrentIndex(index);
    Compat::emitSignal(combo, "activated", index);
    QCOMPARE(card->commandLog().last(), "structure " + structure);
    QTRY_VERIFY(!card->notificationPending());
    QCOMPARE(rxSlots->isEnabled(), panelsEnabled);
    QCOMPARE(rxSlots->isButtonEnabled(16), slot16Enabled);
}

void tst_Launcher::cardPanelDrivesTheCard()
{
    auto *log = panelChild<QTreeWidget>("commandLog");
    auto *refuse = panelChild<QAbstractButton>("refuseNext");
    auto *structure = panelChild<QComboBox>("structure");
    const auto send = [&](const char *command) {
        panelChild<QLineEdit>("commandLine")->setText(command);
        Compat::emitSignal(panelChild<QLineEdit>("commandLine"), "returnPressed");
        return log->topLevelItem(log->topLevelItemCount() - 1)->text(2);
    };
    panelChild<QLineEdit>("refusalText")->setText("line is busy");
    refuse->click();
    QVERIFY(!refuse->isEnabled());
    const QString refused = send("pattern 2e9");
    QVERIFY2(refused.contains("refused") && refused.contains("line is busy"), qPrintable(refused));
    QVERIFY(card->configValue("pattern") == "2e15" && refuse->isEnabled());
    QVERIFY(!send("pattern 2e9").contains("refused"));
    QCOMPARE(card->configValue("pattern"), "2e9");

    panelChild<QAbstractButton>("proxyFailure")->click();
    QVERIFY(!card->controller()->dataProxy("vfsignal", nullptr));
    QCOMPARE(log->topLevelItem(2)->text(1) + ": " + log->topLevelItem(2)->text(2),
             "open feed \"vfsignal\": failed: no proxy, the card fails to open feeds");

    // An entry shows its whole text as a tooltip and is copied by a double click.
    QTreeWidgetItem *first = log->topLevelItem(0);
    QVERIFY(first->toolTip(2).startsWith("pattern 2e9\nrefused: line is busy\n"));
    log->scrollToItem(first);
    const QPoint at = log->visualItemRect(first).center();
    QTest::mouseClick(log->viewport(), Qt::LeftButton, {}, at); // a double click follows a click
    QTest::mouseDClick(log->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(QApplication::clipboard()->text(), "1\tpattern 2e9\trefused: line is busy");

    card->setConfigValue("structure", "unstr");
    card->startMeasurement("base");
    QVERIFY(panelChild<QCheckBox>("measurement-base")->isChecked());
    QTRY_COMPARE(structure->itemData(structure->currentIndex()).toString(), "unstr");
    panelChild<QAbstractButton>("resetCard")->click();
    QCOMPARE(card->configValue("structure"), "pcm30crc");
    QVERIFY(!card->isRunning("base") && !panelChild<QCheckBox>("measurement-base")->isChecked());
    QCOMPARE(log->topLevelItemCount(), 4); // the log keeps its entries and notes the reset
    QCOMPARE(log->topLevelItem(3)->text(0), "Card reset to factory settings");
    QTRY_COMPARE(structure->itemData(structure->currentIndex()).toString(), "pcm30crc");
    panelChild<QAbstractButton>("clearLog")->click();
    QCOMPARE(log->topLevelItemCount(), 0);
}

void tst_Launcher::loopbackLineTellsWhatIsHeard_data()
{
    QTest::addColumn<QString>("change"); // "key=value" on the card's factory settings
    QTest::addColumn<QString>("line"); // empty: hidden, with the live signal off
    const QString heard = "Receive timeslot 5 hears transmit timeslot 5: ";
    const QString silent = "Receive timeslot 5 hears nothing: transmit timeslot 5 ";
    QTest::newRow("tone") << "vfsource=tone" << heard + "tone 1 kHz";
    QTest::newRow("microphone") << "vfsource=mic" << heard + "microphone";
    QTest::newRow("no source") << "vfsource=off"
                               << silent + "has no sound source (vfsource \"off\")";
    QTest::newRow("no voice sent") << "timeslot-tx-5=pat" << silent + "carries no voice";
    QTest::newRow("no voice heard")
        << "timeslot-rx-5=none"
        << "No receive timeslot carries voice: there is nothing to hear.";
    QTest::newRow("unstructured line") << "structure=unstr" << QString();
}

// The line under the live signal tells what it carries; an unframed line stops it.
void tst_Launcher::loopbackLineTellsWhatIsHeard()
{
    QFETCH(QString, change);
    QFETCH(QString, line);
    auto *live = panelChild<QCheckBox>("liveSignal");
    auto *loopback = panelChild<QLabel>("loopback");
    live->click();
    card->setConfigValue(change.section('=', 0, 0), change.section('=', 1));
    QTRY_VERIFY(!card->notificationPending());
    QCOMPARE(loopback->isVisible() ? loopback->text() : QString(), line);
    card->setLiveSignal(true); // it stays off on an unframed line, and its box with it
    QVERIFY(live->isChecked() == !line.isEmpty() && live->isEnabled() == !line.isEmpty());
    QCOMPARE(panelChild<QCheckBox>("measurement-vfsignal")->isChecked(),
             card->isRunning("vfsignal") && !line.isEmpty());
    card->setConfigValue("structure", "pcm31");
    QTRY_VERIFY(live->isEnabled());
}

void tst_Launcher::cardPanelTabsInReadingOrder()
{
    launcher->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(launcher.get()));
    QWidget *panel = launcher->cardPanel(), *widget = panelChild<QWidget>("structure");
    widget->setFocus();
    QStringList order;
    QRect last(0, 0, 0, 0); // each step goes down, or right along the line
    while (panel->isAncestorOf(widget) && order.size() < 20) {
        const QRect place(widget->mapTo(panel, QPoint()), widget->size());
        QVERIFY2(place.top() > last.bottom() || place.left() > last.right(),
                 qPrintable(order.join(" ")));
        last = place;
        order << widget->objectName();
        QTest::keyClick(widget, Qt::Key_Tab);
        widget = QApplication::focusWidget();
    }
    QCOMPARE(order.join(" "),
             "structure measurement-base measurement-vfsignal measurement-jitter measurement-jtf "
             "measurement-mtj liveSignal refusalText refuseNext proxyFailure qt_tabwidget_tabbar "
             "commandLog commandLine clearLog resetCard");
}

void tst_Launcher::widgetsOutliveTheLauncherAndDieWithThePlugin()
{
    openWindow();
    QPointer<QWidget> button = loader.plugin()->button();
    QPointer<QWidget> window = pluginWindow();
    QPointer<QWidget> item = loader.plugin()->statusPanelItem();
    launcher.reset();
    for (QWidget *widget : {button.data(), window.data(), item.data()})
        QVERIFY(widget && !widget->parent() && !widget->isVisible());

    // A new launcher takes the widgets again and shows what the card already runs.
    card->startMeasurement("jitter");
    card->setConfigValue("structure", "pcm31");
    launcher = std::make_unique<LauncherWindow>(*loader.plugin(), *card);
    QVERIFY(launcher->launcherArea()->isAncestorOf(button));
    QVERIFY(panelChild<QCheckBox>("measurement-jitter")->isChecked());
    QCOMPARE(panelChild<QComboBox>("structure")
                 ->itemData(panelChild<QComboBox>("structure")->currentIndex())
                 .toString(),
             "pcm31");

    // The plug-in going first leaves a launcher that still works.
    launcher->show();
    openWindow();
    loader.unload();
    QVERIFY(!button && !window && !item && !launcher->plugin() && !launcher->isPluginWindowOpen());
    launcher->openPluginWindow();
    launcher->closePluginWindow();
}

void tst_Launcher::anExceptionInThePluginBecomesAMessage()
{
#if defined(__arm__)
    // ARM's exception tables let an exception pass only through code built with unwind tables;
    // Qt's widget modules are built without, so a throw in a slot a button calls ends the
    // process before the launcher's catch is reached. The plug-in must catch its own there.
    QSKIP("on 32-bit ARM an exception cannot unwind through Qt's widget code to the launcher");
#endif
    // Feeds that cannot be opened make the voice dialog's constructor throw.
    openWindow();
    panelChild<QCheckBox>("proxyFailure")->click();
    const QStringList log = card->commandLog();
    auto *voice = pluginWindow()->findChild<QAbstractButton *>("btnVoiceFunc");
    QTest::mouseClick(voice, Qt::LeftButton);
    QTest::mouseClick(voice, Qt::LeftButton);
    QMessageBox *message = LauncherApplication::failureMessage();
    QVERIFY(message && message->isVisible() && message->parentWidget() == launcher.get());
    QVERIFY2(message->text().contains("btnVoiceFunc") && message->text().contains("bad_alloc"),
             qPrintable(message->text()));
    QCOMPARE(launcher->findChildren<QMessageBox *>().size(), 1);
    QCOMPARE(card->commandLog(), log);
    QVERIFY(launcher->isPluginWindowOpen());

    // The launcher goes on: with the feeds back the same button opens the dialog.
    message->close();
    panelChild<QCheckBox>("proxyFailure")->click();
    QTest::mouseClick(voice, Qt::LeftButton);
    auto *dialog = pluginWindow()->findChild<BasePopupWindow *>();
    QVERIFY(dialog && dialog->isVisible());
}

void tst_Launcher::aFailedCallIntoThePluginBecomesAMessage_data()
{
    QTest::addColumn<QString>("cause"); // thrown by window(); empty: it gives no window
    QTest::newRow("window() throws") << "no memory for the window";
    QTest::newRow("window() gives none") << "";
}

void tst_Launcher::aFailedCallIntoThePluginBecomesAMessage()
{
    QFETCH(QString, cause);
    WindowlessPlugin plugin(cause);
    LauncherWindow window(plugin, *card);
    window.show();
    Compat::emitSignal(&plugin, "windowRequested");
    QMessageBox *message = LauncherApplication::failureMessage();
    QVERIFY(message && message->isVisible());
    QVERIFY2(message->text().contains("window")
                 && message->text().contains(cause.isEmpty() ? "no window" : cause),
             qPrintable(message->text()));
    QVERIFY(!window.isPluginWindowOpen() && window.isVisible());
}

void tst_Launcher::instrumentScreenKeepsStillWhileTheStatusItemChanges()
{
    QWidget *item = loader.plugin()->statusPanelItem();
    const QWidget *screen = launcher->screenArea();
    QPoint itemAt, screenAt;
    // The longest reading first: shorter ones after it move nothing.
    for (const char *level : {"-10.2", "-3", "-9.7"}) {
        card->publishData("vfsignal",
                          Compat::variantMap({{"level", level}, {"frequency", "1000"}}));
        QTest::qWait(20);
        QTRY_VERIFY(item->parentWidget()->rect().contains(item->geometry()));
        if (itemAt.isNull()) {
            itemAt = item->mapToGlobal(QPoint(0, 0));
            screenAt = screen->mapToGlobal(QPoint(0, 0));
        }
        QCOMPARE(item->mapToGlobal(QPoint(0, 0)), itemAt);
    }
    // No receive voice timeslot: the item loses its loudspeaker row.
    card->setConfigValue("timeslot-rx-5", "none");
    QTRY_VERIFY(!card->notificationPending());
    QTest::qWait(20);
    QCOMPARE(item->mapToGlobal(QPoint(0, 0)), itemAt);
    QCOMPARE(screen->mapToGlobal(QPoint(0, 0)), screenAt);
}

void tst_Launcher::popupsOpenOnTheInstrumentScreen_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("slot"); // on the receive panel; 0: a button of the window
    QTest::newRow("voice dialog") << "btnVoiceFunc" << 0;
    QTest::newRow("PRBS dialog") << "btnPrbs" << 0;
    QTest::newRow("chooser of slot 7") << "rxSlots" << 7;
}

void tst_Launcher::popupsOpenOnTheInstrumentScreen()
{
    QFETCH(QString, control);
    QFETCH(int, slot);
    openWindow();
    QWidget *popup = nullptr;
    if (slot) {
        auto *panel = pluginWindow()->findChild<SwitchPanel *>(control);
        QTest::mouseClick(panel, Qt::LeftButton, {}, panel->buttonRect(slot).center());
        popup = panel->findChild<QWidget *>("optionChooser");
    } else {
        QTest::mouseClick(pluginWindow()->findChild<QWidget *>(control), Qt::LeftButton);
        for (QWidget *window : QApplication::topLevelWidgets())
            popup = window->isVisible() && window->inherits("BasePopupWindow") ? window : popup;
    }
    QVERIFY(popup && popup->isVisible());
    const QWidget *screen = launcher->screenArea();
    const QRect screenRect(screen->mapToGlobal(QPoint(0, 0)), screen->size());
    QVERIFY2(screenRect.contains(popup->geometry()), qPrintable(control));
    popup->close();
}

void tst_Launcher::windowFitsTheDesktopAndKeepsItsLayout_data()
{
    QTest::addColumn<QSize>("desktop");
    QTest::addColumn<bool>("docked"); // else the card panel is closed
    QTest::newRow("1280x720 with the card panel") << QSize(1280, 720) << true;
    QTest::newRow("1024x600 without it") << QSize(1024, 600) << false;
}

void tst_Launcher::windowFitsTheDesktopAndKeepsItsLayout()
{
    QFETCH(QSize, desktop);
    QFETCH(bool, docked);
    QSettings(QStringLiteral("e1"), QStringLiteral("e1-launcher")).clear();
    QAction *showPanel = launcher->findChild<QAction *>("showCardPanel");
    if (!docked)
        showPanel->trigger();
    launcher->fitToScreen(QRect(QPoint(0, 0), desktop));
    QTest::qWait(0);
    QVERIFY(launcher->width() <= desktop.width() && launcher->height() <= desktop.height());
    QCOMPARE(launcher->cardPanelDock()->isVisible(), docked);
    // The instrument is seen whole where its height fits; else it scrolls.
    const QWidget *instrument = launcher->findChild<QWidget *>("instrument");
    QCOMPARE(instrument->visibleRegion().boundingRect() == instrument->rect(),
             desktop.height() >= 720);

    const QSize size = launcher->size();
    launcher->close();
    launcher = std::make_unique<LauncherWindow>(*loader.plugin(), *card);
    launcher->restoreLayout();
    launcher->show();
    QVERIFY(QTest::qWaitForWindowExposed(launcher.get()));
    QCOMPARE(launcher->size(), size);
    QCOMPARE(launcher->cardPanelDock()->isVisible(), docked);
    QCOMPARE(launcher->findChild<QAction *>("showCardPanel")->isChecked(), docked);
}

void tst_Launcher::commandLineDecidesTheExit_data()
{
    QTest::addColumn<QStringList>("arguments"); // "DIR": a fresh directory, "FILE": a file in it
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("mention"); // on the standard error
    QTest::newRow("screenshots") << (QStringList() << "--screenshots"
                                                   << "DIR")
                                 << 0 << "";
    QTest::newRow("unknown option") << (QStringList() << "--bogus") << 2 << "bogus";
    QTest::newRow("missing plug-in") << (QStringList() << "--plugin"
                                                       << "/nonexistent/libtimeslots.so")
                                     << 2 << "/nonexistent/libtimeslots.so";
    QTest::newRow("screen size too small") << (QStringList() << "--screen-size"
                                                             << "100x80")
                                           << 2 << "100x80";
    QTest::newRow("screen size too large") << (QStringList() << "--screen-size"
                                                             << "3841x480")
                                           << 2 << "3840x2160";
    QTest::newRow("stray argument") << (QStringList() << "extra") << 2 << "extra";
    QTest::newRow("screenshots into a file") << (QStringList() << "--screenshots"
                                                               << "FILE")
                                             << 1 << "is a file, not a folder";
    QTest::newRow("screen size ending in a newline") << (QStringList() << "--screen-size"
                                                                       << "640x480\n")
                                                     << 2 << "bad screen size";
    QTest::newRow("empty plug-in path")
        << (QStringList() << "--plugin=") << 2 << "--plugin needs a path";
}

void tst_Launcher::commandLineDecidesTheExit()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, mention);

    QTemporaryDir dir;
    QFile file(dir.filePath("file"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    arguments.replaceInStrings("FILE", file.fileName()).replaceInStrings("DIR", dir.path());
    QProcess process;
    QStringList command = QStringList() << E1_RUNTIME_DIR "/e1-launcher";
#ifdef E1_EMULATOR
    // A launcher built for another processor runs through the emulator this test runs in.
    command = QString(E1_EMULATOR).split('|') + command;
#endif
    process.start(command.first(), command.mid(1) + arguments);
    QVERIFY(process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit);
    const QString message = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(process.exitCode() == exitCode && message.contains(mention)
                 && message.count("e1-launcher:") == (exitCode ? 1 : 0),
             qPrintable(message));
    if (exitCode)
        return;
    const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());
    for (const QString &name : Screenshots::fileNames())
        QVERIFY2(output.contains(dir.filePath(name)) && !QImage(dir.filePath(name)).isNull(),
                 qPrintable(name));
    // The launcher with its card panel, as it opens on a desktop of 1280 x 720.
    const QSize launcherSize = QImage(dir.filePath("launcher.png")).size();
    QVERIFY(launcherSize.width() > LauncherWindow::DefaultScreenWidth + 300);
    QVERIFY(launcherSize.width() <= 1280 && launcherSize.height() <= 720);
    QVERIFY(QImage(dir.filePath("window-rx.png")) != QImage(dir.filePath("window-tx.png")));
}

int main(int argc, char *argv[])
{
    // The launcher's own application object, which catches what plug-in code throws.
    LauncherApplication app(argc, argv);
    tst_Launcher test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_launcher.moc"
