// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated E1 card as plug-ins and the launcher see it.

#include <cardcontroller.h>
#include <controllercommand.h>
#include <dataproxy.h>
#include <launcherplugin.h>
#include <simulatedcard.h>

#include <QPointer>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

namespace {

class RecordingPlugin : public LauncherPlugin
{
public:
    using LauncherPlugin::LauncherPlugin;
    QMap<QString, DataProxy *> proxies() const { return dataProxies; }

    void configUpdated(QVariantMap &configuration) override
    {
        calls << QStringLiteral("configUpdated");
        last = configuration;
    }
    void updateMask() override { calls << QStringLiteral("updateMask"); }
    void started(QString measName) override { calls << QLatin1String("started ") + measName; }
    void stopped(QString measName) override { calls << QLatin1String("stopped ") + measName; }
    void updated(QVariantMap &data, QString dataSet) override
    {
        calls << QLatin1String("updated ") + dataSet;
        last = data;
    }

    QStringList calls;
    QVariantMap last; // the latest configuration or data map
};

// QSignalSpy cannot keep the QVariantMap& argument of DataProxy::updated().
class FeedRecorder : public QObject
{
public:
    explicit FeedRecorder(DataProxy *proxy)
    {
        connect(proxy, &DataProxy::updated, this, [this](QVariantMap &data) { maps << data; });
    }
    QList<QVariantMap> maps;
};

const QVariantMap reading{{"level", "-12.5"}, {"frequency", "1020"}};

int receiveVoiceSlots(const SimulatedCard &card)
{
    int count = 0;
    for (int slot = 1; slot <= 31; ++slot)
        count += card.configValue(QStringLiteral("timeslot-rx-%1").arg(slot)) == "voice";
    return count;
}

void ok(const char *structure, const char *command, const char *keys, const char *outcome = "ok")
{
    QTest::addRow("%s: \"%s\"", structure, command)
        << QString(structure) << QString(command) << QString(outcome) << QString(keys);
}
void no(const char *structure, std::initializer_list<const char *> commands, bool voice = false)
{
    for (const char *command : commands)
        ok(structure, command, "", voice ? "voice" : "refused");
}

} // namespace

class tst_SimulatedCard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        card = new SimulatedCard(QStringLiteral("e1"));
        plugin = new RecordingPlugin("e1");
    }
    void cleanup()
    {
        delete plugin;
        delete card;
    }
    void commandIsAcceptedOrRefused_data();
    void commandIsAcceptedOrRefused();
    void masksFollowTheConfiguration_data();
    void masksFollowTheConfiguration();
    void changesCoalesceIntoOneLaterDelivery();
    void feedsReachProxiesAndPlugins();
    void proxiesAreOwnedOrNullAndOutliveTheCard();
    void pluginBindsToItsOwnOrAFrameworkCard();
    void liveSignalCarriesTheTransmittedTone();
    void randomCommandsKeepTheRules();

private:
    SimulatedCard *card = nullptr;
    RecordingPlugin *plugin = nullptr;
};

void tst_SimulatedCard::commandIsAcceptedOrRefused_data()
{
    QTest::addColumn<QString>("structure");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("outcome"); // "ok", "refused", or "voice": refused, saying why
    QTest::addColumn<QString>("expected"); // "key=value ..."

    const char *crc = "pcm30crc";
    ok(crc, "timeslot", "");
    ok("unstr", "timeslot", "");
    ok(crc, "timeslot rx 7 pat", "timeslot-rx-7=pat");
    ok(crc, "timeslot tx 07 voice", "timeslot-tx-7=voice");
    ok("pcm31", "timeslot tx 16 pat", "timeslot-tx-16=pat");
    ok(crc, "timeslot tx 0xFFFEFFFE pat",
       "timeslot-tx-1=pat timeslot-tx-15=pat timeslot-tx-16=none timeslot-tx-31=pat");
    ok(crc, "timeslot rx 0x00000006 none",
       "timeslot-rx-1=none timeslot-rx-2=none timeslot-rx-3=pat");
    ok(crc, "timeslot tx 0x80000006 voice", "timeslot-tx-1=voice timeslot-tx-31=voice");
    ok(crc, "timeslot rx 0x00000020 voice", "timeslot-rx-5=voice");
    ok("pcm31", "timeslot rx 0xFFFFFFFE pat", "timeslot-rx-5=pat timeslot-rx-16=pat");
    // Only the one-receive-voice-slot rule speaks of "voice".
    no(crc, {"timeslot rx 7 voice", "timeslot rx 0x000000a0 voice", "timeslot rx 0x00000080 voice"},
       true);
    no("pcm31", {"timeslot rx 0xFFFFFFFE voice"}, true);
    no(crc, {"timeslot tx 16 pat", "timeslot rx 16 voice", "timeslot tx 0xFFFFFFFE pat"});
    no("pcm30", {"timeslot rx 16 none"});
    no("unstr", {"timeslot tx 3 pat", "timeslot rx 7 voice", "timeslot tx 0x00000006 none"});
    no(crc,
       {"timeslot tx 0x00000001 pat", "timeslot tx 0x1234 pat", "timeslot tx 0x000000006 pat",
        "timeslot tx 0x0000000g pat"});
    no("pcm31", {"timeslot tx 0xFFFFFFFF pat"});
    no(crc,
       {"timeslot tx 0 pat", "timeslot tx 32 pat", "timeslot tx -1 pat", "timeslot tx abc pat",
        "timeslot tx 99999999999999 pat"});
    no(crc, {"timeslot tx 3 Voice", "timeslot rx 3 voices", "timeslot rx 3 prbs"});
    no(crc,
       {"timeslot up 3 pat", "timeslot voice 3 pat", "timeslot rx 3", "timeslot rx 3 pat voice",
        "timeslot rx  3 pat", " timeslot", "timeslot rx 3 pat ", "Timeslot rx 3 pat", "foo",
        "voice", ""});

    ok(crc, "vfsource mic", "vfsource=mic voice-transmit=microphone");
    ok(crc, "speaker off", "speaker=off");
    ok(crc, "speaker volume 0", "speaker-volume=0");
    ok(crc, "speaker volume 100", "speaker-volume=100");
    ok(crc, "microphone 73", "microphone=73");
    no(crc,
       {"vfsource microphone", "vfsource", "speaker loud", "speaker volume 101",
        "speaker volume -1", "speaker volume loud", "speaker volume 5 6", "speaker-volume 5",
        "microphone 101", "microphone 5.5", "microphone"});

    ok(crc, "pattern 2e9", "pattern=2e9");
    ok(crc, "pattern 2e23-1", "pattern=2e23-1");
    ok(crc, "pattern 55", "pattern=55");
    ok(crc, "pattern 0x1", "pattern=0x1");
    ok(crc, "pattern 0xDEADbeef", "pattern=0xDEADbeef");
    no(crc,
       {"pattern 2e10", "pattern 2e15-2", "pattern 0x", "pattern 0x123456789", "pattern ALL0",
        "pattern"});

    ok(crc, "structure unstr", "structure=unstr");
    ok("pcm31", "structure pcm30", "structure=pcm30");
    no(crc, {"structure pcm32", "structure"});
}

void tst_SimulatedCard::commandIsAcceptedOrRefused()
{
    QFETCH(QString, structure);
    QFETCH(QString, command);
    QFETCH(QString, outcome);
    QFETCH(QString, expected);
    const bool accepted = outcome == "ok";

    card->setConfigValue(QStringLiteral("structure"), structure);
    QCoreApplication::processEvents();
    QVERIFY(!card->notificationPending());
    const QVariantMap before = card->configuration();
    ControllerCommand checked(command, true);
    plugin->doConfigure(checked);
    QCOMPARE(!checked.error, accepted);
    QCOMPARE(card->commandLog().last(), command);
    QCOMPARE(card->notificationPending(), accepted);
    QCOMPARE(checked.errorText.isEmpty(), accepted);
    QCOMPARE(checked.errorText.contains(QLatin1String("voice")), outcome == "voice");
    if (!accepted)
        QCOMPARE(card->configuration(), before);
    for (const QString &pair : expected.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        QCOMPARE(card->configValue(pair.section('=', 0, 0)), pair.section('=', 1));
}

void tst_SimulatedCard::masksFollowTheConfiguration_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("masked");
    QTest::addColumn<QString>("available");

    auto row = [](const char *key, const char *value, const char *masked, const char *available) {
        QTest::addRow("%s %s", key, value)
            << QString(key) << QString(value) << QString(masked) << QString(available);
    };
    row("structure", "pcm30crc", "timeslot-rx-16 timeslot-tx-16",
        "timeslot-rx-1 timeslot-tx-31 speaker voice-transmit");
    row("structure", "pcm30", "timeslot-rx-16 timeslot-tx-16", "timeslot-rx-15 timeslot-tx-17");
    row("structure", "pcm31", "", "timeslot-rx-16 timeslot-tx-16");
    row("structure", "unstr", "timeslot-rx-1 timeslot-rx-16 timeslot-tx-31 speaker voice-transmit",
        "");
    row("timeslot-rx-5", "pat", "speaker", "voice-transmit timeslot-rx-5");
    row("timeslot-tx-5", "none", "voice-transmit", "speaker");
}

void tst_SimulatedCard::masksFollowTheConfiguration()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, masked);
    QFETCH(QString, available);

    card->setConfigValue(key, value);
    for (const QString &item : masked.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        QVERIFY2(!plugin->maskValue(item, QString()).isEmpty(), qPrintable(item));
    for (const QString &item : available.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        QVERIFY2(plugin->maskValue(item, QStringLiteral("unknown")).isEmpty(), qPrintable(item));
}

void tst_SimulatedCard::changesCoalesceIntoOneLaterDelivery()
{
    QSignalSpy controllerSpy(plugin->controller(), &CardController::configurationChanged);
    QSignalSpy cardSpy(card, &SimulatedCard::configurationChanged);
    for (const char *text :
         {"timeslot rx 0x00000006 none", "timeslot rx 0x00000018 pat", "timeslot rx 5 none"}) {
        ControllerCommand command(QLatin1String(text), true);
        plugin->doConfigure(command);
        QVERIFY2(!command.error, qPrintable(command.errorText));
    }
    plugin->controller()->doConfigure(QStringLiteral("speaker off"));
    QVERIFY(plugin->calls.isEmpty());
    QCOMPARE(controllerSpy.count(), 0);
    QTRY_COMPARE(controllerSpy.count(), 1);
    QTest::qWait(20);
    QCOMPARE(controllerSpy.count(), 1);
    QCOMPARE(cardSpy.count(), 1);
    QCOMPARE(plugin->calls, (QStringList{"configUpdated", "updateMask"}));
    QCOMPARE(plugin->last, card->configuration());
    QCOMPARE(card->configValue("timeslot-rx-4"), QString("pat"));
    QCOMPARE(card->configValue("speaker"), QString("off"));
}

void tst_SimulatedCard::feedsReachProxiesAndPlugins()
{
    for (const QString &feed : SimulatedCard::feedNames() + QStringList{"bogus", "base"})
        plugin->createDataProxy(feed);
    const QMap<QString, DataProxy *> proxies = plugin->proxies();
    QCOMPARE(proxies.keys(), (QStringList{"base", "jitter", "jtf", "mtj", "vfsignal"}));
    QScopedPointer<DataProxy> reader(plugin->controller()->dataProxy("vfsignal", nullptr));
    FeedRecorder own(proxies.value("vfsignal")), other(reader.data()), base(proxies.value("base"));
    card->startMeasurement(QStringLiteral("vfsignal"));
    card->startMeasurement(QStringLiteral("vfsignal"));
    card->startMeasurement(QStringLiteral("bogus"));
    QVERIFY(proxies.value("vfsignal")->running() && reader->running());
    QVERIFY(!proxies.value("base")->running());
    card->publishData(QStringLiteral("vfsignal"), reading);
    card->publishData(QStringLiteral("bogus"), reading);
    QCOMPARE(own.maps, QList<QVariantMap>{reading});
    QCOMPARE(other.maps, QList<QVariantMap>{reading});
    QCOMPARE(reader->data(), reading);
    QVERIFY(base.maps.isEmpty());
    QCOMPARE(plugin->last, reading);
    QCOMPARE(plugin->data("VFSIGNAL"), reading);
    QVERIFY(plugin->data("vfsignal").isEmpty());
    QScopedPointer<DataProxy> late(plugin->controller()->dataProxy("vfsignal", nullptr));
    QVERIFY(late->running());
    QCOMPARE(late->data(), reading);
    card->stopMeasurement(QStringLiteral("vfsignal"));
    card->stopMeasurement(QStringLiteral("vfsignal"));
    QVERIFY(!reader->running() && !proxies.value("vfsignal")->running());
    QCOMPARE(plugin->calls,
             (QStringList{"started vfsignal", "updated VFSIGNAL", "stopped vfsignal"}));
}

void tst_SimulatedCard::proxiesAreOwnedOrNullAndOutliveTheCard()
{
    CardController *controller = plugin->controller();
    QVERIFY(!controller->dataProxy(QStringLiteral("bogus"), nullptr));
    QVERIFY(!controller->dataProxy(QStringLiteral("VFSIGNAL"), nullptr));
    card->setDataProxyFailure(true);
    QVERIFY(!controller->dataProxy(QStringLiteral("vfsignal"), nullptr));
    card->setDataProxyFailure(false);
    QScopedPointer<DataProxy> reader(controller->dataProxy(QStringLiteral("vfsignal"), nullptr));
    QVERIFY(reader && !reader->parent());

    auto *spare = new RecordingPlugin("e1");
    spare->createDataProxy(QStringLiteral("mtj"));
    QPointer<DataProxy> owned = spare->proxies().value("mtj");
    QVERIFY(owned);
    delete spare;
    QVERIFY(!owned);
    card->publishData(QStringLiteral("mtj"), reading);

    // Proxies and plug-ins outliving their card stay safe; the plug-in's commands are refused.
    card->startMeasurement(QStringLiteral("vfsignal"));
    card->publishData(QStringLiteral("vfsignal"), reading);
    delete std::exchange(card, nullptr);
    QVERIFY(reader->running());
    QCOMPARE(reader->data(), reading);
    QCOMPARE(plugin->configValue("structure", "def"), QString("def"));
    QVERIFY(!plugin->controller()->dataProxy("base", nullptr));
    ControllerCommand command(QStringLiteral("timeslot"), true);
    plugin->doConfigure(command);
    QVERIFY(command.error);
}

void tst_SimulatedCard::pluginBindsToItsOwnOrAFrameworkCard()
{
    QCOMPARE(plugin->controller(), card->controller());
    auto *second = new RecordingPlugin("e1");
    QCOMPARE(card->pluginCount(), 2);
    card->execute(QStringLiteral("timeslot"));
    QTRY_COMPARE(second->calls.count("configUpdated"), 1);
    QCOMPARE(plugin->calls.count("configUpdated"), 1);
    delete second;
    QCOMPARE(card->pluginCount(), 1);

    QVERIFY(!SimulatedCard::find("t1"));
    auto *first = new RecordingPlugin(QStringLiteral("t1"));
    QPointer<SimulatedCard> created = SimulatedCard::find("t1");
    QVERIFY(created);
    QCOMPARE(first->controller(), created->controller());
    QCOMPARE(first->configValue("structure", QString()), QString("pcm30crc"));
    second = new RecordingPlugin(QStringLiteral("t1"));
    QCOMPARE(SimulatedCard::find("t1"), created.data());
    delete first;
    QVERIFY(created);
    delete second;
    QVERIFY(!created);
    QVERIFY(!SimulatedCard::find("t1"));
}

void tst_SimulatedCard::liveSignalCarriesTheTransmittedTone()
{
    card->setRandomSeed(7);
    QScopedPointer<DataProxy> reader(plugin->controller()->dataProxy("vfsignal", nullptr));
    FeedRecorder spy(reader.data());
    card->setLiveSignal(true);
    QCOMPARE(plugin->calls.first(), QString("started vfsignal"));
    QTRY_VERIFY(spy.maps.size() >= 3);
    for (const QVariantMap &map : qAsConst(spy.maps)) {
        const double dB = map.value("level").toString().toDouble();
        const int hertz = map.value("frequency").toString().toInt();
        QVERIFY2(dB >= -10.3 && dB <= -9.7 && qAbs(hertz - 1000) <= 2,
                 qPrintable(QString::number(dB)));
    }
    QCOMPARE(plugin->data("VFSIGNAL"), reader->data());
    card->setConfigValue(QStringLiteral("timeslot-rx-5"), QStringLiteral("pat"));
    QTRY_VERIFY(!card->isRunning("vfsignal"));
    QCOMPARE(plugin->calls.count("stopped vfsignal"), 1);
}

void tst_SimulatedCard::randomCommandsKeepTheRules()
{
    bool seeded = false;
    quint32 seed = qEnvironmentVariableIntValue("E1_FUZZ_SEED", &seeded);
    if (!seeded)
        seed = QRandomGenerator::global()->generate();
    qInfo("E1_FUZZ_SEED=%u", seed);
    QRandomGenerator random(seed);
    auto pick
        = [&random](const QStringList &words) { return words.at(random.bounded(words.size())); };
    // Mostly well-formed commands, so that the rules rather than the parser decide.
    const QStringList others
        = QStringLiteral(
              "vfsource tone,vfsource mic,vfsource voice,speaker off,speaker volume 50,"
              "speaker volume 101,microphone 40,microphone -3,pattern 2e23-1,"
              "pattern 0x1F,pattern 2e16,structure unstr,structure pcm30,structure pcm31,"
              "structure pcm31crc,structure pcm30crc,structure pcm32,Timeslot rx 3 pat")
              .split(QLatin1Char(','));

    int acceptedCount = 0;
    for (int round = 0; round < 400; ++round) {
        QStringList words = pick(others).split(QLatin1Char(' '));
        if (random.bounded(2)) {
            const int form = random.bounded(5); // any number, a valid one (twice), a mask
            const quint32 mask = form == 3 ? 2u << random.bounded(31) : random.generate() & ~1u;
            const QString slot = form < 3
                ? QString::number(form ? random.bounded(1, 32) : random.bounded(0, 33))
                : QStringLiteral("0x%1").arg(mask, 8, 16, QLatin1Char('0'));
            words = QStringList{"timeslot", pick({"rx", "rx", "tx", "tx", "voice"}), slot,
                                pick({"none", "pat", "voice", "voice", "voices"})};
        }
        if (random.bounded(10) == 0)
            words.removeAt(random.bounded(words.size()));
        QString text = words.join(QLatin1Char(' '));
        if (random.bounded(10) == 0)
            text.insert(random.bounded(text.size() + 1), QChar(random.bounded(32, 127)));

        const QVariantMap before = card->configuration();
        QString error;
        const bool accepted = card->execute(text, &error);
        acceptedCount += accepted;
        const QByteArray context
            = QStringLiteral("seed %1, \"%2\": %3").arg(seed).arg(text, error).toUtf8();
        if (!accepted) {
            QVERIFY2(card->configuration() == before && !error.isEmpty(), context.constData());
            if (error.contains(QLatin1String("voice")))
                QVERIFY2(text.startsWith("timeslot rx ") && text.endsWith(" voice"),
                         context.constData());
        }
        QVERIFY2(receiveVoiceSlots(*card) <= 1, context.constData());
        if (round % 20 == 0)
            QCoreApplication::processEvents();
    }
    QVERIFY2(acceptedCount > 100, qPrintable(QStringLiteral("seed %1").arg(seed)));
}

QTEST_GUILESS_MAIN(tst_SimulatedCard)
#include "tst_simulatedcard.moc"
