// SPDX-License-Identifier: GPL-3.0-or-later

// The timeslot window over a simulated card, driven as the host and the user drive it: commands
// sent, warnings shown, dialogs opened, icons and labels drawn, and the window's own painting.

#include "timeslots.h"

#include <prbsdialog.h>
#include <prbsmodel.h>
#include <simulatedcard.h>
#include <switch.h>
#include <switchpanel.h>
#include <voicedialog.h>
#include <warningwindow.h>

#include <QBitArray>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

const QStringList VoiceWarning{
    QStringLiteral("Only one timeslot may be selected for sound reception.")};
const QColor Bracket = QColor(Qt::darkGray).lighter(135);
// The 220 x 40 voice label shows its symbols in 27 x 27 places at the two edges.
const QRect Heard(0, 6, 27, 27);
const QRect Sent(193, 6, 27, 27);

QString slotKey(const QString &direction, int slot)
{
    return QStringLiteral("timeslot-%1-%2").arg(direction).arg(slot);
}

QImage argb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage transparent(const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage labelPart(const QIcon &label, const QRect &part)
{
    return argb(label.pixmap(QSize(220, 40)).toImage()).copy(part);
}

// Whether a line of width 2 through p covers p or a neighbour across it with the colour.
bool lineAt(const QImage &image, const QPoint &p, const QPoint &across, const QColor &color)
{
    for (int i = -1; i <= 1; ++i) {
        if (image.pixelColor(p + i * across).rgb() == color.rgb())
            return true;
    }
    return false;
}

// Closes every warning the window opens, as the user would, and remembers what it said.
struct WarningCloser
{
    explicit WarningCloser(QWidget *window)
    {
        QObject::connect(&timer, &QTimer::timeout, &timer, [this, window] {
            for (WarningWindow *warning : window->findChildren<WarningWindow *>()) {
                texts << warning->findChild<QLabel *>(QStringLiteral("text"))->text();
                warning->close();
            }
        });
        timer.start(10);
    }
    QStringList texts;
    QTimer timer;
};

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void buildingSendsNothingAndEachShowSendsTimeslot();
    void slotChoiceSendsOneCommand_data();
    void slotChoiceSendsOneCommand();
    void copySendsMaskCommands_data();
    void copySendsMaskCommands();
    void structureDecidesWhatCanBeEdited_data();
    void structureDecidesWhatCanBeEdited();
    void eachViewHasItsIconsAndDecoration_data();
    void eachViewHasItsIconsAndDecoration();
    void picturesRedrawnOnlyForNewContent();
    void voiceLabelShowsHeardAndSentVoice_data();
    void voiceLabelShowsHeardAndSentVoice();
    void dialogsAreBuiltOnce();

private:
    void openWindow();
    void settle();
    void set(const QString &key, const QString &value);
    void setSlots(const QString &direction, const QString &values);

    SimulatedCard *card = nullptr;
    TimeSlots *plugin = nullptr;
    QWidget *window = nullptr;
    SwitchPanel *rxSlots = nullptr;
    SwitchPanel *txSlots = nullptr;
    Switch *rxAll = nullptr;
    Switch *txAll = nullptr;
};

// A quiet line: structured without signalling, no traffic on any timeslot, no voice.
void tst_MainWindow::init()
{
    card = new SimulatedCard(QStringLiteral("e1"));
    set("structure", "pcm31");
    setSlots("rx", QString());
    setSlots("tx", QString());
    set("pattern", "2e15");
    set("speaker", "off");
    set("vfsource", "off");
}

void tst_MainWindow::cleanup()
{
    delete plugin;
    plugin = nullptr;
    delete card;
}

// Builds the plug-in, shows its window as the host does and waits for the card's answer.
void tst_MainWindow::openWindow()
{
    plugin = new TimeSlots;
    window = plugin->window();
    rxSlots = window->findChild<SwitchPanel *>(QStringLiteral("rxSlots"));
    txSlots = window->findChild<SwitchPanel *>(QStringLiteral("txSlots"));
    rxAll = window->findChild<Switch *>(QStringLiteral("rxAll"));
    txAll = window->findChild<Switch *>(QStringLiteral("txAll"));
    QVERIFY(rxSlots && txSlots && rxAll && txAll);
    window->show();
    settle();
    card->clearCommandLog();
}

void tst_MainWindow::settle()
{
    QCoreApplication::processEvents();
    QTRY_VERIFY(!card->notificationPending());
    QCoreApplication::processEvents();
}

// An empty value removes the key.
void tst_MainWindow::set(const QString &key, const QString &value)
{
    if (value.isEmpty())
        card->removeConfigValue(key);
    else
        card->setConfigValue(key, value);
}

// One letter per timeslot 1 to 31: "p" pat, "v" voice; any other letter, or none, means none.
void tst_MainWindow::setSlots(const QString &direction, const QString &values)
{
    for (int slot = 1; slot <= 31; ++slot) {
        const char letter = slot <= values.size() ? values.at(slot - 1).toLatin1() : 'n';
        set(slotKey(direction, slot), letter == 'p' ? "pat" : letter == 'v' ? "voice" : "none");
    }
}

void tst_MainWindow::buildingSendsNothingAndEachShowSendsTimeslot()
{
    card->clearCommandLog();
    plugin = new TimeSlots;
    window = plugin->window();
    QCoreApplication::processEvents();
    QVERIFY(card->commandLog().isEmpty());
    window->show();
    window->hide();
    window->show();
    QCOMPARE(card->commandLog(), QStringList({"timeslot", "timeslot"}));
}

void tst_MainWindow::slotChoiceSendsOneCommand_data()
{
    QTest::addColumn<QString>("direction");
    QTest::addColumn<QString>("configured"); // empty: no value
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("option");
    QTest::addColumn<QStringList>("expected"); // commands sent, then warnings shown
    QTest::addColumn<QString>("refusal"); // the card's answer to the command

    const QString rx = QStringLiteral("rx");
    const QString tx = QStringLiteral("tx");
    const QString none;
    const QStringList voice5{"timeslot rx 5 voice"};
    QTest::newRow("tx prbs") << tx << "none" << 5 << 1 << QStringList{"timeslot tx 5 pat"} << none;
    QTest::newRow("voice") << rx << "none" << 7 << 2 << QStringList{"timeslot rx 7 voice"} << none;
    QTest::newRow("rx off") << rx << "pat" << 31 << 0 << QStringList{"timeslot rx 31 none"} << none;
    QTest::newRow("same value") << tx << "voice" << 3 << 2 << QStringList() << none;
    QTest::newRow("off over no value") << rx << "" << 9 << 0 << QStringList() << none;
    QTest::newRow("negative index") << rx << "pat" << 4 << -1 << QStringList() << none;
    QTest::newRow("voice refused")
        << rx << "none" << 5 << 2 << voice5 + VoiceWarning << "only one voice timeslot";
    QTest::newRow("other refusal") << rx << "none" << 5 << 2 << voice5 << "timeslot 16 is CAS";
}

void tst_MainWindow::slotChoiceSendsOneCommand()
{
    QFETCH(QString, direction);
    QFETCH(QString, configured);
    QFETCH(int, slot);
    QFETCH(int, option);
    QFETCH(QStringList, expected);
    QFETCH(QString, refusal);

    set(slotKey(direction, slot), configured);
    openWindow();
    WarningCloser closer(window);
    if (!refusal.isEmpty())
        card->refuseNext(refusal);
    emit(direction == QLatin1String("rx") ? rxSlots : txSlots)->indexChanged(slot, option);
    QCOMPARE(card->commandLog() + closer.texts, expected);
}

void tst_MainWindow::copySendsMaskCommands_data()
{
    QTest::addColumn<bool>("intoRx");
    QTest::addColumn<QString>("structure");
    QTest::addColumn<QString>("source"); // see setSlots()
    QTest::addColumn<QStringList>("expected"); // commands sent, then warnings shown

    const QString oneVoice = QStringLiteral("ppppvpppppppppppppppppppppppppp");
    const QString twoVoices = QStringLiteral("nnvnnnv");
    QTest::newRow("all off into rx without slot 16")
        << true << "pcm30" << QString() << QStringList{"timeslot rx 0xfffefffe none"};
    QTest::newRow("one voice among prbs into rx")
        << true << "pcm31" << oneVoice
        << QStringList{"timeslot rx 0xffffffde pat", "timeslot rx 0x00000020 voice"};
    QTest::newRow("2 voices into rx") << true << "pcm31" << twoVoices << VoiceWarning;
    QTest::newRow("2 voices into tx")
        << false << "pcm31" << twoVoices
        << QStringList{"timeslot tx 0xffffff76 none", "timeslot tx 0x00000088 voice"};
}

void tst_MainWindow::copySendsMaskCommands()
{
    QFETCH(bool, intoRx);
    QFETCH(QString, structure);
    QFETCH(QString, source);
    QFETCH(QStringList, expected);

    set("structure", structure);
    setSlots(intoRx ? "tx" : "rx", source);
    openWindow();
    // The only "Copy" on screen copies the full panel into the compact one.
    if (intoRx)
        emit txSlots->clicked();
    auto *copy = window->findChild<QPushButton *>(intoRx ? "copyToRx" : "copyToTx");
    QVERIFY(copy->isVisible());
    WarningCloser closer(window);
    QTest::mouseClick(copy, Qt::LeftButton);
    QCOMPARE(card->commandLog() + closer.texts, expected);
}

void tst_MainWindow::structureDecidesWhatCanBeEdited_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("structure"); // empty: no value
    QTest::addColumn<QString>("label16");
    QTest::addColumn<QString>("mask"); // of "All slots"

    const QString pcm30 = QStringLiteral("pcm30");
    const QString cas = QStringLiteral("CAS");
    const QString free;
    const QString without16 = QStringLiteral("0xFFFEFFFE");
    const QString all = QStringLiteral("0xFFFFFFFE");
    QTest::newRow("pcm30") << QStringLiteral("pcm31") << pcm30 << cas << without16;
    QTest::newRow("pcm30crc") << QStringLiteral("pcm31") << "pcm30crc" << cas << without16;
    QTest::newRow("upper case PCM30") << pcm30 << "PCM30" << free << all;
    QTest::newRow("missing") << pcm30 << "" << free << all;
    QTest::newRow("unstr after pcm30") << pcm30 << "unstr" << cas << QString();
}

void tst_MainWindow::structureDecidesWhatCanBeEdited()
{
    QFETCH(QString, before);
    QFETCH(QString, structure);
    QFETCH(QString, label16);
    QFETCH(QString, mask);

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

// Each view, at the size of the instrument's screen, is also saved as a PNG file.
void tst_MainWindow::eachViewHasItsIconsAndDecoration()
{
    QFETCH(bool, txFull);
    openWindow();
    window->resize(800, 480);
    if (txFull)
        emit txSlots->clicked();
    SwitchPanel *full = txFull ? txSlots : rxSlots;
    SwitchPanel *compact = txFull ? rxSlots : txSlots;
    QVERIFY(!full->compact() && compact->compact());
    // Large icons on the full panel and both switches, small ones on the compact panel.
    for (int option : {1, 2}) {
        QCOMPARE(full->optionIcon(option).actualSize(QSize(100, 100)), QSize(32, 26));
        QCOMPARE(compact->optionIcon(option).actualSize(QSize(100, 100)), QSize(20, 16));
        QCOMPARE(txAll->optionIcon(option).cacheKey(), full->optionIcon(option).cacheKey());
    }
    QCOMPARE(rxAll->optionIcon(1).cacheKey(), full->optionIcon(1).cacheKey());
    QCOMPARE(full->optionIcon(2).pixmap(QSize(32, 26)).toImage(),
             QPixmap(QStringLiteral(":/main/resource/voice.png")).toImage());

    QCoreApplication::processEvents();
    const QImage image = window->grab().toImage();
    const QString dir = qEnvironmentVariable("E1_ARTIFACTS", QDir::tempPath() + "/e1-artifacts");
    QVERIFY(QDir().mkpath(dir));
    QVERIFY(image.save(dir + (txFull ? "/timeslots-transmit.png" : "/timeslots-receive.png")));
    // The separator between the columns, the brackets from the full panel down to its "All
    // slots" switch, and the arrow from the "Copy" button up into the compact panel.
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
    QCOMPARE(image.pixelColor(b.center().x(), top.y() + 10).rgb(),
             QColor(Qt::darkGray).lighter(130).rgb());
}

// The PRBS icons change with the pattern, the voice label with what is heard and sent.
void tst_MainWindow::picturesRedrawnOnlyForNewContent()
{
    set("speaker", "on");
    set(slotKey("rx", 5), "voice");
    openWindow();
    const QIcon prbs = rxAll->optionIcon(1);
    const qint64 prbsSmall = txSlots->optionIcon(1).cacheKey();
    auto *button = window->findChild<QPushButton *>(QStringLiteral("btnVoiceFunc"));
    const qint64 voice = button->icon().cacheKey();
    QVERIFY(!prbs.isNull() && !button->icon().isNull());

    // Back to no voice: the label keeps its caption, without symbols.
    set("speaker", "off");
    settle();
    const QIcon plain = button->icon();
    QCOMPARE(button->text(), QString());
    QVERIFY(plain.cacheKey() != voice);
    QCOMPARE(labelPart(plain, Heard), transparent(Heard.size()));
    QCOMPARE(rxAll->optionIcon(1).cacheKey(), prbs.cacheKey());

    // A new pattern redraws both PRBS sizes and hands them out again, to the current view.
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
    // Structure, loudspeaker, source, and the directions with a voice timeslot.
    QTest::addColumn<QString>("settings");
    // The symbols heard and sent, "-" for none; empty when the button keeps its text.
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

    const QStringList words = settings.split(QLatin1Char(' '));
    set("structure", words.at(0));
    set("speaker", words.at(1));
    set("vfsource", words.at(2));
    set(slotKey("rx", 5), words.contains("rx") ? "voice" : "none");
    set(slotKey("tx", 9), words.contains("tx") ? "voice" : "none");
    openWindow();

    // With nothing to show, the first update leaves the form's text alone.
    auto *button = window->findChild<QPushButton *>(QStringLiteral("btnVoiceFunc"));
    QCOMPARE(button->text(), QString(symbols.isEmpty() ? "Voice" : ""));
    QCOMPARE(button->icon().isNull(), symbols.isEmpty());
    if (symbols.isEmpty())
        return;
    const QStringList shown = symbols.split(QLatin1Char(' '));
    for (int i : {0, 1}) {
        const QRect place = i ? Sent : Heard;
        const QString path = QStringLiteral(":/main/resource/%1.png").arg(shown.at(i));
        QCOMPARE(labelPart(button->icon(), place),
                 shown.at(i) == "-" ? transparent(place.size()) : argb(QImage(path)));
    }
}

void tst_MainWindow::dialogsAreBuiltOnce()
{
    openWindow();
    for (int press = 0; press < 2; ++press) {
        window->findChild<QPushButton *>(QStringLiteral("btnPrbs"))->click();
        window->findChild<QPushButton *>(QStringLiteral("btnVoiceFunc"))->click();
    }
    QCOMPARE(window->findChildren<PrbsDialog *>().size(), 1);
    QCOMPARE(window->findChildren<PrbsModel *>().size(), 1);
    QCOMPARE(window->findChild<PrbsDialog *>()->model()->controller(), card->controller());
    QCOMPARE(window->findChildren<VoiceDialog *>().size(), 1);

    // The voice dialog follows the configuration while closed.
    auto *voice = window->findChild<VoiceDialog *>();
    voice->hide();
    set("vfsource", "tone");
    settle();
    QVERIFY(voice->findChild<QAbstractButton *>(QStringLiteral("btnTone"))->isChecked());
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
