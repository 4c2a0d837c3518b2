// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardpanel.h"
#include "launcherapplication.h"
#include "launcherwindow.h"
#include "pluginloader.h"
#include "screenshots.h"
#include "testsupport.h"

#include <basepopupwindow.h>
#include <cardcontroller.h>
#include <launcherplugin.h>
#include <switchpanel.h>

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

    void windowAndItsPopupsOpenInTheScreenAreaAtEveryPress()
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
        // Its dialogs and a slot button's chooser open inside the instrument's screen too.
        const QWidget *screen = launcher->screenArea();
        const QRect screenRect(screen->mapToGlobal(QPoint(0, 0)), screen->size());
        auto *panel = pluginWindow()->findChild<SwitchPanel *>("rxSlots");
        for (const char *control : {"btnVoiceFunc", "btnPrbs", "rxSlots"}) {
            auto *widget = pluginWindow()->findChild<QWidget *>(control);
            const QRect place = widget == panel ? panel->buttonRect(7) : widget->rect();
            QTest::mouseClick(widget, Qt::LeftButton, {}, place.center());
            QWidget *popup = panel->findChild<QWidget *>("optionChooser");
            for (QWidget *window : QApplication::topLevelWidgets())
                popup = window->isVisible() && window->inherits("BasePopupWindow") ? window : popup;
            QVERIFY2(popup && popup->isVisible() && screenRect.contains(popup->geometry()),
                     control);
            popup->close();
        }
    }

    void cardPanelDrivesTheCard()
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
        QVERIFY2(refused.contains("refused") && refused.contains("line is busy"),
                 qPrintable(refused));
        QVERIFY(card->configValue("pattern") == "2e15" && refuse->isEnabled());
        QVERIFY(!send("pattern 2e9").contains("refused"));
        QCOMPARE(card->configValue("pattern"), "2e9");

        panelChild<QAbstractButton>("proxyFailure")->click();
        QVERIFY(!card->controller()->dataProxy("vfsignal", nullptr));
        QCOMPARE(log->topLevelItem(2)->text(1) + ": " + log->topLevelItem(2)->text(2),
                 "open feed \"vfsignal\": failed: no proxy, the card fails to open feeds");

        panelChild<QAbstractButton>("clearLog")->click();
        QCOMPARE(log->topLevelItemCount(), 0);
        // The structure chosen in the panel goes to the card as a command.
        structure->setCurrentIndex(structure->findData("pcm31"));
        Compat::emitSignal(structure, "activated", structure->currentIndex());
        QCOMPARE(card->commandLog().last(), "structure pcm31");
    }

    void widgetsOutliveTheLauncherAndDieWithThePlugin()
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
        auto *structure = panelChild<QComboBox>("structure");
        QCOMPARE(structure->itemData(structure->currentIndex()).toString(), "pcm31");

        // The plug-in going first leaves a launcher that still works.
        launcher->show();
        openWindow();
        loader.unload();
        QVERIFY(!button && !window && !item && !launcher->plugin()
                && !launcher->isPluginWindowOpen());
        launcher->openPluginWindow();
        launcher->closePluginWindow();
    }

    void anExceptionInThePluginBecomesAMessage()
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
        QVERIFY(launcher->isPluginWindowOpen() && !pluginWindow()->findChild<BasePopupWindow *>());

        // The launcher goes on: with the feeds back the same button opens the dialog.
        message->close();
        panelChild<QCheckBox>("proxyFailure")->click();
        QTest::mouseClick(voice, Qt::LeftButton);
        auto *dialog = pluginWindow()->findChild<BasePopupWindow *>();
        QVERIFY(dialog && dialog->isVisible());
    }

    void aFailedCallIntoThePluginBecomesAMessage_data()
    {
        QTest::addColumn<QString>("cause"); // thrown by window(); empty: it gives no window
        QTest::newRow("window() throws") << "no memory for the window";
        QTest::newRow("window() gives none") << "";
    }

    void aFailedCallIntoThePluginBecomesAMessage()
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

    void instrumentScreenKeepsStillWhileTheStatusItemChanges()
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

    void commandLineDecidesTheExit_data()
    {
        QTest::addColumn<QStringList>(
            "arguments"); // "DIR": a fresh directory, "FILE": a file in it
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("mention"); // on the standard error
        const auto row = [](const char *name, const char *arguments, int exitCode,
                            const char *mention) {
            QTest::newRow(name) << QString(arguments).split(' ') << exitCode << QString(mention);
        };
        row("screenshots", "--screenshots DIR", 0, "");
        row("unknown option", "--bogus", 2, "bogus");
        row("missing plug-in", "--plugin /nonexistent/libtimeslots.so", 2,
            "/nonexistent/libtimeslots.so");
        row("screen size too large", "--screen-size 3841x480", 2, "3840x2160");
        row("screenshots into a file", "--screenshots FILE", 1, "is a file, not a folder");
        row("screen size ending in a newline", "--screen-size 640x480\n", 2, "bad screen size");
        row("empty plug-in path", "--plugin=", 2, "--plugin needs a path");
    }

    void commandLineDecidesTheExit()
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

private:
    void openWindow()
    {
        loader.plugin()->button()->findChild<QAbstractButton *>()->click();
        QVERIFY(launcher->isPluginWindowOpen());
    }
    QWidget *pluginWindow() const
    {
        return loader.plugin()->window();
    }
    template<typename T>
    T *panelChild(const char *name) const
    {
        return launcher->cardPanel()->findChild<T *>(name);
    }

    std::unique_ptr<SimulatedCard> card;
    PluginLoader loader;
    std::unique_ptr<LauncherWindow> launcher;
};

int main(int argc, char *argv[])
{
    // The launcher's own application object, which catches what plug-in code throws.
    LauncherApplication app(argc, argv);
    tst_Launcher test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_launcher.moc"
