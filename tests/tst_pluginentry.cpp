// SPDX-License-Identifier: GPL-3.0-or-later

// The plug-in library as the instrument's launcher meets it: opened by path, its two entry
// points resolved by name, the verification text read, the one object handed out.

#include "testsupport.h"

#include <launcherplugin.h>

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

    // One object while it lives; once deleted, a fresh one with its own feeds.
    void oneObjectUntilDeleted()
    {
        auto *first = qobject_cast<LauncherPlugin *>(instance());
        QVERIFY(first && instance() == first);
        QCOMPARE(first->metaObject()->className(), "TimeSlots");
        QCOMPARE(first->cardName(), "e1");
        delete first;

        // A running measurement locks the fresh object's new window.
        card->startMeasurement("base");
        auto *second = qobject_cast<LauncherPlugin *>(instance());
        QVERIFY(second && !second->window()->isEnabled());
    }

    // The plug-in's pictures, with their sizes and a see-through corner.
    void iconsAreRegisteredWhileLoaded()
    {
        const QString sizes
            = "speaker 27 tone 27 microphone 27 voice 32x26 voice_s 20x16 speaker_s 24 "
              "tone_s 22 microphone_s 22";
        const QStringList words = sizes.split(' ');
        for (int i = 0; i < words.size(); i += 2) {
            const QImage image(":/main/resource/" + words[i] + ".png");
            const QString size = QString("%1x%2").arg(image.width()).arg(image.height());
            QVERIFY2(size == words[i + 1] || size == words[i + 1] + 'x' + words[i + 1],
                     qPrintable(words[i]));
            QVERIFY(image.hasAlphaChannel() && qAlpha(image.pixel(0, 0)) == 0);
        }
    }

private:
    QLibrary library{E1_LIBRARY_DIR "/libtimeslots.so"};
    SimulatedCard *card = nullptr;
    QObject *(*instance)() = nullptr;
};

QTEST_MAIN(tst_PluginEntry)
#include "tst_pluginentry.moc"
