// SPDX-License-Identifier: GPL-3.0-or-later

// The desktop launcher end to end: the real plug-in loaded by path, its widgets placed on the
// instrument's screen, the card panel's changes reaching the plug-in through the card, and the
// program's command line and screenshots.

#include "cardpanel.h"
#include "launcherwindow.h"
#include "pluginloader.h"
#include "screenshots.h"

#include <launcherplugin.h>
#include <simulatedcard.h>
#include <switchpanel.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

class tst_Launcher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void buttonOpensTheWindowInTheScreenArea();
    void closingAndReopeningAsksTheCardAgain();
    void structureFromTheCardPanelReachesTheWindow_data();
    void structureFromTheCardPanelReachesTheWindow();
    void measurementCheckBoxSwitchesTheWindow_data();
    void measurementCheckBoxSwitchesTheWindow();
    void armedRefusalIsLoggedAndMarked();
    void tableEditsChangeTheCard();
    void resetRestoresTheFactoryState();
    void panelShowsWhatTheCardAlreadyRuns();
    void widgetsGoBackToThePluginWhenTheLauncherCloses();
    void pluginDeletedFirstLeavesTheLauncherIntact();
    void screenshotsWriteEveryPicture();
    void withoutADisplayItRendersScreenshots();
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

    SimulatedCard *card = nullptr;
    PluginLoader loader;
    LauncherWindow *launcher = nullptr;
};

static const QString launcherBinary = QStringLiteral(E1_RUNTIME_DIR "/e1-launcher");

void tst_Launcher::init()
{
    card = new SimulatedCard(QStringLiteral("e1"));
    QVERIFY2(loader.load(QStringLiteral(E1_LIBRARY_DIR "/libtimeslots.so")),
             qPrintable(loader.errorString()));
    launcher = new LauncherWindow(*loader.plugin(), *card);
    launcher->show();
    QVERIFY(QTest::qWaitForWindowExposed(launcher));
}

void tst_Launcher::cleanup()
{
    delete launcher;
    launcher = nullptr;
    loader.unload();
    delete card;
    card = nullptr;
}

void tst_Launcher::openWindow()
{
    auto *press = loader.plugin()->button()->findChild<QAbstractButton *>();
    QVERIFY(press);
    press->click();
    QVERIFY(launcher->isPluginWindowOpen());
}

void tst_Launcher::buttonOpensTheWindowInTheScreenArea()
{
    QVERIFY(launcher->launcherArea()->isAncestorOf(loader.plugin()->button()));
    QVERIFY(launcher->statusPanel()->isAncestorOf(loader.plugin()->statusPanelItem()));
    QVERIFY(!pluginWindow()->isVisible());

    openWindow();
    QVERIFY(launcher->screenArea()->isAncestorOf(pluginWindow()));
    QVERIFY(pluginWindow()->isVisible());
    QVERIFY(!pluginWindow()->isWindow());
    QTRY_VERIFY(card->commandLog().contains(QStringLiteral("timeslot")));
    auto *log = panelChild<QTreeWidget>("commandLog");
    QVERIFY(!log->findItems(QStringLiteral("timeslot"), Qt::MatchExactly, 1).isEmpty());
}

void tst_Launcher::closingAndReopeningAsksTheCardAgain()
{
    openWindow();
    auto *close
        = launcher->screenArea()->findChild<QAbstractButton *>(QStringLiteral("closeWindow"));
    QVERIFY(close);
    close->click();
    QVERIFY(!launcher->isPluginWindowOpen());
    QVERIFY(!pluginWindow()->isVisible());
    QCOMPARE(card->commandLog().count(QStringLiteral("timeslot")), 1);

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

void tst_Launcher::measurementCheckBoxSwitchesTheWindow_data()
{
    QTest::addColumn<QString>("measurement");
    QTest::addColumn<bool>("windowEnabledWhileRunning");

    QTest::newRow("base") << "base" << false;
    QTest::newRow("jitter") << "jitter" << false;
    QTest::newRow("vfsignal") << "vfsignal" << true;
}

void tst_Launcher::measurementCheckBoxSwitchesTheWindow()
{
    QFETCH(QString, measurement);
    QFETCH(bool, windowEnabledWhileRunning);

    openWindow();
    auto *box = panelChild<QCheckBox>(qPrintable(QStringLiteral("measurement-") + measurement));
    QVERIFY(box);
    box->click();
    QVERIFY(card->isRunning(measurement));
    QCOMPARE(pluginWindow()->isEnabled(), windowEnabledWhileRunning);
    box->click();
    QVERIFY(!card->isRunning(measurement));
    QVERIFY(pluginWindow()->isEnabled());

    // A measurement started elsewhere shows in its check box.
    card->startMeasurement(measurement);
    QVERIFY(box->isChecked());
}

void tst_Launcher::armedRefusalIsLoggedAndMarked()
{
    auto *text = panelChild<QLineEdit>("refusalText");
    auto *refuse = panelChild<QAbstractButton>("refuseNext");
    auto *commandLine = panelChild<QLineEdit>("commandLine");
    auto *log = panelChild<QTreeWidget>("commandLog");
    text->setText(QStringLiteral("line is busy"));
    refuse->click();
    QVERIFY(!refuse->isEnabled());

    commandLine->setText(QStringLiteral("pattern 2e9"));
    emit commandLine->returnPressed();
    QCOMPARE(card->configValue(QStringLiteral("pattern")), QStringLiteral("2e15"));
    QTreeWidgetItem *refused = log->topLevelItem(log->topLevelItemCount() - 1);
    QCOMPARE(refused->text(1), QStringLiteral("pattern 2e9"));
    QVERIFY(refused->text(2).contains(QStringLiteral("refused")));
    QVERIFY(refused->text(2).contains(QStringLiteral("line is busy")));
    QVERIFY(refuse->isEnabled());

    // Only the one command is refused.
    commandLine->setText(QStringLiteral("pattern 2e9"));
    emit commandLine->returnPressed();
    QCOMPARE(card->configValue(QStringLiteral("pattern")), QStringLiteral("2e9"));
    QVERIFY(!log->topLevelItem(log->topLevelItemCount() - 1)
                 ->text(2)
                 .contains(QStringLiteral("refused")));
}

static QTableWidgetItem *valueOf(QTableWidget *table, const QString &key)
{
    const QList<QTableWidgetItem *> found = table->findItems(key, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : table->item(found.first()->row(), 1);
}

void tst_Launcher::tableEditsChangeTheCard()
{
    auto *configTable = panelChild<QTableWidget>("configTable");
    QTableWidgetItem *pattern = valueOf(configTable, QStringLiteral("pattern"));
    QVERIFY(pattern);
    pattern->setText(QStringLiteral("all1"));
    QCOMPARE(card->configValue(QStringLiteral("pattern")), QStringLiteral("all1"));
    QCOMPARE(loader.plugin()->configValue(QStringLiteral("pattern"), QString()),
             QStringLiteral("all1"));

    auto *maskTable = panelChild<QTableWidget>("maskTable");
    QTableWidgetItem *speaker = valueOf(maskTable, QStringLiteral("speaker"));
    QVERIFY(speaker);
    speaker->setText(QStringLiteral("locked"));
    QVERIFY(card->hasMaskOverride(QStringLiteral("speaker")));
    QCOMPARE(loader.plugin()->maskValue(QStringLiteral("speaker"), QString()),
             QStringLiteral("locked"));

    // The tables follow the card's notification; the override is then cleared from its row.
    QTRY_COMPARE(valueOf(maskTable, QStringLiteral("speaker"))->text(), QStringLiteral("locked"));
    maskTable->selectRow(valueOf(maskTable, QStringLiteral("speaker"))->row());
    panelChild<QAbstractButton>("clearOverride")->click();
    QVERIFY(!card->hasMaskOverride(QStringLiteral("speaker")));
}

void tst_Launcher::resetRestoresTheFactoryState()
{
    card->setConfigValue(QStringLiteral("structure"), QStringLiteral("unstr"));
    card->execute(QStringLiteral("timeslot"));
    card->startMeasurement(QStringLiteral("base"));
    auto *combo = panelChild<QComboBox>("structure");
    QTRY_COMPARE(combo->currentData().toString(), QStringLiteral("unstr"));

    panelChild<QAbstractButton>("resetCard")->click();
    QCOMPARE(card->configValue(QStringLiteral("structure")), QStringLiteral("pcm30crc"));
    QVERIFY(!card->isRunning(QStringLiteral("base")));
    QVERIFY(!panelChild<QCheckBox>("measurement-base")->isChecked());
    QCOMPARE(panelChild<QTreeWidget>("commandLog")->topLevelItemCount(), 0);
    QTRY_COMPARE(combo->currentData().toString(), QStringLiteral("pcm30crc"));
}

void tst_Launcher::panelShowsWhatTheCardAlreadyRuns()
{
    delete launcher;
    card->startMeasurement(QStringLiteral("jitter"));
    card->setConfigValue(QStringLiteral("structure"), QStringLiteral("pcm31"));
    launcher = new LauncherWindow(*loader.plugin(), *card);

    QVERIFY(panelChild<QCheckBox>("measurement-jitter")->isChecked());
    QVERIFY(!panelChild<QCheckBox>("measurement-base")->isChecked());
    QCOMPARE(panelChild<QComboBox>("structure")->currentData().toString(), QStringLiteral("pcm31"));
}

void tst_Launcher::widgetsGoBackToThePluginWhenTheLauncherCloses()
{
    openWindow();
    QPointer<QWidget> button = loader.plugin()->button();
    QPointer<QWidget> window = pluginWindow();
    QPointer<QWidget> item = loader.plugin()->statusPanelItem();

    delete launcher;
    launcher = nullptr;
    for (QWidget *widget : {button.data(), window.data(), item.data()}) {
        QVERIFY(widget);
        QVERIFY(!widget->parent());
        QVERIFY(!widget->isVisible());
    }
    loader.unload();
    QVERIFY(!button && !window && !item);
}

void tst_Launcher::pluginDeletedFirstLeavesTheLauncherIntact()
{
    openWindow();
    QPointer<QWidget> window = pluginWindow();
    loader.unload();
    QVERIFY(!window);
    QVERIFY(!launcher->plugin());
    QVERIFY(!launcher->isPluginWindowOpen());
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
    const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());
    QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());

    for (const QString &name : Screenshots::fileNames()) {
        const QString path = QDir(dir.path()).filePath(name);
        QVERIFY2(output.contains(path), qPrintable(name));
        const QImage picture(path);
        QVERIFY2(!picture.isNull(), qPrintable(name));
    }
    const QImage launcherPicture(dir.filePath(QStringLiteral("launcher.png")));
    QVERIFY(launcherPicture.width() > LauncherWindow::DefaultScreenWidth);
    // The transmit view is a different picture from the receive view.
    QVERIFY(QImage(dir.filePath(QStringLiteral("window-rx.png")))
            != QImage(dir.filePath(QStringLiteral("window-tx.png"))));
}

void tst_Launcher::withoutADisplayItRendersScreenshots()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(dir.path());
    process.start(launcherBinary, QStringList());
    QVERIFY(process.waitForFinished(120000));
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(QString::fromLocal8Bit(process.readAllStandardOutput())
                .contains(QStringLiteral("No display")));
    for (const QString &name : Screenshots::fileNames())
        QVERIFY2(QFile::exists(dir.filePath(QStringLiteral("screenshots/") + name)),
                 qPrintable(name));
}

void tst_Launcher::badCommandLineExitsWith2_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("mention");

    QTest::newRow("unknown option") << QStringList{"--bogus"} << "bogus";
    QTest::newRow("plug-in without path") << QStringList{"--plugin"} << "plugin";
    QTest::newRow("missing plug-in") << QStringList{"--plugin", "/nonexistent/libtimeslots.so"}
                                     << "/nonexistent/libtimeslots.so";
    QTest::newRow("screen size not WxH") << QStringList{"--screen-size", "big"} << "big";
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
