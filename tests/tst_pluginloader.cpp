// SPDX-License-Identifier: GPL-3.0-or-later

// The launcher's plug-in loader: how it opens a library by path and takes its object, and how it
// refuses each kind of library the instrument's launcher would refuse.

#include "pluginloader.h"

#include <launcherplugin.h>
#include <simulatedcard.h>

#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class tst_PluginLoader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void verificationText_data();
    void verificationText();
    void refusesLibrary_data();
    void refusesLibrary();
    void launcherExitsWithStatus2OnABadPlugin_data();
    void launcherExitsWithStatus2OnABadPlugin();
    void loadsTheTimeslotPluginBoundToTheCard();
    void unloadDeletesThePluginObject();
    void reloadBuildsAFreshObject();
    void defaultPathIsTheLibraryBesideTheLauncher();

private:
    QString textFilePath() const { return tempDir.filePath(QStringLiteral("readme.txt")); }

    QTemporaryDir tempDir;
    SimulatedCard *card = nullptr;
};

static const QString realPlugin = QStringLiteral(E1_LIBRARY_DIR "/libtimeslots.so");

void tst_PluginLoader::initTestCase()
{
    QVERIFY(tempDir.isValid());
    QFile text(textFilePath());
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("This is not a library.\n");
}

void tst_PluginLoader::init()
{
    card = new SimulatedCard(QStringLiteral("e1"));
}

void tst_PluginLoader::cleanup()
{
    delete card;
    card = nullptr;
}

void tst_PluginLoader::verificationText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("the plug-in's own text")
        << QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.7.1\ndebug=false\n"
                      "buildkey=arm linux oe-g++ full-config")
        << true;
    QTest::newRow("another Qt 4 release, debug build")
        << QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.8.7\ndebug=true\n"
                      "buildkey=x86_64 linux g++-4 full-config")
        << true;
    QTest::newRow("Qt 5 version") << QByteArray(
        "pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=5.15.8\ndebug=false\n"
        "buildkey=x") << false;
    QTest::newRow("version 40.1.1")
        << QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=40.1.1\ndebug=false\n"
                      "buildkey=x")
        << false;
    QTest::newRow("version without patch level")
        << QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.7\ndebug=false\n"
                      "buildkey=x")
        << false;
    QTest::newRow("wrong pattern")
        << QByteArray("pattern=QT_PLUGIN_METADATA\nversion=4.7.1\ndebug=false\nbuildkey=x")
        << false;
    QTest::newRow("debug neither true nor false")
        << QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.7.1\ndebug=yes\n"
                      "buildkey=x")
        << false;
    QTest::newRow("empty build key")
        << QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.7.1\ndebug=false\n"
                      "buildkey=")
        << false;
    QTest::newRow("lines out of order")
        << QByteArray("version=4.7.1\npattern=QT_PLUGIN_VERIFICATION_DATA\ndebug=false\n"
                      "buildkey=x")
        << false;
    QTest::newRow("missing build key line")
        << QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.7.1\ndebug=false") << false;
    QTest::newRow("trailing line feed")
        << QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.7.1\ndebug=false\n"
                      "buildkey=x\n")
        << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void tst_PluginLoader::verificationText()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, accepted);
    const QString problem = PluginLoader::verificationProblem(text);
    QCOMPARE(problem.isEmpty(), accepted);
}

void tst_PluginLoader::refusesLibrary_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("failure");
    QTest::addColumn<QStringList>("mentions");

    QTest::newRow("missing path") << tempDir.filePath(QStringLiteral("nowhere/libtimeslots.so"))
                                  << int(PluginLoader::NoSuchFile)
                                  << QStringList {QStringLiteral("no such file")};
    QTest::newRow("text file") << textFilePath() << int(PluginLoader::NotALibrary)
                               << QStringList {QStringLiteral("not a loadable library")};
    QTest::newRow("directory") << tempDir.path() << int(PluginLoader::NotALibrary)
                               << QStringList {QStringLiteral("directory")};
    QTest::newRow("library without entry points")
        << QStringLiteral(E1_TESTLIB_DIR "/libnoentry.so") << int(PluginLoader::MissingEntryPoint)
        << QStringList {QStringLiteral("qt_plugin_query_verification_data")};
    QTest::newRow("verification text of Qt 5")
        << QStringLiteral(E1_TESTLIB_DIR "/libbadverify.so")
        << int(PluginLoader::BadVerificationData)
        << QStringList {QStringLiteral("malformed"), QStringLiteral("version=5.15.8"),
                        QStringLiteral("\"pattern=QT_PLUGIN_VERIFICATION_DATA\\n")};
    QTest::newRow("object is no LauncherPlugin")
        << QStringLiteral(E1_TESTLIB_DIR "/libnotaplugin.so")
        << int(PluginLoader::NotALauncherPlugin)
        << QStringList {QStringLiteral("QObject"), QStringLiteral("not a LauncherPlugin")};
}

void tst_PluginLoader::refusesLibrary()
{
    QFETCH(QString, path);
    QFETCH(int, failure);
    QFETCH(QStringList, mentions);

    PluginLoader loader;
    QVERIFY(!loader.load(path));
    QCOMPARE(int(loader.failure()), failure);
    QVERIFY(!loader.isLoaded());
    QVERIFY(!loader.plugin());
    QCOMPARE(loader.exitStatus(), 2);
    const QString message = loader.errorString();
    QVERIFY2(message.contains(path), qPrintable(message));
    for (const QString &mention : mentions)
        QVERIFY2(message.contains(mention), qPrintable(message));
}

void tst_PluginLoader::launcherExitsWithStatus2OnABadPlugin_data()
{
    refusesLibrary_data();
}

void tst_PluginLoader::launcherExitsWithStatus2OnABadPlugin()
{
    QFETCH(QString, path);
    QFETCH(QStringList, mentions);

    QProcess launcher;
    launcher.start(QStringLiteral(E1_RUNTIME_DIR "/e1-launcher"),
                   {QStringLiteral("--plugin"), path});
    QVERIFY(launcher.waitForFinished(60000));
    QCOMPARE(launcher.exitStatus(), QProcess::NormalExit);
    QCOMPARE(launcher.exitCode(), 2);
    const QString message = QString::fromLocal8Bit(launcher.readAllStandardError());
    QVERIFY2(message.contains(path), qPrintable(message));
    QVERIFY2(message.contains(mentions.first()), qPrintable(message));
}

void tst_PluginLoader::loadsTheTimeslotPluginBoundToTheCard()
{
    PluginLoader loader;
    QVERIFY2(loader.load(realPlugin), qPrintable(loader.errorString()));
    QCOMPARE(loader.exitStatus(), 0);
    QCOMPARE(int(loader.failure()), int(PluginLoader::NoFailure));
    QVERIFY(loader.errorString().isEmpty());
    LauncherPlugin *plugin = loader.plugin();
    QVERIFY(plugin);
    QCOMPARE(plugin->metaObject()->className(), "TimeSlots");
    QCOMPARE(plugin->cardName(), QStringLiteral("e1"));
    QCOMPARE(card->pluginCount(), 1);
    QCOMPARE(plugin->configValue(QStringLiteral("structure"), QString()),
             card->configValue(QStringLiteral("structure")));
}

void tst_PluginLoader::unloadDeletesThePluginObject()
{
    PluginLoader loader;
    QVERIFY2(loader.load(realPlugin), qPrintable(loader.errorString()));
    QPointer<QObject> object = loader.plugin();
    QPointer<QWidget> window = loader.plugin()->window();
    QVERIFY(window);

    loader.unload();
    QVERIFY(!object);
    QVERIFY(!window);
    QVERIFY(!loader.plugin());
    QCOMPARE(card->pluginCount(), 0);
}

void tst_PluginLoader::reloadBuildsAFreshObject()
{
    PluginLoader loader;
    QVERIFY2(loader.load(realPlugin), qPrintable(loader.errorString()));
    QPointer<QObject> first = loader.plugin();
    QVERIFY2(loader.load(realPlugin), qPrintable(loader.errorString()));
    QVERIFY(!first);
    QVERIFY(loader.plugin());
    QCOMPARE(card->pluginCount(), 1);

    // A failed load leaves nothing of the previous plug-in behind.
    QVERIFY(!loader.load(textFilePath()));
    QVERIFY(!loader.plugin());
    QCOMPARE(card->pluginCount(), 0);
}

void tst_PluginLoader::defaultPathIsTheLibraryBesideTheLauncher()
{
    // The tests run from the launcher's own folder, so its default is the plug-in just built.
    QCOMPARE(PluginLoader::defaultPath(), QFileInfo(realPlugin).canonicalFilePath());
}

QTEST_MAIN(tst_PluginLoader)
#include "tst_pluginloader.moc"
