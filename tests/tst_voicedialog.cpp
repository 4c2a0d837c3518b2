// SPDX-License-Identifier: GPL-3.0-or-later

// The voice dialog over a simulated card (factory settings: pcm30crc, voice on timeslot 5 both
// ways, tone, loudspeaker on at 60, microphone at 40).

#include "timeslots.h"
#include "voicedialog.h"

#include <checkbutton.h>
#include <roundslider.h>
#include <simulatedcard.h>

#include <QDir>
#include <QLabel>
#include <QLayout>
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

// A label that takes a new text has its window's layout redone.
struct LayoutRequests : QObject
{
    int count = 0;
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
    void controlsFollowConfiguration_data();
    void controlsFollowConfiguration();
    void signalTable_data();
    void signalTable();
    void sameDataSetsLabelOnce();
    void commands_data();
    void commands();
    void languageChangeEmptiesLabels();
    void proxyLifetime();
    void render();

private:
    CheckButton *button(const QString &name) { return dialog->findChild<CheckButton *>(name); }
    RoundSlider *slider(const QString &name) { return dialog->findChild<RoundSlider *>(name); }
    QLabel *label(const QString &name) { return dialog->findChild<QLabel *>(name); }
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
    card->clearCommandLog();
}

void tst_VoiceDialog::cleanup()
{
    delete dialog;
    delete plugin;
    delete card;
}

// Sets "key=value key=value" on the card and lets the dialog read the configuration, as the
// window does on each update.
void tst_VoiceDialog::configure(const QString &assignments)
{
    for (const QString &assignment : assignments.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        card->setConfigValue(assignment.section(QLatin1Char('='), 0, 0),
                             assignment.section(QLatin1Char('='), 1));
    dialog->configUpdated();
}

void tst_VoiceDialog::controlsFollowConfiguration_data()
{
    QTest::addColumn<QString>("assignments");
    // Enabled: loudspeaker button and slider, microphone button, tone button, microphone
    // slider; checked: loudspeaker, microphone, tone.
    QTest::addColumn<QString>("states");

    const auto row = [](const char *name, const char *assignments, const char *states) {
        QTest::newRow(name) << QString(assignments) << QString(states);
    };
    row("tone", "", "11110 101");
    row("unstructured", "structure=unstr", "00000 101");
    row("loudspeaker off", "speaker=off", "10110 001");
    row("microphone", "vfsource=mic", "11111 110");
    row("source other", "vfsource=microphone", "11110 100");
}

void tst_VoiceDialog::controlsFollowConfiguration()
{
    QFETCH(QString, assignments);
    QFETCH(QString, states);

    configure(assignments);
    QString actual;
    for (const char *name :
         {"btnSpeaker", "sliderSpeaker", "btnMicrophone", "btnTone", "sliderMicrophone"})
        actual += QLatin1Char(dialog->findChild<QWidget *>(name)->isEnabled() ? '1' : '0');
    actual += QLatin1Char(' ');
    for (const char *name : {"btnSpeaker", "btnMicrophone", "btnTone"})
        actual += QLatin1Char(button(name)->isChecked() ? '1' : '0');
    QCOMPARE(actual, states);
    QCOMPARE(label("labelRx")->text() == RxMessage, states.at(0) == QLatin1Char('0'));
    QCOMPARE(label("labelTx")->text(), states.at(3) == QLatin1Char('0') ? TxMessage : QString());
    QVERIFY(card->commandLog().isEmpty());
}

void tst_VoiceDialog::signalTable_data()
{
    QTest::addColumn<QString>("assignments");
    QTest::addColumn<QVariantMap>("data");
    QTest::addColumn<QString>("labelRx");

    QTest::newRow("<-24") << "" << vfData("<-24dB", "0") << tableText("&lt; &ndash;24 dB<br>0 Hz");
    QTest::newRow("-7") << "" << vfData("-7", "998") << tableText("&ndash;7 dB<br>998 Hz");
    QTest::newRow("empty map") << "" << QVariantMap() << tableText(" dB<br> Hz");
    QTest::newRow("no receive voice") << "timeslot-rx-5=none" << vfData("-9") << RxMessage;
}

void tst_VoiceDialog::signalTable()
{
    QFETCH(QString, assignments);
    QFETCH(QVariantMap, data);
    QFETCH(QString, labelRx);

    publish(vfData("-5"));
    configure(assignments);
    publish(data);
    QCOMPARE(label("labelRx")->text(), labelRx);
}

void tst_VoiceDialog::sameDataSetsLabelOnce()
{
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCoreApplication::sendPostedEvents();
    LayoutRequests requests;
    dialog->installEventFilter(&requests);
    for (const char *level : {"-8", "-8", "-9"}) {
        publish(vfData(QLatin1String(level)));
        QCoreApplication::sendPostedEvents();
    }
    dialog->configUpdated();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(requests.count, 2);
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
    // The sliders start at 60 and 40; configuration moves them without a command, and a move
    // by the user arrives as positionChanged(), even where the slider stands.
    row("", "sliderMicrophone", 55, {"microphone 55"});
    row("", "sliderMicrophone", 40, {});
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
        QMetaObject::invokeMethod(slider(control), "positionChanged", Q_ARG(int, position));
    QCOMPARE(card->commandLog(), commands);
}

void tst_VoiceDialog::languageChangeEmptiesLabels()
{
    configure(QStringLiteral("timeslot-tx-5=none"));
    QEvent languageChange(QEvent::LanguageChange);
    QCoreApplication::sendEvent(dialog, &languageChange);
    QCOMPARE(label("labelRx")->text(), QString());
    QCOMPARE(label("labelTx")->text(), QString());
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

void tst_VoiceDialog::render()
{
    const QString dir = qEnvironmentVariable("E1_ARTIFACTS", QDir::tempPath() + "/e1-artifacts");
    QVERIFY(QDir().mkpath(dir));
    configure(QStringLiteral("vfsource=mic"));
    publish(vfData("<-24dB", "0"));
    dialog->layout()->activate();
    QVERIFY(dialog->grab().save(dir + QStringLiteral("/voicedialog.png")));
}

QTEST_MAIN(tst_VoiceDialog)
#include "tst_voicedialog.moc"
