// SPDX-License-Identifier: GPL-3.0-or-later

// The plug-in object: widgets built on request, the window locked while a measurement runs,
// the notifications it passes on, the slot queries and the status texts.

#include "mainbutton.h"
#include "mainwindow.h"
#include "testsupport.h"
#include "timeslots.h"

#include <statuslabel.h>
#include <switchpanel.h>

namespace {

const QString Ellipsis(QChar(0x2026)), Quoted55 = QString(QChar(0x2018)) + "55" + QChar(0x2019);

// The raised PRBS label of "2e15" in bold Liberation Sans at 15 points: its size and its ink.
#if QT_VERSION >= 0x050000
const QSize Raised(44, 31);
const char *const Sequence = "5,24 16,5 21,2 19,19 30,20 !0,0,12,9 !36,0,8,31 !0,27,44,4";
#else
// Qt 4 rounds each glyph's advance to whole pixels, where Qt 5 and 6 keep fractions: there the
// "1" after the minus ends a pixel further right and the picture is one wider.
const QSize Raised(45, 31);
const char *const Sequence = "5,24 16,5 21,2 19,19 30,20 !0,0,12,9 !37,0,8,31 !0,27,45,4";
#endif

} // namespace

class tst_TimeSlots : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        card = new SimulatedCard("e1");
        plugin = new TimeSlots;
    }
    void cleanup()
    {
        delete plugin;
        delete card;
    }

    void feedsOpenAndWidgetsAreBuiltOnFirstRequestWithoutParent()
    {
        delete plugin;
        QSignalSpy opened(card, SIGNAL(feedOpened(QString)));
        plugin = new TimeSlots;
        QStringList feeds;
        for (const QList<QVariant> &arguments : opened)
            feeds << arguments.at(0).toString();
        QCOMPARE(feeds, QString("base vfsignal jitter jtf mtj").split(' '));

        const int before = QApplication::topLevelWidgets().size();
        QPointer<QWidget> button = plugin->button(), window = plugin->window(),
                          status = plugin->statusPanelItem();
        QCOMPARE(QApplication::topLevelWidgets().size(), before + 3);
        QVERIFY(qobject_cast<MainButton *>(button) && qobject_cast<MainWindow *>(window)
                && qobject_cast<StatusLabel *>(status));
        QVERIFY(!button->parent() && !window->parent() && !status->parent());
        QCOMPARE(window->windowTitle(), "Timeslots");
        QVERIFY(plugin->button() == button && plugin->window() == window
                && plugin->statusPanelItem() == status);
        QCOMPARE(card->commandLog(), QStringList()); // the first command goes out on show
        delete std::exchange(plugin, nullptr);
        QVERIFY(!button && !window && !status);
    }

    void windowEnabledFollowsRunningMeasurements_data()
    {
        QTest::addColumn<QString>("running");
        QTest::addColumn<bool>("enabled");
        for (const char *running : {"base", "jitter", "jtf", "vfsignal mtj"})
            row(running, running, false);
        row("nothing runs", "", true);
        row("vfsignal never counts", "vfsignal", true);
    }
    void windowEnabledFollowsRunningMeasurements()
    {
        QFETCH(QString, running);
        for (const QString &name : running.split(' ', Qt::SkipEmptyParts))
            card->startMeasurement(name);
        QTEST(plugin->measStopped(), "enabled");
        QTEST(plugin->window()->isEnabled(), "enabled");
    }

    void startedAndStoppedLockAndFreeTheWindow()
    {
        QWidget *window = plugin->window();
        card->startMeasurement("vfsignal");
        QVERIFY(window->isEnabled());
        card->startMeasurement("base");
        card->startMeasurement("jtf");
        host()->stopped("vfsignal");
        QVERIFY(!window->isEnabled());
        // The first stop frees the window, although another measurement still runs.
        card->stopMeasurement("jtf");
        QVERIFY(window->isEnabled() && !plugin->measStopped());
        host()->started("vfsignal");
        QVERIFY(window->isEnabled());
    }

    void updatedReactsToTheVoiceDataSetOnly()
    {
        QVariantMap data;
        host()->updated(data, "VFSIGNAL"); // no status item yet: nothing
        auto *status = qobject_cast<StatusLabel *>(plugin->statusPanelItem());
        card->setConfigValue("speaker", "off");
        card->setMaskValue("speaker", QString());
        card->publishData("vfsignal",
                          Compat::variantMap({{"level", "-12"}, {"frequency", "1020"}}));
        const QString reading = "Voice :  -12 dB, 1020 Hz";
        QCOMPARE(status->cellText(1, 2), reading);

        // A change the plug-in was not told of shows only after the exact data set name.
        card->setMaskValue("speaker", "no receive voice timeslot");
        host()->updated(data, "vfsignal");
        host()->updated(data, "Vfsignal");
        QCOMPARE(status->cellText(1, 2), reading);
        host()->updated(data, "VFSIGNAL");
        QCOMPARE(status->cellText(1, 2), QString());
    }

    void configUpdatedTouchesVisibleWidgetsOnly()
    {
        setConfiguration("structure=pcm31 pattern=2e15");
        QVariantMap map;
        host()->configUpdated(map); // before any widget exists: nothing to do
        QWidget *window = plugin->window(), *button = plugin->button();
        auto *status = qobject_cast<StatusLabel *>(plugin->statusPanelItem());
        auto *rxSlots = window->findChild<SwitchPanel *>("rxSlots");
        auto *row = button->findChild<StatusLabel *>("statusLabel");
        QCOMPARE(row->cellText(0, 0), "PRBS: 2e15-1");

        // Told directly, without the card's notification: hidden widgets stay as they are.
        card->setConfigValue("timeslot-rx-3", "pat");
        card->setConfigValue("pattern", "all1");
        host()->configUpdated(map);
        QCOMPARE(rxSlots->firstSelectedOption(3), 0);
        QCOMPARE(row->cellText(0, 0), "PRBS: 2e15-1");
        QCOMPARE(status->cellText(0, 1), "PRBS: 1" + Ellipsis);

        window->show();
        button->show(); // showing refreshes the button's row
        QCOMPARE(row->cellText(0, 0), "PRBS: 1" + Ellipsis);
        QCOMPARE(row->cellAlignment(1, 0), Qt::AlignHCenter | Qt::AlignBottom);
        card->setConfigValue("pattern", "55");
        host()->configUpdated(map);
        QCOMPARE(rxSlots->firstSelectedOption(3), 1);
        QCOMPARE(row->cellText(0, 0), "PRBS: " + Quoted55);
    }

    void prbsTextAndManualPattern_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("texts"); // compact text|long text|exponent
        QTest::addColumn<int>("manual");
        const QString open(QChar(0x2018)), close(QChar(0x2019));
        row("2e15-1", "2e15-1", "2|2|15", -1);
        row("2e15", "2e15", "2|2|15", -1);
        row("2e", "2e", "2|2|", -1);
        row("2E15", "2E15", "***|Manually|", 0x15);
        row("all0", "all0", "0" + Ellipsis + "|All " + open + "0" + close + "|", -1);
        row("all1", "all1", "1" + Ellipsis + "|All " + open + "1" + close + "|", -1);
        row("All1", "All1", "***|Manually|", 0);
        row("55", "55", Quoted55 + "|" + Quoted55 + " (0101" + Ellipsis + ")|", -1);
        row("0x1A2B", "0x1A2B", "***|Manually|", 6699);
        row("0x7FFFFFFF", "0x7FFFFFFF", "***|Manually|", 2147483647);
        row("0x80000000", "0x80000000", "***|Manually|", 0);
        row("0xZZ", "0xZZ", "***|Manually|", 0);
        row("empty", "", "***|Manually|", 0);
        row("ab12", "ab12", "***|Manually|", 18); // the first two characters are skipped
    }
    void prbsTextAndManualPattern()
    {
        QFETCH(QString, pattern);
        QString texts;
        for (bool longForm : {false, true}) {
            QString text = "stale", exponent = "stale";
            TimeSlots::prbsText(text, exponent, pattern, longForm);
            texts += text + '|' + (longForm ? exponent : QString());
        }
        QTEST(texts, "texts");
        QTEST(TimeSlots::manualPattern(pattern), "manual");
    }

    void slotQueries_data()
    {
        QTest::addColumn<QString>("configuration");
        // countSlots of rx "voice", tx "voice", tx "pat", tx "none", tx "Voice", "ab" "voice"; then
        // tsSelectedForVoice of rx and tx.
        QTest::addColumn<QString>("answers");
        const QString mixed
            = "timeslot-tx-1=voice timeslot-tx-2=voice timeslot-tx-3=pat "
              "timeslot-rx-1=voice timeslot-tx-0=voice timeslot-tx-31=voice timeslot-ab-2=voice";
        row("nothing configured: keys read as empty", "", "0 0 0 0 0 0 00");
        row("slot 0 never counts", mixed, "1 3 1 0 0 1 11");
        row("masked slots are not counted", mixed + " !timeslot-tx-2=m !timeslot-tx-31=m",
            "1 1 1 0 0 1 11");
        row("unstr hides voice", "structure=unstr timeslot-rx-5=voice", "0 0 0 0 0 0 00");
        row("unstr matches whole", "structure=unstructured timeslot-tx-1=voice", "0 1 0 0 0 0 01");
        row("UNSTR is structured", "structure=UNSTR timeslot-tx-1=voice", "0 1 0 0 0 0 01");
        row("slot 31, masked",
            "structure=pcm30crc timeslot-rx-31=voice timeslot-tx-31=none !timeslot-rx-31=m",
            "0 0 0 1 0 0 10");
        row("slot 0 alone", "timeslot-rx-0=voice timeslot-tx-0=voice", "0 0 0 0 0 0 00");
        row("case matters", "timeslot-rx-2=VOICE timeslot-tx-4=Voice timeslot-tx-5=Pat",
            "0 0 0 0 1 0 00");
    }
    void slotQueries()
    {
        QFETCH(QString, configuration);
        setConfiguration(configuration);
        QStringList answers;
        for (const char *query :
             {"rx voice", "tx voice", "tx pat", "tx none", "tx Voice", "ab voice"})
            answers << QString::number(
                plugin->countSlots(QString(query).left(2), QString(query).mid(3)));
        answers << QString::number(plugin->tsSelectedForVoice("rx"))
                + QString::number(plugin->tsSelectedForVoice("tx"));
        QTEST(answers.join(" "), "answers");
    }

    void statusLabelCells_data()
    {
        QTest::addColumn<QString>("configuration"); // "!key=" makes an item available
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("texts"); // cells (0, 1), (1, 1) and (1, 2)
        QTest::addColumn<QString>("pictures"); // of cells (0, 2) and (2, 2), "-" for none
        const QString free = " !speaker= !voice-transmit=";
        const char *signal = "level=-12 frequency=1020";
        row("no pattern, no data", "speaker=off" + free, "",
            "PRBS: 2e15-1|VF: off|Voice :   dB,  Hz", "- -");
        row("speaker off", "speaker=off pattern=2e23" + free, signal,
            "PRBS: 2e23-1|VF: off|Voice :  -12 dB, 1020 Hz", "- -");
        row("speaker on", "speaker=on pattern=all0" + free, signal,
            "PRBS: 0" + Ellipsis + "|VF: off|  -12 dB, 1020 Hz", "speaker_s -");
        row("speaker On", "speaker=On" + free, signal,
            "PRBS: 2e15-1|VF: off|Voice :  -12 dB, 1020 Hz", "- -");
        row("speaker on but masked", "speaker=on !speaker=masked", signal, "PRBS: 2e15-1|VF: off|",
            "- -");
        row("level below range", "speaker=off" + free, "level=<-24dB frequency=-0",
            "PRBS: 2e15-1|VF: off|Voice :  < -24 dB, -0 Hz", "- -");
        row("level below range, lower case", "speaker=off" + free, "level=<-24db",
            "PRBS: 2e15-1|VF: off|Voice :  <-24db dB,  Hz", "- -");
        row("tone", "voice-transmit=tone pattern=55" + free, signal,
            "PRBS: " + Quoted55 + "|VF: off|Voice :  -12 dB, 1020 Hz", "- tone_s");
        row("microphone, manual pattern", "voice-transmit=microphone pattern=0x12" + free, signal,
            "PRBS: ***|VF: off|Voice :  -12 dB, 1020 Hz", "- microphone_s");
        row("mic is no transmit source", "voice-transmit=mic speaker=on" + free, signal,
            "PRBS: 2e15-1|VF: off|  -12 dB, 1020 Hz", "speaker_s -");
        row("source masked", "voice-transmit=tone !voice-transmit=masked !speaker=", signal,
            "PRBS: 2e15-1|VF: off|Voice :  -12 dB, 1020 Hz", "- -");
        row("unmasked transmit voice slot", "timeslot-tx-31=voice" + free, signal,
            "PRBS: 2e15-1|VF: on|Voice :  -12 dB, 1020 Hz", "- -");
        row("unmasked receive voice slot", "timeslot-rx-1=voice" + free, "",
            "PRBS: 2e15-1|VF: on|Voice :   dB,  Hz", "- -");
        row("masked voice slot", "timeslot-rx-9=voice !timeslot-rx-9=masked !speaker=", "",
            "PRBS: 2e15-1|VF: off|Voice :   dB,  Hz", "- -");
    }
    void statusLabelCells()
    {
        QFETCH(QString, data);
        QFETCH(QString, pictures);
        QFETCH(QString, configuration);
        setConfiguration(configuration);
        card->publishData("vfsignal", pairs(data));

        auto *status = qobject_cast<StatusLabel *>(plugin->statusPanelItem());
        QCOMPARE(status->size(), status->sizeHint());
        QCOMPARE(status->cellText(0, 0), "Timeslots");
        QCOMPARE(status->cellSize(0, 0), -3);
        QTEST((QStringList() << status->cellText(0, 1) << status->cellText(1, 1)
                             << status->cellText(1, 2))
                  .join("|"),
              "texts");
        for (int column : {0, 2}) { // the small pictures, compared pixel by pixel
            const QString name = pictures.section(' ', column / 2, column / 2);
            const auto format = QImage::Format_ARGB32_Premultiplied;
            QCOMPARE(status->cellPixmap(column, 2).toImage().convertToFormat(format),
                     name == "-"
                         ? QImage()
                         : QImage(":/main/resource/" + name + ".png").convertToFormat(format));
        }
        QString alignments; // in hexadecimal
        for (const QPoint cell :
             {QPoint(0, 0), QPoint(0, 1), QPoint(1, 1), QPoint(0, 2), QPoint(1, 2), QPoint(2, 2)})
            alignments += QString::number(int(status->cellAlignment(cell.x(), cell.y())), 16) + ' ';
        QCOMPARE(alignments, "22 41 44 81 81 82 ");
        for (const QPoint cell : {QPoint(0, 0), QPoint(0, 1), QPoint(1, 1), QPoint(1, 2)})
            QCOMPARE(status->cellColor(cell.x(), cell.y()),
                     status->palette().color(QPalette::Text));
    }

    // The pattern drawn with a raised exponent and "-1" beneath it. Sizes and ink were measured
    // once on the pictures of the bold Liberation Sans at 15 points: "x,y" is a point of solid ink,
    // "!x,y,w,h" a rectangle without any.
    void prbsLabelDrawsTheRaisedExponent_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("ink");
        QTest::newRow("2e15") << "2e15" << Raised << Sequence;
        QTest::newRow("2e15-1") << "2e15-1" << Raised << Sequence;
        QTest::newRow("all0: no -1") << "all0" << QSize(76, 31) << "2,15 16,24 !36,0,40,31";
        QTest::newRow("manual") << "0xAB" << QSize(60, 31) << "";
    }
    void prbsLabelDrawsTheRaisedExponent()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, ink);
        QFont font("Liberation Sans", 15, QFont::Bold);
        const QImage image = TimeSlots::prbsLabel(font, pattern, false, QPen(Qt::black)).toImage();
        QTEST(image.size(), "size");
        QVERIFY(image.hasAlphaChannel());
        for (const QString &probe : ink.split(' ', Qt::SkipEmptyParts)) {
            const QStringList n = probe.mid(probe.startsWith('!')).split(',');
            const QRect area(n.at(0).toInt(), n.at(1).toInt(), n.value(2, "1").toInt(),
                             n.value(3, "1").toInt());
            int strongest = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    strongest = qMax(strongest, qAlpha(image.pixel(x, y)));
            QVERIFY2(probe.startsWith('!') ? strongest == 0 : strongest == 255, qPrintable(probe));
        }
    }

private:
    // Replaces the card's whole configuration, so each case states exactly what it needs.
    void setConfiguration(const QString &settings)
    {
        for (const QString &key : card->configuration().keys())
            card->removeConfigValue(key);
        configure(*card, settings);
    }
    // The framework's view of the plug-in: its notifications are public there.
    LauncherPlugin *host() const { return plugin; }

    SimulatedCard *card = nullptr;
    TimeSlots *plugin = nullptr;
};

QTEST_MAIN(tst_TimeSlots)
#include "tst_timeslots.moc"
