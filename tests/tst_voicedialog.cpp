// SPDX-License-Identifier: GPL-3.0-or-later

// The voice dialog over a simulated card: what it shows and enables for each configuration,
// the received-signal table, the commands its buttons and dials send, and its lifetime.

#include "timeslots.h"
#include "voicedialog.h"

#include <checkbutton.h>
#include <linedlabel.h>
#include <roundslider.h>
#include <simulatedcard.h>

#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QtTest>

#include <new>

namespace {

const QString RxMessage = QStringLiteral("There is no timeslot for sound reception.");
const QString TxMessage = QStringLiteral("There is no timeslot for sound transmission.");

// The received-signal table around its right column.
QString tableText(const QString &values)
{
    return QStringLiteral("<table width=100% cellspacing=0 cellpadding=0 border=0>"
                          "<tr valign=top><td align=right>"
                          "<nobr>Level : &nbsp;</nobr><br><nobr>Frequency : &nbsp;</nobr>"
                          "</td><td width=100%>")
        + values + QStringLiteral("</td></tr></table>");
}

QVariantMap signalData(const QString &level, const QString &frequency)
{
    QVariantMap data;
    data.insert(QStringLiteral("level"), level);
    data.insert(QStringLiteral("frequency"), frequency);
    return data;
}

// Counts the layout requests of a shown widget: a label that takes a new text asks its window's
// layout to be redone, one that keeps its text does not.
class LayoutRequestCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::LayoutRequest)
            ++count;
        return false;
    }
};

} // namespace

class tst_VoiceDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void formBeforeFirstConfiguration();
    void formFontsAndIcons();
    void formBeforeFirstConfigurationShowsLatestSignal();
    void formWithoutReceiveVoiceLeavesLabelsEmpty();

    void controlsFollowConfiguration_data();
    void controlsFollowConfiguration();
    void unstructuredLineIgnoresData();
    void losingReceiveVoiceShowsMessage();

    void signalTable_data();
    void signalTable();
    void sameDataSetsLabelOnce();

    void buttonCommands_data();
    void buttonCommands();
    void buttonKeepsUserStateUntilConfiguration();

    void dialCommands_data();
    void dialCommands();
    void dialsMovedByConfigurationSendNothing_data();
    void dialsMovedByConfigurationSendNothing();

    void languageChangeRetranslatesAndEmptiesLabels();

    void missingProxyThrowsAndLeavesNothing();
    void deletedDialogNoLongerListens();

    void renderStates();

private:
    CheckButton *button(const char *name) const { return dialog->findChild<CheckButton *>(name); }
    RoundSlider *slider(const char *name) const { return dialog->findChild<RoundSlider *>(name); }
    QLabel *label(const char *name) const { return dialog->findChild<QLabel *>(name); }
    void configure(const QVariantMap &values);

    SimulatedCard *card = nullptr;
    TimeSlots *plugin = nullptr;
    VoiceDialog *dialog = nullptr;
};

void tst_VoiceDialog::init()
{
    // Factory settings: pcm30crc, voice on timeslot 5 both ways, tone, loudspeaker on at 60,
    // microphone at 40.
    card = new SimulatedCard(QStringLiteral("e1"));
    plugin = new TimeSlots;
    dialog = new VoiceDialog(*plugin, nullptr);
}

void tst_VoiceDialog::cleanup()
{
    delete dialog;
    dialog = nullptr;
    delete plugin;
    plugin = nullptr;
    delete card;
    card = nullptr;
}

// Sets the values on the card and lets the dialog read them, as the window does on each
// configuration update.
void tst_VoiceDialog::configure(const QVariantMap &values)
{
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        card->setConfigValue(it.key(), it.value().toString());
    dialog->configUpdated();
    card->clearCommandLog();
}

void tst_VoiceDialog::formBeforeFirstConfiguration()
{
    for (const char *name : {"btnSpeaker", "btnMicrophone", "btnTone"})
        QVERIFY2(button(name)->isEnabled(), name);
    QVERIFY(slider("sliderSpeaker")->isEnabled());
    QVERIFY(slider("sliderMicrophone")->isEnabled());
    QVERIFY(!button("btnSpeaker")->isChecked());
    QVERIFY(button("btnMicrophone")->isChecked());
    QVERIFY(!button("btnTone")->isChecked());
    QCOMPARE(label("labelTx")->text(), QString());
    // Receive has a voice timeslot, so the table is there at once, still without values.
    QCOMPARE(label("labelRx")->text(), tableText(QStringLiteral(" dB<br> Hz")));
    QVERIFY(card->commandLog().isEmpty());
}

void tst_VoiceDialog::formFontsAndIcons()
{
    // Every text of the dialog is bold Liberation Sans; the status lines are smaller.
    for (const QWidget *widget :
         {static_cast<QWidget *>(dialog), static_cast<QWidget *>(button("btnTone")),
          static_cast<QWidget *>(label("labelRx"))}) {
        QCOMPARE(widget->font().family(), QStringLiteral("Liberation Sans"));
        QVERIFY(widget->font().bold());
    }
    QCOMPARE(dialog->font().pointSize(), 16);
    QCOMPARE(label("labelRx")->font().pointSize(), 15);
    QCOMPARE(dialog->findChild<LinedLabel *>("linedLabel_1")->font().pointSize(), 12);

    // The icons come from the plug-in's own resources.
    for (const char *name : {"btnSpeaker", "btnMicrophone", "btnTone"}) {
        const QIcon icon = button(name)->icon();
        QVERIFY2(!icon.pixmap(QSize(27, 27)).isNull(), name);
    }
}

void tst_VoiceDialog::formBeforeFirstConfigurationShowsLatestSignal()
{
    delete dialog;
    card->publishData(QStringLiteral("vfsignal"), signalData(QStringLiteral("-3.5"), "1020"));
    dialog = new VoiceDialog(*plugin, nullptr);
    QCOMPARE(label("labelRx")->text(), tableText(QStringLiteral("&ndash;3.5 dB<br>1020 Hz")));
}

void tst_VoiceDialog::formWithoutReceiveVoiceLeavesLabelsEmpty()
{
    delete dialog;
    card->setConfigValue(QStringLiteral("structure"), QStringLiteral("unstr"));
    dialog = new VoiceDialog(*plugin, nullptr);
    QCOMPARE(label("labelRx")->text(), QString());
    QCOMPARE(label("labelTx")->text(), QString());
}

void tst_VoiceDialog::controlsFollowConfiguration_data()
{
    QTest::addColumn<QVariantMap>("values");
    // Enabled: loudspeaker button and dial, microphone button, tone button, microphone dial.
    QTest::addColumn<QString>("enabled");
    // Checked: loudspeaker, microphone, tone.
    QTest::addColumn<QString>("checked");
    QTest::addColumn<bool>("rxMessage");
    QTest::addColumn<bool>("txMessage");

    auto values = [](std::initializer_list<std::pair<const char *, const char *>> pairs) {
        QVariantMap map;
        for (const auto &pair : pairs)
            map.insert(QLatin1String(pair.first), QLatin1String(pair.second));
        return map;
    };

    QTest::newRow("factory: tone, loudspeaker on") << QVariantMap() << "11110"
                                                   << "101" << false << false;
    QTest::newRow("unstructured line") << values({{"structure", "unstr"}}) << "00000"
                                       << "101" << true << true;
    QTest::newRow("loudspeaker off") << values({{"speaker", "off"}}) << "10110"
                                     << "001" << false << false;
    QTest::newRow("loudspeaker value in capitals") << values({{"speaker", "ON"}}) << "10110"
                                                   << "001" << false << false;
    QTest::newRow("microphone source") << values({{"vfsource", "mic"}}) << "11111"
                                       << "110" << false << false;
    QTest::newRow("source off") << values({{"vfsource", "off"}}) << "11110"
                                << "100" << false << false;
    QTest::newRow("source unknown word") << values({{"vfsource", "microphone"}}) << "11110"
                                         << "100" << false << false;
    QTest::newRow("no receive voice timeslot")
        << values({{"timeslot-rx-5", "pat"}, {"vfsource", "mic"}}) << "00111"
        << "110" << true << false;
    QTest::newRow("no transmit voice timeslot")
        << values({{"timeslot-tx-5", "none"}, {"vfsource", "mic"}}) << "11000"
        << "110" << false << true;
    QTest::newRow("voice on timeslot 31 only") << values({{"timeslot-rx-5", "none"},
                                                          {"timeslot-tx-5", "none"},
                                                          {"timeslot-rx-31", "voice"},
                                                          {"timeslot-tx-31", "voice"}})
                                               << "11110"
                                               << "101" << false << false;
}

void tst_VoiceDialog::controlsFollowConfiguration()
{
    QFETCH(QVariantMap, values);
    QFETCH(QString, enabled);
    QFETCH(QString, checked);
    QFETCH(bool, rxMessage);
    QFETCH(bool, txMessage);

    configure(values);

    const QWidget *controls[]
        = {button("btnSpeaker"), slider("sliderSpeaker"), button("btnMicrophone"),
           button("btnTone"), slider("sliderMicrophone")};
    QString actualEnabled;
    for (const QWidget *control : controls)
        actualEnabled += control->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(actualEnabled, enabled);

    QString actualChecked;
    for (const char *name : {"btnSpeaker", "btnMicrophone", "btnTone"})
        actualChecked += button(name)->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(actualChecked, checked);

    if (rxMessage)
        QCOMPARE(label("labelRx")->text(), RxMessage);
    else
        QVERIFY(label("labelRx")->text().startsWith(QLatin1String("<table")));
    QCOMPARE(label("labelTx")->text(), txMessage ? TxMessage : QString());
    QVERIFY(card->commandLog().isEmpty());
}

void tst_VoiceDialog::unstructuredLineIgnoresData()
{
    configure({{QStringLiteral("structure"), QStringLiteral("unstr")}});
    card->publishData(QStringLiteral("vfsignal"), signalData(QStringLiteral("-5"), "1000"));
    QCOMPARE(label("labelRx")->text(), RxMessage);
}

void tst_VoiceDialog::losingReceiveVoiceShowsMessage()
{
    card->publishData(QStringLiteral("vfsignal"), signalData(QStringLiteral("-5"), "1000"));
    QCOMPARE(label("labelRx")->text(), tableText(QStringLiteral("&ndash;5 dB<br>1000 Hz")));

    card->setConfigValue(QStringLiteral("timeslot-rx-5"), QStringLiteral("none"));
    // Until the configuration update the table stays; data no longer changes it.
    card->publishData(QStringLiteral("vfsignal"), signalData(QStringLiteral("-9"), "1000"));
    QCOMPARE(label("labelRx")->text(), tableText(QStringLiteral("&ndash;5 dB<br>1000 Hz")));

    dialog->configUpdated();
    QCOMPARE(label("labelRx")->text(), RxMessage);

    // Back on voice: the configuration update brings the latest data at once.
    card->setConfigValue(QStringLiteral("timeslot-rx-7"), QStringLiteral("voice"));
    dialog->configUpdated();
    QCOMPARE(label("labelRx")->text(), tableText(QStringLiteral("&ndash;9 dB<br>1000 Hz")));
}

void tst_VoiceDialog::signalTable_data()
{
    QTest::addColumn<QVariantMap>("data");
    QTest::addColumn<QString>("values");

    QTest::newRow("negative level") << signalData("-12.5", "1000") << "&ndash;12.5 dB<br>1000 Hz";
    QTest::newRow("below range") << signalData("<-24dB", "0") << "&lt; &ndash;24 dB<br>0 Hz";
    QTest::newRow("whole number") << signalData("-7", "998") << "&ndash;7 dB<br>998 Hz";
    QTest::newRow("positive level") << signalData("3.0", "1000") << "3.0 dB<br>1000 Hz";
    QTest::newRow("frequency keeps its minus") << signalData("1", "-50") << "1 dB<br>-50 Hz";
    QTest::newRow("every minus of the level")
        << signalData("--2", "1") << "&ndash;&ndash;2 dB<br>1 Hz";
    QTest::newRow("below-range word not exact")
        << signalData("<-24 dB", "0") << "<&ndash;24 dB dB<br>0 Hz";
    QTest::newRow("percent signs pass unchanged") << signalData("%2", "%1") << "%2 dB<br>%1 Hz";
    QTest::newRow("empty map") << QVariantMap() << " dB<br> Hz";
    QVariantMap numbers;
    numbers.insert(QStringLiteral("level"), -4);
    numbers.insert(QStringLiteral("frequency"), 1000);
    QTest::newRow("values as numbers") << numbers << "&ndash;4 dB<br>1000 Hz";
}

void tst_VoiceDialog::signalTable()
{
    QFETCH(QVariantMap, data);
    QFETCH(QString, values);

    card->publishData(QStringLiteral("vfsignal"), data);
    QCOMPARE(label("labelRx")->text(), tableText(values));
    QCOMPARE(label("labelRx")->textFormat(), Qt::AutoText);
    QVERIFY(card->commandLog().isEmpty());
}

void tst_VoiceDialog::sameDataSetsLabelOnce()
{
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCoreApplication::sendPostedEvents();
    LayoutRequestCounter requests;
    dialog->installEventFilter(&requests);
    auto publish = [this](const QString &level) {
        card->publishData(QStringLiteral("vfsignal"), signalData(level, QStringLiteral("1000")));
        QCoreApplication::sendPostedEvents();
    };

    publish(QStringLiteral("-8"));
    QCOMPARE(requests.count, 1); // a new text is noticed
    publish(QStringLiteral("-8"));
    dialog->configUpdated();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(requests.count, 1);
    publish(QStringLiteral("-9"));
    QCOMPARE(requests.count, 2);
    QCOMPARE(label("labelRx")->text(), tableText(QStringLiteral("&ndash;9 dB<br>1000 Hz")));
}

void tst_VoiceDialog::buttonCommands_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<QString>("command");

    QTest::newRow("tone on") << "vfsource"
                             << "off"
                             << "btnTone"
                             << "vfsource tone";
    QTest::newRow("tone off") << "vfsource"
                              << "tone"
                              << "btnTone"
                              << "vfsource off";
    QTest::newRow("tone while microphone") << "vfsource"
                                           << "mic"
                                           << "btnTone"
                                           << "vfsource tone";
    QTest::newRow("microphone on") << "vfsource"
                                   << "off"
                                   << "btnMicrophone"
                                   << "vfsource mic";
    QTest::newRow("microphone off") << "vfsource"
                                    << "mic"
                                    << "btnMicrophone"
                                    << "vfsource off";
    QTest::newRow("microphone while tone") << "vfsource"
                                           << "tone"
                                           << "btnMicrophone"
                                           << "vfsource mic";
    QTest::newRow("loudspeaker on") << "speaker"
                                    << "off"
                                    << "btnSpeaker"
                                    << "speaker on";
    QTest::newRow("loudspeaker off") << "speaker"
                                     << "on"
                                     << "btnSpeaker"
                                     << "speaker off";
}

void tst_VoiceDialog::buttonCommands()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, buttonName);
    QFETCH(QString, command);

    configure({{key, value}});
    CheckButton *pressed = button(buttonName.toLatin1().constData());
    QVERIFY(pressed->isEnabled());
    QTest::mouseClick(pressed, Qt::LeftButton);
    QCOMPARE(card->commandLog(), QStringList(command));
}

void tst_VoiceDialog::buttonKeepsUserStateUntilConfiguration()
{
    configure({{QStringLiteral("vfsource"), QStringLiteral("mic")}});
    QTest::mouseClick(button("btnTone"), Qt::LeftButton);
    QCOMPARE(card->commandLog(), QStringList(QStringLiteral("vfsource tone")));
    QVERIFY(button("btnTone")->isChecked());
    QVERIFY(button("btnMicrophone")->isChecked());
    QVERIFY(slider("sliderMicrophone")->isEnabled());

    dialog->configUpdated();
    QVERIFY(button("btnTone")->isChecked());
    QVERIFY(!button("btnMicrophone")->isChecked());
    QVERIFY(!slider("sliderMicrophone")->isEnabled());
}

void tst_VoiceDialog::dialCommands_data()
{
    QTest::addColumn<QString>("sliderName");
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("commands");

    QTest::newRow("microphone") << "sliderMicrophone" << 55
                                << QStringList(QStringLiteral("microphone 55"));
    QTest::newRow("microphone to zero")
        << "sliderMicrophone" << 0 << QStringList(QStringLiteral("microphone 0"));
    QTest::newRow("microphone unchanged") << "sliderMicrophone" << 40 << QStringList();
    QTest::newRow("loudspeaker") << "sliderSpeaker" << 30
                                 << QStringList(QStringLiteral("speaker volume 30"));
    QTest::newRow("loudspeaker to maximum")
        << "sliderSpeaker" << 100 << QStringList(QStringLiteral("speaker volume 100"));
    QTest::newRow("loudspeaker unchanged") << "sliderSpeaker" << 60 << QStringList();
}

void tst_VoiceDialog::dialCommands()
{
    QFETCH(QString, sliderName);
    QFETCH(int, position);
    QFETCH(QStringList, commands);

    configure({{QStringLiteral("vfsource"), QStringLiteral("mic")}});
    RoundSlider *dial = slider(sliderName.toLatin1().constData());
    // The user's move arrives as positionChanged(); report it even where the dial stands.
    QMetaObject::invokeMethod(dial, "positionChanged", Q_ARG(int, position));
    QCOMPARE(card->commandLog(), commands);
}

void tst_VoiceDialog::dialsMovedByConfigurationSendNothing_data()
{
    QTest::addColumn<QString>("speakerVolume");
    QTest::addColumn<QString>("microphone");
    QTest::addColumn<int>("speakerPosition");
    QTest::addColumn<int>("microphonePosition");

    QTest::newRow("new levels") << "70"
                                << "15" << 70 << 15;
    QTest::newRow("levels at the ends") << "0"
                                        << "100" << 0 << 100;
    QTest::newRow("volume not a number") << "loud"
                                         << "40" << 0 << 40;
    QTest::newRow("levels empty") << ""
                                  << "" << 0 << 0;
    QTest::newRow("level in hexadecimal") << "0x20"
                                          << "12abc" << 0 << 0;
}

void tst_VoiceDialog::dialsMovedByConfigurationSendNothing()
{
    QFETCH(QString, speakerVolume);
    QFETCH(QString, microphone);
    QFETCH(int, speakerPosition);
    QFETCH(int, microphonePosition);

    configure({}); // dials at 60 and 40
    QSignalSpy speakerMoves(slider("sliderSpeaker"), SIGNAL(positionChanged(int)));
    card->setConfigValue(QStringLiteral("speaker-volume"), speakerVolume);
    card->setConfigValue(QStringLiteral("microphone"), microphone);
    dialog->configUpdated();

    QCOMPARE(slider("sliderSpeaker")->position(), speakerPosition);
    QCOMPARE(slider("sliderMicrophone")->position(), microphonePosition);
    QCOMPARE(speakerMoves.count(), 1); // the dial did report the move
    QVERIFY(card->commandLog().isEmpty());

    // The position the unreadable value stands for is no change either.
    QMetaObject::invokeMethod(slider("sliderSpeaker"), "positionChanged",
                              Q_ARG(int, speakerPosition));
    QVERIFY(card->commandLog().isEmpty());
}

void tst_VoiceDialog::languageChangeRetranslatesAndEmptiesLabels()
{
    configure({{QStringLiteral("timeslot-tx-5"), QStringLiteral("none")}});
    QCOMPARE(label("labelTx")->text(), TxMessage);
    QVERIFY(!label("labelRx")->text().isEmpty());
    button("btnTone")->setText(QStringLiteral("stale"));
    dialog->findChild<LinedLabel *>("linedLabel")->setLabel(QStringLiteral("stale"));

    QEvent languageChange(QEvent::LanguageChange);
    QCoreApplication::sendEvent(dialog, &languageChange);

    QCOMPARE(button("btnTone")->text(), QStringLiteral("Tone 1 kHz"));
    QCOMPARE(dialog->findChild<LinedLabel *>("linedLabel")->label(), QStringLiteral("Transmit"));
    QCOMPARE(label("labelRx")->text(), QString());
    QCOMPARE(label("labelTx")->text(), QString());

    // Data brings the table back; the transmit message waits for the configuration.
    card->publishData(QStringLiteral("vfsignal"), signalData(QStringLiteral("2"), "1000"));
    QCOMPARE(label("labelRx")->text(), tableText(QStringLiteral("2 dB<br>1000 Hz")));
    QCOMPARE(label("labelTx")->text(), QString());
    dialog->configUpdated();
    QCOMPARE(label("labelTx")->text(), TxMessage);
}

void tst_VoiceDialog::missingProxyThrowsAndLeavesNothing()
{
    QWidget window;
    card->setDataProxyFailure(true);
    bool thrown = false;
    VoiceDialog *failed = nullptr;
    try {
        failed = new VoiceDialog(*plugin, &window);
    } catch (const std::bad_alloc &) {
        thrown = true;
    }
    QVERIFY(thrown);
    QVERIFY(!failed);
    // The half-built dialog and its widgets are gone from the window.
    QVERIFY(window.children().isEmpty());

    card->setDataProxyFailure(false);
    QScopedPointer<VoiceDialog> next(new VoiceDialog(*plugin, &window));
    QCOMPARE(window.findChildren<VoiceDialog *>().size(), 1);
}

void tst_VoiceDialog::deletedDialogNoLongerListens()
{
    QWidget window;
    QPointer<VoiceDialog> child = new VoiceDialog(*plugin, &window);
    QPointer<QLabel> labelRx = child->findChild<QLabel *>("labelRx");
    card->publishData(QStringLiteral("vfsignal"), signalData(QStringLiteral("-1"), "1000"));
    QCOMPARE(labelRx->text(), tableText(QStringLiteral("&ndash;1 dB<br>1000 Hz")));

    delete child;
    QVERIFY(labelRx.isNull());
    // The proxy went with the dialog: publishing reaches no dialog and no freed object. A
    // proxy left alive would also show as a leak in the sanitizer build.
    card->publishData(QStringLiteral("vfsignal"), signalData(QStringLiteral("-2"), "1000"));
    QCOMPARE(plugin->data(QStringLiteral("VFSIGNAL")).value(QStringLiteral("level")).toString(),
             QStringLiteral("-2"));
}

void tst_VoiceDialog::renderStates()
{
    QString dir = qEnvironmentVariable("E1_ARTIFACTS");
    if (dir.isEmpty())
        dir = QDir::tempPath() + QStringLiteral("/e1-artifacts");
    QVERIFY(QDir().mkpath(dir));

    auto render = [this, &dir](const QString &name) {
        dialog->resize(478, 328);
        dialog->layout()->activate();
        const QImage image = dialog->grab().toImage();
        QVERIFY(!image.isNull());
        QCOMPARE(image.width(), 478);
        const QString path = dir + QStringLiteral("/voicedialog-") + name + QStringLiteral(".png");
        QVERIFY2(image.save(path), qPrintable(path));
    };

    configure({{QStringLiteral("vfsource"), QStringLiteral("mic")}});
    card->publishData(QStringLiteral("vfsignal"), signalData(QStringLiteral("<-24dB"), "0"));
    render(QStringLiteral("microphone"));

    configure({{QStringLiteral("structure"), QStringLiteral("unstr")}});
    render(QStringLiteral("unstructured"));
}

QTEST_MAIN(tst_VoiceDialog)
#include "tst_voicedialog.moc"
