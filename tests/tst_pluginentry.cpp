// SPDX-License-Identifier: GPL-3.0-or-later

// The plug-in library as the instrument's launcher meets it: opened by path, its two entry
// points resolved by name, the verification text read, the one object handed out.

#include <launcherplugin.h>
#include <simulatedcard.h>

#include <QLibrary>
#include <QPointer>
#include <QWidget>
#include <QtTest>

class tst_PluginEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        card = new SimulatedCard("e1");
        QVERIFY2(library.load(), qPrintable(library.errorString()));
        instance = reinterpret_cast<QObject *(*)()>(library.resolve("qt_plugin_instance"));
        QVERIFY(instance);
    }
    void cleanup()
    {
        if (instance)
            delete instance();
        instance = nullptr;
        delete card;
    }

    void verificationTextIsTheInstrumentsQt4Build()
    {
        const auto verification = reinterpret_cast<const char *(*)()>(
            library.resolve("qt_plugin_query_verification_data"));
        QVERIFY(verification);
        QCOMPARE(QByteArray(verification()),
                 QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=4.7.1\ndebug=false\n"
                            "buildkey=arm linux oe-g++ full-config"));
    }

    // One object while it lives; once deleted with its widgets, a fresh one with its own feeds.
    void oneObjectUntilDeleted()
    {
        auto *first = qobject_cast<LauncherPlugin *>(instance());
        QVERIFY(first && instance() == first);
        QCOMPARE(first->metaObject()->className(), "TimeSlots");
        QCOMPARE(first->cardName(), "e1");
        QPointer<QWidget> window = first->window(), button = first->button(),
                          status = first->statusPanelItem();
        delete first;
        QVERIFY(!window && !button && !status);

        // A running measurement locks the fresh object's new window.
        card->startMeasurement("base");
        const int topLevels = QApplication::topLevelWidgets().size();
        auto *second = qobject_cast<LauncherPlugin *>(instance());
        QVERIFY(second);
        QCOMPARE(QApplication::topLevelWidgets().size(), topLevels);
        QVERIFY(!second->window()->isEnabled());
    }

    void iconsAreRegisteredWhileLoaded_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("speaker") << "speaker" << QSize(27, 27);
        QTest::newRow("tone") << "tone" << QSize(27, 27);
        QTest::newRow("microphone") << "microphone" << QSize(27, 27);
        QTest::newRow("voice, not square") << "voice" << QSize(32, 26);
        QTest::newRow("voice small") << "voice_s" << QSize(20, 16);
        QTest::newRow("speaker small") << "speaker_s" << QSize(24, 24);
        QTest::newRow("tone small") << "tone_s" << QSize(22, 22);
        QTest::newRow("microphone small") << "microphone_s" << QSize(22, 22);
    }
    void iconsAreRegisteredWhileLoaded()
    {
        QFETCH(QString, name);
        const QString path = ":/main/resource/" + name + ".png";
        const QImage image(path);
        QTEST(image.size(), "size");
        QVERIFY(image.hasAlphaChannel());
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        delete instance();
        instance = nullptr;
        QVERIFY(library.unload());
        QVERIFY(!QFile::exists(path));
    }

private:
    QLibrary library{E1_LIBRARY_DIR "/libtimeslots.so"};
    SimulatedCard *card = nullptr;
    QObject *(*instance)() = nullptr;
};

QTEST_MAIN(tst_PluginEntry)
#include "tst_pluginentry.moc"
