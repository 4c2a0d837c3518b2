// SPDX-License-Identifier: GPL-3.0-or-later

// The voice dialog over a simulated card (factory settings: pcm30crc, voice on timeslot 5 both
// ways, tone, loudspeaker on at 60, microphone at 40).

#include "testsupport.h"
#include "timeslots.h"
#include "voicedialog.h"

#include <checkbutton.h>
#include <roundslider.h>

namespace {

const QString RxMessage = "There is no timeslot for sound reception.",
              TxMessage = "There is no timeslot for sound transmission.";

QString table(const QString &values)
{
    return "<table width=100% cellspacing=0 cellpadding=0 border=0><tr valign=top><td align=right>"
           "<nobr>Level : &nbsp;</nobr><br><nobr>Frequency : &nbsp;</nobr></td><td width=100%>"
        + values + "</td></tr></table>";
}

QVariantMap signal(const QString &level, const QString &frequency = "1000")
{
    return Compat::variantMap({{"level", level}, {"frequency", frequency}});
}

} // namespace

class tst_VoiceDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        card = new SimulatedCard("e1");
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

    void controlsAndLabelsFollowConfiguration_data()
    {
        QTest::addColumn<QString>("assignments"); // "new ...": set before a new dialog is built
        QTest::addColumn<QVariantMap>("data"); // published after the configuration
        // Enabled: loudspeaker button and slider, microphone button, tone button, microphone
        // slider; checked: loudspeaker, microphone, tone.
        QTest::addColumn<QString>("states");
        QTest::addColumn<QString>("labelRx");
        row("tone", "", signal("<-24dB", "0"), "11110 101", table("&lt; &ndash;24 dB<br>0 Hz"));
        row("unstructured", "structure=unstr", signal("-9"), "00000 101", RxMessage);
        row("no receive voice", "timeslot-rx-5=none", signal("-9"), "00110 101", RxMessage);
        row("loudspeaker On is off", "speaker=On", signal("-7-1", "-998"), "10110 001",
            table("&ndash;7&ndash;1 dB<br>-998 Hz"));
        row("microphone", "vfsource=mic", QVariantMap(), "11111 110", table(" dB<br> Hz"));
        row("source other", "vfsource=microphone", signal("-5"), "11110 100",
            table("&ndash;5 dB<br>1000 Hz"));
        // A new dialog shows the form's states and, with a receive voice timeslot, the last
        // reading.
        row("before the first update", "new speaker=off vfsource=off timeslot-tx-5=none",
            signal("<-24dB"), "11111 010", table("&lt; &ndash;24 dB<br>1000 Hz"));
        row("before the first update, no receive voice", "new timeslot-rx-5=none", signal("-3"),
            "11111 010", "");
    }
    void controlsAndLabelsFollowConfiguration()
    {
        QFETCH(QString, assignments);
        QFETCH(QVariantMap, data);
        QFETCH(QString, states);
        if (assignments.startsWith("new")) {
            publish(data);
            ::configure(*card, assignments.mid(4));
            delete dialog;
            dialog = new VoiceDialog(*plugin, nullptr);
        } else {
            publish(signal("-5"));
            configure(assignments);
            publish(data);
        }
        QString actual;
        for (const char *name :
             {"btnSpeaker", "sliderSpeaker", "btnMicrophone", "btnTone", "sliderMicrophone"})
            actual += dialog->findChild<QWidget *>(name)->isEnabled() ? '1' : '0';
        actual += ' ';
        for (const char *name : {"btnSpeaker", "btnMicrophone", "btnTone"})
            actual += button(name)->isChecked() ? '1' : '0';
        QCOMPARE(actual, states);
        QTEST(label("labelRx")->text(), "labelRx");
        QCOMPARE(label("labelTx")->text(), states.at(3) == '0' ? TxMessage : QString());
        QVERIFY(card->commandLog().isEmpty());
    }

    // Regaining the voice timeslots shows the last reading at once and drops the transmit
    // message. Saved as PNG.
    void labelsFollowVoiceTimeslotsAndData()
    {
        publish(signal("-7"));
        configure("timeslot-rx-5=none timeslot-tx-5=none vfsource=mic");
        QCOMPARE(label("labelRx")->text() + label("labelTx")->text(), RxMessage + TxMessage);
        configure("timeslot-rx-5=voice timeslot-tx-5=voice");
        QCOMPARE(label("labelRx")->text(), table("&ndash;7 dB<br>1000 Hz"));
        QCOMPARE(label("labelTx")->text(), QString());
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        const QString dir
            = qEnvironmentVariable("E1_ARTIFACTS", QDir::tempPath() + "/e1-artifacts");
        QVERIFY(QDir().mkpath(dir) && Compat::grab(dialog).save(dir + "/voicedialog.png"));
    }

    void commands_data()
    {
        QTest::addColumn<QString>("assignments");
        QTest::addColumn<QString>("control"); // "button key...": keys typed from that button on
        QTest::addColumn<int>("position"); // of a slider; a button is clicked
        QTest::addColumn<QString>("command"); // empty: nothing sent
        const auto row
            = [](const char *assignments, const char *control, int position, const char *command) {
                  QTest::addRow("%s %s %d", control, assignments, position)
                      << QString(assignments) << QString(control) << position << QString(command);
              };
        row("vfsource=off", "btnTone", -1, "vfsource tone");
        row("vfsource=tone", "btnTone", -1, "vfsource off");
        row("vfsource=tone", "btnMicrophone", -1, "vfsource mic");
        row("vfsource=mic", "btnMicrophone", -1, "vfsource off");
        row("speaker=off", "btnSpeaker", -1, "speaker on");
        row("speaker=on", "btnSpeaker", -1, "speaker off");
        // The sliders start at 60 and 40; a user's move arrives as positionChanged(), even in
        // place.
        row("", "sliderMicrophone", 55, "microphone 55");
        row("", "sliderSpeaker", 30, "speaker volume 30");
        row("speaker-volume=70 microphone=15", "sliderSpeaker", 70, "");
        row("microphone=15", "sliderMicrophone", 15, "");
        row("speaker-volume=loud", "sliderSpeaker", 0, "");
        row("microphone=0x20", "sliderMicrophone", 0, "");
        // A level beyond a dial's range is sent at its end, once.
        row("microphone=104", "", -1, "microphone 100");
        row("speaker-volume=2147483647", "", -1, "speaker volume 100");
        row("speaker-volume=-1", "", -1, "speaker volume 0");
        // The level dials are in the tab chain after their buttons and keep their keys.
        row("", "btnSpeaker Tab Up", -1, "speaker volume 61");
        row("vfsource=mic", "btnMicrophone Tab PageDown", -1, "microphone 30");
    }
    void commands()
    {
        QFETCH(QString, control);
        QFETCH(int, position);
        QFETCH(QString, assignments);
        dialog->configUpdated(); // the factory settings first, as the window shows them
        configure(assignments);
        const QStringList keys = control.split(' ');
        if (keys.size() > 1) {
            dialog->show(QRect(100, 100, 10, 10));
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            button(keys.first())->setFocus();
            for (const QString &key : keys.mid(1))
                QTest::keyClick(QApplication::focusWidget(),
                                Compat::key(("Key_" + key.toLatin1()).constData()));
        } else if (position >= 0) {
            Compat::emitSignal(dialog->findChild<RoundSlider *>(control), "positionChanged",
                               position);
        } else if (!control.isEmpty()) {
            QTest::mouseClick(button(control), Qt::LeftButton);
        }
        dialog->configUpdated(); // mirroring what the card now holds sends nothing more
        QTEST(card->commandLog().join("|"), "command");
    }

private:
    CheckButton *button(const QString &name) { return dialog->findChild<CheckButton *>(name); }
    QLabel *label(const QString &name) { return dialog->findChild<QLabel *>(name); }
    // Sets "key=value ..." on the card and lets the dialog read it, as the window does.
    void configure(const QString &assignments)
    {
        ::configure(*card, assignments);
        dialog->configUpdated();
    }
    void publish(const QVariantMap &data) { card->publishData("vfsignal", data); }

    SimulatedCard *card = nullptr;
    TimeSlots *plugin = nullptr;
    VoiceDialog *dialog = nullptr;
};

QTEST_MAIN(tst_VoiceDialog)
#include "tst_voicedialog.moc"
