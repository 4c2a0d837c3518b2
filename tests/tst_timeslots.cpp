// SPDX-License-Identifier: GPL-3.0-or-later

// The plug-in object: widgets built on request, the window locked while a measurement runs,
// the notifications it passes on, the slot queries and the status texts.

#include "mainbutton.h"
#include "mainwindow.h"
#include "timeslots.h"

#include <simulatedcard.h>
#include <statuslabel.h>
#include <switchpanel.h>

#include <QPen>
#include <QPointer>
#include <QtTest>

namespace {
const QChar Ellipsis(0x2026);
const QString Quoted55 = QString(QChar(0x2018)) + QStringLiteral("55") + QChar(0x2019);
} // namespace

class tst_TimeSlots : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void feedsAreOpenedInOrder();
    void widgetsAreBuiltOnFirstRequestWithoutParent();
    void windowEnabledFollowsRunningMeasurements_data();
    void windowEnabledFollowsRunningMeasurements();
    void startedAndStoppedLockAndFreeTheWindow();
    void updatedReactsToTheVoiceDataSetOnly();
    void configUpdatedTouchesVisibleWidgetsOnly();
    void prbsText_data();
    void prbsText();
    void manualPattern_data();
    void manualPattern();
    void countSlots_data();
    void countSlots();
    void tsSelectedForVoice_data();
    void tsSelectedForVoice();
    void statusLabelCells_data();
    void statusLabelCells();
    void prbsLabelGeometry_data();
    void prbsLabelGeometry();

private:
    // Replaces the card's whole configuration, so each case states exactly what it needs.
    void setConfiguration(const QVariantMap &values);
    // The framework's view of the plug-in: its notifications are public there.
    LauncherPlugin *host() const { return plugin; }

    SimulatedCard *card = nullptr;
    TimeSlots *plugin = nullptr;
};

void tst_TimeSlots::init()
{
    card = new SimulatedCard(QStringLiteral("e1"));
    plugin = new TimeSlots;
}

void tst_TimeSlots::cleanup()
{
    delete plugin;
    delete card;
}

void tst_TimeSlots::setConfiguration(const QVariantMap &values)
{
    const QStringList keys = card->configuration().keys();
    for (const QString &key : keys)
        card->removeConfigValue(key);
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        card->setConfigValue(it.key(), it.value().toString());
}

void tst_TimeSlots::feedsAreOpenedInOrder()
{
    delete plugin;
    QSignalSpy opened(card, &SimulatedCard::feedOpened);
    plugin = new TimeSlots;
    QStringList feeds;
    for (const QList<QVariant> &arguments : opened)
        feeds << arguments.at(0).toString();
    QCOMPARE(feeds, QStringList({"base", "vfsignal", "jitter", "jtf", "mtj"}));
}

void tst_TimeSlots::widgetsAreBuiltOnFirstRequestWithoutParent()
{
    const int before = QApplication::topLevelWidgets().size();
    QPointer<QWidget> button = plugin->button();
    QPointer<QWidget> window = plugin->window();
    QPointer<QWidget> status = plugin->statusPanelItem();
    QCOMPARE(QApplication::topLevelWidgets().size(), before + 3);
    QVERIFY(qobject_cast<MainButton *>(button) && qobject_cast<MainWindow *>(window)
            && qobject_cast<StatusLabel *>(status));
    QVERIFY(!button->parent() && !window->parent() && !status->parent());
    QCOMPARE(window->windowTitle(), QStringLiteral("Timeslots"));
    QCOMPARE(plugin->button(), button.data());
    QCOMPARE(plugin->window(), window.data());
    QCOMPARE(plugin->statusPanelItem(), status.data());
    QCOMPARE(card->commandLog(), QStringList()); // the first command goes out on show

    delete plugin;
    plugin = nullptr;
    QVERIFY(!button && !window && !status);
}

void tst_TimeSlots::windowEnabledFollowsRunningMeasurements_data()
{
    QTest::addColumn<QStringList>("running");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("nothing runs") << QStringList() << true;
    QTest::newRow("base") << QStringList{"base"} << false;
    QTest::newRow("jitter") << QStringList{"jitter"} << false;
    QTest::newRow("jtf") << QStringList{"jtf"} << false;
    QTest::newRow("vfsignal never counts") << QStringList{"vfsignal"} << true;
    QTest::newRow("vfsignal and mtj") << QStringList{"vfsignal", "mtj"} << false;
}

void tst_TimeSlots::windowEnabledFollowsRunningMeasurements()
{
    QFETCH(QStringList, running);
    for (const QString &name : running)
        card->startMeasurement(name);
    QTEST(plugin->measStopped(), "enabled");
    QTEST(plugin->window()->isEnabled(), "enabled");
}

void tst_TimeSlots::startedAndStoppedLockAndFreeTheWindow()
{
    QWidget *window = plugin->window();
    card->startMeasurement(QStringLiteral("vfsignal"));
    QVERIFY(window->isEnabled());
    card->startMeasurement(QStringLiteral("base"));
    card->startMeasurement(QStringLiteral("jtf"));
    host()->stopped(QStringLiteral("vfsignal"));
    QVERIFY(!window->isEnabled());
    // The first stop frees the window, although another measurement still runs.
    card->stopMeasurement(QStringLiteral("jtf"));
    QVERIFY(window->isEnabled() && !plugin->measStopped());
    host()->started(QStringLiteral("vfsignal"));
    QVERIFY(window->isEnabled());
}

void tst_TimeSlots::updatedReactsToTheVoiceDataSetOnly()
{
    QVariantMap data;
    host()->updated(data, QStringLiteral("VFSIGNAL")); // no status item yet: nothing
    auto *status = qobject_cast<StatusLabel *>(plugin->statusPanelItem());
    card->setConfigValue(QStringLiteral("speaker"), QStringLiteral("off"));
    card->setMaskValue(QStringLiteral("speaker"), QString());
    card->publishData(QStringLiteral("vfsignal"), {{"level", "-12"}, {"frequency", "1020"}});
    const QString reading = QStringLiteral("Voice :  -12 dB, 1020 Hz");
    QCOMPARE(status->cellText(1, 2), reading);

    // A change the plug-in was not told of shows only after the exact data set name.
    card->setMaskValue(QStringLiteral("speaker"), QStringLiteral("no receive voice timeslot"));
    host()->updated(data, QStringLiteral("vfsignal"));
    host()->updated(data, QStringLiteral("Vfsignal"));
    QCOMPARE(status->cellText(1, 2), reading);
    host()->updated(data, QStringLiteral("VFSIGNAL"));
    QCOMPARE(status->cellText(1, 2), QString());
}

void tst_TimeSlots::configUpdatedTouchesVisibleWidgetsOnly()
{
    setConfiguration({{"structure", "pcm31"}, {"pattern", "2e15"}});
    QVariantMap map;
    host()->configUpdated(map); // before any widget exists: nothing to do
    QWidget *window = plugin->window();
    QWidget *button = plugin->button();
    auto *status = qobject_cast<StatusLabel *>(plugin->statusPanelItem());
    auto *rxSlots = window->findChild<SwitchPanel *>(QStringLiteral("rxSlots"));
    auto *row = button->findChild<StatusLabel *>(QStringLiteral("statusLabel"));
    QCOMPARE(row->cellText(0, 0), QStringLiteral("PRBS: 2e15-1"));

    // Told directly, without the card's notification: hidden widgets stay as they are.
    card->setConfigValue(QStringLiteral("timeslot-rx-3"), QStringLiteral("pat"));
    card->setConfigValue(QStringLiteral("pattern"), QStringLiteral("all1"));
    host()->configUpdated(map);
    QCOMPARE(rxSlots->firstSelectedOption(3), 0);
    QCOMPARE(row->cellText(0, 0), QStringLiteral("PRBS: 2e15-1"));
    QCOMPARE(status->cellText(0, 1), QStringLiteral("PRBS: 1") + Ellipsis);

    window->show();
    button->show(); // showing refreshes the button's row
    QCOMPARE(row->cellText(0, 0), QStringLiteral("PRBS: 1") + Ellipsis);
    QCOMPARE(row->cellAlignment(1, 0), Qt::AlignHCenter | Qt::AlignBottom);
    card->setConfigValue(QStringLiteral("pattern"), QStringLiteral("55"));
    host()->configUpdated(map);
    QCOMPARE(rxSlots->firstSelectedOption(3), 1);
    QCOMPARE(row->cellText(0, 0), QStringLiteral("PRBS: ") + Quoted55);
}

void tst_TimeSlots::prbsText_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("longForm");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("exponent");
    const auto row
        = [](const char *pattern, bool longForm, const QString &text, const char *exponent = "") {
              QTest::addRow("%s%s", pattern, longForm ? " long" : "")
                  << QString(pattern) << longForm << text << QString(exponent);
          };
    const QString ellipsis(Ellipsis), open(QChar(0x2018)), close(QChar(0x2019));
    row("2e15-1", false, "2", "15");
    row("2e15", false, "2", "15");
    row("2e", false, "2");
    row("2E15", false, "***");
    row("all0", false, "0" + ellipsis);
    row("all0", true, "All " + open + "0" + close);
    row("all1", false, "1" + ellipsis);
    row("all1", true, "All " + open + "1" + close);
    row("55", false, Quoted55);
    row("55", true, Quoted55 + " (0101" + ellipsis + ")");
    row("0x1A2B", false, "***");
    row("0x1A2B", true, "Manually");
    row("", false, "***");
}

void tst_TimeSlots::prbsText()
{
    QFETCH(QString, pattern);
    QFETCH(bool, longForm);
    QString text = QStringLiteral("stale"), exponent = QStringLiteral("stale");
    TimeSlots::prbsText(text, exponent, pattern, longForm);
    QTEST(text, "text");
    QTEST(exponent, "exponent");
}

void tst_TimeSlots::manualPattern_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("value");
    QTest::newRow("hex") << "0x1A2B" << 6699;
    QTest::newRow("largest int") << "0x7FFFFFFF" << 2147483647;
    QTest::newRow("beyond int") << "0x80000000" << 0;
    QTest::newRow("not hex") << "0xZZ" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("prbs") << "2e15-1" << -1;
    QTest::newRow("all0") << "all0" << -1;
    QTest::newRow("all1") << "all1" << -1;
    QTest::newRow("55") << "55" << -1;
    QTest::newRow("prefix is skipped, whatever it is") << "ab12" << 18;
}

void tst_TimeSlots::manualPattern()
{
    QFETCH(QString, pattern);
    QTEST(TimeSlots::manualPattern(pattern), "value");
}

void tst_TimeSlots::countSlots_data()
{
    QTest::addColumn<QVariantMap>("configuration");
    QTest::addColumn<QStringList>("masked");
    QTest::addColumn<QString>("direction");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("count");
    const QVariantMap mixed{{"timeslot-tx-1", "voice"}, {"timeslot-tx-2", "voice"},
                            {"timeslot-tx-3", "pat"},   {"timeslot-rx-1", "voice"},
                            {"timeslot-tx-0", "voice"}, {"timeslot-tx-31", "voice"}};
    const auto row = [&](const char *name, bool configured, const QStringList &masked,
                         const char *direction, const char *value, int count) {
        QTest::newRow(name) << (configured ? mixed : QVariantMap()) << masked << QString(direction)
                            << QString(value) << count;
    };
    row("nothing configured", false, {}, "tx", "voice", 0);
    row("tx voice, slot 0 ignored", true, {}, "tx", "voice", 3);
    row("rx voice", true, {}, "rx", "voice", 1);
    row("tx pat", true, {}, "tx", "pat", 1);
    row("case matters", true, {}, "tx", "Voice", 0);
    row("masked slots do not count", true, {"timeslot-tx-2", "timeslot-tx-31"}, "tx", "voice", 1);
    row("missing keys are not none", true, {}, "rx", "none", 0);
}

void tst_TimeSlots::countSlots()
{
    QFETCH(QVariantMap, configuration);
    QFETCH(QStringList, masked);
    QFETCH(QString, direction);
    QFETCH(QString, value);
    setConfiguration(configuration);
    for (const QString &key : masked)
        card->setMaskValue(key, QStringLiteral("masked by the test"));
    QTEST(plugin->countSlots(direction, value), "count");
}

void tst_TimeSlots::tsSelectedForVoice_data()
{
    QTest::addColumn<QVariantMap>("configuration");
    QTest::addColumn<bool>("rx");
    QTest::addColumn<bool>("tx");
    QTest::newRow("nothing configured") << QVariantMap() << false << false;
    QTest::newRow("unstr hides voice")
        << QVariantMap{{"structure", "unstr"}, {"timeslot-rx-5", "voice"}} << false << false;
    QTest::newRow("pcm30 longer variant")
        << QVariantMap{{"structure", "pcm30crc"}, {"timeslot-rx-31", "voice"}} << true << false;
    QTest::newRow("UNSTR is structured")
        << QVariantMap{{"structure", "UNSTR"}, {"timeslot-tx-1", "voice"}} << false << true;
    QTest::newRow("slot 0 ignored")
        << QVariantMap{{"timeslot-rx-0", "voice"}, {"timeslot-tx-0", "voice"}} << false << false;
    QTest::newRow("case matters") << QVariantMap{{"timeslot-rx-2", "VOICE"}} << false << false;
}

void tst_TimeSlots::tsSelectedForVoice()
{
    QFETCH(QVariantMap, configuration);
    setConfiguration(configuration);
    // Masks play no part: a masked voice slot still counts.
    card->setMaskValue(QStringLiteral("timeslot-rx-31"), QStringLiteral("masked by the test"));
    QTEST(plugin->tsSelectedForVoice(QStringLiteral("rx")), "rx");
    QTEST(plugin->tsSelectedForVoice(QStringLiteral("tx")), "tx");
}

void tst_TimeSlots::statusLabelCells_data()
{
    QTest::addColumn<QVariantMap>("configuration");
    QTest::addColumn<QVariantMap>("masks");
    QTest::addColumn<QVariantMap>("data");
    QTest::addColumn<QString>("prbs");
    QTest::addColumn<QString>("voice");
    QTest::addColumn<bool>("speakerPicture");
    QTest::addColumn<QString>("reading");
    QTest::addColumn<QString>("sourcePicture");
    // Maps written "key=value key=value"; a mask "key=" is an available item.
    const auto row = [](const char *name, const char *configuration, const char *masks,
                        const char *data, const QString &prbs, const char *voice, bool speaker,
                        const char *reading, const char *source) {
        const auto map = [](const char *pairs) {
            QVariantMap result;
            const QStringList items = QString::fromUtf8(pairs).split(' ', Qt::SkipEmptyParts);
            for (const QString &item : items)
                result.insert(item.section('=', 0, 0), item.section('=', 1));
            return result;
        };
        QTest::newRow(name) << map(configuration) << map(masks) << map(data) << prbs << voice
                            << speaker << reading << source;
    };
    const char *free = "speaker= voice-transmit=";
    const char *signal = "level=-12 frequency=1020";
    const char *heard = "Voice :  -12 dB, 1020 Hz";
    row("no pattern, no data", "speaker=off", free, "", "PRBS: 2e15-1", "VF: off", false,
        "Voice :   dB,  Hz", "");
    row("speaker off", "speaker=off pattern=2e23", free, signal, "PRBS: 2e23-1", "VF: off", false,
        heard, "");
    row("speaker on", "speaker=on pattern=all0", free, signal, "PRBS: 0" + QString(Ellipsis),
        "VF: off", true, "  -12 dB, 1020 Hz", "");
    row("speaker on but masked", "speaker=on", "speaker=masked", signal, "PRBS: 2e15-1", "VF: off",
        false, "", "");
    row("level below range", "speaker=off", free, "level=<-24dB frequency=0", "PRBS: 2e15-1",
        "VF: off", false, "Voice :  < -24 dB, 0 Hz", "");
    row("tone", "voice-transmit=tone pattern=55", free, signal, "PRBS: " + Quoted55, "VF: off",
        false, heard, ":/main/resource/tone_s.png");
    row("microphone, manual pattern", "voice-transmit=microphone pattern=0x12", free, signal,
        "PRBS: ***", "VF: off", false, heard, ":/main/resource/microphone_s.png");
    row("source masked", "voice-transmit=tone", "voice-transmit=masked speaker=", signal,
        "PRBS: 2e15-1", "VF: off", false, heard, "");
    row("unmasked voice slot", "timeslot-tx-9=voice", free, signal, "PRBS: 2e15-1", "VF: on", false,
        heard, "");
    row("masked voice slot", "timeslot-rx-9=voice", "timeslot-rx-9=masked speaker=", signal,
        "PRBS: 2e15-1", "VF: off", false, heard, "");
}

void tst_TimeSlots::statusLabelCells()
{
    QFETCH(QVariantMap, configuration);
    QFETCH(QVariantMap, masks);
    QFETCH(QVariantMap, data);
    QFETCH(QString, sourcePicture);
    setConfiguration(configuration);
    for (auto it = masks.constBegin(); it != masks.constEnd(); ++it)
        card->setMaskValue(it.key(), it.value().toString());
    card->publishData(QStringLiteral("vfsignal"), data);

    auto *status = qobject_cast<StatusLabel *>(plugin->statusPanelItem());
    QCOMPARE(status->size(), status->sizeHint());
    QCOMPARE(status->cellText(0, 0), QStringLiteral("Timeslots"));
    QCOMPARE(status->cellAlignment(0, 0), Qt::AlignRight | Qt::AlignTop);
    QCOMPARE(status->cellSize(0, 0), -3);
    QTEST(status->cellText(0, 1), "prbs");
    QCOMPARE(status->cellAlignment(0, 1), Qt::AlignLeft | Qt::AlignBottom);
    QTEST(status->cellText(1, 1), "voice");
    QTEST(!status->cellPixmap(0, 2).isNull(), "speakerPicture");
    QCOMPARE(status->cellAlignment(0, 2), Qt::AlignLeft | Qt::AlignVCenter);
    QTEST(status->cellText(1, 2), "reading");
    QCOMPARE(status->cellColor(1, 2), status->palette().color(QPalette::Text));
    const QPixmap source = status->cellPixmap(2, 2);
    if (sourcePicture.isEmpty())
        QVERIFY(source.isNull());
    else
        QCOMPARE(source.toImage(),
                 QImage(sourcePicture).convertToFormat(source.toImage().format()));
    QCOMPARE(status->cellAlignment(2, 2), Qt::AlignRight | Qt::AlignVCenter);
}

void tst_TimeSlots::prbsLabelGeometry_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("withExponent");
    QTest::newRow("2e15-1") << "2e15-1" << true;
    QTest::newRow("2e23") << "2e23" << true;
    QTest::newRow("all0") << "all0" << false;
    QTest::newRow("manual") << "0xAB" << false;
}

void tst_TimeSlots::prbsLabelGeometry()
{
    QFETCH(QString, pattern);
    QFETCH(bool, withExponent);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(15);
    font.setBold(true);
    QString text, exponent;
    TimeSlots::prbsText(text, exponent, pattern, false);

    QFont mainFont(font);
    mainFont.setPointSize(int(15 * 1.3) - 2);
    QFont exponentFont(font);
    exponentFont.setPointSize(int(mainFont.pointSize() * 0.65) - 2);
    const QFontMetrics mainMetrics(mainFont), exponentMetrics(exponentFont);
    const int w = mainMetrics.horizontalAdvance(text);
    const int t = exponentMetrics.horizontalAdvance(exponent) + w + 3;
    const QRect bounds = mainMetrics.boundingRect(text);

    const QPixmap label = TimeSlots::prbsLabel(font, pattern, false, QPen(Qt::black));
    QCOMPARE(label.size(),
             QSize(bounds.width() + t + 3, bounds.height() + exponentMetrics.ascent() / 2));
    const QImage image = label.toImage();
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1).alpha(), 0);

    // "-1" stands only beside an exponent: with one, ink reaches past the exponent's start.
    int rightmostInk = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y).alpha() > 0)
                rightmostInk = x;
    QCOMPARE(rightmostInk > w + 3 + mainMetrics.horizontalAdvance(QStringLiteral("-")) / 2,
             withExponent);
}

QTEST_MAIN(tst_TimeSlots)
#include "tst_timeslots.moc"
