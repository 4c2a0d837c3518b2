// SPDX-License-Identifier: GPL-3.0-or-later

// The plug-in library as the instrument's launcher meets it: opened by path, its two entry
// points resolved by name, the verification text read, the one object handed out.

#include <launcherplugin.h>
#include <simulatedcard.h>

#include <QLibrary>
#include <QPointer>
#include <QWidget>
#include <QtTest>

using InstanceFunction = QObject *(*)();
using VerificationFunction = const char *(*)();

class tst_PluginEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void verificationTextIsTheInstrumentsQt4Build();
    void secondCallReturnsTheSameObject();
    void deletedObjectIsReplacedByAFreshOne();
    void iconsAreRegisteredWhileLoaded_data();
    void iconsAreRegisteredWhileLoaded();
    void unloadingUnregistersTheIcons();

private:
    QLibrary library{QStringLiteral(E1_LIBRARY_DIR "/libtimeslots.so")};
    SimulatedCard *card = nullptr;
    InstanceFunction instance = nullptr;
};

void tst_PluginEntry::init()
{
    card = new SimulatedCard(QStringLiteral("e1"));
    QVERIFY2(library.load(), qPrintable(library.errorString()));
    instance = reinterpret_cast<InstanceFunction>(library.resolve("qt_plugin_instance"));
    QVERIFY(instance);
}

void tst_PluginEntry::cleanup()
{
    if (instance)
        delete instance();
    instance = nullptr;
    delete card;
    card = nullptr;
}

void tst_PluginEntry::verificationTextIsTheInstrumentsQt4Build()
{
    auto verification = reinterpret_cast<VerificationFunction>(
        library.resolve("qt_plugin_query_verification_data"));
    QVERIFY(verification);
    QCOMPARE(QByteArray(verification()),
             QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\n"
                        "version=4.7.1\n"
                        "debug=false\n"
                        "buildkey=arm linux oe-g++ full-config"));
}

void tst_PluginEntry::secondCallReturnsTheSameObject()
{
    QObject *first = instance();
    QVERIFY(first);
    QCOMPARE(instance(), first);
    QCOMPARE(first->metaObject()->className(), "TimeSlots");
    auto *plugin = qobject_cast<LauncherPlugin *>(first);
    QVERIFY(plugin);
    QCOMPARE(plugin->cardName(), QStringLiteral("e1"));
}

void tst_PluginEntry::deletedObjectIsReplacedByAFreshOne()
{
    auto *first = qobject_cast<LauncherPlugin *>(instance());
    QVERIFY(first);
    QPointer<QWidget> window = first->window();
    QPointer<QWidget> button = first->button();
    QPointer<QWidget> status = first->statusPanelItem();
    QVERIFY(window && button && status);
    QVERIFY(!window->parent() && !button->parent() && !status->parent());
    delete first;
    QVERIFY(!window && !button && !status);

    // The fresh object has its own feeds: a running measurement locks its new window.
    card->startMeasurement(QStringLiteral("base"));
    const int topLevels = QApplication::topLevelWidgets().size();
    auto *second = qobject_cast<LauncherPlugin *>(instance());
    QVERIFY(second);
    QCOMPARE(QApplication::topLevelWidgets().size(), topLevels);
    QVERIFY(!second->window()->isEnabled());
}

void tst_PluginEntry::iconsAreRegisteredWhileLoaded_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    const QString prefix = QStringLiteral(":/main/resource/");
    QTest::newRow("speaker") << prefix + "speaker.png" << QSize(27, 27);
    QTest::newRow("tone") << prefix + "tone.png" << QSize(27, 27);
    QTest::newRow("microphone") << prefix + "microphone.png" << QSize(27, 27);
    QTest::newRow("voice, not square") << prefix + "voice.png" << QSize(32, 26);
    QTest::newRow("voice small") << prefix + "voice_s.png" << QSize(20, 16);
    QTest::newRow("speaker small") << prefix + "speaker_s.png" << QSize(24, 24);
    QTest::newRow("tone small") << prefix + "tone_s.png" << QSize(22, 22);
    QTest::newRow("microphone small") << prefix + "microphone_s.png" << QSize(22, 22);
}

void tst_PluginEntry::iconsAreRegisteredWhileLoaded()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
}

void tst_PluginEntry::unloadingUnregistersTheIcons()
{
    QVERIFY(QFile::exists(QStringLiteral(":/main/resource/voice.png")));
    delete instance();
    instance = nullptr;
    QVERIFY(library.unload());
    QVERIFY(!QFile::exists(QStringLiteral(":/main/resource/voice.png")));
}

QTEST_MAIN(tst_PluginEntry)
#include "tst_pluginentry.moc"
