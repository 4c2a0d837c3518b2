// SPDX-License-Identifier: GPL-3.0-or-later

// The timeslot window over a simulated card, driven as the host and the user drive it.

#include "timeslots.h"

#include <prbsdialog.h>
#include <prbsmodel.h>
#include <simulatedcard.h>
#include <switch.h>
#include <switchpanel.h>
#include <voicedialog.h>
#include <warningwindow.h>

#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

const QStringList VoiceWarning{"Only one timeslot may be selected for sound reception."};
const QColor Bracket = QColor(Qt::darkGray).lighter(135);
// The 220 x 40 voice label shows its symbols in 27 x 27 places at the two edges.
const QRect Heard(0, 6, 27, 27);
const QRect Sent(193, 6, 27, 27);

const QImage Clear = [] {
    QImage image(Heard.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}();

QImage labelPart(const QIcon &label, const QRect &part)
{
    return label.pixmap(220, 40).toImage().convertToFormat(Clear.format()).copy(part);
}

// Whether a line of width 2 through p covers p or a neighbour across it with the colour.
bool lineAt(const QImage &image, const QPoint &p, const QPoint &across, const QColor &color)
{
    const QRgb c = color.rgb();
    return image.pixel(p - across) == c || image.pixel(p) == c || image.pixel(p + across) == c;
}

// Closes every warning the window opens, as the user would, and remembers what it said.
struct WarningCloser : QTimer
{
    explicit WarningCloser(QWidget *window)
    {
        connect(this, &QTimer::timeout, [this, window] {
            for (WarningWindow *warning : window->findChildren<WarningWindow *>()) {
                texts << warning->findChild<QLabel *>("text")->text();
                warning->close();
            }
        });
        start(10);
    }
    QStringList texts;
};

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A quiet line: structured without signalling, no traffic on any timeslot, no voice.
    void init()
    {
        card = new SimulatedCard("e1");
        set("structure", "pcm31");
        setSlots("rx", QString());
        setSlots("tx", QString());
        set("pattern", "2e15");
        set("speaker", "off");
        set("vfsource", "off");
    }
    void cleanup()
    {
        delete plugin;
        plugin = nullptr;
        delete card;
    }
    void userChoiceSendsCommands_data();
    void userChoiceSendsCommands();
    void structureDecidesWhatCanBeEdited_data();
    void structureDecidesWhatCanBeEdited();
    void eachViewHasItsIconsAndDecoration_data();
    void eachViewHasItsIconsAndDecoration();
    void picturesRedrawnOnlyForNewContent();
    void voiceLabelShowsHeardAndSentVoice_data();
    void voiceLabelShowsHeardAndSentVoice();
    void reopeningSendsTimeslotAndKeepsTheDialogs();

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
        QVERIFY(rxSlots && txSlots && rxAll && txAll);
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
    // An empty value removes the key.
    void set(const QString &key, const QString &value)
    {
        value.isEmpty() ? card->removeConfigValue(key) : card->setConfigValue(key, value);
    }
    // One letter per timeslot 1 to 31: "p" pat, "v" voice; any other letter, or none, means none.
    void setSlots(const QString &direction, const QString &values)
    {
        for (int slot = 1; slot <= 31; ++slot) {
            const char letter = slot <= values.size() ? values.at(slot - 1).toLatin1() : 'n';
            set(QString("timeslot-%1-%2").arg(direction).arg(slot),
                letter == 'p'       ? "pat"
                    : letter == 'v' ? "voice"
                                    : "none");
        }
    }

    SimulatedCard *card = nullptr;
    TimeSlots *plugin = nullptr;
    QWidget *window = nullptr;
    SwitchPanel *rxSlots = nullptr, *txSlots = nullptr;
    Switch *rxAll = nullptr, *txAll = nullptr;
};

void tst_MainWindow::userChoiceSendsCommands_data()
{
    // "key=value", where "rx=" and "tx=" take the letters of setSlots().
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("action"); // "rx|tx slot option" on a panel, or a copy button
    QTest::addColumn<QStringList>("expected"); // commands sent, then warnings shown
    QTest::addColumn<QString>("refusal"); // the card's answer to the command

    const auto row = [](const char *name, const char *setup, const char *action,
                        const QStringList &expected, const char *refusal = "") {
        QTest::newRow(name) << QString(setup) << QString(action) << expected << QString(refusal);
    };
    const QStringList voice5{"timeslot rx 5 voice"};
    row("tx prbs", "timeslot-tx-5=none", "tx 5 1", {"timeslot tx 5 pat"});
    row("voice", "timeslot-rx-7=none", "rx 7 2", {"timeslot rx 7 voice"});
    row("rx off", "timeslot-rx-31=pat", "rx 31 0", {"timeslot rx 31 none"});
    row("same value", "timeslot-tx-3=voice", "tx 3 2", {});
    row("off over no value", "timeslot-rx-9=", "rx 9 0", {});
    row("negative index", "timeslot-rx-4=pat", "rx 4 -1", {});
    row("voice refused", "timeslot-rx-5=none", "rx 5 2", voice5 + VoiceWarning,
        "only one voice timeslot");
    row("other refusal", "timeslot-rx-5=none", "rx 5 2", voice5, "timeslot 16 is CAS");
    row("copy all off into rx without slot 16", "structure=pcm30", "copyToRx",
        {"timeslot rx 0xfffefffe none"});
    row("copy one voice among prbs into rx", "tx=ppppvpppppppppppppppppppppppppp", "copyToRx",
        {"timeslot rx 0xffffffde pat", "timeslot rx 0x00000020 voice"});
    row("copy 2 voices into rx", "tx=nnvnnnv", "copyToRx", VoiceWarning);
    row("copy 2 voices into tx", "rx=nnvnnnv", "copyToTx",
        {"timeslot tx 0xffffff76 none", "timeslot tx 0x00000088 voice"});
}

void tst_MainWindow::userChoiceSendsCommands()
{
    QFETCH(QString, setup);
    QFETCH(QString, action);
    QFETCH(QStringList, expected);
    QFETCH(QString, refusal);

    const QString key = setup.section('=', 0, 0), value = setup.section('=', 1);
    key.size() == 2 ? setSlots(key, value) : set(key, value);
    openWindow();
    WarningCloser closer(window);
    if (!refusal.isEmpty())
        card->refuseNext(refusal);
    const QStringList words = action.split(' ');
    if (words.size() == 3) {
        emit(words[0] == "rx" ? rxSlots : txSlots)
            ->indexChanged(words[1].toInt(), words[2].toInt());
    } else {
        // The only "Copy" on screen copies the full panel into the compact one.
        if (action == "copyToRx")
            emit txSlots->clicked();
        auto *copy = window->findChild<QPushButton *>(action);
        QVERIFY(copy->isVisible());
        QTest::mouseClick(copy, Qt::LeftButton);
    }
    QCOMPARE(card->commandLog() + closer.texts, expected);
}

void tst_MainWindow::structureDecidesWhatCanBeEdited_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("structure"); // empty: no value
    QTest::addColumn<QString>("mask"); // of "All slots"; empty: nothing can be edited

    const auto row
        = [](const char *name, const char *before, const char *structure, const char *mask) {
              QTest::newRow(name) << QString(before) << QString(structure) << QString(mask);
          };
    row("pcm30", "pcm31", "pcm30", "0xFFFEFFFE");
    row("pcm30crc", "pcm31", "pcm30crc", "0xFFFEFFFE");
    row("upper case PCM30", "pcm30", "PCM30", "0xFFFFFFFE");
    row("missing", "pcm30", "", "0xFFFFFFFE");
    row("unstr after pcm30", "pcm30", "unstr", "");
}

void tst_MainWindow::structureDecidesWhatCanBeEdited()
{
    QFETCH(QString, before);
    QFETCH(QString, structure);
    QFETCH(QString, mask);
    const QString label16 = mask == "0xFFFFFFFE" ? "" : "CAS";

    set("structure", before);
    openWindow();
    set("structure", structure);
    settle();
    const bool editable = !mask.isEmpty();
    for (const char *name : {"rxSlots", "rxAll", "copyToRx", "txSlots", "txAll", "copyToTx"})
        QCOMPARE(window->findChild<QWidget *>(name)->isEnabled(), editable);
    for (const char *name : {"btnPrbs", "btnVoiceFunc"})
        QVERIFY(window->findChild<QWidget *>(name)->isEnabled());
    for (SwitchPanel *panel : {rxSlots, txSlots}) {
        QCOMPARE(panel->buttonLabel(16), label16);
        QCOMPARE(panel->isButtonEnabled(16), label16.isEmpty());
        QCOMPARE(panel->buttonIcon(16).isNull(), label16.isEmpty());
        QVERIFY(panel->buttonLabel(0) == "FAS" && !panel->isButtonEnabled(0));
    }
    if (!editable)
        return;

    // "All slots" is a one-shot command: the switch shows the choice it reports, then nothing.
    for (Switch *all : {rxAll, txAll}) {
        QBitArray chosen(all->optionCount());
        chosen.setBit(all == rxAll ? 1 : 2);
        all->selectOptions(chosen);
        emit all->indexChanged(all == rxAll ? 1 : 2);
        QCOMPARE(all->selectedOptions(), QBitArray(all->optionCount()));
    }
    emit txAll->indexChanged(-1);
    QCOMPARE(card->commandLog(),
             QStringList({"timeslot rx " + mask + " pat", "timeslot tx " + mask + " voice"}));
}

void tst_MainWindow::eachViewHasItsIconsAndDecoration_data()
{
    QTest::addColumn<bool>("txFull");
    QTest::newRow("receive full") << false;
    QTest::newRow("transmit full") << true;
}

// Large icons on the full panel and both switches, small ones on the compact one; the separator,
// the brackets down to "All slots" and the arrow up from "Copy". Each view is saved as a PNG file.
void tst_MainWindow::eachViewHasItsIconsAndDecoration()
{
    QFETCH(bool, txFull);
    openWindow();
    window->resize(800, 480);
    if (txFull)
        emit txSlots->clicked();
    SwitchPanel *full = txFull ? txSlots : rxSlots, *compact = txFull ? rxSlots : txSlots;
    QVERIFY(!full->compact() && compact->compact());
    for (int option : {1, 2}) {
        QCOMPARE(full->optionIcon(option).actualSize(QSize(100, 100)), QSize(32, 26));
        QCOMPARE(compact->optionIcon(option).actualSize(QSize(100, 100)), QSize(20, 16));
        QCOMPARE(txAll->optionIcon(option).cacheKey(), full->optionIcon(option).cacheKey());
    }
    QCOMPARE(rxAll->optionIcon(1).cacheKey(), full->optionIcon(1).cacheKey());
    QCOMPARE(full->optionIcon(2).pixmap(QSize(32, 26)).toImage(),
             QPixmap(":/main/resource/voice.png").toImage());
    QCoreApplication::processEvents();
    const QImage image = window->grab().toImage();
    const QString dir = qEnvironmentVariable("E1_ARTIFACTS", QDir::tempPath() + "/e1-artifacts");
    QVERIFY(QDir().mkpath(dir));
    QVERIFY(image.save(dir + (txFull ? "/timeslots-transmit.png" : "/timeslots-receive.png")));
    const int x = (rxSlots->geometry().right() + txSlots->geometry().left()) / 2;
    QVERIFY(lineAt(image, QPoint(x, window->height() / 2), QPoint(1, 0), QColor(Qt::gray)));
    Switch *all = txFull ? txAll : rxAll;
    const QPoint holder = all->parentWidget()->mapTo(window, QPoint());
    const QRect s = all->geometry().translated(holder);
    QVERIFY(lineAt(image, holder + QPoint(s.width() / 5, 2), QPoint(1, 0), Bracket));
    QVERIFY(lineAt(image, QPoint(s.left() - 8, s.center().y()), QPoint(0, 1), Bracket));
    auto *panel = window->findChild<QWidget *>(txFull ? "rxPanel" : "txPanel");
    const QPoint top = panel->mapTo(window, QPoint());
    const QRect b = panel->findChild<QPushButton *>()->geometry().translated(top);
    QVERIFY(lineAt(image, QPoint(b.center().x(), b.top() - 3), QPoint(1, 0), Bracket));
    QCOMPARE(image.pixel(b.center().x(), top.y() + 10), QColor(Qt::darkGray).lighter(130).rgb());
}

// The PRBS icons change with the pattern, in both sizes and handed to the current view; the voice
// label changes with what is heard and sent, keeping no caption once without symbols.
void tst_MainWindow::picturesRedrawnOnlyForNewContent()
{
    set("speaker", "on");
    set("timeslot-rx-5", "voice");
    openWindow();
    const QIcon prbs = rxAll->optionIcon(1);
    const qint64 prbsSmall = txSlots->optionIcon(1).cacheKey();
    auto *button = window->findChild<QPushButton *>("btnVoiceFunc");
    const qint64 voice = button->icon().cacheKey();
    QVERIFY(!prbs.isNull() && !button->icon().isNull());
    set("speaker", "off");
    settle();
    const QIcon plain = button->icon();
    QCOMPARE(button->text(), QString());
    QVERIFY(plain.cacheKey() != voice);
    QCOMPARE(labelPart(plain, Heard), Clear);
    QCOMPARE(rxAll->optionIcon(1).cacheKey(), prbs.cacheKey());
    emit txSlots->clicked();
    set("pattern", "all0");
    settle();
    QCOMPARE(button->icon().cacheKey(), plain.cacheKey());
    const QIcon large = rxAll->optionIcon(1);
    QVERIFY(large.pixmap(QSize(32, 26)).toImage() != prbs.pixmap(QSize(32, 26)).toImage());
    QCOMPARE(txSlots->optionIcon(1).cacheKey(), large.cacheKey());
    QCOMPARE(txAll->optionIcon(1).cacheKey(), large.cacheKey());
    QVERIFY(rxSlots->optionIcon(1).cacheKey() != prbsSmall);
}

void tst_MainWindow::voiceLabelShowsHeardAndSentVoice_data()
{
    // Structure, loudspeaker, source, and the directions with a voice timeslot; the symbols heard
    // and sent, "-" for none, or nothing when the first update leaves the form's text alone.
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("symbols");

    const auto row = [](const char *name, const char *settings, const char *symbols) {
        QTest::newRow(name) << QString(settings) << QString(symbols);
    };
    row("heard", "pcm31 on off rx", "speaker -");
    row("microphone", "pcm31 off mic tx", "- microphone");
    row("tone", "pcm30 off tone tx", "- tone");
    row("heard and microphone", "pcm30crc on mic rx tx", "speaker microphone");
    row("no receive voice", "pcm31 on tone", "");
    row("no transmit voice", "pcm31 off mic rx", "");
    row("unstructured", "unstr on tone rx tx", "");
}

void tst_MainWindow::voiceLabelShowsHeardAndSentVoice()
{
    QFETCH(QString, settings);
    QFETCH(QString, symbols);

    const QStringList words = settings.split(' ');
    set("structure", words.at(0));
    set("speaker", words.at(1));
    set("vfsource", words.at(2));
    set("timeslot-rx-5", words.contains("rx") ? "voice" : "none");
    set("timeslot-tx-9", words.contains("tx") ? "voice" : "none");
    openWindow();
    auto *button = window->findChild<QPushButton *>("btnVoiceFunc");
    QCOMPARE(button->text(), QString(symbols.isEmpty() ? "Voice" : ""));
    QCOMPARE(button->icon().isNull(), symbols.isEmpty());
    if (symbols.isEmpty())
        return;
    const QStringList shown = symbols.split(' ');
    for (int i : {0, 1}) {
        const QRect place = i ? Sent : Heard;
        const QString path = QString(":/main/resource/%1.png").arg(shown.at(i));
        QCOMPARE(labelPart(button->icon(), place),
                 shown.at(i) == "-" ? Clear : QImage(path).convertToFormat(Clear.format()));
    }
}

void tst_MainWindow::reopeningSendsTimeslotAndKeepsTheDialogs()
{
    openWindow();
    window->hide();
    window->show();
    QCOMPARE(card->commandLog(), QStringList("timeslot"));
    for (const char *button : {"btnPrbs", "btnVoiceFunc", "btnPrbs", "btnVoiceFunc"})
        window->findChild<QPushButton *>(button)->click();
    QCOMPARE(window->findChildren<PrbsDialog *>().size(), 1);
    QCOMPARE(window->findChildren<PrbsModel *>().size(), 1);
    QCOMPARE(window->findChild<PrbsDialog *>()->model()->controller(), card->controller());
    QCOMPARE(window->findChildren<VoiceDialog *>().size(), 1);
    // The voice dialog follows the configuration while closed.
    auto *voice = window->findChild<VoiceDialog *>();
    voice->hide();
    set("vfsource", "tone");
    settle();
    QVERIFY(voice->findChild<QAbstractButton *>("btnTone")->isChecked());
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
