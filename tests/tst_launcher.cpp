// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardpanel.h"
#include "launcherwindow.h"
#include "pluginloader.h"
#include "screenshots.h"

#include <launcherplugin.h>
#include <simulatedcard.h>
#include <switchpanel.h>

#include <QtTest>
#include <QtWidgets>

#include <memory>

class tst_Launcher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void buttonOpensTheWindowInTheScreenAreaAtEveryPress();
    void structureFromTheCardPanelReachesTheWindow_data();
    void structureFromTheCardPanelReachesTheWindow();
    void cardPanelDrivesTheCard();
    void widgetsOutliveTheLauncherAndDieWithThePlugin();
    void screenshotsWriteEveryPicture();
    void badCommandLineExitsWith2_data();
    void badCommandLineExitsWith2();

private:
    void openWindow();
    QWidget *pluginWindow() const { return loader.plugin()->window(); }
    template<typename T>
    T *panelChild(const char *name) const
    {
        return launcher->cardPanel()->findChild<T *>(QLatin1String(name));
    }

    std::unique_ptr<SimulatedCard> card;
    PluginLoader loader;
    std::unique_ptr<LauncherWindow> launcher;
};

static const QString launcherBinary = QStringLiteral(E1_RUNTIME_DIR "/e1-launcher");

void tst_Launcher::init()
{
    card = std::make_unique<SimulatedCard>(QStringLiteral("e1"));
    QVERIFY2(loader.load(QStringLiteral(E1_LIBRARY_DIR "/libtimeslots.so")),
             qPrintable(loader.errorString()));
    launcher = std::make_unique<LauncherWindow>(*loader.plugin(), *card);
    launcher->show();
    QVERIFY(QTest::qWaitForWindowExposed(launcher.get()));
}

void tst_Launcher::cleanup()
{
    launcher.reset();
    loader.unload();
    card.reset();
}

void tst_Launcher::openWindow()
{
    auto *press = loader.plugin()->button()->findChild<QAbstractButton *>();
    QVERIFY(press);
    press->click();
    QVERIFY(launcher->isPluginWindowOpen());
}

void tst_Launcher::buttonOpensTheWindowInTheScreenAreaAtEveryPress()
{
    QVERIFY(launcher->launcherArea()->isAncestorOf(loader.plugin()->button()));
    QVERIFY(launcher->statusPanel()->isAncestorOf(loader.plugin()->statusPanelItem()));
    QVERIFY(!pluginWindow()->isVisible());

    openWindow();
    QVERIFY(launcher->screenArea()->isAncestorOf(pluginWindow()));
    QVERIFY(pluginWindow()->isVisible());
    QVERIFY(!pluginWindow()->isWindow());
    QTRY_VERIFY(card->commandLog().contains(QStringLiteral("timeslot")));

    launcher->screenArea()->findChild<QAbstractButton *>(QStringLiteral("closeWindow"))->click();
    QVERIFY(!launcher->isPluginWindowOpen());
    QVERIFY(!pluginWindow()->isVisible());
    openWindow();
    QCOMPARE(card->commandLog().count(QStringLiteral("timeslot")), 2);
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
    auto *rxSlots = pluginWindow()->findChild<SwitchPanel *>(QStringLiteral("rxSlots"));
    QVERIFY(rxSlots);
    auto *combo = panelChild<QComboBox>("structure");
    const int index = combo->findData(structure);
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
    emit combo->activated(index);

    QCOMPARE(card->commandLog().last(), QStringLiteral("structure ") + structure);
    QTRY_VERIFY(!card->notificationPending());
    QCOMPARE(rxSlots->isEnabled(), panelsEnabled);
    if (panelsEnabled)
        QCOMPARE(rxSlots->isButtonEnabled(16), slot16Enabled);
}

void tst_Launcher::cardPanelDrivesTheCard()
{
    auto *log = panelChild<QTreeWidget>("commandLog");
    auto *commandLine = panelChild<QLineEdit>("commandLine");
    auto *refuse = panelChild<QAbstractButton>("refuseNext");
    const auto send = [&](const char *command) {
        commandLine->setText(QLatin1String(command));
        emit commandLine->returnPressed();
        return log->topLevelItem(log->topLevelItemCount() - 1)->text(2);
    };
    panelChild<QLineEdit>("refusalText")->setText(QStringLiteral("line is busy"));
    refuse->click();
    QVERIFY(!refuse->isEnabled());
    const QString refused = send("pattern 2e9");
    QVERIFY2(refused.contains("refused") && refused.contains("line is busy"), qPrintable(refused));
    QCOMPARE(card->configValue(QStringLiteral("pattern")), QStringLiteral("2e15"));
    QVERIFY(refuse->isEnabled());
    QVERIFY(!send("pattern 2e9").contains(QStringLiteral("refused")));
    QCOMPARE(card->configValue(QStringLiteral("pattern")), QStringLiteral("2e9"));

    card->setConfigValue(QStringLiteral("structure"), QStringLiteral("unstr"));
    card->startMeasurement(QStringLiteral("base"));
    QVERIFY(panelChild<QCheckBox>("measurement-base")->isChecked());
    QTRY_COMPARE(panelChild<QComboBox>("structure")->currentData().toString(),
                 QStringLiteral("unstr"));
    panelChild<QAbstractButton>("resetCard")->click();
    QCOMPARE(card->configValue(QStringLiteral("structure")), QStringLiteral("pcm30crc"));
    QVERIFY(!card->isRunning(QStringLiteral("base")));
    QVERIFY(!panelChild<QCheckBox>("measurement-base")->isChecked());
    QCOMPARE(log->topLevelItemCount(), 0);
    QTRY_COMPARE(panelChild<QComboBox>("structure")->currentData().toString(),
                 QStringLiteral("pcm30crc"));
}

void tst_Launcher::widgetsOutliveTheLauncherAndDieWithThePlugin()
{
    openWindow();
    QPointer<QWidget> button = loader.plugin()->button();
    QPointer<QWidget> window = pluginWindow();
    QPointer<QWidget> item = loader.plugin()->statusPanelItem();
    launcher.reset();
    for (QWidget *widget : {button.data(), window.data(), item.data()}) {
        QVERIFY(widget);
        QVERIFY(!widget->parent());
        QVERIFY(!widget->isVisible());
    }

    // A new launcher takes the widgets again and shows what the card already runs.
    card->startMeasurement(QStringLiteral("jitter"));
    card->setConfigValue(QStringLiteral("structure"), QStringLiteral("pcm31"));
    launcher = std::make_unique<LauncherWindow>(*loader.plugin(), *card);
    QVERIFY(launcher->launcherArea()->isAncestorOf(button));
    QVERIFY(panelChild<QCheckBox>("measurement-jitter")->isChecked());
    QCOMPARE(panelChild<QComboBox>("structure")->currentData().toString(), QStringLiteral("pcm31"));

    // The plug-in going first leaves a launcher that still works.
    launcher->show();
    openWindow();
    loader.unload();
    QVERIFY(!button && !window && !item);
    QVERIFY(!launcher->plugin() && !launcher->isPluginWindowOpen());
    launcher->openPluginWindow();
    launcher->closePluginWindow();
}

void tst_Launcher::screenshotsWriteEveryPicture()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcess process;
    process.start(launcherBinary, {QStringLiteral("--screenshots"), dir.path()});
    QVERIFY(process.waitForFinished(120000));
    QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());

    const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());
    for (const QString &name : Screenshots::fileNames()) {
        QVERIFY2(output.contains(dir.filePath(name)), qPrintable(name));
        QVERIFY2(!QImage(dir.filePath(name)).isNull(), qPrintable(name));
    }
    QVERIFY(QImage(dir.filePath(QStringLiteral("launcher.png"))).width()
            > LauncherWindow::DefaultScreenWidth);
    QVERIFY(QImage(dir.filePath(QStringLiteral("window-rx.png")))
            != QImage(dir.filePath(QStringLiteral("window-tx.png"))));
}

void tst_Launcher::badCommandLineExitsWith2_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("mention");

    QTest::newRow("unknown option") << QStringList{"--bogus"} << "bogus";
    QTest::newRow("missing plug-in") << QStringList{"--plugin", "/nonexistent/libtimeslots.so"}
                                     << "/nonexistent/libtimeslots.so";
    QTest::newRow("screen size too small") << QStringList{"--screen-size", "100x80"} << "100x80";
    QTest::newRow("stray argument") << QStringList{"extra"} << "extra";
}

void tst_Launcher::badCommandLineExitsWith2()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, mention);

    QProcess process;
    process.start(launcherBinary, arguments);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 2);
    const QString message = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(message.contains(mention), qPrintable(message));
}

QTEST_MAIN(tst_Launcher)
#include "tst_launcher.moc"
