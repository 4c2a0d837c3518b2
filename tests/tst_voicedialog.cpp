// SPDX-License-Identifier: GPL-3.0-or-later

// The voice dialog over a simulated card (factory settings: pcm30crc, voice on timeslot 5 both
// ways, tone, loudspeaker on at 60, microphone at 40).

#include "timeslots.h"
#include "voicedialog.h"

#include <checkbutton.h>
#include <roundslider.h>
#include <simulatedcard.h>

#include <QLabel>
#include <QtTest>
#include <new>

namespace {

const QString RxMessage = QStringLiteral("There is no timeslot for sound reception.");
const QString TxMessage = QStringLiteral("There is no timeslot for sound transmission.");

QString tableText(const QString &values)
{
    return QStringLiteral("<table width=100% cellspacing=0 cellpadding=0 border=0><tr valign=top>"
                          "<td align=right><nobr>Level : &nbsp;</nobr><br><nobr>Frequency : "
                          "&nbsp;</nobr></td><td width=100%>%1</td></tr></table>")
        .arg(values);
}

QVariantMap vfData(const QString &level, const QString &frequency = QStringLiteral("1000"))
{
    return {{QStringLiteral("level"), level}, {QStringLiteral("frequency"), frequency}};
}

} // namespace

class tst_VoiceDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        card = new SimulatedCard(QStringLiteral("e1"));
        plugin = new TimeSlots;
        dialog = new VoiceDialog(*plugin, nullptr);
        card->clearCommandLog();
    }
    void cleanup()
    {
        delete dialog;
        delete plugin;
        delete card;
    }
    void controlsAndLabelsFollowConfiguration_data();
    void controlsAndLabelsFollowConfiguration();
    void sameDataSetsLabelOnce();
    void commands_data();
    void commands();
    void labelsFollowVoiceTimeslotsAndLanguage();
    void proxyLifetime();

private:
    // Counts the layout requests a label taking a new text causes.
    bool eventFilter(QObject *, QEvent *event) override
    {
        layoutRequests += event->type() == QEvent::LayoutRequest;
        return false;
    }
    CheckButton *button(const QString &name) { return dialog->findChild<CheckButton *>(name); }
    QLabel *label(const QString &name) { return dialog->findChild<QLabel *>(name); }
    // Sets "key=value ..." on the card and lets the dialog read it, as the window does.
    void configure(const QString &assignments)
    {
        for (const QString &assignment : assignments.split(' ', Qt::SkipEmptyParts))
            card->setConfigValue(assignment.section('=', 0, 0), assignment.section('=', 1));
        dialog->configUpdated();
    }
    void publish(const QVariantMap &data) { card->publishData(QStringLiteral("vfsignal"), data); }

    SimulatedCard *card = nullptr;
    TimeSlots *plugin = nullptr;
    VoiceDialog *dialog = nullptr;
    int layoutRequests = 0;
};

void tst_VoiceDialog::controlsAndLabelsFollowConfiguration_data()
{
    QTest::addColumn<QString>("assignments");
    QTest::addColumn<QVariantMap>("data"); // published after the configuration
    // Enabled: loudspeaker button and slider, microphone button, tone button, microphone
    // slider; checked: loudspeaker, microphone, tone.
    QTest::addColumn<QString>("states");
    QTest::addColumn<QString>("labelRx");

    const auto row = [](const char *name, const char *assignments, const QVariantMap &data,
                        const char *states, const QString &labelRx) {
        QTest::newRow(name) << QString(assignments) << data << QString(states) << labelRx;
    };
    row("tone", "", vfData("<-24dB", "0"), "11110 101", tableText("&lt; &ndash;24 dB<br>0 Hz"));
    row("unstructured", "structure=unstr", vfData("-9"), "00000 101", RxMessage);
    row("no receive voice", "timeslot-rx-5=none", vfData("-9"), "00110 101", RxMessage);
    row("loudspeaker off", "speaker=off", vfData("-7-1", "-998"), "10110 001",
        tableText("&ndash;7&ndash;1 dB<br>-998 Hz"));
    row("microphone", "vfsource=mic", QVariantMap(), "11111 110", tableText(" dB<br> Hz"));
    row("source other", "vfsource=microphone", vfData("-5"), "11110 100",
        tableText("&ndash;5 dB<br>1000 Hz"));
    // A new dialog shows the form's states and, with a receive voice timeslot, the last reading.
    row("before the first update", "new speaker=off vfsource=off timeslot-tx-5=none",
        vfData("<-24dB"), "11111 010", tableText("&lt; &ndash;24 dB<br>1000 Hz"));
    row("before the first update, no receive voice", "new timeslot-rx-5=none", vfData("-3"),
        "11111 010", "");
}

void tst_VoiceDialog::controlsAndLabelsFollowConfiguration()
{
    QFETCH(QString, assignments);
    QFETCH(QVariantMap, data);
    QFETCH(QString, states);
    QFETCH(QString, labelRx);

    if (assignments.startsWith("new")) {
        publish(data);
        for (const QString &assignment : assignments.mid(4).split(' '))
            card->setConfigValue(assignment.section('=', 0, 0), assignment.section('=', 1));
        delete dialog;
        dialog = new VoiceDialog(*plugin, nullptr);
    } else {
        publish(vfData("-5"));
        configure(assignments);
        publish(data);
    }
    QString actual;
    for (const char *name :
         {"btnSpeaker", "sliderSpeaker", "btnMicrophone", "btnTone", "sliderMicrophone"})
        actual += QLatin1Char(dialog->findChild<QWidget *>(name)->isEnabled() ? '1' : '0');
    actual += QLatin1Char(' ');
    for (const char *name : {"btnSpeaker", "btnMicrophone", "btnTone"})
        actual += QLatin1Char(button(name)->isChecked() ? '1' : '0');
    QCOMPARE(actual, states);
    QCOMPARE(label("labelRx")->text(), labelRx);
    QCOMPARE(label("labelTx")->text(), states.at(3) == QLatin1Char('0') ? TxMessage : QString());
    QVERIFY(card->commandLog().isEmpty());
}

// The dialog is also saved as a PNG file.
void tst_VoiceDialog::sameDataSetsLabelOnce()
{
    configure("vfsource=mic");
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCoreApplication::sendPostedEvents();
    dialog->installEventFilter(this);
    for (const char *level : {"-9", "-9", "<-24dB"}) {
        publish(vfData(QLatin1String(level)));
        QCoreApplication::sendPostedEvents();
    }
    dialog->configUpdated();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(layoutRequests, 2);
    const QString dir = qEnvironmentVariable("E1_ARTIFACTS", QDir::tempPath() + "/e1-artifacts");
    QVERIFY(QDir().mkpath(dir) && dialog->grab().save(dir + "/voicedialog.png"));
}

void tst_VoiceDialog::commands_data()
{
    QTest::addColumn<QString>("assignments");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("position"); // of a slider; a button is clicked
    QTest::addColumn<QStringList>("commands");

    const auto row = [](const char *assignments, const char *control, int position,
                        const QStringList &commands) {
        QTest::addRow("%s %s %d", control, assignments, position)
            << QString(assignments) << QString(control) << position << commands;
    };
    row("vfsource=off", "btnTone", -1, {"vfsource tone"});
    row("vfsource=tone", "btnTone", -1, {"vfsource off"});
    row("vfsource=tone", "btnMicrophone", -1, {"vfsource mic"});
    row("vfsource=mic", "btnMicrophone", -1, {"vfsource off"});
    row("speaker=off", "btnSpeaker", -1, {"speaker on"});
    row("speaker=on", "btnSpeaker", -1, {"speaker off"});
    // The sliders start at 60 and 40; a user's move arrives as positionChanged(), even in place.
    row("", "sliderMicrophone", 55, {"microphone 55"});
    row("", "sliderSpeaker", 30, {"speaker volume 30"});
    row("speaker-volume=70 microphone=15", "sliderSpeaker", 70, {});
    row("speaker-volume=loud", "sliderSpeaker", 0, {});
    row("microphone=0x20", "sliderMicrophone", 0, {});
}

void tst_VoiceDialog::commands()
{
    QFETCH(QString, assignments);
    QFETCH(QString, control);
    QFETCH(int, position);
    QFETCH(QStringList, commands);

    configure(assignments);
    if (position < 0)
        QTest::mouseClick(button(control), Qt::LeftButton);
    else
        emit dialog->findChild<RoundSlider *>(control)->positionChanged(position);
    QCOMPARE(card->commandLog(), commands);
}

// Regaining the receive voice timeslot shows the last reading at once; a language change empties
// both labels until the next update.
void tst_VoiceDialog::labelsFollowVoiceTimeslotsAndLanguage()
{
    publish(vfData("-7"));
    configure("timeslot-rx-5=none");
    QCOMPARE(label("labelRx")->text(), RxMessage);
    configure("timeslot-rx-5=voice timeslot-tx-5=none");
    QCOMPARE(label("labelRx")->text(), tableText("&ndash;7 dB<br>1000 Hz"));
    QEvent languageChange(QEvent::LanguageChange);
    QCoreApplication::sendEvent(dialog, &languageChange);
    QCOMPARE(label("labelRx")->text() + label("labelTx")->text(), QString());
}

// A half-built dialog or a proxy left behind shows as a leak in the sanitizer build.
void tst_VoiceDialog::proxyLifetime()
{
    QWidget window;
    delete new VoiceDialog(*plugin, &window);
    publish(vfData("-2"));
    QCOMPARE(plugin->data("VFSIGNAL").value("level").toString(), QStringLiteral("-2"));
    card->setDataProxyFailure(true);
    try {
        new VoiceDialog(*plugin, &window);
        QFAIL("built without its feed");
    } catch (const std::bad_alloc &) { }
    QVERIFY(window.children().isEmpty());
}

QTEST_MAIN(tst_VoiceDialog)
#include "tst_voicedialog.moc"
