// SPDX-License-Identifier: GPL-3.0-or-later

// The plug-in object: its widgets built on request, the window locked while a measurement
// runs, the notifications it passes on, the slot queries and the status texts.

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

// Lets the plug-in's protected notifications be called as the framework calls them.
LauncherPlugin *host(TimeSlots *plugin)
{
    return plugin;
}

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
    void buttonRefreshesItsRowWhenShown();

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
    void statusLabelWithoutItemDoesNothing();
    void prbsLabelGeometry_data();
    void prbsLabelGeometry();

private:
    // Empties the card's configuration, so each case states exactly what it needs.
    void clearConfiguration();
    void setConfiguration(const QVariantMap &values);

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
    plugin = nullptr;
    delete card;
    card = nullptr;
}

void tst_TimeSlots::clearConfiguration()
{
    const QStringList keys = card->configuration().keys();
    for (const QString &key : keys)
        card->removeConfigValue(key);
}

void tst_TimeSlots::setConfiguration(const QVariantMap &values)
{
    clearConfiguration();
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
    QCOMPARE(card->commandLog(), QStringList());

    QPointer<QWidget> button = plugin->button();
    QPointer<QWidget> window = plugin->window();
    QPointer<QWidget> status = plugin->statusPanelItem();
    QVERIFY(button && window && status);
    QCOMPARE(QApplication::topLevelWidgets().size(), before + 3);
    QVERIFY(qobject_cast<MainButton *>(button));
    QVERIFY(qobject_cast<MainWindow *>(window));
    QVERIFY(qobject_cast<StatusLabel *>(status));
    QVERIFY(!button->parent() && !window->parent() && !status->parent());
    QCOMPARE(window->windowTitle(), QStringLiteral("Timeslots"));

    QCOMPARE(plugin->button(), button.data());
    QCOMPARE(plugin->window(), window.data());
    QCOMPARE(plugin->statusPanelItem(), status.data());
    // Building sends nothing; the window's first command goes out when it is shown.
    QCOMPARE(card->commandLog(), QStringList());

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
    QTest::newRow("mtj") << QStringList{"mtj"} << false;
    QTest::newRow("vfsignal never counts") << QStringList{"vfsignal"} << true;
    QTest::newRow("vfsignal and mtj") << QStringList{"vfsignal", "mtj"} << false;
}

void tst_TimeSlots::windowEnabledFollowsRunningMeasurements()
{
    QFETCH(QStringList, running);
    QFETCH(bool, enabled);
    for (const QString &name : running)
        card->startMeasurement(name);
    QCOMPARE(plugin->measStopped(), enabled);
    QCOMPARE(plugin->window()->isEnabled(), enabled);
}

void tst_TimeSlots::startedAndStoppedLockAndFreeTheWindow()
{
    QWidget *window = plugin->window();
    QVERIFY(window->isEnabled());

    card->startMeasurement(QStringLiteral("vfsignal"));
    QVERIFY(window->isEnabled());
    card->startMeasurement(QStringLiteral("base"));
    QVERIFY(!window->isEnabled());
    card->startMeasurement(QStringLiteral("jtf"));
    host(plugin)->stopped(QStringLiteral("vfsignal"));
    QVERIFY(!window->isEnabled());

    // The first stop frees the window, although another measurement still runs.
    card->stopMeasurement(QStringLiteral("jtf"));
    QVERIFY(window->isEnabled());
    QVERIFY(!plugin->measStopped());

    host(plugin)->started(QStringLiteral("vfsignal"));
    QVERIFY(window->isEnabled());
}

void tst_TimeSlots::updatedReactsToTheVoiceDataSetOnly()
{
    QVariantMap empty;
    host(plugin)->updated(empty, QStringLiteral("VFSIGNAL")); // no status item yet: nothing

    auto *status = qobject_cast<StatusLabel *>(plugin->statusPanelItem());
    card->setConfigValue(QStringLiteral("speaker"), QStringLiteral("off"));
    card->setMaskValue(QStringLiteral("speaker"), QString());
    QCoreApplication::processEvents();
    card->publishData(QStringLiteral("vfsignal"),
                      QVariantMap{{"level", "-12"}, {"frequency", "1020"}});
    QCOMPARE(status->cellText(1, 2), QStringLiteral("Voice :  -12 dB, 1020 Hz"));

    // A change the plug-in has not been told of yet shows only after the right data set.
    card->setMaskValue(QStringLiteral("speaker"), QStringLiteral("no receive voice timeslot"));
    QVariantMap data;
    host(plugin)->updated(data, QStringLiteral("vfsignal"));
    QCOMPARE(status->cellText(1, 2), QStringLiteral("Voice :  -12 dB, 1020 Hz"));
    host(plugin)->updated(data, QStringLiteral("Vfsignal"));
    QCOMPARE(status->cellText(1, 2), QStringLiteral("Voice :  -12 dB, 1020 Hz"));
    host(plugin)->updated(data, QStringLiteral("VFSIGNAL"));
    QCOMPARE(status->cellText(1, 2), QString());
}

void tst_TimeSlots::configUpdatedTouchesVisibleWidgetsOnly()
{
    setConfiguration({{"structure", "pcm31"}, {"pattern", "2e15"}});
    QCoreApplication::processEvents();
    QVariantMap map;
    host(plugin)->configUpdated(map); // before any widget exists: nothing to do

    auto *window = qobject_cast<MainWindow *>(plugin->window());
    auto *button = plugin->button();
    auto *status = qobject_cast<StatusLabel *>(plugin->statusPanelItem());
    auto *rxSlots = window->findChild<SwitchPanel *>(QStringLiteral("rxSlots"));
    auto *buttonLabel = button->findChild<StatusLabel *>(QStringLiteral("statusLabel"));
    QVERIFY(rxSlots && buttonLabel);
    QCOMPARE(rxSlots->firstSelectedOption(3), 0);
    QCOMPARE(buttonLabel->cellText(0, 0), QStringLiteral("PRBS: 2e15-1"));

    // Told directly, without the card's notification: only the status item follows while
    // the window and the button are hidden.
    card->setConfigValue(QStringLiteral("timeslot-rx-3"), QStringLiteral("pat"));
    card->setConfigValue(QStringLiteral("pattern"), QStringLiteral("all1"));
    host(plugin)->configUpdated(map);
    QCOMPARE(rxSlots->firstSelectedOption(3), 0);
    QCOMPARE(buttonLabel->cellText(0, 0), QStringLiteral("PRBS: 2e15-1"));
    QCOMPARE(status->cellText(0, 1), QStringLiteral("PRBS: 1") + Ellipsis);

    window->show();
    button->show();
    card->setConfigValue(QStringLiteral("pattern"), QStringLiteral("55"));
    host(plugin)->configUpdated(map);
    QCOMPARE(rxSlots->firstSelectedOption(3), 1);
    QCOMPARE(buttonLabel->cellText(0, 0), QStringLiteral("PRBS: ") + Quoted55);
    QCOMPARE(status->cellText(0, 1), QStringLiteral("PRBS: ") + Quoted55);
}

void tst_TimeSlots::buttonRefreshesItsRowWhenShown()
{
    setConfiguration({{"timeslot-tx-4", "voice"}});
    QCoreApplication::processEvents();
    QWidget *button = plugin->button();
    auto *row = button->findChild<StatusLabel *>(QStringLiteral("statusLabel"));
    QCOMPARE(row->cellText(1, 0), QStringLiteral("VF: on"));

    card->setConfigValue(QStringLiteral("timeslot-tx-4"), QStringLiteral("none"));
    QCoreApplication::processEvents();
    QCOMPARE(row->cellText(1, 0), QStringLiteral("VF: on")); // hidden: stale
    button->show();
    QCOMPARE(row->cellText(1, 0), QStringLiteral("VF: off"));
    QCOMPARE(row->cellAlignment(1, 0), Qt::AlignHCenter | Qt::AlignBottom);
}

void tst_TimeSlots::prbsText_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("longForm");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("exponent");
    const QString ellipsis(Ellipsis);
    const QString open(QChar(0x2018)), close(QChar(0x2019));
    QTest::newRow("2e15-1") << "2e15-1" << false << "2"
                            << "15";
    QTest::newRow("2e15") << "2e15" << false << "2"
                          << "15";
    QTest::newRow("2e23 long") << "2e23" << true << "2"
                               << "23";
    QTest::newRow("2e alone") << "2e" << false << "2"
                              << "";
    QTest::newRow("capital E is manual") << "2E15" << false << "***"
                                         << "";
    QTest::newRow("all0 compact") << "all0" << false << "0" + ellipsis << "";
    QTest::newRow("all0 long") << "all0" << true << "All " + open + "0" + close << "";
    QTest::newRow("all1 compact") << "all1" << false << "1" + ellipsis << "";
    QTest::newRow("all1 long") << "all1" << true << "All " + open + "1" + close << "";
    QTest::newRow("55 compact") << "55" << false << Quoted55 << "";
    QTest::newRow("55 long") << "55" << true << Quoted55 + " (0101" + ellipsis + ")"
                             << "";
    QTest::newRow("manual compact") << "0x1A2B" << false << "***"
                                    << "";
    QTest::newRow("manual long") << "0x1A2B" << true << "Manually"
                                 << "";
    QTest::newRow("empty compact") << "" << false << "***"
                                   << "";
    QTest::newRow("empty long") << "" << true << "Manually"
                                << "";
    QTest::newRow("ALL0 is manual") << "ALL0" << false << "***"
                                    << "";
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
    QTest::newRow("lower case") << "0xff" << 255;
    QTest::newRow("largest int") << "0x7FFFFFFF" << 2147483647;
    QTest::newRow("beyond int") << "0x80000000" << 0;
    QTest::newRow("far beyond") << "0x123456789" << 0;
    QTest::newRow("not hex") << "0xZZ" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("prbs") << "2e15-1" << -1;
    QTest::newRow("prbs bare") << "2e" << -1;
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
    QTest::newRow("nothing configured") << QVariantMap() << QStringList() << "tx"
                                        << "voice" << 0;
    QTest::newRow("tx voice, slot 0 ignored") << mixed << QStringList() << "tx"
                                              << "voice" << 3;
    QTest::newRow("rx voice") << mixed << QStringList() << "rx"
                              << "voice" << 1;
    QTest::newRow("tx pat") << mixed << QStringList() << "tx"
                            << "pat" << 1;
    QTest::newRow("case matters") << mixed << QStringList() << "tx"
                                  << "Voice" << 0;
    QTest::newRow("masked slots do not count")
        << mixed << QStringList{"timeslot-tx-2", "timeslot-tx-31"} << "tx"
        << "voice" << 1;
    QTest::newRow("missing keys are not none") << mixed << QStringList() << "rx"
                                               << "none" << 0;
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

    const QVariantMap reading{{"level", "-12"}, {"frequency", "1020"}};
    const QVariantMap free{{"speaker", ""}, {"voice-transmit", ""}};
    QTest::newRow("no pattern, no data")
        << QVariantMap{{"speaker", "off"}} << free << QVariantMap() << "PRBS: 2e15-1"
        << "VF: off" << false << "Voice :   dB,  Hz"
        << "";
    QTest::newRow("speaker off and free")
        << QVariantMap{{"speaker", "off"}, {"pattern", "2e23"}} << free << reading << "PRBS: 2e23-1"
        << "VF: off" << false << "Voice :  -12 dB, 1020 Hz"
        << "";
    QTest::newRow("speaker on shows its picture")
        << QVariantMap{{"speaker", "on"}, {"pattern", "all0"}} << free << reading
        << "PRBS: 0" + QString(Ellipsis) << "VF: off" << true << "  -12 dB, 1020 Hz"
        << "";
    QTest::newRow("speaker on but masked")
        << QVariantMap{{"speaker", "on"}} << QVariantMap{{"speaker", "masked"}} << reading
        << "PRBS: 2e15-1"
        << "VF: off" << false << ""
        << "";
    QTest::newRow("level below range")
        << QVariantMap{{"speaker", "off"}} << free
        << QVariantMap{{"level", "<-24dB"}, {"frequency", "0"}} << "PRBS: 2e15-1"
        << "VF: off" << false << "Voice :  < -24 dB, 0 Hz"
        << "";
    QTest::newRow("tone source") << QVariantMap{{"voice-transmit", "tone"}, {"pattern", "55"}}
                                 << free << reading << "PRBS: " + Quoted55 << "VF: off" << false
                                 << "Voice :  -12 dB, 1020 Hz"
                                 << ":/main/resource/tone_s.png";
    QTest::newRow("microphone source, manual pattern")
        << QVariantMap{{"voice-transmit", "microphone"}, {"pattern", "0x12"}} << free << reading
        << "PRBS: ***"
        << "VF: off" << false << "Voice :  -12 dB, 1020 Hz"
        << ":/main/resource/microphone_s.png";
    QTest::newRow("source masked")
        << QVariantMap{{"voice-transmit", "tone"}}
        << QVariantMap{{"voice-transmit", "masked"}, {"speaker", ""}} << reading << "PRBS: 2e15-1"
        << "VF: off" << false << "Voice :  -12 dB, 1020 Hz"
        << "";
    QTest::newRow("other source") << QVariantMap{{"voice-transmit", "mic"}} << free << reading
                                  << "PRBS: 2e15-1"
                                  << "VF: off" << false << "Voice :  -12 dB, 1020 Hz"
                                  << "";
    QTest::newRow("unmasked voice slot")
        << QVariantMap{{"timeslot-tx-9", "voice"}} << free << reading << "PRBS: 2e15-1"
        << "VF: on" << false << "Voice :  -12 dB, 1020 Hz"
        << "";
    QTest::newRow("masked voice slot")
        << QVariantMap{{"timeslot-rx-9", "voice"}}
        << QVariantMap{{"timeslot-rx-9", "masked"}, {"speaker", ""}} << reading << "PRBS: 2e15-1"
        << "VF: off" << false << "Voice :  -12 dB, 1020 Hz"
        << "";
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

void tst_TimeSlots::statusLabelWithoutItemDoesNothing()
{
    plugin->buildStatusLabel(true);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
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
