// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated E1 card behind the host framework: its commands and rules, masks,
// notifications, measurement feeds, registry and live signal, seen the way a plug-in and the
// launcher see them.

#include <cardcontroller.h>
#include <controllercommand.h>
#include <dataproxy.h>
#include <launcherplugin.h>
#include <simulatedcard.h>

#include <QPointer>

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>
#include <functional>

namespace {

// A plug-in that records what the framework calls on it, in order.
class RecordingPlugin : public LauncherPlugin
{
public:
    explicit RecordingPlugin(const QString &card = QStringLiteral("e1"))
        : LauncherPlugin(card)
    { }

    QMap<QString, DataProxy *> proxies() const { return dataProxies; }
    int count(const QString &call) const { return calls.count(call); }

    void configUpdated(QVariantMap &configuration) override
    {
        calls << QStringLiteral("configUpdated");
        lastConfiguration = configuration;
        if (onConfigUpdated)
            onConfigUpdated();
    }
    void updateMask() override { calls << QStringLiteral("updateMask"); }
    void started(QString measName) override { calls << QLatin1String("started ") + measName; }
    void stopped(QString measName) override { calls << QLatin1String("stopped ") + measName; }
    void updated(QVariantMap &data, QString dataSet) override
    {
        calls << QLatin1String("updated ") + dataSet;
        lastData = data;
    }

    std::function<void()> onConfigUpdated;
    QStringList calls;
    QVariantMap lastConfiguration;
    QVariantMap lastData;
};

// Records what a proxy announces; QSignalSpy cannot keep a QVariantMap& argument.
class FeedRecorder : public QObject
{
public:
    explicit FeedRecorder(DataProxy *proxy)
    {
        connect(proxy, &DataProxy::updated, this, [this](QVariantMap &data, QString name) {
            maps << data;
            names << name;
        });
    }
    int count() const { return maps.size(); }

    QList<QVariantMap> maps;
    QStringList names;
};

QVariantMap levelReading(const QString &level, const QString &frequency)
{
    QVariantMap map;
    map.insert(QStringLiteral("level"), level);
    map.insert(QStringLiteral("frequency"), frequency);
    return map;
}

int receiveVoiceSlots(const SimulatedCard &card)
{
    int count = 0;
    for (int slot = 1; slot <= 31; ++slot)
        count += card.configValue(QStringLiteral("timeslot-rx-%1").arg(slot)) == "voice";
    return count;
}

} // namespace

class tst_SimulatedCard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void factorySettingsHoldEveryKey();
    void commandIsAcceptedOrRefused_data();
    void commandIsAcceptedOrRefused();
    void errorTextQuotesTheOffendingWord();
    void masksFollowTheConfiguration_data();
    void masksFollowTheConfiguration();
    void explicitMaskOverridesUntilCleared();
    void unknownMaskKeyGivesTheDefault();

    void nothingIsDeliveredInsideDoConfigure();
    void changesBeforeDeliveryCoalesce();
    void refreshCommandNotifiesAlthoughNothingChanges();
    void updateMaskFollowsConfigUpdatedWhenAMaskChanged();
    void refusedCommandNotifiesNobody();
    void deletionDuringDeliveryIsSafe();
    void instrumentSideChangesNotify();
    void refuseNextRefusesOnceWithTheGivenText();
    void commandLogKeepsEveryCommandInOrder();
    void uncheckedCommandReportsNoOutcome();
    void controllerDoConfigureRunsTheCommand();

    void createDataProxyOpensEachKnownFeedOnce();
    void measurementStateReachesProxiesAndPlugins();
    void publishedDataReachesProxiesAndPlugins();
    void newProxyStartsWithTheFeedState();
    void dataProxyIsNullForUnknownFeedOrInjectedFailure();
    void proxyOutlivingItsCardStaysUsable();
    void pluginDeletesItsProxies();

    void pluginBindsToTheRegisteredCard();
    void frameworkCreatesAndDeletesAMissingCard();
    void pluginOutlivingItsCardStaysSafe();
    void buttonClickedRequestsTheWindow();

    void liveSignalCarriesWhatTransmitSends_data();
    void liveSignalCarriesWhatTransmitSends();
    void liveSignalRunsOnlyWithAReceiveVoiceSlot();
    void resetRestoresTheFactoryState();

    void randomCommandsKeepTheRules();

private:
    SimulatedCard *card = nullptr;
    RecordingPlugin *plugin = nullptr;
};

void tst_SimulatedCard::init()
{
    card = new SimulatedCard(QStringLiteral("e1"));
    plugin = new RecordingPlugin;
}

void tst_SimulatedCard::cleanup()
{
    delete plugin;
    plugin = nullptr;
    delete card;
    card = nullptr;
}

void tst_SimulatedCard::factorySettingsHoldEveryKey()
{
    const QVariantMap configuration = card->configuration();
    for (int slot = 1; slot <= 31; ++slot) {
        QVERIFY(configuration.contains(QStringLiteral("timeslot-rx-%1").arg(slot)));
        QVERIFY(configuration.contains(QStringLiteral("timeslot-tx-%1").arg(slot)));
    }
    QCOMPARE(card->configValue("structure"), QString("pcm30crc"));
    QCOMPARE(card->configValue("timeslot-rx-5"), QString("voice"));
    QCOMPARE(card->configValue("timeslot-tx-5"), QString("voice"));
    QCOMPARE(card->configValue("timeslot-rx-9"), QString("pat"));
    QCOMPARE(card->configValue("timeslot-tx-20"), QString("pat"));
    QCOMPARE(card->configValue("timeslot-tx-9"), QString("none"));
    QCOMPARE(card->configValue("pattern"), QString("2e15"));
    QCOMPARE(card->configValue("vfsource"), QString("tone"));
    QCOMPARE(card->configValue("voice-transmit"), QString("tone"));
    QCOMPARE(card->configValue("speaker"), QString("on"));
    QCOMPARE(card->configValue("speaker-volume"), QString("60"));
    QCOMPARE(card->configValue("microphone"), QString("40"));
    QCOMPARE(receiveVoiceSlots(*card), 1);
}

void tst_SimulatedCard::commandIsAcceptedOrRefused_data()
{
    QTest::addColumn<QString>("structure");
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("voiceError");
    QTest::addColumn<QVariantMap>("expected");

    auto keys = [](std::initializer_list<std::pair<const char *, const char *>> pairs) {
        QVariantMap map;
        for (const auto &pair : pairs)
            map.insert(QLatin1String(pair.first), QLatin1String(pair.second));
        return map;
    };
    const QString pcm30 = QStringLiteral("pcm30crc");
    const QVariantMap none;
    auto accept = [&](const char *name, const QString &structure, const char *command,
                      const QVariantMap &expected) {
        QTest::newRow(name) << structure << QString(command) << true << false << expected;
    };
    auto refuse
        = [&](const char *name, const QString &structure, const char *command, bool voice = false) {
              QTest::newRow(name) << structure << QString(command) << false << voice << none;
          };

    accept("refresh", pcm30, "timeslot", none);
    accept("refresh on unstr", "unstr", "timeslot", none);
    accept("rx slot pat", pcm30, "timeslot rx 7 pat", keys({{"timeslot-rx-7", "pat"}}));
    accept("tx slot voice", pcm30, "timeslot tx 7 voice", keys({{"timeslot-tx-7", "voice"}}));
    accept("same value again", pcm30, "timeslot rx 5 voice", keys({{"timeslot-rx-5", "voice"}}));
    accept("rx voice slot cleared", pcm30, "timeslot rx 5 none", keys({{"timeslot-rx-5", "none"}}));
    accept("slot with leading zero", pcm30, "timeslot tx 07 pat", keys({{"timeslot-tx-7", "pat"}}));
    accept("slot 31", pcm30, "timeslot rx 31 pat", keys({{"timeslot-rx-31", "pat"}}));
    accept("slot 16 on pcm31", "pcm31", "timeslot tx 16 pat", keys({{"timeslot-tx-16", "pat"}}));
    accept("slot 16 on pcm31crc", "pcm31crc", "timeslot rx 16 none",
           keys({{"timeslot-rx-16", "none"}}));
    accept("upper-case mask without 16", pcm30, "timeslot tx 0xFFFEFFFE pat",
           keys({{"timeslot-tx-1", "pat"},
                 {"timeslot-tx-15", "pat"},
                 {"timeslot-tx-16", "none"},
                 {"timeslot-tx-31", "pat"}}));
    accept("lower-case mask", pcm30, "timeslot rx 0x00000006 none",
           keys({{"timeslot-rx-1", "none"}, {"timeslot-rx-2", "none"}, {"timeslot-rx-3", "pat"}}));
    accept(
        "tx voice mask of many slots", pcm30, "timeslot tx 0x80000006 voice",
        keys(
            {{"timeslot-tx-1", "voice"}, {"timeslot-tx-2", "voice"}, {"timeslot-tx-31", "voice"}}));
    accept("rx voice mask of the voice slot", pcm30, "timeslot rx 0x00000020 voice",
           keys({{"timeslot-rx-5", "voice"}}));
    accept("whole mask on pcm31", "pcm31", "timeslot rx 0xFFFFFFFE pat",
           keys({{"timeslot-rx-5", "pat"}, {"timeslot-rx-16", "pat"}}));
    accept("empty mask", pcm30, "timeslot tx 0x00000000 pat", none);

    refuse("second rx voice", pcm30, "timeslot rx 7 voice", true);
    refuse("rx voice mask of two slots", pcm30, "timeslot rx 0x000000a0 voice", true);
    refuse("rx voice mask of another slot", pcm30, "timeslot rx 0x00000080 voice", true);
    refuse("rx voice mask of all slots", "pcm31", "timeslot rx 0xFFFFFFFE voice", true);
    refuse("slot 16 on pcm30crc", pcm30, "timeslot tx 16 pat");
    refuse("slot 16 on plain pcm30", "pcm30", "timeslot rx 16 none");
    refuse("slot 16 voice on pcm30", pcm30, "timeslot rx 16 voice");
    refuse("mask with bit 16 on pcm30", pcm30, "timeslot tx 0xFFFFFFFE pat");
    refuse("slot on unstr", "unstr", "timeslot tx 3 pat");
    refuse("voice slot on unstr", "unstr", "timeslot rx 7 voice");
    refuse("mask on unstr", "unstr", "timeslot tx 0x00000006 none");
    refuse("mask with bit 0", pcm30, "timeslot tx 0x00000001 pat");
    refuse("full mask with bit 0", "pcm31", "timeslot tx 0xFFFFFFFF pat");
    refuse("short mask", pcm30, "timeslot tx 0x1234 pat");
    refuse("long mask", pcm30, "timeslot tx 0x000000006 pat");
    refuse("mask not hexadecimal", pcm30, "timeslot tx 0x0000000g pat");
    refuse("slot 0", pcm30, "timeslot tx 0 pat");
    refuse("slot 32", pcm30, "timeslot tx 32 pat");
    refuse("negative slot", pcm30, "timeslot tx -1 pat");
    refuse("slot not a number", pcm30, "timeslot tx abc pat");
    refuse("huge slot", pcm30, "timeslot tx 99999999999999 pat");
    refuse("capitalised value", pcm30, "timeslot tx 3 Voice");
    refuse("value containing the word", pcm30, "timeslot rx 3 voices");
    refuse("unknown value", pcm30, "timeslot rx 3 prbs");
    refuse("unknown direction", pcm30, "timeslot up 3 pat");
    refuse("direction is the word", pcm30, "timeslot voice 3 pat");
    refuse("missing value", pcm30, "timeslot rx 3");
    refuse("extra word", pcm30, "timeslot rx 3 pat voice");
    refuse("double blank", pcm30, "timeslot rx  3 pat");
    refuse("leading blank", pcm30, " timeslot");
    refuse("trailing blank", pcm30, "timeslot rx 3 pat ");
    refuse("capitalised command", pcm30, "Timeslot rx 3 pat");
    refuse("unknown command", pcm30, "foo");
    refuse("command is the word", pcm30, "voice");
    refuse("empty command", pcm30, "");

    accept("vfsource tone", pcm30, "vfsource tone",
           keys({{"vfsource", "tone"}, {"voice-transmit", "tone"}}));
    accept("vfsource mic", pcm30, "vfsource mic",
           keys({{"vfsource", "mic"}, {"voice-transmit", "microphone"}}));
    accept("vfsource off", pcm30, "vfsource off",
           keys({{"vfsource", "off"}, {"voice-transmit", "off"}}));
    refuse("vfsource microphone", pcm30, "vfsource microphone");
    refuse("vfsource alone", pcm30, "vfsource");
    accept("speaker off", pcm30, "speaker off", keys({{"speaker", "off"}}));
    accept("speaker on", pcm30, "speaker on", keys({{"speaker", "on"}}));
    refuse("speaker loud", pcm30, "speaker loud");
    refuse("speaker alone", pcm30, "speaker");
    accept("speaker volume 0", pcm30, "speaker volume 0", keys({{"speaker-volume", "0"}}));
    accept("speaker volume 100", pcm30, "speaker volume 100", keys({{"speaker-volume", "100"}}));
    refuse("speaker volume 101", pcm30, "speaker volume 101");
    refuse("speaker volume -1", pcm30, "speaker volume -1");
    refuse("speaker volume word", pcm30, "speaker volume loud");
    refuse("speaker volume alone", pcm30, "speaker volume");
    refuse("speaker volume twice", pcm30, "speaker volume 5 6");
    refuse("speaker-volume as command", pcm30, "speaker-volume 5");
    accept("microphone 0", pcm30, "microphone 0", keys({{"microphone", "0"}}));
    accept("microphone 73", pcm30, "microphone 73", keys({{"microphone", "73"}}));
    accept("microphone 100", pcm30, "microphone 100", keys({{"microphone", "100"}}));
    refuse("microphone 101", pcm30, "microphone 101");
    refuse("microphone fraction", pcm30, "microphone 5.5");
    refuse("microphone alone", pcm30, "microphone");

    accept("pattern 2e9", pcm30, "pattern 2e9", keys({{"pattern", "2e9"}}));
    accept("pattern 2e11", pcm30, "pattern 2e11", keys({{"pattern", "2e11"}}));
    accept("pattern 2e15-1", pcm30, "pattern 2e15-1", keys({{"pattern", "2e15-1"}}));
    accept("pattern 2e20", pcm30, "pattern 2e20", keys({{"pattern", "2e20"}}));
    accept("pattern 2e23-1", pcm30, "pattern 2e23-1", keys({{"pattern", "2e23-1"}}));
    accept("pattern all0", pcm30, "pattern all0", keys({{"pattern", "all0"}}));
    accept("pattern all1", pcm30, "pattern all1", keys({{"pattern", "all1"}}));
    accept("pattern 55", pcm30, "pattern 55", keys({{"pattern", "55"}}));
    accept("user pattern of one digit", pcm30, "pattern 0x1", keys({{"pattern", "0x1"}}));
    accept("user pattern mixed case", pcm30, "pattern 0xDEADbeef",
           keys({{"pattern", "0xDEADbeef"}}));
    refuse("pattern 2e10", pcm30, "pattern 2e10");
    refuse("pattern 2e15-2", pcm30, "pattern 2e15-2");
    refuse("user pattern without digits", pcm30, "pattern 0x");
    refuse("user pattern of nine digits", pcm30, "pattern 0x123456789");
    refuse("pattern in capitals", pcm30, "pattern ALL0");
    refuse("pattern alone", pcm30, "pattern");

    accept("structure unstr", pcm30, "structure unstr", keys({{"structure", "unstr"}}));
    accept("structure pcm30", "pcm31", "structure pcm30", keys({{"structure", "pcm30"}}));
    accept("structure pcm31crc", pcm30, "structure pcm31crc", keys({{"structure", "pcm31crc"}}));
    refuse("structure pcm32", pcm30, "structure pcm32");
    refuse("structure alone", pcm30, "structure");
}

void tst_SimulatedCard::commandIsAcceptedOrRefused()
{
    QFETCH(QString, structure);
    QFETCH(QString, command);
    QFETCH(bool, accepted);
    QFETCH(bool, voiceError);
    QFETCH(QVariantMap, expected);

    card->setConfigValue(QStringLiteral("structure"), structure);
    QCoreApplication::processEvents();
    QVERIFY(!card->notificationPending());
    const QVariantMap before = card->configuration();

    ControllerCommand checked(command, true);
    plugin->doConfigure(checked);

    QCOMPARE(!checked.error, accepted);
    QCOMPARE(card->commandLog().last(), command);
    QCOMPARE(card->notificationPending(), accepted);
    if (accepted) {
        QVERIFY(checked.errorText.isEmpty());
        for (auto it = expected.constBegin(); it != expected.constEnd(); ++it)
            QCOMPARE(card->configValue(it.key()), it.value().toString());
    } else {
        QVERIFY(!checked.errorText.isEmpty());
        QCOMPARE(checked.errorText.contains(QLatin1String("voice")), voiceError);
        QCOMPARE(card->configuration(), before);
    }
}

void tst_SimulatedCard::errorTextQuotesTheOffendingWord()
{
    QString error;
    QVERIFY(!card->execute(QStringLiteral("foo"), &error));
    QCOMPARE(error, QString("unknown command \"foo\""));
    QVERIFY(!card->execute(QStringLiteral("timeslot rx 32 pat"), &error));
    QCOMPARE(error, QString("timeslot number \"32\" is outside 1..31"));
    QVERIFY(!card->execute(QStringLiteral("microphone 130"), &error));
    QVERIFY2(error.contains(QLatin1String("\"130\"")), qPrintable(error));
    QVERIFY(!card->execute(QStringLiteral("pattern 2e16"), &error));
    QVERIFY2(error.contains(QLatin1String("\"2e16\"")), qPrintable(error));
}

void tst_SimulatedCard::masksFollowTheConfiguration_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("masked");
    QTest::addColumn<QStringList>("available");

    QTest::newRow("pcm30crc") << "structure"
                              << "pcm30crc" << QStringList {"timeslot-rx-16", "timeslot-tx-16"}
                              << QStringList {"timeslot-rx-1", "timeslot-tx-31", "speaker",
                                              "voice-transmit"};
    QTest::newRow("pcm30") << "structure"
                           << "pcm30" << QStringList {"timeslot-rx-16", "timeslot-tx-16"}
                           << QStringList {"timeslot-rx-15", "timeslot-tx-17"};
    QTest::newRow("pcm31") << "structure"
                           << "pcm31" << QStringList()
                           << QStringList {"timeslot-rx-16", "timeslot-tx-16", "timeslot-rx-1"};
    QTest::newRow("pcm31crc") << "structure"
                              << "pcm31crc" << QStringList()
                              << QStringList {"timeslot-rx-16", "timeslot-tx-16"};
    QTest::newRow("unstr") << "structure"
                           << "unstr"
                           << QStringList {"timeslot-rx-1", "timeslot-rx-16", "timeslot-tx-31",
                                           "speaker", "voice-transmit"}
                           << QStringList();
    QTest::newRow("no receive voice slot")
        << "timeslot-rx-5"
        << "pat" << QStringList {"speaker"} << QStringList {"voice-transmit", "timeslot-rx-5"};
    QTest::newRow("no transmit voice slot")
        << "timeslot-tx-5"
        << "none" << QStringList {"voice-transmit"} << QStringList {"speaker"};
}

void tst_SimulatedCard::masksFollowTheConfiguration()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QStringList, masked);
    QFETCH(QStringList, available);

    card->setConfigValue(key, value);
    for (const QString &item : masked)
        QVERIFY2(!plugin->maskValue(item, QString()).isEmpty(), qPrintable(item));
    for (const QString &item : available)
        QVERIFY2(plugin->maskValue(item, QStringLiteral("unknown")).isEmpty(), qPrintable(item));
}

void tst_SimulatedCard::explicitMaskOverridesUntilCleared()
{
    card->setMaskValue(QStringLiteral("speaker"), QStringLiteral("busy"));
    QCOMPARE(plugin->maskValue("speaker", QString()), QString("busy"));
    card->setConfigValue(QStringLiteral("structure"), QStringLiteral("pcm31"));
    card->setMaskValue(QStringLiteral("timeslot-rx-16"), QStringLiteral("reserved"));
    QCOMPARE(plugin->maskValue("timeslot-rx-16", QString()), QString("reserved"));
    QVERIFY(card->maskKeys().contains("timeslot-rx-16"));

    card->clearMaskOverride(QStringLiteral("speaker"));
    card->clearMaskOverride(QStringLiteral("timeslot-rx-16"));
    QVERIFY(!card->hasMaskOverride(QStringLiteral("speaker")));
    QCOMPARE(plugin->maskValue("speaker", "x"), QString());
    QCOMPARE(plugin->maskValue("timeslot-rx-16", "x"), QString());
}

void tst_SimulatedCard::unknownMaskKeyGivesTheDefault()
{
    QCOMPARE(plugin->maskValue("pattern", "none known"), QString("none known"));
    QCOMPARE(plugin->maskValue("timeslot-rx-32", "none known"), QString("none known"));
    QCOMPARE(plugin->maskValue("timeslot-rx-05", "none known"), QString("none known"));
    card->setMaskValue(QStringLiteral("pattern"), QString());
    QCOMPARE(plugin->maskValue("pattern", "none known"), QString());
}

void tst_SimulatedCard::nothingIsDeliveredInsideDoConfigure()
{
    QSignalSpy controllerSpy(plugin->controller(), &CardController::configurationChanged);
    QSignalSpy cardSpy(card, &SimulatedCard::configurationChanged);
    ControllerCommand command(QStringLiteral("timeslot rx 5 none"), true);
    plugin->doConfigure(command);
    plugin->controller()->doConfigure(QStringLiteral("speaker off"));
    QVERIFY(plugin->calls.isEmpty());
    QCOMPARE(controllerSpy.count(), 0);

    QTRY_COMPARE(controllerSpy.count(), 1);
    QCOMPARE(cardSpy.count(), 1);
    QCOMPARE(plugin->count("configUpdated"), 1);
}

void tst_SimulatedCard::changesBeforeDeliveryCoalesce()
{
    // A copy into receive sends one command per slot value.
    for (const char *text : {"timeslot rx 0x00000006 none", "timeslot rx 0x00000018 pat",
                             "timeslot rx 0x00000020 voice"}) {
        ControllerCommand command(QLatin1String(text), true);
        plugin->doConfigure(command);
        QVERIFY2(!command.error, qPrintable(command.errorText));
    }
    QTRY_COMPARE(plugin->count("configUpdated"), 1);
    QTest::qWait(20);
    QCOMPARE(plugin->count("configUpdated"), 1);
    QCOMPARE(plugin->lastConfiguration.value("timeslot-rx-4").toString(), QString("pat"));
}

void tst_SimulatedCard::refreshCommandNotifiesAlthoughNothingChanges()
{
    ControllerCommand refresh(QStringLiteral("timeslot"), true);
    plugin->doConfigure(refresh);
    QVERIFY(!refresh.error);
    QTRY_COMPARE(plugin->calls, QStringList {"configUpdated"});
    QCOMPARE(plugin->lastConfiguration, card->configuration());
}

void tst_SimulatedCard::updateMaskFollowsConfigUpdatedWhenAMaskChanged()
{
    card->execute(QStringLiteral("timeslot rx 5 none"));
    QTRY_COMPARE(plugin->calls, (QStringList {"configUpdated", "updateMask"}));
}

void tst_SimulatedCard::refusedCommandNotifiesNobody()
{
    QSignalSpy spy(card, &SimulatedCard::configurationChanged);
    card->execute(QStringLiteral("timeslot rx 7 voice"));
    QTest::qWait(20);
    QCOMPARE(spy.count(), 0);
    QVERIFY(plugin->calls.isEmpty());
}

void tst_SimulatedCard::deletionDuringDeliveryIsSafe()
{
    auto *second = new RecordingPlugin;
    plugin->onConfigUpdated = [&second] {
        delete second;
        second = nullptr;
    };
    card->execute(QStringLiteral("timeslot rx 5 none"));
    QTRY_COMPARE(plugin->calls, (QStringList {"configUpdated", "updateMask"}));
    QCOMPARE(card->pluginCount(), 1);

    auto *third = new RecordingPlugin;
    plugin->onConfigUpdated = [this] {
        delete card;
        card = nullptr;
    };
    plugin->controller()->doConfigure(QStringLiteral("timeslot rx 5 voice"));
    QTRY_VERIFY(!card);
    QVERIFY(third->calls.isEmpty());
    delete third;
}

void tst_SimulatedCard::instrumentSideChangesNotify()
{
    card->setConfigValue(QStringLiteral("structure"), QStringLiteral("unstr"));
    QTRY_COMPARE(plugin->calls, (QStringList {"configUpdated", "updateMask"}));
    plugin->calls.clear();

    card->setConfigValue(QStringLiteral("structure"), QStringLiteral("unstr"));
    QVERIFY(!card->notificationPending());

    card->setConfigValue(QStringLiteral("vfsource"), QStringLiteral("mic"));
    QCOMPARE(card->configValue("voice-transmit"), QString("microphone"));
    card->removeConfigValue(QStringLiteral("vfsource"));
    QCOMPARE(card->configValue("vfsource", "gone"), QString("gone"));
    QCOMPARE(card->configValue("voice-transmit"), QString("off"));
    QTRY_COMPARE(plugin->calls, QStringList {"configUpdated"});

    card->setMaskValue(QStringLiteral("speaker"), QStringLiteral("busy"));
    QTRY_COMPARE(plugin->count("updateMask"), 1);
}

void tst_SimulatedCard::refuseNextRefusesOnceWithTheGivenText()
{
    card->refuseNext(QStringLiteral("only one voice timeslot"));
    ControllerCommand first(QStringLiteral("speaker off"), true);
    plugin->doConfigure(first);
    QVERIFY(first.error);
    QCOMPARE(first.errorText, QString("only one voice timeslot"));
    QCOMPARE(card->configValue("speaker"), QString("on"));
    QCOMPARE(card->commandLog(), QStringList {"speaker off"});

    ControllerCommand second(QStringLiteral("speaker off"), true);
    plugin->doConfigure(second);
    QVERIFY(!second.error);
    QCOMPARE(card->configValue("speaker"), QString("off"));
}

void tst_SimulatedCard::commandLogKeepsEveryCommandInOrder()
{
    QSignalSpy spy(card, &SimulatedCard::commandExecuted);
    card->execute(QStringLiteral("microphone 20"));
    card->execute(QStringLiteral("timeslot rx 7 voice"));
    plugin->controller()->doConfigure(QStringLiteral("speaker off"));
    QCOMPARE(card->commandLog(),
             (QStringList {"microphone 20", "timeslot rx 7 voice", "speaker off"}));
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.at(1).at(0).toString(), QString("timeslot rx 7 voice"));
    QCOMPARE(spy.at(1).at(1).toBool(), true);
    QVERIFY(spy.at(1).at(2).toString().contains(QLatin1String("voice")));
    QCOMPARE(spy.at(2).at(1).toBool(), false);

    card->clearCommandLog();
    QVERIFY(card->commandLog().isEmpty());
}

void tst_SimulatedCard::uncheckedCommandReportsNoOutcome()
{
    ControllerCommand command(QStringLiteral("timeslot rx 7 voice"), false);
    command.setError(QStringLiteral("left over"));
    plugin->doConfigure(command);
    QVERIFY(!command.error);
    QVERIFY(command.errorText.isEmpty());
    QCOMPARE(card->commandLog(), QStringList {"timeslot rx 7 voice"});
}

void tst_SimulatedCard::controllerDoConfigureRunsTheCommand()
{
    CardController *controller = plugin->controller();
    QCOMPARE(controller->cardName(), QString("e1"));
    controller->doConfigure(QStringLiteral("speaker volume 25"));
    controller->doConfigure(QStringLiteral("speaker volume 250"));
    QCOMPARE(controller->configValue("speaker-volume", QString()), QString("25"));
    QCOMPARE(controller->configValue("no-such-key", "def"), QString("def"));
}

void tst_SimulatedCard::createDataProxyOpensEachKnownFeedOnce()
{
    for (const QString &feed : SimulatedCard::feedNames())
        plugin->createDataProxy(feed);
    plugin->createDataProxy(QStringLiteral("bogus"));
    const QMap<QString, DataProxy *> proxies = plugin->proxies();
    QCOMPARE(proxies.keys(), (QStringList {"base", "jitter", "jtf", "mtj", "vfsignal"}));
    for (auto it = proxies.constBegin(); it != proxies.constEnd(); ++it) {
        QCOMPARE(it.value()->measName(), it.key());
        QVERIFY(!it.value()->running());
        QVERIFY(it.value()->data().isEmpty());
    }
    plugin->createDataProxy(QStringLiteral("base"));
    QCOMPARE(plugin->proxies().value("base"), proxies.value("base"));
}

void tst_SimulatedCard::measurementStateReachesProxiesAndPlugins()
{
    plugin->createDataProxy(QStringLiteral("base"));
    plugin->createDataProxy(QStringLiteral("vfsignal"));
    QScopedPointer<DataProxy> reader(plugin->controller()->dataProxy("base", nullptr));
    QSignalSpy spy(card, &SimulatedCard::measurementChanged);

    card->startMeasurement(QStringLiteral("base"));
    QVERIFY(card->isRunning("base"));
    QVERIFY(plugin->proxies().value("base")->running());
    QVERIFY(reader->running());
    QVERIFY(!plugin->proxies().value("vfsignal")->running());
    card->startMeasurement(QStringLiteral("base"));
    card->startMeasurement(QStringLiteral("bogus"));
    QVERIFY(!card->isRunning("bogus"));
    QCOMPARE(plugin->calls, QStringList {"started base"});
    QCOMPARE(spy.count(), 1);

    card->stopMeasurement(QStringLiteral("base"));
    card->stopMeasurement(QStringLiteral("base"));
    card->stopMeasurement(QStringLiteral("jtf"));
    QVERIFY(!reader->running());
    QCOMPARE(plugin->calls, (QStringList {"started base", "stopped base"}));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.last().at(1).toBool(), false);
}

void tst_SimulatedCard::publishedDataReachesProxiesAndPlugins()
{
    plugin->createDataProxy(QStringLiteral("vfsignal"));
    plugin->createDataProxy(QStringLiteral("base"));
    QScopedPointer<DataProxy> reader(plugin->controller()->dataProxy("vfsignal", nullptr));
    FeedRecorder pluginProxySpy(plugin->proxies().value("vfsignal"));
    FeedRecorder readerSpy(reader.data());
    FeedRecorder baseSpy(plugin->proxies().value("base"));

    const QVariantMap reading = levelReading(QStringLiteral("-12.5"), QStringLiteral("1020"));
    card->publishData(QStringLiteral("vfsignal"), reading);

    QCOMPARE(pluginProxySpy.count(), 1);
    QCOMPARE(readerSpy.count(), 1);
    QCOMPARE(readerSpy.maps.first(), reading);
    QCOMPARE(readerSpy.names.first(), QString("vfsignal"));
    QCOMPARE(reader->data(), reading);
    QCOMPARE(baseSpy.count(), 0);
    QCOMPARE(plugin->calls, QStringList {"updated VFSIGNAL"});
    QCOMPARE(plugin->lastData, reading);
    QCOMPARE(plugin->data("VFSIGNAL"), reading);
    QVERIFY(plugin->data("vfsignal").isEmpty());
    QCOMPARE(card->latestData("vfsignal"), reading);

    card->publishData(QStringLiteral("base"), reading);
    QCOMPARE(baseSpy.count(), 1);
    QCOMPARE(readerSpy.count(), 1);
    QCOMPARE(plugin->calls.last(), QString("updated BASE"));

    card->publishData(QStringLiteral("bogus"), reading);
    QCOMPARE(plugin->calls.size(), 2);
}

void tst_SimulatedCard::newProxyStartsWithTheFeedState()
{
    card->startMeasurement(QStringLiteral("jitter"));
    card->publishData(QStringLiteral("jitter"), levelReading("1", "2"));
    QScopedPointer<DataProxy> reader(plugin->controller()->dataProxy("jitter", nullptr));
    QVERIFY(reader->running());
    QCOMPARE(reader->data(), levelReading("1", "2"));
}

void tst_SimulatedCard::dataProxyIsNullForUnknownFeedOrInjectedFailure()
{
    CardController *controller = plugin->controller();
    QVERIFY(!controller->dataProxy(QStringLiteral("bogus"), nullptr));
    QVERIFY(!controller->dataProxy(QStringLiteral("VFSIGNAL"), nullptr));
    card->setDataProxyFailure(true);
    QVERIFY(!controller->dataProxy(QStringLiteral("vfsignal"), nullptr));
    card->setDataProxyFailure(false);
    QScopedPointer<DataProxy> reader(controller->dataProxy(QStringLiteral("vfsignal"), nullptr));
    QVERIFY(reader);
    QVERIFY(!reader->parent());
}

void tst_SimulatedCard::proxyOutlivingItsCardStaysUsable()
{
    auto *other = new SimulatedCard(QStringLiteral("spare"));
    auto *spare = new RecordingPlugin(QStringLiteral("spare"));
    QScopedPointer<DataProxy> reader(spare->controller()->dataProxy("base", nullptr));
    QScopedPointer<DataProxy> dropped(spare->controller()->dataProxy("base", nullptr));
    other->startMeasurement(QStringLiteral("base"));
    dropped.reset();
    other->publishData(QStringLiteral("base"), levelReading("3", "4"));
    delete spare;
    delete other;

    QVERIFY(reader->running());
    QCOMPARE(reader->data(), levelReading("3", "4"));
    QCOMPARE(reader->measName(), QString("base"));
}

void tst_SimulatedCard::pluginDeletesItsProxies()
{
    auto *spare = new RecordingPlugin;
    spare->createDataProxy(QStringLiteral("mtj"));
    QPointer<DataProxy> proxy = spare->proxies().value("mtj");
    QVERIFY(proxy);
    delete spare;
    QVERIFY(!proxy);
    card->publishData(QStringLiteral("mtj"), levelReading("5", "6"));
}

void tst_SimulatedCard::pluginBindsToTheRegisteredCard()
{
    QCOMPARE(SimulatedCard::find("e1"), card);
    QCOMPARE(plugin->controller(), card->controller());
    QCOMPARE(plugin->cardName(), QString("e1"));
    QCOMPARE(card->pluginCount(), 1);

    auto *second = new RecordingPlugin;
    QCOMPARE(card->pluginCount(), 2);
    card->execute(QStringLiteral("timeslot"));
    QTRY_COMPARE(second->count("configUpdated"), 1);
    QCOMPARE(plugin->count("configUpdated"), 1);
    delete second;
    QCOMPARE(card->pluginCount(), 1);
}

void tst_SimulatedCard::frameworkCreatesAndDeletesAMissingCard()
{
    QVERIFY(!SimulatedCard::find("t1"));
    auto *first = new RecordingPlugin(QStringLiteral("t1"));
    QPointer<SimulatedCard> created = SimulatedCard::find("t1");
    QVERIFY(created);
    QCOMPARE(first->controller(), created->controller());
    QCOMPARE(first->configValue("structure", QString()), QString("pcm30crc"));

    auto *second = new RecordingPlugin(QStringLiteral("t1"));
    QCOMPARE(SimulatedCard::find("t1"), created.data());
    QCOMPARE(created->pluginCount(), 2);
    delete first;
    QVERIFY(created);
    delete second;
    QVERIFY(!created);
    QVERIFY(!SimulatedCard::find("t1"));
}

void tst_SimulatedCard::pluginOutlivingItsCardStaysSafe()
{
    auto *other = new SimulatedCard(QStringLiteral("spare"));
    auto *spare = new RecordingPlugin(QStringLiteral("spare"));
    spare->createDataProxy(QStringLiteral("base"));
    delete other;

    QVERIFY(spare->controller());
    QCOMPARE(spare->controller()->configValue("structure", "def"), QString("def"));
    QVERIFY(!spare->controller()->dataProxy("base", nullptr));
    QCOMPARE(spare->configValue("structure", "def"), QString("def"));
    QCOMPARE(spare->maskValue("speaker", "def"), QString("def"));
    ControllerCommand command(QStringLiteral("timeslot"), true);
    spare->doConfigure(command);
    QVERIFY(command.error);
    QVERIFY(!command.errorText.contains(QLatin1String("voice")));
    QVERIFY(!spare->proxies().value("base")->running());
    delete spare;
}

void tst_SimulatedCard::buttonClickedRequestsTheWindow()
{
    LauncherPlugin bare(QStringLiteral("e1"));
    QSignalSpy spy(&bare, &LauncherPlugin::windowRequested);
    bare.buttonClicked();
    QCOMPARE(spy.count(), 1);
    QVERIFY(!bare.button());
    QVERIFY(!bare.window());
    QVERIFY(!bare.statusPanelItem());
}

void tst_SimulatedCard::liveSignalCarriesWhatTransmitSends_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("transmitted");
    QTest::addColumn<QString>("heard");

    QTest::newRow("tone") << "tone"
                          << "voice"
                          << "tone";
    QTest::newRow("microphone") << "mic"
                                << "voice"
                                << "speech";
    QTest::newRow("source off") << "off"
                                << "voice"
                                << "silence";
    QTest::newRow("transmit slot not voice") << "tone"
                                             << "pat"
                                             << "silence";
}

void tst_SimulatedCard::liveSignalCarriesWhatTransmitSends()
{
    QFETCH(QString, source);
    QFETCH(QString, transmitted);
    QFETCH(QString, heard);

    card->setConfigValue(QStringLiteral("vfsource"), source);
    card->setConfigValue(QStringLiteral("timeslot-tx-5"), transmitted);
    card->setRandomSeed(7);
    QScopedPointer<DataProxy> reader(plugin->controller()->dataProxy("vfsignal", nullptr));
    FeedRecorder spy(reader.data());
    card->setLiveSignal(true);
    QVERIFY(card->isRunning("vfsignal"));
    QVERIFY(plugin->calls.contains("started vfsignal"));
    QTRY_VERIFY(spy.count() >= 3);

    for (const QVariantMap &map : spy.maps) {
        const QString level = map.value("level").toString();
        const QString frequency = map.value("frequency").toString();
        bool levelIsNumber = false, frequencyIsNumber = false;
        const double dB = level.toDouble(&levelIsNumber);
        const int hertz = frequency.toInt(&frequencyIsNumber);
        if (heard == QLatin1String("silence")) {
            QCOMPARE(level, QString("<-24dB"));
            QCOMPARE(frequency, QString("0"));
            continue;
        }
        QVERIFY2(levelIsNumber && frequencyIsNumber, qPrintable(level + " " + frequency));
        QCOMPARE(level, QString::number(dB, 'f', 1));
        if (heard == QLatin1String("tone")) {
            QVERIFY2(dB >= -10.3 && dB <= -9.7, qPrintable(level));
            QVERIFY2(hertz >= 998 && hertz <= 1002, qPrintable(frequency));
        } else {
            QVERIFY2(dB >= -24.0 && dB <= -6.0, qPrintable(level));
            QVERIFY2(hertz >= 300 && hertz <= 3400, qPrintable(frequency));
        }
    }
    QCOMPARE(plugin->data("VFSIGNAL"), reader->data());
}

void tst_SimulatedCard::liveSignalRunsOnlyWithAReceiveVoiceSlot()
{
    card->setConfigValue(QStringLiteral("timeslot-rx-5"), QStringLiteral("pat"));
    card->setLiveSignal(true);
    QVERIFY(card->liveSignal());
    QVERIFY(!card->isRunning("vfsignal"));

    card->setConfigValue(QStringLiteral("timeslot-rx-9"), QStringLiteral("voice"));
    QTRY_VERIFY(card->isRunning("vfsignal"));
    card->setConfigValue(QStringLiteral("timeslot-rx-9"), QStringLiteral("none"));
    QTRY_VERIFY(!card->isRunning("vfsignal"));

    card->setConfigValue(QStringLiteral("timeslot-rx-9"), QStringLiteral("voice"));
    QTRY_VERIFY(card->isRunning("vfsignal"));
    card->setLiveSignal(false);
    QVERIFY(!card->isRunning("vfsignal"));
    QCOMPARE(plugin->count("stopped vfsignal"), 2);
}

void tst_SimulatedCard::resetRestoresTheFactoryState()
{
    const QVariantMap factory = card->configuration();
    card->execute(QStringLiteral("structure unstr"));
    card->setConfigValue(QStringLiteral("extra"), QStringLiteral("1"));
    card->setMaskValue(QStringLiteral("speaker"), QStringLiteral("busy"));
    card->refuseNext(QStringLiteral("no"));
    card->setDataProxyFailure(true);
    card->startMeasurement(QStringLiteral("mtj"));
    card->publishData(QStringLiteral("mtj"), levelReading("1", "1"));
    card->setLiveSignal(true);

    card->reset();
    QCOMPARE(card->configuration(), factory);
    QVERIFY(card->commandLog().isEmpty());
    QVERIFY(!card->hasMaskOverride(QStringLiteral("speaker")));
    QVERIFY(!card->dataProxyFailure());
    QVERIFY(!card->liveSignal());
    QVERIFY(!card->isRunning("mtj"));
    QVERIFY(!card->isRunning("vfsignal"));
    QVERIFY(card->latestData("mtj").isEmpty());
    QVERIFY(plugin->calls.contains("stopped mtj"));
    QVERIFY(card->execute(QStringLiteral("speaker off")));
}

void tst_SimulatedCard::randomCommandsKeepTheRules()
{
    bool seeded = false;
    quint32 seed = qEnvironmentVariableIntValue("E1_FUZZ_SEED", &seeded);
    if (!seeded)
        seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    auto pick
        = [&random](const QStringList &words) { return words.at(random.bounded(words.size())); };

    // Mostly well-formed commands, so that the rules rather than the parser decide.
    const QStringList commands {"timeslot", "timeslot",   "timeslot", "timeslot",  "vfsource",
                                "speaker",  "microphone", "pattern",  "structure", "Timeslot"};
    const QStringList directions {"rx", "rx", "tx", "tx", "tx", "voice"};
    const QStringList values {"none", "pat", "pat", "voice", "voice", "voices"};
    const QMap<QString, QStringList> arguments {
        {"vfsource", {"tone", "mic", "off", "voice"}},
        {"speaker", {"on", "off", "volume 50", "volume 101", "voice"}},
        {"microphone", {"0", "40", "100", "101", "-3", "x"}},
        {"pattern", {"2e15", "2e23-1", "all0", "0x1F", "2e16", "voice"}},
        {"structure", {"unstr", "pcm30", "pcm30crc", "pcm31", "pcm31crc", "pcm32"}},
        {"Timeslot", {"rx 3 pat"}}};

    int acceptedCount = 0;
    for (int round = 0; round < 400; ++round) {
        QStringList words {pick(commands)};
        if (words.first() == QLatin1String("timeslot")) {
            words << pick(directions);
            switch (random.bounded(5)) {
            case 0:
                words << QString::number(random.bounded(0, 33));
                break;
            case 1:
            case 2:
                words << QString::number(random.bounded(1, 32));
                break;
            case 3:
                words << QStringLiteral("0x%1").arg(2u << random.bounded(31), 8, 16,
                                                    QLatin1Char('0'));
                break;
            default:
                words << QStringLiteral("0x%1").arg(random.generate() & ~1u, 8, 16,
                                                    QLatin1Char('0'));
            }
            words << pick(values);
        } else {
            words << pick(arguments.value(words.first()));
        }
        if (random.bounded(10) == 0)
            words.removeAt(random.bounded(words.size()));
        QString text = words.join(QLatin1Char(' '));
        if (random.bounded(10) == 0)
            text.insert(random.bounded(text.size() + 1),
                        QChar(static_cast<char>(random.bounded(32, 127))));

        const QVariantMap before = card->configuration();
        QString error;
        const bool accepted = card->execute(text, &error);
        acceptedCount += accepted;
        const QByteArray context
            = QStringLiteral("seed %1, command \"%2\": %3").arg(seed).arg(text, error).toUtf8();
        if (!accepted) {
            QVERIFY2(card->configuration() == before, context.constData());
            QVERIFY2(!error.isEmpty(), context.constData());
            if (error.contains(QLatin1String("voice")))
                QVERIFY2(text.startsWith("timeslot rx ") && text.endsWith(" voice"),
                         context.constData());
        }
        QVERIFY2(receiveVoiceSlots(*card) <= 1, context.constData());
        if (before.value("structure") == "unstr" && text.startsWith("timeslot")) {
            for (auto it = before.constBegin(); it != before.constEnd(); ++it)
                QVERIFY2(card->configValue(it.key()) == it.value().toString(), context.constData());
        }
        if (round % 20 == 0)
            QCoreApplication::processEvents();
    }
    QVERIFY2(acceptedCount > 100, qPrintable(QStringLiteral("seed %1").arg(seed)));
    QCoreApplication::processEvents();
    QVERIFY(plugin->count("configUpdated") > 0);
}

QTEST_GUILESS_MAIN(tst_SimulatedCard)
#include "tst_simulatedcard.moc"
