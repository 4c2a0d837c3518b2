// SPDX-License-Identifier: GPL-3.0-or-later

// The plug-in under odd input in a seeded random walk: after every update the widgets show what
// the card holds and no command went out. Fixed seeds; E1_FUZZ_SEED=<seed> walks one seed alone.

#include "timeslots.h"

#include "offscreennotice.h"
#include <roundslider.h>

#include <simulatedcard.h>
#include <statuslabel.h>
#include <switch.h>
#include <switchpanel.h>
#include <warningwindow.h>

#include <QAbstractButton>
#include <QRandomGenerator>
#include <QtTest>

namespace {

QString slotKey(const char *direction, int slot)
{
    return QStringLiteral("timeslot-%1-%2").arg(QLatin1String(direction)).arg(slot);
}

QString expectedPrbsText(const QString &pattern)
{
    static const QHash<QString, QString> fixed
        = {{"all0", "0\u2026"}, {"all1", "1\u2026"}, {"55", "\u201855\u2019"}};
    const QString exponent = pattern.section(QLatin1Char('-'), 0, 0).mid(2);
    if (!pattern.startsWith(QLatin1String("2e")))
        return "PRBS: " + fixed.value(pattern, QStringLiteral("***"));
    return exponent.isEmpty() ? QStringLiteral("PRBS: 2") : "PRBS: 2e" + exponent + "-1";
}

// Bound before and after the plug-in, it hears of each update first or last.
class Watcher : public LauncherPlugin
{
public:
    using LauncherPlugin::LauncherPlugin;
    void configUpdated(QVariantMap &) override { onUpdate(); }
    std::function<void()> onUpdate;
};

} // namespace

class tst_BadInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // A timer closes the blocking warning, which runs its own event loop.
        dropOffscreenNotices();
        auto *warningCloser = new QTimer(this);
        connect(warningCloser, &QTimer::timeout, [] {
            for (QWidget *widget : QApplication::topLevelWidgets())
                if (qobject_cast<WarningWindow *>(widget) && widget->isVisible())
                    widget->close();
        });
        warningCloser->start(1);
    }

    void init()
    {
        card = new SimulatedCard(QStringLiteral("e1"));
        first = new Watcher(QStringLiteral("e1"));
        first->onUpdate = [this] {
            commandsAtUpdate = card->commandLog().size();
            dialEndCommands = QStringList{dialEndCommand("microphone", "microphone %1"),
                                          dialEndCommand("speaker-volume", "speaker volume %1")};
        };
        plugin = new TimeSlots;
        last = new Watcher(QStringLiteral("e1"));
        last->onUpdate = [this] { updateEnds(); };
        window = plugin->window();
        window->show();
        plugin->button()->show();
        plugin->statusPanelItem()->show();
        state16 = "CAS off"; // the card starts on pcm30crc
        log = problems = QStringList();
        updates = 0;
    }

    void cleanup()
    {
        delete last;
        delete plugin;
        delete first;
        delete card;
    }

    void randomWalkKeepsEverythingConsistent_data()
    {
        QTest::addColumn<quint32>("seed");
        bool replay = false;
        const quint32 seed = qEnvironmentVariableIntValue("E1_FUZZ_SEED", &replay);
        for (quint32 each : replay ? QVector<quint32>{seed} : QVector<quint32>{1, 2, 3})
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(each))) << each;
    }

    void randomWalkKeepsEverythingConsistent()
    {
        QFETCH(quint32, seed);
        random.seed(seed);
        for (int number = 1; number <= 400 && problems.isEmpty(); ++number) {
            step();
            // Mostly the card's notification alone, now and then everything due.
            random.bounded(8) ? QCoreApplication::sendPostedEvents(card, QEvent::MetaCall)
                              : QCoreApplication::processEvents();
        }
        QVERIFY2(problems.isEmpty(),
                 qPrintable(QStringLiteral("seed %1 (walk again with E1_FUZZ_SEED=%1): %2\n%3")
                                .arg(seed)
                                .arg(problems.join("; "), log.mid(log.size() - 20).join("\n"))));
        QVERIFY(updates > 100);
    }

    void levelBeyondTheDialsRangeIsSentAtItsEnd_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("sent");
        const auto row = [](const char *key, const char *level, const char *sent) {
            QTest::newRow(sent) << QString(key) << QString(level) << QString(sent);
        };
        row("microphone", "104", "microphone 100");
        row("speaker-volume", "2147483647", "speaker volume 100");
        row("speaker-volume", "-1", "speaker volume 0");
    }

    // The dial stops at its end and sends that once; the next update sends nothing, a turn does.
    void levelBeyondTheDialsRangeIsSentAtItsEnd()
    {
        QFETCH(QString, key);
        QFETCH(QString, level);
        QFETCH(QString, sent);
        child<QAbstractButton>("btnVoiceFunc")->click();
        QCoreApplication::processEvents();
        card->clearCommandLog();
        card->setConfigValue(key, level);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(card->commandLog(), QStringList{sent});
        child<RoundSlider>(key == "microphone" ? "sliderMicrophone" : "sliderSpeaker")
            ->setPosition(50);
        QCOMPARE(card->commandLog().size(), 2);
    }

private:
    template<typename T = QWidget>
    T *child(const QString &name)
    {
        return window->findChild<T *>(name);
    }

    QString oddText()
    {
        static const char16_t all[]
            = u"| |Voice|VOICE|voice | pat|None|PCM30|pcm3|pcm30\n|Unstr|unstr |ON|Tone|MIC|MICRO"
              u"|Microphone|2E15|2e|2e-|2e--1|0x|0xZZ|0xFFFFFFFFFF|<-24dB|-|-2147483649|-1|101"
              u"|2147483648|99999999999999999999|1e3|+5| 7|12abc|NaN|v\u00f6ice|\u0432\u043e\u0438"
              u"|\uff56\uff4f|\u0663\u0664|\u202evoice|\U0001F3B5|\xd800|vo\0ice|<b>b</b>&amp;|%1";
        static const QStringList odd = QString::fromUtf16(all, int(std::size(all)) - 1).split('|');
        const int kind = random.bounded(8);
        if (kind == 0) { // 64 KiB, sometimes behind a prefix the plug-in tests for
            const QString prefix = QStringList{"", "pcm30", "2e", "voice"}.at(random.bounded(4));
            return prefix + QString(32768 - prefix.size(), QChar(0x20 + random.bounded(0x5e)))
                + QString(16384, QChar(0x4e00 + random.bounded(0x100)));
        }
        QString text(kind == 1 ? random.bounded(12) : 0, QChar());
        for (QChar &character : text)
            character = QChar(ushort(1 + random.bounded(0xfffe)));
        return kind == 1 ? text : odd.at(random.bounded(odd.size()));
    }

    // Mostly a value the key can hold, often an odd one; a number for the levels.
    QString valueFor(const QString &key)
    {
        static const QHash<QString, QString> values
            = {{"timeslot", "none pat voice"},
               {"pattern", "2e15 2e23-1 all0 all1 55 0x1A2B"},
               {"speaker", "on off"},
               {"vfsource", "tone mic off"},
               {"voice-transmit", "tone microphone off"}};
        const QString known = key == "structure"
            ? SimulatedCard::structures().join(' ')
            : values.value(key.startsWith("timeslot-") ? "timeslot" : key);
        if (random.bounded(3) == 0)
            return oddText();
        return known.isEmpty() ? QString::number(random.bounded(-50, 150))
                               : known.split(' ').at(random.bounded(known.count(' ') + 1));
    }

    QVariant oddVariant()
    {
        QVariantList odd = {QVariant(), random.bounded(-100, 100), qQNaN(), true};
        odd << QStringList{"-12", "dB"} << QVariantMap{{"level", QString("-3")}}
            << QByteArray("\xff\xfe-7\x00", 5);
        return odd.value(random.bounded(odd.size() + 3), oddText()); // text now and then
    }

    void step();

    // The voice dialog sends the end of its dial for a level beyond it: the one command allowed.
    QString dialEndCommand(const char *key, const char *command) const
    {
        const int level = card->configValue(QLatin1String(key)).toInt(nullptr, 10);
        const int end = qBound(0, level, 100);
        return end == level ? QString() : QString::fromLatin1(command).arg(end);
    }

    void updateEnds();

    void check(const QString &what, const QVariant &is, const QVariant &should)
    {
        if (is != should && problems.size() < 8)
            problems << what.left(60) + ": " + is.toString().left(40) + ", not "
                    + should.toString();
    }

    QRandomGenerator random;
    QStringList log;
    QStringList problems;
    SimulatedCard *card = nullptr;
    Watcher *first = nullptr;
    TimeSlots *plugin = nullptr;
    Watcher *last = nullptr;
    QPointer<QWidget> window;
    int commandsAtUpdate = 0;
    QStringList dialEndCommands;
    int updates = 0;
    QString state16; // slot button 16 as the last structured update left it
};

void tst_BadInput::step()
{
    static const QStringList keys = {"structure",  "pattern",  "speaker",       "speaker-volume",
                                     "microphone", "vfsource", "voice-transmit"};
    static const QStringList buttons = {"btnPrbs",  "btnVoiceFunc", "btnVoiceFunc",  "copyToRx",
                                        "copyToTx", "btnTone",      "btnMicrophone", "btnSpeaker"};
    const bool rx = random.bounded(2);
    const int kind = random.bounded(12);
    const int position = random.bounded(4) ? random.bounded(101) : int(random.generate());
    log << QStringLiteral("  action %1 on %2, %3").arg(kind).arg(rx ? "rx" : "tx").arg(position);
    const int keysToSet = kind < 4 ? 1 + random.bounded(random.bounded(4) ? 3 : 40) : 0;
    for (int count = 0; count < keysToSet; ++count) { // a few keys at once, as one update
        const QString key = random.bounded(2)
            ? keys.at(random.bounded(keys.size()))
            : slotKey(random.bounded(2) ? "rx" : "tx", random.bounded(32));
        const bool remove = random.bounded(10) == 0;
        const QString value = remove ? QString() : valueFor(key);
        log << QStringLiteral("  %1 = \"%2\" (%3)").arg(key, value.left(24)).arg(value.size());
        remove ? card->removeConfigValue(key) : card->setConfigValue(key, value);
    }
    switch (kind) {
    case 4: {
        const QString key = random.bounded(3) ? slotKey(rx ? "rx" : "tx", random.bounded(32))
                                              : keys.at(random.bounded(2) ? 2 : 6);
        const QString mask = random.bounded(2) ? QString() : oddText();
        return random.bounded(3) ? card->setMaskValue(key, mask) : card->clearMaskOverride(key);
    }
    case 5: { // maps lacking keys or with values of any type, from the card or the host
        QVariantMap map = {{"level", rx ? QVariant(valueFor("level")) : oddVariant()},
                           {"frequency", oddVariant()},
                           {oddText(), oddVariant()}};
        for (const QString &key : map.keys())
            if (random.bounded(3) == 0)
                map.remove(key);
        const int commands = card->commandLog().size();
        random.bounded(5)
            ? card->publishData("vfsignal", map)
            : static_cast<LauncherPlugin *>(plugin)->updated(
                map, QStringList{"VFSIGNAL", "vfsignal", "VFSIGNAL ", ""}.at(position & 3));
        return check("data update's commands", card->commandLog().mid(commands).join(", "), "");
    }
    case 6: {
        const QString name = QStringList{"base", "vfsignal", "jtf", "x"}.at(random.bounded(4));
        return rx ? card->startMeasurement(name) : card->stopMeasurement(name);
    }
    case 7:
        return card->refuseNext(rx ? "only one voice timeslot" : oddText().left(40));
    case 8: // an option on a slot button, now and then either out of range
        emit child<SwitchPanel>(rx ? "rxSlots" : "txSlots")
            ->indexChanged(random.bounded(8) ? 1 + random.bounded(31) : random.bounded(-2, 34),
                           random.bounded(8) ? random.bounded(3) : random.bounded(-3, 5));
        return;
    case 9:
        emit child<Switch>(rx ? "rxAll" : "txAll")->indexChanged(random.bounded(-2, 4));
        return;
    case 10: // those of the voice dialog once it is open
        if (auto *button = child<QAbstractButton>(buttons.at(random.bounded(buttons.size()))))
            button->click();
        return;
    default: // a dial turned, or only reporting a position
        if (auto *slider = child<RoundSlider>(rx ? "sliderMicrophone" : "sliderSpeaker"))
            random.bounded(2) ? slider->setPosition(position) : slider->positionChanged(position);
        return;
    }
}

void tst_BadInput::updateEnds()
{
    QStringList sent = card->commandLog().mid(commandsAtUpdate);
    for (const QString &allowed : qAsConst(dialEndCommands))
        sent.removeAll(allowed);
    check("update's commands", sent.join(", "), "");
    const QString structure = card->configValue("structure");
    if (structure != "unstr")
        state16 = structure.startsWith("pcm30") ? "CAS off" : " on";
    bool voice = false;
    for (const char *side : {"rx", "tx"}) {
        auto *panel = child<SwitchPanel>(side + QString("Slots"));
        const auto state = [panel](int button) {
            return panel->buttonLabel(button) + (panel->isButtonEnabled(button) ? " on" : " off");
        };
        check(side + QString(" button 0"), state(0), "FAS off");
        check(side + QString(" button 16 on ") + structure, state(16), state16);
        for (int slot = 1; slot <= 31; ++slot) {
            const QString key = slotKey(side, slot), value = card->configValue(key, "none");
            voice = voice || (value == "voice" && card->maskValue(key).isEmpty());
            check(key + " = " + value.left(24), panel->firstSelectedOption(slot),
                  int(QStringList({"none", "pat", "voice"}).indexOf(value)));
        }
    }
    const QString texts = expectedPrbsText(card->configValue("pattern", "2e15-1"))
        + (voice ? ", VF: on" : ", VF: off");
    auto *status = qobject_cast<StatusLabel *>(plugin->statusPanelItem());
    check("status item", status->cellText(0, 1) + ", " + status->cellText(1, 1), texts);
    auto *row = plugin->button()->findChild<StatusLabel *>();
    check("button", row->cellText(0, 0) + ", " + row->cellText(1, 0), texts);
    ++updates;
    for (const char *name : {"rxSlots", "rxAll", "copyToRx", "txSlots", "txAll", "copyToTx"})
        check(name + QString(" enabled on ") + structure, child(name)->isEnabledTo(window),
              structure != "unstr");
}

QTEST_MAIN(tst_BadInput)
#include "tst_badinput.moc"
