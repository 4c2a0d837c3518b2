// SPDX-License-Identifier: GPL-3.0-or-later

// The voice dialog over a simulated card (factory settings: pcm30crc, voice on timeslot 5 both
// ways, tone, loudspeaker on at 60, microphone at 40): what it shows and enables, the
// received-signal table, the commands of its buttons and dials, and its lifetime.

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

QString tableText(const QString &values)
{
    return QStringLiteral("<table width=100% cellspacing=0 cellpadding=0 border=0>"
                          "<tr valign=top><td align=right>"
                          "<nobr>Level : &nbsp;</nobr><br><nobr>Frequency : &nbsp;</nobr>"
                          "</td><td width=100%>")
        + values + QStringLiteral("</td></tr></table>");
}

QVariantMap vfData(const QString &level, const QString &frequency = QStringLiteral("1000"))
{
    return {{QStringLiteral("level"), level}, {QStringLiteral("frequency"), frequency}};
}

// Counts layout requests: a label that takes a new text has its window's layout redone.
class LayoutRequestCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::LayoutRequest;
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

    void construction_data();
    void construction();
    void formFontsAndIcons();
    void controlsFollowConfiguration_data();
    void controlsFollowConfiguration();
    void receiveTimeslotDecidesTable();
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
    void languageChangeEmptiesLabels();
    void missingFeedThrowsAndLeavesNothing();
    void deletedDialogNoLongerListens();
    void renderStates();

private:
    CheckButton *button(const QString &name) { return dialog->findChild<CheckButton *>(name); }
    RoundSlider *slider(const QString &name) { return dialog->findChild<RoundSlider *>(name); }
    QLabel *label(const QString &name) { return dialog->findChild<QLabel *>(name); }
    void setOnCard(const QString &assignments);
    void configure(const QString &assignments);
    void publish(const QVariantMap &data) { card->publishData(QStringLiteral("vfsignal"), data); }

    SimulatedCard *card = nullptr;
    TimeSlots *plugin = nullptr;
    VoiceDialog *dialog = nullptr;
};

void tst_VoiceDialog::init()
{
    card = new SimulatedCard(QStringLiteral("e1"));
    plugin = new TimeSlots;
    dialog = new VoiceDialog(*plugin, nullptr);
}

void tst_VoiceDialog::cleanup()
{
    delete dialog;
    delete plugin;
    delete card;
}

// Sets "key=value key=value" on the card.
void tst_VoiceDialog::setOnCard(const QString &assignments)
{
    for (const QString &assignment : assignments.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        card->setConfigValue(assignment.section(QLatin1Char('='), 0, 0),
                             assignment.section(QLatin1Char('='), 1));
}

// Sets the values and lets the dialog read the configuration, as the window does on each
// update; the log starts empty afterwards.
void tst_VoiceDialog::configure(const QString &assignments)
{
    setOnCard(assignments);
    dialog->configUpdated();
    card->clearCommandLog();
}

void tst_VoiceDialog::construction_data()
{
    QTest::addColumn<QString>("assignments");
    QTest::addColumn<QVariantMap>("published");
    QTest::addColumn<QString>("labelRx");

    QTest::newRow("no data yet") << "" << QVariantMap() << tableText(" dB<br> Hz");
    QTest::newRow("data before") << "" << vfData("-3.5", "1020")
                                 << tableText("&ndash;3.5 dB<br>1020 Hz");
    QTest::newRow("unstructured") << "structure=unstr" << vfData("-3") << QString();
}

void tst_VoiceDialog::construction()
{
    QFETCH(QString, assignments);
    QFETCH(QVariantMap, published);
    QFETCH(QString, labelRx);

    delete dialog;
    setOnCard(assignments);
    if (!published.isEmpty())
        publish(published);
    QSignalSpy feeds(card, SIGNAL(feedOpened(QString)));
    dialog = new VoiceDialog(*plugin, nullptr);

    // Until the first configuration update the form's own states stand.
    for (const QWidget *control : dialog->findChildren<QWidget *>())
        QVERIFY(control->isEnabled());
    QVERIFY(!button("btnSpeaker")->isChecked());
    QVERIFY(button("btnMicrophone")->isChecked());
    QVERIFY(!button("btnTone")->isChecked());
    QCOMPARE(label("labelRx")->text(), labelRx);
    QCOMPARE(label("labelTx")->text(), QString());
    QVERIFY(card->commandLog().isEmpty());

    // One reader of the voice-frequency feed for the dialog's whole life.
    dialog->configUpdated();
    QCOMPARE(feeds.count(), 1);
    QCOMPARE(feeds.at(0).at(0).toString(), QStringLiteral("vfsignal"));
}

void tst_VoiceDialog::formFontsAndIcons()
{
    for (const QWidget *widget : QList<QWidget *>{dialog, label("labelRx")}) {
        QCOMPARE(widget->font().family(), QStringLiteral("Liberation Sans"));
        QVERIFY(widget->font().bold());
    }
    QCOMPARE(label("labelRx")->font().pointSize(), 15);
    for (const char *name : {"btnSpeaker", "btnMicrophone", "btnTone"})
        QVERIFY2(!button(name)->icon().pixmap(QSize(27, 27)).isNull(), name);
}

void tst_VoiceDialog::controlsFollowConfiguration_data()
{
    QTest::addColumn<QString>("assignments");
    // Loudspeaker button and dial, microphone button, tone button, microphone dial.
    QTest::addColumn<QString>("enabled");
    // Loudspeaker, microphone, tone.
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("labelTx");

    QTest::newRow("factory") << ""
                             << "11110"
                             << "101" << QString();
    QTest::newRow("unstructured") << "structure=unstr"
                                  << "00000"
                                  << "101" << TxMessage;
    QTest::newRow("loudspeaker off") << "speaker=off"
                                     << "10110"
                                     << "001" << QString();
    QTest::newRow("loudspeaker ON") << "speaker=ON"
                                    << "10110"
                                    << "001" << QString();
    QTest::newRow("microphone") << "vfsource=mic"
                                << "11111"
                                << "110" << QString();
    QTest::newRow("source off") << "vfsource=off"
                                << "11110"
                                << "100" << QString();
    QTest::newRow("source other") << "vfsource=microphone"
                                  << "11110"
                                  << "100" << QString();
    QTest::newRow("no receive voice") << "timeslot-rx-5=pat vfsource=mic"
                                      << "00111"
                                      << "110" << QString();
    QTest::newRow("no transmit voice") << "timeslot-tx-5=none vfsource=mic"
                                       << "11000"
                                       << "110" << TxMessage;
}

void tst_VoiceDialog::controlsFollowConfiguration()
{
    QFETCH(QString, assignments);
    QFETCH(QString, enabled);
    QFETCH(QString, checked);
    QFETCH(QString, labelTx);

    configure(assignments);
    QString actual;
    for (const char *name :
         {"btnSpeaker", "sliderSpeaker", "btnMicrophone", "btnTone", "sliderMicrophone"})
        actual += QLatin1Char(dialog->findChild<QWidget *>(name)->isEnabled() ? '1' : '0');
    QCOMPARE(actual, enabled);
    actual.clear();
    for (const char *name : {"btnSpeaker", "btnMicrophone", "btnTone"})
        actual += QLatin1Char(button(name)->isChecked() ? '1' : '0');
    QCOMPARE(actual, checked);
    QCOMPARE(label("labelRx")->text() == RxMessage, enabled.at(0) == QLatin1Char('0'));
    QCOMPARE(label("labelTx")->text(), labelTx);
    QVERIFY(card->commandLog().isEmpty());
}

void tst_VoiceDialog::receiveTimeslotDecidesTable()
{
    publish(vfData("-5"));
    card->setConfigValue(QStringLiteral("timeslot-rx-5"), QStringLiteral("none"));
    publish(vfData("-9")); // no longer a receive voice timeslot: ignored
    QCOMPARE(label("labelRx")->text(), tableText("&ndash;5 dB<br>1000 Hz"));
    dialog->configUpdated();
    QCOMPARE(label("labelRx")->text(), RxMessage);

    card->setConfigValue(QStringLiteral("timeslot-rx-7"), QStringLiteral("voice"));
    dialog->configUpdated(); // the table returns with the latest data at once
    QCOMPARE(label("labelRx")->text(), tableText("&ndash;9 dB<br>1000 Hz"));
}

void tst_VoiceDialog::signalTable_data()
{
    QTest::addColumn<QVariantMap>("data");
    QTest::addColumn<QString>("values");

    QTest::newRow("negative") << vfData("-12.5") << "&ndash;12.5 dB<br>1000 Hz";
    QTest::newRow("below range") << vfData("<-24dB", "0") << "&lt; &ndash;24 dB<br>0 Hz";
    QTest::newRow("-7") << vfData("-7", "998") << "&ndash;7 dB<br>998 Hz";
    QTest::newRow("frequency keeps minus")
        << vfData("--2", "-50") << "&ndash;&ndash;2 dB<br>-50 Hz";
    QTest::newRow("near the word") << vfData("<-24 dB", "0") << "<&ndash;24 dB dB<br>0 Hz";
    QTest::newRow("percent signs") << vfData("%2", "%1") << "%2 dB<br>%1 Hz";
    QTest::newRow("empty map") << QVariantMap() << " dB<br> Hz";
}

void tst_VoiceDialog::signalTable()
{
    QFETCH(QVariantMap, data);
    QFETCH(QString, values);

    publish(data);
    QCOMPARE(label("labelRx")->text(), tableText(values));
    QCOMPARE(label("labelRx")->textFormat(), Qt::AutoText);
}

void tst_VoiceDialog::sameDataSetsLabelOnce()
{
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCoreApplication::sendPostedEvents();
    LayoutRequestCounter requests;
    dialog->installEventFilter(&requests);

    for (const char *level : {"-8", "-8", "-9"}) {
        publish(vfData(QLatin1String(level)));
        QCoreApplication::sendPostedEvents();
    }
    dialog->configUpdated();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(requests.count, 2);
}

void tst_VoiceDialog::buttonCommands_data()
{
    QTest::addColumn<QString>("assignments");
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<QString>("command");

    QTest::newRow("tone on") << "vfsource=off"
                             << "btnTone"
                             << "vfsource tone";
    QTest::newRow("tone off") << "vfsource=tone"
                              << "btnTone"
                              << "vfsource off";
    QTest::newRow("microphone on") << "vfsource=tone"
                                   << "btnMicrophone"
                                   << "vfsource mic";
    QTest::newRow("microphone off") << "vfsource=mic"
                                    << "btnMicrophone"
                                    << "vfsource off";
    QTest::newRow("loudspeaker on") << "speaker=off"
                                    << "btnSpeaker"
                                    << "speaker on";
    QTest::newRow("loudspeaker off") << "speaker=on"
                                     << "btnSpeaker"
                                     << "speaker off";
}

void tst_VoiceDialog::buttonCommands()
{
    QFETCH(QString, assignments);
    QFETCH(QString, buttonName);
    QFETCH(QString, command);

    configure(assignments);
    QTest::mouseClick(button(buttonName), Qt::LeftButton);
    QCOMPARE(card->commandLog(), QStringList(command));
}

void tst_VoiceDialog::buttonKeepsUserStateUntilConfiguration()
{
    configure(QStringLiteral("vfsource=mic"));
    QTest::mouseClick(button("btnTone"), Qt::LeftButton);
    QVERIFY(button("btnTone")->isChecked() && button("btnMicrophone")->isChecked());
    dialog->configUpdated();
    QVERIFY(button("btnTone")->isChecked() && !button("btnMicrophone")->isChecked());
    QVERIFY(!slider("sliderMicrophone")->isEnabled());
}

void tst_VoiceDialog::dialCommands_data()
{
    QTest::addColumn<QString>("sliderName");
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("commands");

    QTest::newRow("microphone") << "sliderMicrophone" << 55 << QStringList("microphone 55");
    QTest::newRow("microphone 0") << "sliderMicrophone" << 0 << QStringList("microphone 0");
    QTest::newRow("microphone as set") << "sliderMicrophone" << 40 << QStringList();
    QTest::newRow("loudspeaker") << "sliderSpeaker" << 30 << QStringList("speaker volume 30");
    QTest::newRow("loudspeaker as set") << "sliderSpeaker" << 60 << QStringList();
}

void tst_VoiceDialog::dialCommands()
{
    QFETCH(QString, sliderName);
    QFETCH(int, position);
    QFETCH(QStringList, commands);

    configure(QStringLiteral("vfsource=mic"));
    // A move by the user arrives as positionChanged(); report it even where the dial stands.
    QMetaObject::invokeMethod(slider(sliderName), "positionChanged", Q_ARG(int, position));
    QCOMPARE(card->commandLog(), commands);
}

void tst_VoiceDialog::dialsMovedByConfigurationSendNothing_data()
{
    QTest::addColumn<QString>("assignments");
    QTest::addColumn<int>("speaker");
    QTest::addColumn<int>("microphone");

    QTest::newRow("new levels") << "speaker-volume=70 microphone=15" << 70 << 15;
    QTest::newRow("not numbers") << "speaker-volume=loud microphone=0x20" << 0 << 0;
    QTest::newRow("empty") << "speaker-volume= microphone=" << 0 << 0;
}

void tst_VoiceDialog::dialsMovedByConfigurationSendNothing()
{
    QFETCH(QString, assignments);
    QFETCH(int, speaker);
    QFETCH(int, microphone);

    configure(QString()); // dials at 60 and 40
    QSignalSpy moves(slider("sliderSpeaker"), SIGNAL(positionChanged(int)));
    configure(assignments);
    QCOMPARE(slider("sliderSpeaker")->position(), speaker);
    QCOMPARE(slider("sliderMicrophone")->position(), microphone);
    QCOMPARE(moves.count(), 1);
    QMetaObject::invokeMethod(slider("sliderSpeaker"), "positionChanged", Q_ARG(int, speaker));
    QVERIFY(card->commandLog().isEmpty());
}

void tst_VoiceDialog::languageChangeEmptiesLabels()
{
    configure(QStringLiteral("timeslot-tx-5=none"));
    button("btnTone")->setText(QStringLiteral("stale"));
    QEvent languageChange(QEvent::LanguageChange);
    QCoreApplication::sendEvent(dialog, &languageChange);
    QCOMPARE(button("btnTone")->text(), QStringLiteral("Tone 1 kHz"));
    QCOMPARE(dialog->findChild<LinedLabel *>("linedLabel")->label(), QStringLiteral("Transmit"));
    QCOMPARE(label("labelRx")->text(), QString());
    QCOMPARE(label("labelTx")->text(), QString());

    // Data brings the table back; the transmit message waits for the configuration.
    publish(vfData("2"));
    QCOMPARE(label("labelRx")->text(), tableText("2 dB<br>1000 Hz"));
    QCOMPARE(label("labelTx")->text(), QString());
}

void tst_VoiceDialog::missingFeedThrowsAndLeavesNothing()
{
    // Leaks of the half-built dialog show in the sanitizer build.
    QWidget window;
    card->setDataProxyFailure(true);
    bool thrown = false;
    try {
        new VoiceDialog(*plugin, &window);
    } catch (const std::bad_alloc &) {
        thrown = true;
    }
    QVERIFY(thrown);
    QVERIFY(window.children().isEmpty());
}

void tst_VoiceDialog::deletedDialogNoLongerListens()
{
    // The proxy goes with the dialog; one left behind shows as a leak in the sanitizer build.
    QWidget window;
    auto *child = new VoiceDialog(*plugin, &window);
    QPointer<QLabel> labelRx = child->findChild<QLabel *>("labelRx");
    delete child;
    QVERIFY(labelRx.isNull());
    publish(vfData("-2"));
    QCOMPARE(plugin->data("VFSIGNAL").value("level").toString(), QStringLiteral("-2"));
}

void tst_VoiceDialog::renderStates()
{
    QString dir = qEnvironmentVariable("E1_ARTIFACTS");
    if (dir.isEmpty())
        dir = QDir::tempPath() + QStringLiteral("/e1-artifacts");
    QVERIFY(QDir().mkpath(dir));

    const QStringList states = {QStringLiteral("vfsource=mic"), QStringLiteral("structure=unstr")};
    for (const QString &state : states) {
        configure(state);
        publish(vfData("<-24dB", "0"));
        dialog->layout()->activate();
        const QString path = dir + QStringLiteral("/voicedialog-%1.png").arg(state.section('=', 1));
        QVERIFY2(dialog->grab().save(path), qPrintable(path));
    }
}

QTEST_MAIN(tst_VoiceDialog)
#include "tst_voicedialog.moc"
