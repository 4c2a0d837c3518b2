// SPDX-License-Identifier: GPL-3.0-or-later

#include "pluginloader.h"
#include "testsupport.h"

#include <launcherplugin.h>

static const QString realPlugin = QStringLiteral(E1_LIBRARY_DIR "/libtimeslots.so");
static const QString textFile = QStringLiteral(E1_SOURCE_DIR "/tests/tst_pluginloader.cpp");

static QByteArray verification(const char *version = "4.7.1", const char *debug = "false",
                               const char *buildKey = "x")
{
    return QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=") + version
        + "\ndebug=" + debug + "\nbuildkey=" + buildKey;
}

class tst_PluginLoader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusesVerificationText_data()
    {
        // The texts that pass are those of the real plug-in and of libnotaplugin, loaded below.
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("Qt 5 version") << verification("5.15.8");
        QTest::newRow("version without patch level") << verification("4.7");
        QTest::newRow("debug neither true nor false") << verification("4.7.1", "yes");
        QTest::newRow("empty build key") << verification("4.7.1", "false", "");
        QTest::newRow("trailing line feed") << verification() + '\n';
        QTest::newRow("wrong pattern") << verification().replace("VERIFICATION_DATA", "METADATA");
        QTest::newRow("lines out of order") << QByteArray(
            "version=4.7.1\npattern=QT_PLUGIN_VERIFICATION_DATA\ndebug=false\nbuildkey=x");
        QTest::newRow("empty") << QByteArray();
    }

    void refusesVerificationText()
    {
        QFETCH(QByteArray, text);
        QVERIFY(!PluginLoader::verificationProblem(text).isEmpty());
    }

    void refusesLibrary_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("mention"); // parts separated by '|'

        const QString lib = E1_TESTLIB_DIR "/lib";
        row("missing path", "/nonexistent/libtimeslots.so", int(PluginLoader::NoSuchFile),
            "no such file");
        row("text file", textFile, int(PluginLoader::NotALibrary), "not a loadable library");
        row("directory", E1_SOURCE_DIR "/tests", int(PluginLoader::NotALibrary), "directory");
        row("library without entry points", lib + "noentry.so",
            int(PluginLoader::MissingEntryPoint), "qt_plugin_query_verification_data");
        row("verification text of Qt 5", lib + "badverify.so",
            int(PluginLoader::BadVerificationData), "version=5.15.8");
        // Only Qt 4's own loader compares build keys, and the message keeps its reason; without it
        // the launcher goes on to ask for the object, which this library does not give.
#if QT_VERSION < 0x050000
        row("build key not the instrument's", lib + "badkey.so",
            int(PluginLoader::BadVerificationData),
            "build key \"arm linux g++-4 full-config\" is not|Expected build key");
#else
        row("build key not the instrument's", lib + "badkey.so", int(PluginLoader::NoPluginObject),
            "qt_plugin_instance() returned no object");
#endif
        row("object is no LauncherPlugin", lib + "notaplugin.so",
            int(PluginLoader::NotALauncherPlugin), "not a LauncherPlugin");
    }

    void refusesLibrary()
    {
        QFETCH(QString, path);
        QFETCH(int, failure);
        QFETCH(QString, mention);

        PluginLoader loader;
        QVERIFY(!loader.load(path));
        QCOMPARE(int(loader.failure()), failure);
        QVERIFY(!loader.isLoaded() && !loader.plugin());
        QCOMPARE(loader.exitStatus(), 2);
        const QString message = loader.errorString();
        QVERIFY2(message.contains(path), qPrintable(message));
        for (const QString &part : mention.split('|'))
            QVERIFY2(message.contains(part), qPrintable(message));
    }

    // The library opened by path, as the instrument's launcher meets it: the verification text of
    // the instrument's Qt 4.7 build; one object while it lives, a fresh one once deleted, whose
    // window a running measurement locks; the pictures with their sizes and a see-through corner.
    void entryPointsObjectAndPictures()
    {
        QLibrary library(realPlugin);
        const auto verification = reinterpret_cast<const char *(*)()>(
            library.resolve("qt_plugin_query_verification_data"));
        const auto instance
            = reinterpret_cast<QObject *(*)()>(library.resolve("qt_plugin_instance"));
        QVERIFY(verification && instance);
        QCOMPARE(QByteArray(verification()),
                 QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.7.1\ndebug=false\n"
                            "buildkey=arm linux oe-g++ full-config"));
        auto *first = qobject_cast<LauncherPlugin *>(instance());
        QVERIFY(first && instance() == first);
        QCOMPARE(first->metaObject()->className(), "TimeSlots");
        QCOMPARE(first->cardName(), "e1");
        delete first;
        card.startMeasurement("base");
        QScopedPointer<LauncherPlugin> second(qobject_cast<LauncherPlugin *>(instance()));
        QVERIFY(second && !second->window()->isEnabled());
        card.stopMeasurement("base");
        const QStringList sizes
            = QString("speaker 27x27 tone 27x27 microphone 27x27 voice 32x26 "
                      "voice_s 20x16 speaker_s 24x24 tone_s 22x22 microphone_s 22x22")
                  .split(' ');
        for (int i = 0; i < sizes.size(); i += 2) {
            const QImage image(":/main/resource/" + sizes[i] + ".png");
            QVERIFY2(QString("%1x%2").arg(image.width()).arg(image.height()) == sizes[i + 1]
                         && image.hasAlphaChannel() && qAlpha(image.pixel(0, 0)) == 0,
                     qPrintable(sizes[i]));
        }
    }
    void loadsReloadsAndDropsThePlugin()
    {
        QCOMPARE(PluginLoader::defaultPath(), QFileInfo(realPlugin).canonicalFilePath());
#if QT_VERSION < 0x050000
        // The instrument's own loader, Qt 4's, takes the library as it is.
        QPluginLoader qtLoader(realPlugin);
        QVERIFY2(qtLoader.load(), qPrintable(qtLoader.errorString()));
        QCOMPARE(qtLoader.instance()->metaObject()->className(), "TimeSlots");
        delete qtLoader.instance();
        QVERIFY(qtLoader.unload());
#endif
        PluginLoader loader;
        QVERIFY2(loader.load(PluginLoader::defaultPath()), qPrintable(loader.errorString()));
        QCOMPARE(loader.exitStatus(), 0);
        QPointer<LauncherPlugin> first = loader.plugin();
        QCOMPARE(first->metaObject()->className(), "TimeSlots");
        QCOMPARE(card.pluginCount(), 1);

        QPointer<QWidget> window = first->window();
        QVERIFY2(loader.load(realPlugin), qPrintable(loader.errorString()));
        QVERIFY(!first && !window);
        QVERIFY(loader.plugin());
        QCOMPARE(card.pluginCount(), 1);

        // A failed load leaves nothing of the previous plug-in behind.
        QVERIFY(!loader.load(textFile));
        QVERIFY(!loader.plugin());
        QCOMPARE(card.pluginCount(), 0);
    }

private:
    SimulatedCard card{QStringLiteral("e1")};
};

QTEST_MAIN(tst_PluginLoader)
#include "tst_pluginloader.moc"
