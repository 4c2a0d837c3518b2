// SPDX-License-Identifier: GPL-3.0-or-later

// The plug-in under odd input in a seeded random walk: after every update the widgets show what
// the card holds and no command went out. Fixed seeds; E1_FUZZ_SEED=<seed> walks one seed alone.

#include "offscreennotice.h"
#include "plugininvariants.h"
#include "testsupport.h"
#include "timeslots.h"
#include <roundslider.h>
#include <switch.h>
#include <warningwindow.h>

namespace {
const QStringList Keys
    = QString("structure pattern speaker speaker-volume microphone vfsource voice-transmit")
          .split(' ');
// The card's words and others close to them, numbers out of range, markup, a placeholder.
const char *const OddValues
    = "none|pat|voice|Voice|VOICE|voice | pat|None|Pat|unstr|UNSTR|unstr |unstructured|pcm30|"
      "PCM30|pcm3|pcm30crc|pcm31|2e15|2e23-1|2E15|2e|2e--1|all0|all1|55|0x1A2B|0xZZ|on|On|off|"
      "tone|mic|microphone|MIC|<-24dB|-12|-1|101|2147483648|1e3| 7|NaN|v\u00f6ice|\u202evoice|"
      "<b>b</b>|%1|";
const QStringList Values = QString::fromUtf8(OddValues).split('|');
const char *const ButtonNames
    = "btnPrbs btnVoiceFunc btnVoiceFunc copyToRx copyToTx btnTone btnMicrophone btnSpeaker";
const QStringList Buttons = QString(ButtonNames).split(' ');
} // namespace

class tst_BadInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        dropOffscreenNotices();
        auto *warningCloser = new QTimer(this); // the warning blocks in its own event loop
        Compat::connect(warningCloser, SIGNAL(timeout()), warningCloser, [] {
            if (auto *warning = qobject_cast<WarningWindow *>(QApplication::activeModalWidget()))
                warning->close();
        });
        warningCloser->start(1);
    }
    void init()
    {
        card = new SimulatedCard("e1");
        invariants = new PluginInvariants(*card);
        plugin = &invariants->plugin;
        log = QStringList();
    }
    void cleanup()
    {
        delete invariants;
        delete card;
    }
    void randomWalkKeepsEverythingConsistent_data()
    {
        QTest::addColumn<quint32>("seed");
        bool replay = false;
        const quint32 seed = qEnvironmentVariable("E1_FUZZ_SEED").toUInt(&replay);
        const QVector<quint32> seeds
            = replay ? (QVector<quint32>() << seed) : (QVector<quint32>() << 1 << 2 << 3);
        for (quint32 each : seeds)
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(each))) << each;
    }
    void randomWalkKeepsEverythingConsistent()
    {
        QFETCH(quint32, seed);
        random.seed(seed);
        const QStringList &problems = invariants->problems;
        for (int number = 1; number <= 400 && problems.isEmpty(); ++number) {
            step(); // then mostly the card's notification alone, now and then everything due
            random.bounded(8) ? QCoreApplication::sendPostedEvents(card, QEvent::MetaCall)
                              : QCoreApplication::processEvents();
            int answers = 0; // the card answers every command, refused too; no answer asks more
            while (card->notificationPending() && ++answers < 4)
                QCoreApplication::sendPostedEvents(card, QEvent::MetaCall);
            invariants->check("notifications without a user action", answers < 4, true);
        }
        const QString walk = QString("seed %1 (walk again with E1_FUZZ_SEED=%1): %2\n").arg(seed);
        QVERIFY2(problems.isEmpty(),
                 qPrintable(walk.arg(problems.join("; "))
                            + QStringList(log.mid(log.size() - 20)).join("\n")));
        QVERIFY(invariants->updates > 100);
    }

private:
    template<typename T = QWidget>
    T *child(const QString &name)
    {
        return plugin->window()->findChild<T *>(name);
    }
    // A timeslot mostly gets a slot value, else a near miss of one; other keys any value; now and
    // then 64 KiB behind a word.
    QString valueFor(const QString &key)
    {
        if (random.bounded(16) == 0)
            return Values.at(random.bounded(Values.size())) + QString(65536, QChar(0x4e00));
        const bool slot = key.startsWith("timeslot-");
        return Values.at(random.bounded(slot ? (random.bounded(3) ? 3 : 9) : Values.size()));
    }
    void step()
    {
        const bool rx = random.bounded(2);
        const char *side = rx ? "rx" : "tx";
        const QString key = random.bounded(2)
            ? Keys.at(random.bounded(Keys.size()))
            : QString("timeslot-%1-%2").arg(side).arg(random.bounded(32));
        const int kind = random.bounded(12);
        const int number = random.bounded(4) ? random.bounded(101) : int(random.generate());
        log << QStringLiteral("  action %1 on %2, %3").arg(kind).arg(key).arg(number);
        switch (kind) {
        case 0:
        case 1:
        case 2: // a few keys at once, as one update
            for (int count = 1 + random.bounded(random.bounded(4) ? 3 : 40); count > 0; --count) {
                const QString each = count == 1 ? key : Keys.at(random.bounded(Keys.size()));
                const QString value = valueFor(each);
                log << QStringLiteral("  %1 = \"%2\" (%3)")
                           .arg(each, value.left(24))
                           .arg(value.size());
                card->setConfigValue(each, value);
            }
            return;
        case 3:
            return card->removeConfigValue(key);
        case 4:
            return random.bounded(3) ? card->setMaskValue(key, rx ? QString() : valueFor(key))
                                     : card->clearMaskOverride(key);
        case 5: { // maps lacking keys or with values of any type, from the card or the host
            QVariantMap map;
            const QVariantList odd = QVariantList()
                << QVariant() << number << qQNaN() << QStringList("-12") << QByteArray("\xff-7");
            for (const char *name : {"level", "frequency", "x"})
                if (random.bounded(3))
                    map.insert(name,
                               random.bounded(2) ? QVariant(valueFor(name)) : odd.at(number & 3));
            const int commands = card->commandLog().size();
            const QString set = QString("VFSIGNAL vfsignal").section(' ', number & 1, number & 1);
            random.bounded(5) ? card->publishData("vfsignal", map) : plugin->updated(map, set);
            return invariants->check("data update's commands",
                                     QStringList(card->commandLog().mid(commands)).join(", "), "");
        }
        case 6: {
            const QString name = QString("base vfsignal jtf x").split(' ').at(number & 3);
            return rx ? card->startMeasurement(name) : card->stopMeasurement(name);
        }
        case 7:
            return card->refuseNext(rx ? "only one voice timeslot" : valueFor(key).left(40));
        case 8: // an option on a slot button, now and then either out of range
            return Compat::emitSignal(
                child<SwitchPanel>(side + QString("Slots")), "indexChanged",
                random.bounded(8) ? 1 + random.bounded(31) : random.bounded(-2, 34),
                random.bounded(8) ? random.bounded(3) : random.bounded(-3, 5));
        case 9:
            return Compat::emitSignal(child<Switch>(side + QString("All")), "indexChanged",
                                      random.bounded(-2, 4));
        case 10: // a button, those of the voice dialog once it is open
            if (auto *button = child<QAbstractButton>(Buttons.at(random.bounded(Buttons.size()))))
                button->click();
            return;
        default: // a dial turned, or only reporting a position
            if (auto *dial = child<RoundSlider>(rx ? "sliderMicrophone" : "sliderSpeaker"))
                random.bounded(2) ? dial->setPosition(number)
                                  : Compat::emitSignal(dial, "positionChanged", number);
        }
    }
    QRandomGenerator random;
    QStringList log;
    SimulatedCard *card = nullptr;
    PluginInvariants *invariants = nullptr;
    LauncherPlugin *plugin = nullptr;
};

QTEST_MAIN(tst_BadInput)
#include "tst_badinput.moc"
