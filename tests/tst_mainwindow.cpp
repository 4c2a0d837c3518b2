// SPDX-License-Identifier: GPL-3.0-or-later

// The timeslot window over a simulated card, driven as the host and the user drive it.

#include "testsupport.h"
#include "timeslots.h"

#include <prbsdialog.h>
#include <prbsmodel.h>
#include <switch.h>
#include <switchpanel.h>
#include <voicedialog.h>
#include <warningwindow.h>

namespace {

const QStringList Options
    = QString("none pat voice").split(' '); // a timeslot's, by the index on its button
const QString VoiceWarning = "Only one timeslot may be selected for sound reception.";
const QColor Bracket = QColor(Qt::darkGray).lighter(135), Head = QColor(Qt::darkGray).lighter(130);
// The 220 x 40 voice label shows its symbols in 27 x 27 places at the two edges.
const QRect Heard(0, 6, 27, 27), Sent(193, 6, 27, 27), Caption(27, 0, 166, 40);
const uchar Transparent[27 * 27 * 4] = {};
const QImage Clear(Transparent, 27, 27, QImage::Format_ARGB32_Premultiplied);

QImage image(const QIcon &icon, const QSize &size)
{
    return icon.pixmap(size).toImage().convertToFormat(Clear.format());
}

// The PRBS option icon as the window is to draw it: the pattern's picture in the window's font at
// 15 point (large) or 9 point (small), unscaled at the top left of the voice icon's size.
QImage prbsIcon(const QString &pattern, bool large)
{
    QImage canvas(large ? QSize(32, 26) : QSize(20, 16), Clear.format());
    canvas.fill(0); // transparent: Qt 4.7 fills an image with a pixel value only
    const QFont font("Liberation Sans", large ? 15 : 9, QFont::Bold);
    QPainter(&canvas).drawPixmap(0, 0, TimeSlots::prbsLabel(font, pattern, false, QPen(Qt::black)));
    return canvas;
}

// Whether a line of width 2 through p covers p or a neighbour across it with the colour.
bool lineAt(const QImage &image, const QPoint &p, const QPoint &across, const QColor &color)
{
    const QRgb c = color.rgb();
    return image.pixel(p - across) == c || image.pixel(p) == c || image.pixel(p + across) == c;
}

} // namespace

int qInitResources_timeslots(); // the plug-in's images, registered while it is loaded
int qCleanupResources_timeslots();

class tst_MainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A quiet line: structured without signalling, no traffic on any timeslot, no voice.
    void init()
    {
        card = new SimulatedCard("e1");
        configure("structure=pcm31 rx= tx= pattern=2e15 speaker=off vfsource=off");
    }
    void cleanup()
    {
        delete std::exchange(plugin, nullptr);
        delete card;
    }

    void userChoiceSendsCommands_data()
    {
        QTest::addColumn<QString>("setup"); // as configure() takes it
        QTest::addColumn<QString>("action"); // "rx|tx slot option" on a panel, or a copy button
        // The commands sent ("!" marks those the card refused), then the warnings shown.
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("refusal"); // the card's next answer, whatever the command
        row("tx prbs", "timeslot-tx-5=none", "tx 5 1", "timeslot tx 5 pat", "");
        row("voice", "timeslot-rx-7=none", "rx 7 2", "timeslot rx 7 voice", "");
        row("rx off", "timeslot-rx-31=pat", "rx 31 0", "timeslot rx 31 none", "");
        row("same value", "timeslot-tx-3=voice", "tx 3 2", "", "");
        row("off over no value", "timeslot-rx-9=", "rx 9 0", "", "");
        row("negative index", "timeslot-rx-4=pat", "rx 4 -1", "", "");
        row("second receive voice", "rx=00002", "rx 7 2", "!timeslot rx 7 voice|" + VoiceWarning,
            "");
        row("other refusal", "tx=", "tx 5 1", "!timeslot tx 5 pat", "timeslot 16 is CAS");
        row("masked slot", "!timeslot-rx-9=held", "rx 9 1", "!timeslot rx 9 pat", "");
        row("copy over a masked slot", "!timeslot-rx-9=held", "copyToRx",
            "!timeslot rx 0xfffffffe none", "");
        row("refusal of Voice", "rx=", "rx 5 2", "!timeslot rx 5 voice", "Voice is taken");
        row("copy all off into rx without slot 16", "structure=pcm30", "copyToRx",
            "timeslot rx 0xfffefffe none", "");
        row("copy one voice among prbs into rx", "tx=1111211111111111111111111111111", "copyToRx",
            "timeslot rx 0xffffffde pat|timeslot rx 0x00000020 voice", "");
        row("copy 2 voices into rx", "tx=0020002", "copyToRx", VoiceWarning, "");
        row("copy 2 voices into tx without slot 16", "structure=pcm30 rx=0020002", "copyToTx",
            "timeslot tx 0xfffeff76 none|timeslot tx 0x00000088 voice", "");
        row("copy into rx: voice on 16 stays out", "structure=pcm30 tx=00000000000000021",
            "copyToRx", "timeslot rx 0xfffcfffe none|timeslot rx 0x00020000 pat", "");
        row("copy into tx: prbs on 16 stays out", "structure=pcm30crc rx=00000000000000012",
            "copyToTx", "timeslot tx 0xfffcfffe none|timeslot tx 0x00020000 voice", "");
        row("copy into rx goes on after a refusal", "tx=12", "copyToRx",
            "!timeslot rx 0xfffffff8 none|timeslot rx 0x00000002 pat|timeslot rx 0x00000004 voice",
            "not now");
        row("copy into tx goes on after a voice refusal", "rx=12", "copyToTx",
            "!timeslot tx 0xfffffff8 none|" + VoiceWarning
                + "|timeslot tx 0x00000002 pat|timeslot tx 0x00000004 voice",
            "only one voice timeslot");
    }
    void userChoiceSendsCommands()
    {
        QFETCH(QString, setup);
        QFETCH(QString, action);
        QFETCH(QString, expected);
        QFETCH(QString, refusal);
        configure(setup);
        openWindow();
        QStringList shown; // closes every warning as the user would, remembering what it said
        Compat::connect(
            card, SIGNAL(commandExecuted(QString, bool, QString)), card,
            [&](const QString &text, bool refused) { shown << (refused ? "!" : "") + text; });
        QTimer closer;
        Compat::connect(&closer, SIGNAL(timeout()), &closer, [&] {
            for (WarningWindow *warning : window->findChildren<WarningWindow *>()) {
                shown << warning->findChild<QLabel *>("text")->text();
                warning->close();
            }
        });
        closer.start(10);
        if (!refusal.isEmpty())
            card->refuseNext(refusal);
        const QStringList words = action.split(' ');
        SwitchPanel *panel = words[0] == "rx" ? rxSlots : txSlots;
        const int slot = words.value(1).toInt(), option = words.value(2).toInt();
        if (words.size() == 3 && option < 0) {
            Compat::emitSignal(panel, "indexChanged", slot, option);
        } else if (words.size() == 3) { // on the slot button of a full panel, in its chooser
            for (int click = panel->compact() ? 2 : 1; click > 0; --click) {
                QTest::mouseClick(panel, Qt::LeftButton, {}, panel->buttonRect(slot).center());
                QCoreApplication::processEvents();
            }
            auto *chooser = panel->findChild<QWidget *>("optionChooser");
            QRect cell;
            QMetaObject::invokeMethod(chooser, "optionRect", Q_RETURN_ARG(QRect, cell),
                                      Q_ARG(int, option));
            QTest::mouseClick(chooser, Qt::LeftButton, {}, cell.center());
        } else {
            // The only "Copy" on screen copies the full panel into the compact one.
            if (action == "copyToRx")
                Compat::emitSignal(txSlots, "clicked");
            auto *copy = window->findChild<QPushButton *>(action);
            QVERIFY(copy->isVisible());
            QTest::mouseClick(copy, Qt::LeftButton);
        }
        // Once the card has answered, the button shows its value again, and nothing more is sent.
        settle();
        QCOMPARE(shown.join("|"), expected);
        if (words.size() == 3) {
            const QString key = QString("timeslot-%1-%2").arg(words[0]).arg(slot);
            QCOMPARE(panel->firstSelectedOption(slot),
                     Options.indexOf(card->configValue(key, "none")));
        }
    }

    void structureDecidesWhatCanBeEdited_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("structure"); // empty: no value
        QTest::addColumn<QString>("mask"); // of "All slots"; empty: nothing can be edited
        row("pcm30", "pcm31", "pcm30", "0xFFFEFFFE");
        row("pcm30crc", "pcm31", "pcm30crc", "0xFFFEFFFE");
        row("upper case PCM30", "pcm30", "PCM30", "0xFFFFFFFE");
        row("pcm3", "pcm30", "pcm3", "0xFFFFFFFE");
        row("unstructured", "pcm30", "unstructured", "0xFFFFFFFE");
        row("upper case UNSTR", "pcm30", "UNSTR", "0xFFFFFFFE");
        row("missing", "pcm30", "", "0xFFFFFFFE");
        row("unstr after pcm30", "pcm30", "unstr", "");
    }
    void structureDecidesWhatCanBeEdited()
    {
        QFETCH(QString, before);
        QFETCH(QString, structure);
        QFETCH(QString, mask);
        const QString label16 = mask == "0xFFFFFFFE" ? "" : "CAS";
        configure("structure=" + before);
        openWindow();
        configure("structure=" + structure);
        settle();
        for (const char *name : {"rxSlots", "rxAll", "copyToRx", "txSlots", "txAll", "copyToTx"})
            QCOMPARE(window->findChild<QWidget *>(name)->isEnabled(), !mask.isEmpty());
        for (const char *name : {"btnPrbs", "btnVoiceFunc"})
            QVERIFY(window->findChild<QWidget *>(name)->isEnabled());
        for (SwitchPanel *panel : {rxSlots, txSlots}) {
            QCOMPARE(panel->buttonLabel(16), label16);
            QCOMPARE(panel->isButtonEnabled(16), label16.isEmpty());
            // "FAS" and "CAS" stand beside a transparent filler as high as the voice icon.
            const QImage blank = Clear.copy(0, 0, 1, 26);
            QCOMPARE(image(panel->buttonIcon(16), QSize(99, 99)),
                     label16.isEmpty() ? QImage() : blank);
            QCOMPARE(image(panel->buttonIcon(0), QSize(99, 99)), blank);
            QVERIFY(panel->buttonLabel(0) == "FAS" && !panel->isButtonEnabled(0));
            QCOMPARE(panel->optionSize(), QSize(54, 54));
        }
        if (mask.isEmpty())
            return;

        // "All slots" is a one-shot command: the switch shows the choice it reports, then nothing.
        QCOMPARE(rxAll->optionColumns(), 2);
        for (Switch *all : {rxAll, txAll}) {
            QCOMPARE(all->optionCount(), all == rxAll ? 2 : 3);
            QCOMPARE(all->optionSize(), QSize(54, 54));
            QCOMPARE(all->selectedOptions(), QBitArray(all->optionCount()));
            QBitArray chosen(all->optionCount());
            chosen.setBit(all == rxAll ? 1 : 2);
            all->selectOptions(chosen);
            Compat::emitSignal(all, "indexChanged", all == rxAll ? 1 : 2);
            QCOMPARE(all->selectedOptions(), QBitArray(all->optionCount()));
        }
        Compat::emitSignal(txAll, "indexChanged", -1);
        QCOMPARE(card->commandLog(),
                 (QStringList() << "timeslot rx " + mask + " pat"
                                << "timeslot tx " + mask + " voice"));
    }

    // Each view: the full panel's column 5 parts wide with large icons and spacing 5, the
    // compact one 2 parts with small icons and spacing 2, the switches' icons large; the
    // separator in the middle of the gap, the brackets down to the full panel's "All slots", and
    // the arrow from the other column through "Copy" up into the compact panel. Saved as PNG files.
    void eachViewHasItsIconsAndDecoration()
    {
        configure("pattern=2e23");
        openWindow();
        window->resize(800, 480);
        const auto dir = qEnvironmentVariable("E1_ARTIFACTS", QDir::tempPath() + "/e1-artifacts");
        QVERIFY(QDir().mkpath(dir));
        auto *columns = window->findChild<QHBoxLayout *>("horizontalLayout");
        for (bool txFull : {false, true}) {
            if (txFull)
                Compat::emitSignal(txSlots, "clicked");
            SwitchPanel *full = txFull ? txSlots : rxSlots, *compact = txFull ? rxSlots : txSlots;
            QVERIFY(!full->compact() && compact->compact());
            QCOMPARE(QPoint(full->buttonSpacing(), compact->buttonSpacing()), QPoint(5, 2));
            QCOMPARE(QPoint(columns->stretch(0), columns->stretch(1)),
                     txFull ? QPoint(2, 5) : QPoint(5, 2));
            const QImage voiceLarge(":/main/resource/voice.png"),
                voiceSmall(":/main/resource/voice_s.png");
            for (SwitchPanel *panel : {full, compact}) {
                const QSize size = panel == full ? QSize(32, 26) : QSize(20, 16);
                QCOMPARE(image(panel->optionIcon(1), size), prbsIcon("2e23", panel == full));
                QCOMPARE(image(panel->optionIcon(2), size),
                         (panel == full ? voiceLarge : voiceSmall).convertToFormat(Clear.format()));
                QVERIFY(panel->optionIcon(0).isNull());
            }
            for (Switch *all : {rxAll, txAll})
                QCOMPARE(image(all->optionIcon(1), QSize(32, 26)), prbsIcon("2e23", true));
            QCOMPARE(image(txAll->optionIcon(2), QSize(32, 26)),
                     voiceLarge.convertToFormat(Clear.format()));
            QVERIFY(rxAll->optionIcon(2).isNull() && txAll->optionIcon(0).isNull());

            QCoreApplication::processEvents();
            const QImage shot = Compat::grab(window).toImage();
            QVERIFY(shot.save(dir + "/timeslots-" + (txFull ? "transmit" : "receive") + ".png"));
            QList<int> separator; // the grey across the gap between the slot panels
            const int gapLeft = rxSlots->geometry().right() + 1, gapRight = txSlots->x() - 1;
            for (int x = gapLeft; x <= gapRight; ++x)
                if (shot.pixel(x, rxSlots->geometry().center().y()) == QColor(Qt::gray).rgb())
                    separator << x;
            QCOMPARE(separator.size(), 2);
            QVERIFY(qAbs(separator.first() + separator.last() + 1 - gapLeft - gapRight) <= 2);

            Switch *all = txFull ? txAll : rxAll;
            const QPoint holder = all->parentWidget()->mapTo(window, QPoint());
            const QRect s = all->geometry().translated(holder),
                        r(holder, all->parentWidget()->size());
            const int d = s.width() / 5, y = s.center().y();
            const QPoint across(1, 0), down(0, 1);
            QVERIFY(lineAt(shot, QPoint(r.left() + d, r.top() + 2), across, Bracket));
            QVERIFY(lineAt(shot, QPoint(r.right() - d, r.top() + 2), across, Bracket));
            QVERIFY(lineAt(shot, QPoint(s.left() - 7, y), down, Bracket));
            QVERIFY(lineAt(shot, QPoint(s.right() + 7, y), down, Bracket));
            QVERIFY(!lineAt(shot, QPoint(s.left() - 2, y), down, Bracket));
            QVERIFY(!lineAt(shot, QPoint(s.right() + 2, y), down, Bracket));

            auto *panel = window->findChild<QWidget *>(txFull ? "rxPanel" : "txPanel");
            const QPoint top = panel->mapTo(window, QPoint());
            const QRect b = panel->findChild<QPushButton *>()->geometry().translated(top);
            const int x = b.center().x();
            QVERIFY(lineAt(shot, QPoint(x, b.top() - 3), across, Bracket));
            QVERIFY(lineAt(shot, QPoint(x, top.y() + 14), across, Bracket));
            QCOMPARE(shot.pixel(x - 4, top.y() + 13), Head.rgb());
            QCOMPARE(shot.pixel(x + 3, top.y() + 13), Head.rgb());
            // Receive's line comes from the transmit column on its right, and the other way round.
            const QPoint from(txFull ? top.x() + panel->width() - 2 : top.x() + 1, b.center().y());
            const QPoint away(txFull ? top.x() + 1 : top.x() + panel->width() - 2, b.center().y());
            QVERIFY(lineAt(shot, from, down, Bracket) && !lineAt(shot, away, down, Bracket));
            if (txFull) { // a holder without its "Copy" button shows no arrow
                delete panel->findChild<QPushButton *>();
                QVERIFY(Compat::grab(window).toImage().pixel(x - 4, top.y() + 13) != Head.rgb());
            }
        }
    }

    // Without its images the window is built all the same: no PRBS or voice icons, and a voice
    // label without the loudspeaker.
    void windowWithoutItsImages()
    {
        QCOMPARE(qCleanupResources_timeslots(), 1);
        configure("speaker=on rx=00002");
        openWindow();
        QCOMPARE(qInitResources_timeslots(), 1);
        for (int option : {1, 2})
            QVERIFY(rxSlots->optionIcon(option).pixmap(32, 26).isNull());
        QCOMPARE(image(window->findChild<QPushButton *>("btnVoiceFunc")->icon(), QSize(220, 40))
                     .copy(Heard),
                 Clear);
    }

    // The PRBS icons are drawn again for a new pattern only, in both sizes and handed to the
    // current view; the voice label when what is heard and sent changes, keeping no caption once
    // without symbols. Reopening asks for the timeslots again; the PRBS dialog closes on a
    // choice; each dialog exists once and follows the line while closed.
    void windowRebuildsOnlyWhatChanged()
    {
        configure("speaker=on timeslot-rx-5=voice");
        openWindow();
        const qint64 prbs = rxAll->optionIcon(1).cacheKey();
        auto *button = window->findChild<QPushButton *>("btnVoiceFunc");
        const qint64 heard = button->icon().cacheKey();
        configure("speaker=off");
        settle();
        const QIcon plain = button->icon();
        QVERIFY(button->text().isEmpty() && plain.cacheKey() != heard);
        QCOMPARE(image(plain, QSize(220, 40)).copy(Heard), Clear);
        QCOMPARE(rxAll->optionIcon(1).cacheKey(), prbs);
        Compat::emitSignal(txSlots, "clicked");
        configure("pattern=all0");
        settle();
        QCOMPARE(button->icon().cacheKey(), plain.cacheKey());
        QCOMPARE(image(txSlots->optionIcon(1), QSize(32, 26)), prbsIcon("all0", true));
        QCOMPARE(image(rxAll->optionIcon(1), QSize(32, 26)), prbsIcon("all0", true));
        QCOMPARE(image(rxSlots->optionIcon(1), QSize(20, 16)), prbsIcon("all0", false));
        window->hide();
        window->show();
        QCOMPARE(card->commandLog(), QStringList("timeslot"));
        window->findChild<QPushButton *>("btnPrbs")->click();
        auto *prbsDialog = window->findChild<PrbsDialog *>();
        QVERIFY(prbsDialog->isVisible());
        QTest::mouseClick(prbsDialog->findChild<QWidget *>("pattern_2e9"), Qt::LeftButton);
        QVERIFY(!prbsDialog->isVisible());
        QCOMPARE(card->commandLog(),
                 (QStringList() << "timeslot"
                                << "pattern 2e9"));
        for (const char *name : {"btnVoiceFunc", "btnPrbs", "btnVoiceFunc"})
            window->findChild<QPushButton *>(name)->click();
        QCOMPARE(window->findChildren<PrbsDialog *>().size(), 1);
        QCOMPARE(window->findChildren<PrbsModel *>().size(), 1);
        QCOMPARE(prbsDialog->model()->controller(), card->controller());
        QCOMPARE(window->findChildren<VoiceDialog *>().size(), 1);
        window->findChild<VoiceDialog *>()->hide();
        configure("vfsource=tone");
        settle();
        QVERIFY(window->findChild<QAbstractButton *>("btnTone")->isChecked());
    }

    void voiceLabelShowsHeardAndSentVoice_data()
    {
        // Settings on a quiet line; the symbols heard and sent, "-" for none, or nothing when
        // the first update leaves the form's text alone.
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("symbols");
        row("heard", "speaker=on rx=00002", "speaker -");
        row("microphone", "vfsource=mic tx=000000002", "- microphone");
        row("tone", "structure=pcm30 vfsource=tone tx=000000002", "- tone");
        row("both", "structure=pcm30crc speaker=on vfsource=mic rx=00002 tx=2",
            "speaker microphone");
        row("no receive voice", "speaker=on vfsource=tone", "");
        row("no transmit voice", "vfsource=mic rx=00002", "");
        row("loudspeaker On is off", "speaker=On rx=00002", "");
        row("unstructured", "structure=unstr speaker=on vfsource=tone rx=00002 tx=2", "");
    }
    void voiceLabelShowsHeardAndSentVoice()
    {
        QFETCH(QString, settings);
        QFETCH(QString, symbols);
        configure(settings);
        openWindow();
        auto *button = window->findChild<QPushButton *>("btnVoiceFunc");
        QCOMPARE(button->text(), QString(symbols.isEmpty() ? "Voice" : ""));
        QCOMPARE(button->icon().isNull(), symbols.isEmpty());
        if (symbols.isEmpty())
            return;
        const QImage label = image(button->icon(), QSize(220, 40));
        const QStringList shown = symbols.split(' ');
        for (int i = 0; i < 2; ++i) {
            const QString path = QString(":/main/resource/%1.png").arg(shown.at(i));
            QCOMPARE(label.copy(i ? Sent : Heard),
                     shown.at(i) == "-" ? Clear : QImage(path).convertToFormat(Clear.format()));
        }
        // The caption in the button's text colour and the window's font at the button's size.
        // Painted on a pixmap, as the window paints it: Qt 4 on X11 sets text on a pixmap with
        // the X server's engine, at other glyph positions than its raster engine on an image.
        QPixmap caption(label.size());
        caption.fill(Qt::transparent);
        QPainter painter(&caption);
        painter.setFont(QFont("Liberation Sans", 16, QFont::Bold));
        painter.setPen(button->palette().color(QPalette::ButtonText));
        painter.drawText(caption.rect(), Qt::AlignCenter, "Voice...");
        painter.end();
        QCOMPARE(label.copy(Caption), image(QIcon(caption), label.size()).copy(Caption));
    }

private:
    // Builds the plug-in, which sends nothing until its window is shown as the host does.
    void openWindow()
    {
        plugin = new TimeSlots;
        window = plugin->window();
        rxSlots = window->findChild<SwitchPanel *>("rxSlots");
        txSlots = window->findChild<SwitchPanel *>("txSlots");
        rxAll = window->findChild<Switch *>("rxAll");
        txAll = window->findChild<Switch *>("txAll");
        QCoreApplication::processEvents();
        QVERIFY(card->commandLog().isEmpty());
        window->show();
        QCOMPARE(card->commandLog(), QStringList("timeslot"));
        settle();
        card->clearCommandLog();
    }
    void settle()
    {
        QTRY_VERIFY(!card->notificationPending());
        QCoreApplication::processEvents();
    }
    void configure(const QString &settings) { ::configure(*card, settings); }

    SimulatedCard *card = nullptr;
    TimeSlots *plugin = nullptr;
    QWidget *window = nullptr;
    SwitchPanel *rxSlots = nullptr, *txSlots = nullptr;
    Switch *rxAll = nullptr, *txAll = nullptr;
};

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
