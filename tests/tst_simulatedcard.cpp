// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated E1 card as plug-ins and the launcher see it.

#include "testsupport.h"

#include <cardcontroller.h>
#include <controllercommand.h>
#include <dataproxy.h>
#include <launcherplugin.h>

namespace {

struct RecordingPlugin : LauncherPlugin
{
    using LauncherPlugin::LauncherPlugin;
    QMap<QString, DataProxy *> proxies() const { return dataProxies; }
    void note(const QString &call, const QVariantMap &map)
    {
        calls << call;
        last = map;
    }
    void configUpdated(QVariantMap &map) override { note("configUpdated", map); }
    void updateMask() override { calls << "updateMask"; }
    void started(QString measName) override { calls << "started " + measName; }
    void stopped(QString measName) override { calls << "stopped " + measName; }
    void updated(QVariantMap &map, QString dataSet) override { note("updated " + dataSet, map); }
    QStringList calls;
    QVariantMap last; // the latest configuration or data map
};

const QVariantMap reading = Compat::variantMap({{"level", "-12.5"}, {"frequency", "1020"}});

// A row per command of "a|b|" (the last one empty), named by setup and command. The setup is a
// structure, then "key=value" set and "!key=reason" masked. Outcomes: "no", "voice" (no, saying
// why), either with ": text" the error contains, "ok key=value ...", or "ok" (key: first words;
// value: last).
void rows(const char *setup, const char *outcome, const QString &commands)
{
    for (const QString &command : commands.split('|'))
        QTest::addRow("%s: \"%s\"", setup, qPrintable(command))
            << QString(setup) << command << QString(outcome);
}

} // namespace

class tst_SimulatedCard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        card = new SimulatedCard("e1");
        plugin = new RecordingPlugin("e1");
    }
    void cleanup()
    {
        delete plugin;
        delete card;
    }
    void commandIsAcceptedOrRefused_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("outcome");
        const char *crc = "pcm30crc";
        rows(crc, "ok", "timeslot|timeslot rx 7 pat|speaker off|speaker volume 0|microphone 73");
        rows(crc, "ok", "speaker volume 100|pattern 2e9|pattern 2e23-1|pattern 55|structure unstr");
        rows(crc, "ok", "pattern 0xDEADbeef");
        rows("unstr", "ok", "timeslot");
        rows("pcm31", "ok", "timeslot tx 16 pat|structure pcm30");
        rows(crc, "ok timeslot-tx-7=voice", "timeslot tx 07 voice");
        rows(crc, "ok timeslot-tx-16=none timeslot-tx-31=pat", "timeslot tx 0xFFFEFFFE pat");
        rows(crc, "ok timeslot-rx-2=none timeslot-rx-3=pat", "timeslot rx 0x00000006 none");
        rows(crc, "ok timeslot-rx-5=voice", "timeslot rx 0x00000020 voice");
        rows("pcm31", "ok timeslot-rx-5=pat timeslot-rx-16=pat", "timeslot rx 0xFFFFFFFE pat");
        rows(crc, "ok vfsource=mic voice-transmit=microphone", "vfsource mic");
        // Only the one-receive-voice-slot rule speaks of "voice".
        rows(crc, "voice", "timeslot rx 7 voice|timeslot rx 0x000000a0 voice");
        rows(crc, "voice", "timeslot rx 0x00000080 voice");
        rows("pcm31", "voice", "timeslot rx 0xFFFFFFFE voice");
        rows("pcm30", "no", "timeslot rx 16 none");
        rows("unstr", "no", "timeslot tx 3 pat|timeslot rx 7 voice|timeslot tx 0x00000006 none");
        rows(crc, "no", "timeslot tx 16 pat|timeslot rx 16 voice|timeslot tx 0xFFFFFFFE pat");
        rows(crc, "no", "timeslot tx 0x00000001 pat|timeslot tx 0x000000006 pat|timeslot tx 0 pat");
        rows(crc, "no", "timeslot tx 0x1234 pat|timeslot tx 0x0000000g pat|timeslot tx 32 pat");
        rows(crc, "no", "timeslot tx -1 pat|timeslot tx abc pat|timeslot tx 99999999999999 pat");
        rows(crc, "no",
             "timeslot tx 3 Voice|timeslot rx 3 voices|timeslot rx 3 prbs|timeslot rx 3");
        rows(crc, "no", "timeslot up 3 pat|timeslot voice 3 pat|timeslot rx 3 pat voice|voice");
        rows(crc, "no", "Timeslot rx 3 pat| timeslot|timeslot rx  3 pat|timeslot rx 3 pat |foo|");
        rows(crc, "no", "vfsource microphone|vfsource|speaker loud|speaker volume 101|microphone");
        rows(crc, "no",
             "speaker volume -1|speaker volume loud|speaker volume 5 6|speaker-volume 5");
        rows(crc, "no", "microphone 101|microphone 5.5|pattern 2e10|pattern 2e15-2|pattern 0x");
        rows(crc, "no", "pattern 0x123456789|pattern ALL0|pattern|structure pcm32|structure");
        rows(crc, "no", "pattern 0x1A\n|pattern 2e9-1\n");
        // A masked item cannot be changed, not even to its value; a mask touching one is refused.
        const char *held = "pcm31 !timeslot-rx-3=held";
        rows(held, "no: receive timeslot 3 is masked (held)",
             "timeslot rx 3 pat|timeslot rx 3 none");
        rows(held, "no: receive timeslot 3",
             "timeslot rx 0xFFFFFFFE pat|timeslot rx 0x00000018 none");
        rows(held, "ok", "timeslot tx 3 none|timeslot rx 4 none|speaker off");
        rows("pcm31 !speaker=voice-test", "voice: the loudspeaker is masked (voice-test)",
             "speaker on|speaker volume 5");
        rows("pcm30crc timeslot-rx-5=pat", "no: the loudspeaker is masked",
             "speaker on|speaker volume 5");
        rows("pcm31 timeslot-tx-5=pat", "no: the transmit source is masked",
             "vfsource mic|microphone 7");
        rows("pcm31 !pattern=fixed", "no: \"pattern\" is masked (fixed)", "pattern 2e9");
    }
    void commandIsAcceptedOrRefused()
    {
        QFETCH(QString, setup);
        QFETCH(QString, command);
        QFETCH(QString, outcome);
        const bool accepted = outcome.startsWith("ok");
        QStringList expected = accepted ? outcome.split(' ').mid(1) : QStringList();
        const QString key = command.section(' ', 0, -2).replace(' ', '-');
        if (outcome == "ok" && !key.isEmpty())
            expected << key + '=' + command.section(' ', -1);
        QStringList settings = setup.split(' ');
        card->setConfigValue("structure", settings.takeFirst());
        for (const QString &setting : qAsConst(settings)) {
            const QString item = setting.section('=', 0, 0);
            item.startsWith('!') ? card->setMaskValue(item.mid(1), setting.section('=', 1))
                                 : card->setConfigValue(item, setting.section('=', 1));
        }
        QTRY_VERIFY(!card->notificationPending());
        const QVariantMap before = card->configuration();
        ControllerCommand checked(command, true);
        plugin->doConfigure(checked);
        QCOMPARE(!checked.error, accepted);
        QVERIFY(card->notificationPending()); // refused or not, the card answers with its values
        QCOMPARE(checked.errorText.isEmpty(), accepted);
        QCOMPARE(checked.errorText.contains("voice"), outcome.startsWith("voice"));
        QVERIFY2(checked.errorText.contains(outcome.section(": ", 1)),
                 qPrintable(checked.errorText));
        QVERIFY(accepted || card->configuration() == before);
        for (const QString &pair : qAsConst(expected))
            QCOMPARE(card->configValue(pair.section('=', 0, 0)), pair.section('=', 1));
    }
    void masksFollowTheConfiguration_data()
    {
        // Named by the one key set, "key=value"; the items marked '!' are masked, the others not.
        QTest::addColumn<QString>("items");
        QTest::newRow("structure=pcm30crc") << QString(
            "!timeslot-rx-16 !timeslot-tx-16 timeslot-rx-1 timeslot-tx-31 speaker voice-transmit");
        QTest::newRow("structure=pcm30")
            << QString("!timeslot-rx-16 !timeslot-tx-16 timeslot-rx-15 timeslot-tx-17");
        QTest::newRow("structure=pcm31") << QString("timeslot-rx-16 timeslot-tx-16");
        QTest::newRow("structure=unstr")
            << QString("!timeslot-rx-1 !timeslot-rx-16 !timeslot-tx-31 !speaker !voice-transmit");
        QTest::newRow("timeslot-rx-5=pat") << QString("!speaker voice-transmit timeslot-rx-5");
        QTest::newRow("timeslot-tx-5=none") << QString("!voice-transmit speaker");
    }
    void masksFollowTheConfiguration()
    {
        QFETCH(QString, items);
        const QString assignment = QTest::currentDataTag();
        card->setConfigValue(assignment.section('=', 0, 0), assignment.section('=', 1));
        for (const QString &item : items.split(' ')) {
            const bool masked = item.startsWith('!');
            const QString mask = plugin->maskValue(item.mid(masked), masked ? "" : "unknown");
            QVERIFY2(mask.isEmpty() != masked, qPrintable(item));
        }
    }
    void feedsReachProxiesAndPlugins()
    {
        for (const QString &feed : SimulatedCard::feedNames()
                 + (QStringList() << "bogus"
                                  << "base"))
            plugin->createDataProxy(feed);
        const QMap<QString, DataProxy *> proxies = plugin->proxies();
        QCOMPARE(proxies.keys(), QString("base jitter jtf mtj vfsignal").split(' '));
        QScopedPointer<DataProxy> reader(plugin->controller()->dataProxy("vfsignal", nullptr));
        QList<QVariantMap> maps; // QSignalSpy cannot keep the QVariantMap& argument
        Compat::connect(reader.data(), SIGNAL(updated(QVariantMap &, QString)), this,
                        [&maps](QVariantMap &m) { maps << m; });
        for (const char *feed : {"vfsignal", "vfsignal", "bogus"})
            card->startMeasurement(feed);
        QVERIFY(proxies["vfsignal"]->running() && reader->running() && !proxies["base"]->running());
        card->publishData("vfsignal", reading);
        card->publishData("bogus", reading);
        QVERIFY(maps == (QList<QVariantMap>() << reading) && proxies["base"]->data().isEmpty());
        QVERIFY(reader->data() == reading && plugin->last == reading);
        QVERIFY(plugin->data("VFSIGNAL") == reading && plugin->data("vfsignal").isEmpty());
        QScopedPointer<DataProxy> late(plugin->controller()->dataProxy("vfsignal", nullptr));
        QVERIFY(late->running() && late->data() == reading);
        card->stopMeasurement("vfsignal");
        card->stopMeasurement("vfsignal");
        QVERIFY(!reader->running() && !proxies.value("vfsignal")->running());
        QCOMPARE(plugin->calls.join(","), "started vfsignal,updated VFSIGNAL,stopped vfsignal");
        // The live signal carries the sent tone, about -10 dB at 1 kHz, while slot 5 hears it.
        card->setRandomSeed(7);
        card->setLiveSignal(true);
        QTRY_VERIFY(reader->running() && reader->data() != reading);
        QVERIFY(qAbs(reader->data()["level"].toDouble() + 10) <= 0.3);
        QVERIFY(qAbs(reader->data()["frequency"].toInt() - 1000) <= 2);
        card->setConfigValue("timeslot-rx-5", "pat");
        QTRY_VERIFY(!card->isRunning("vfsignal"));
        QCOMPARE(plugin->calls.count("stopped vfsignal"), 2);
    }
    // Plug-ins bind to their card; proxies and plug-ins may outlive the card.
    void pluginsBindGetChangesAndOutliveTheCard()
    {
        CardController *controller = plugin->controller();
        QCOMPARE(controller, card->controller());
        QVERIFY(!controller->dataProxy("bogus", nullptr)
                && !controller->dataProxy("VFSIGNAL", nullptr));
        card->setDataProxyFailure(true);
        QVERIFY(!controller->dataProxy("vfsignal", nullptr));
        card->setDataProxyFailure(false);
        QScopedPointer<DataProxy> reader(controller->dataProxy("vfsignal", nullptr));
        QVERIFY(reader && !reader->parent());
        auto *second = new RecordingPlugin("e1");
        second->createDataProxy("mtj");
        QPointer<DataProxy> owned = second->proxies().value("mtj");
        QVERIFY(owned && card->pluginCount() == 2);
        // Changes coalesce into one later delivery to each plug-in, none inside doConfigure().
        QSignalSpy controllerSpy(controller, SIGNAL(configurationChanged()));
        QSignalSpy cardSpy(card, SIGNAL(configurationChanged()));
        controller->doConfigure("speaker off");
        for (const char *text :
             {"timeslot rx 0x00000006 none", "timeslot rx 0x00000018 pat", "timeslot rx 5 none"}) {
            ControllerCommand command(text, true);
            plugin->doConfigure(command);
            QVERIFY2(!command.error, qPrintable(command.errorText));
        }
        QVERIFY(plugin->calls.isEmpty() && second->calls.isEmpty() && controllerSpy.isEmpty());
        QTRY_COMPARE(controllerSpy.count(), 1);
        QTest::qWait(20);
        QVERIFY(controllerSpy.count() == 1 && cardSpy.count() == 1);
        QCOMPARE(plugin->calls,
                 (QStringList() << "configUpdated"
                                << "updateMask"));
        QCOMPARE(second->calls, plugin->calls);
        QVERIFY(plugin->last == card->configuration() && second->last == plugin->last);
        QVERIFY(card->configValue("timeslot-rx-4") == "pat"
                && card->configValue("speaker") == "off");
        delete second;
        QVERIFY(!owned && card->pluginCount() == 1);
        card->publishData("mtj", reading);
        card->startMeasurement("vfsignal");
        card->publishData("vfsignal", reading);
        delete std::exchange(card, nullptr);
        QVERIFY(reader->running() && reader->data() == reading);
        QCOMPARE(plugin->configValue("structure", "def"), "def");
        QVERIFY(!plugin->controller()->dataProxy("base", nullptr));
        ControllerCommand command("timeslot", true);
        plugin->doConfigure(command);
        QVERIFY(command.error);
    }

private:
    SimulatedCard *card = nullptr;
    RecordingPlugin *plugin = nullptr;
};

QTEST_GUILESS_MAIN(tst_SimulatedCard)
#include "tst_simulatedcard.moc"
