// SPDX-License-Identifier: GPL-3.0-or-later

// The timeslot window driven as the host and the user drive it: the plug-in object over a
// simulated card, configuration set on the card, the panels' and switches' signals emitted,
// buttons pressed, and the card's command log read.

#include "mainwindow.h"
#include "timeslots.h"

#include <prbsdialog.h>
#include <prbsmodel.h>
#include <simulatedcard.h>
#include <switch.h>
#include <switchpanel.h>
#include <voicedialog.h>
#include <warningwindow.h>

#include <QBitArray>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

namespace {

const QString Unset = QStringLiteral("<unset>");

QImage argb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QString slotKey(const QString &direction, int slot)
{
    return QStringLiteral("timeslot-%1-%2").arg(direction).arg(slot);
}

// Closes every warning the window opens, as the user would, and remembers what it said.
class WarningCloser : public QObject
{
public:
    explicit WarningCloser(QWidget *window)
        : window(window)
    {
        connect(&timer, &QTimer::timeout, this, &WarningCloser::closeWarnings);
        timer.start(10);
    }

    QStringList texts;

private:
    void closeWarnings()
    {
        if (!window)
            return;
        const QList<WarningWindow *> warnings = window->findChildren<WarningWindow *>();
        for (WarningWindow *warning : warnings) {
            if (!warning->isVisible())
                continue;
            const QLabel *text = warning->findChild<QLabel *>(QStringLiteral("text"));
            texts << (text ? text->text() : QString());
            warning->close();
        }
    }

    QPointer<QWidget> window;
    QTimer timer;
};

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void buildingSendsNoCommand();
    void everyShowSendsTimeslot();
    void opensInTheReceiveView();

    void slotChoiceSendsOneCommand_data();
    void slotChoiceSendsOneCommand();
    void allSlotsIsAOneShotCommand_data();
    void allSlotsIsAOneShotCommand();
    void copySendsMaskCommands_data();
    void copySendsMaskCommands();
    void onlyVoiceRefusalsWarn_data();
    void onlyVoiceRefusalsWarn();

    void configuredValueSelectsOption_data();
    void configuredValueSelectsOption();
    void structureDecidesWhatCanBeEdited_data();
    void structureDecidesWhatCanBeEdited();

    void optionIconsFollowTheFullPanel_data();
    void optionIconsFollowTheFullPanel();
    void prbsIconsRedrawnOnlyForANewPattern();
    void voiceLabelShowsHeardAndSentVoice_data();
    void voiceLabelShowsHeardAndSentVoice();
    void voiceLabelKeepsItsPictureOnceDrawn();

    void dialogsAreBuiltOnce();
    void voiceDialogFollowsUpdatesWhileClosed();
    void languageChangeRetranslatesTheForm();

private:
    void openWindow();
    void settle();
    void setSlots(const QString &direction, const QString &values);
    QStringList commandsAfter(const std::function<void()> &action);

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
    card->setConfigValue(QStringLiteral("structure"), QStringLiteral("pcm31"));
    setSlots(QStringLiteral("rx"), QString());
    setSlots(QStringLiteral("tx"), QString());
    card->setConfigValue(QStringLiteral("pattern"), QStringLiteral("2e15"));
    card->setConfigValue(QStringLiteral("speaker"), QStringLiteral("off"));
    card->setConfigValue(QStringLiteral("vfsource"), QStringLiteral("off"));
}

void tst_MainWindow::cleanup()
{
    delete plugin;
    plugin = nullptr;
    window = nullptr;
    delete card;
    card = nullptr;
}

// Builds the plug-in and shows its window the way the host does, and waits until the card's
// answer to the show has arrived.
void tst_MainWindow::openWindow()
{
    plugin = new TimeSlots;
    window = plugin->window();
    QVERIFY(window);
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

// Sets the timeslots 1 to 31 of a direction from a text of one letter per slot: "n" none,
// "p" pat, "v" voice, "-" no value; missing letters mean none.
void tst_MainWindow::setSlots(const QString &direction, const QString &values)
{
    for (int slot = 1; slot <= 31; ++slot) {
        const QChar letter = slot <= values.size() ? values.at(slot - 1) : QLatin1Char('n');
        const QString key = slotKey(direction, slot);
        if (letter == QLatin1Char('-'))
            card->removeConfigValue(key);
        else if (letter == QLatin1Char('p'))
            card->setConfigValue(key, QStringLiteral("pat"));
        else if (letter == QLatin1Char('v'))
            card->setConfigValue(key, QStringLiteral("voice"));
        else
            card->setConfigValue(key, QStringLiteral("none"));
    }
}

QStringList tst_MainWindow::commandsAfter(const std::function<void()> &action)
{
    card->clearCommandLog();
    action();
    return card->commandLog();
}

void tst_MainWindow::buildingSendsNoCommand()
{
    card->clearCommandLog();
    plugin = new TimeSlots;
    window = plugin->window();
    QCoreApplication::processEvents();
    QCOMPARE(card->commandLog(), QStringList());
}

void tst_MainWindow::everyShowSendsTimeslot()
{
    plugin = new TimeSlots;
    window = plugin->window();
    card->clearCommandLog();
    window->show();
    window->hide();
    window->show();
    QCOMPARE(card->commandLog(),
             QStringList() << "timeslot"
                           << "timeslot");
}

void tst_MainWindow::opensInTheReceiveView()
{
    openWindow();
    QVERIFY(!rxSlots->compact());
    QVERIFY(txSlots->compact());
    QVERIFY(window->findChild<QWidget *>(QStringLiteral("rxAllWidget"))->isVisible());
    QVERIFY(!window->findChild<QWidget *>(QStringLiteral("txAllWidget"))->isVisible());
    QVERIFY(!window->findChild<QWidget *>(QStringLiteral("rxPanel"))->isVisible());
    QVERIFY(window->findChild<QWidget *>(QStringLiteral("txPanel"))->isVisible());

    // Timeslot 0 carries frame alignment in both directions.
    for (SwitchPanel *panel : {rxSlots, txSlots}) {
        QCOMPARE(panel->buttonLabel(0), QStringLiteral("FAS"));
        QVERIFY(!panel->isButtonEnabled(0));
        QCOMPARE(panel->buttonIcon(0).actualSize(QSize(100, 100)), QSize(1, 26));
    }
    QCOMPARE(rxAll->optionCount(), 2);
    QCOMPARE(rxAll->optionColumns(), 2);
    QCOMPARE(txAll->optionCount(), 3);
    QCOMPARE(rxAll->text(), QStringLiteral("All slots"));
    QCOMPARE(rxAll->selectedOptions(), QBitArray(2));
    QCOMPARE(txAll->selectedOptions(), QBitArray(3));
}

void tst_MainWindow::slotChoiceSendsOneCommand_data()
{
    QTest::addColumn<QString>("direction");
    QTest::addColumn<QString>("configured");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("option");
    QTest::addColumn<QStringList>("expected");

    const QString rx = QStringLiteral("rx");
    const QString tx = QStringLiteral("tx");
    QTest::newRow("tx prbs over none")
        << tx << "none" << 5 << 1 << QStringList {"timeslot tx 5 pat"};
    QTest::newRow("rx voice over none")
        << rx << "none" << 7 << 2 << QStringList {"timeslot rx 7 voice"};
    QTest::newRow("rx off over prbs")
        << rx << "pat" << 31 << 0 << QStringList {"timeslot rx 31 none"};
    QTest::newRow("tx prbs over unset key")
        << tx << Unset << 12 << 1 << QStringList {"timeslot tx 12 pat"};
    QTest::newRow("tx same value") << tx << "voice" << 3 << 2 << QStringList();
    QTest::newRow("rx off over unset key") << rx << Unset << 9 << 0 << QStringList();
    QTest::newRow("rx no option") << rx << "pat" << 4 << -1 << QStringList();
}

void tst_MainWindow::slotChoiceSendsOneCommand()
{
    QFETCH(QString, direction);
    QFETCH(QString, configured);
    QFETCH(int, slot);
    QFETCH(int, option);
    QFETCH(QStringList, expected);

    if (configured == Unset)
        card->removeConfigValue(slotKey(direction, slot));
    else
        card->setConfigValue(slotKey(direction, slot), configured);
    openWindow();

    SwitchPanel *panel = direction == QLatin1String("rx") ? rxSlots : txSlots;
    const QStringList sent = commandsAfter([&] { emit panel->indexChanged(slot, option); });
    QCOMPARE(sent, expected);
}

void tst_MainWindow::allSlotsIsAOneShotCommand_data()
{
    QTest::addColumn<QString>("direction");
    QTest::addColumn<QString>("structure");
    QTest::addColumn<int>("option");
    QTest::addColumn<QStringList>("expected");

    const QString rx = QStringLiteral("rx");
    const QString tx = QStringLiteral("tx");
    QTest::newRow("rx prbs on pcm30")
        << rx << "pcm30" << 1 << QStringList {"timeslot rx 0xFFFEFFFE pat"};
    QTest::newRow("rx prbs on pcm30 longer variant")
        << rx << "pcm30crc" << 1 << QStringList {"timeslot rx 0xFFFEFFFE pat"};
    QTest::newRow("rx prbs on pcm31")
        << rx << "pcm31" << 1 << QStringList {"timeslot rx 0xFFFFFFFE pat"};
    QTest::newRow("rx off on pcm31")
        << rx << "pcm31" << 0 << QStringList {"timeslot rx 0xFFFFFFFE none"};
    QTest::newRow("tx voice on pcm30")
        << tx << "pcm30" << 2 << QStringList {"timeslot tx 0xFFFEFFFE voice"};
    QTest::newRow("tx voice on pcm31crc")
        << tx << "pcm31crc" << 2 << QStringList {"timeslot tx 0xFFFFFFFE voice"};
    QTest::newRow("tx no option") << tx << "pcm31" << -1 << QStringList();
}

void tst_MainWindow::allSlotsIsAOneShotCommand()
{
    QFETCH(QString, direction);
    QFETCH(QString, structure);
    QFETCH(int, option);
    QFETCH(QStringList, expected);

    card->setConfigValue(QStringLiteral("structure"), structure);
    openWindow();
    if (direction == QLatin1String("tx"))
        emit txSlots->clicked();
    Switch *all = direction == QLatin1String("rx") ? rxAll : txAll;

    // The switch shows the user's choice when it reports it.
    QBitArray chosen(all->optionCount());
    if (option >= 0)
        chosen.setBit(option);
    {
        const QSignalBlocker blocker(all);
        all->selectOptions(chosen);
    }
    const QStringList sent = commandsAfter([&] { emit all->indexChanged(option); });
    QCOMPARE(sent, expected);
    QCOMPARE(all->selectedOptions(), QBitArray(all->optionCount()));
}

void tst_MainWindow::copySendsMaskCommands_data()
{
    QTest::addColumn<QString>("into");
    QTest::addColumn<QString>("structure");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("warnings");

    // Source panels, one letter per timeslot 1 to 31 (see setSlots()).
    const QString allOff;
    const QString unset(31, QLatin1Char('-'));
    QString voiceOn5(31, QLatin1Char('p'));
    voiceOn5[4] = QLatin1Char('v');
    QString voiceOn3And7(31, QLatin1Char('n'));
    voiceOn3And7[2] = QLatin1Char('v');
    voiceOn3And7[6] = QLatin1Char('v');

    const QString rx = QStringLiteral("rx");
    const QString tx = QStringLiteral("tx");
    QTest::newRow("all off into rx without slot 16")
        << rx << "pcm30" << allOff << QStringList {"timeslot rx 0xfffefffe none"} << 0;
    QTest::newRow("all off into tx")
        << tx << "pcm31" << allOff << QStringList {"timeslot tx 0xfffffffe none"} << 0;
    QTest::newRow("one voice among prbs into rx")
        << rx << "pcm31" << voiceOn5
        << QStringList {"timeslot rx 0xffffffde pat", "timeslot rx 0x00000020 voice"} << 0;
    QTest::newRow("one voice among prbs into rx without slot 16")
        << rx << "pcm30crc" << voiceOn5
        << QStringList {"timeslot rx 0xfffeffde pat", "timeslot rx 0x00000020 voice"} << 0;
    QTest::newRow("unset keys copy as off")
        << tx << "pcm31" << unset << QStringList {"timeslot tx 0xfffffffe none"} << 0;
    QTest::newRow("two voices into rx warn") << rx << "pcm31" << voiceOn3And7 << QStringList() << 1;
    QTest::newRow("two voices into tx")
        << tx << "pcm31" << voiceOn3And7
        << QStringList {"timeslot tx 0xffffff76 none", "timeslot tx 0x00000088 voice"} << 0;
}

void tst_MainWindow::copySendsMaskCommands()
{
    QFETCH(QString, into);
    QFETCH(QString, structure);
    QFETCH(QString, source);
    QFETCH(QStringList, expected);
    QFETCH(int, warnings);

    const bool intoRx = into == QLatin1String("rx");
    card->setConfigValue(QStringLiteral("structure"), structure);
    setSlots(intoRx ? QStringLiteral("tx") : QStringLiteral("rx"), source);
    openWindow();

    // The only "Copy" on screen copies the full panel into the compact one.
    if (intoRx)
        emit txSlots->clicked();
    auto *copy = window->findChild<QPushButton *>(intoRx ? QStringLiteral("copyToRx")
                                                         : QStringLiteral("copyToTx"));
    QVERIFY(copy && copy->isVisible());

    WarningCloser closer(window);
    const QStringList sent = commandsAfter([&] { QTest::mouseClick(copy, Qt::LeftButton); });
    QCOMPARE(sent, expected);
    QCOMPARE(closer.texts.size(), warnings);
    if (warnings)
        QCOMPARE(closer.texts.first(),
                 QStringLiteral("Only one timeslot may be selected for sound reception."));
}

void tst_MainWindow::onlyVoiceRefusalsWarn_data()
{
    QTest::addColumn<QString>("errorText");
    QTest::addColumn<int>("warnings");

    QTest::newRow("voice rule") << QStringLiteral("receive already has a voice timeslot") << 1;
    QTest::newRow("other refusal") << QStringLiteral("timeslot 16 carries signalling") << 0;
    QTest::newRow("capital Voice") << QStringLiteral("Voice busy") << 0;
}

void tst_MainWindow::onlyVoiceRefusalsWarn()
{
    QFETCH(QString, errorText);
    QFETCH(int, warnings);

    openWindow();
    WarningCloser closer(window);
    card->refuseNext(errorText);
    const QStringList sent = commandsAfter([&] { emit rxSlots->indexChanged(5, 2); });
    QCOMPARE(sent, QStringList {"timeslot rx 5 voice"});
    QCOMPARE(closer.texts.size(), warnings);
    if (warnings)
        QCOMPARE(closer.texts.first(),
                 QStringLiteral("Only one timeslot may be selected for sound reception."));

    // The refused choice goes back to the controller's value with the next update.
    card->setConfigValue(QStringLiteral("pattern"), QStringLiteral("all1"));
    settle();
    QCOMPARE(rxSlots->firstSelectedOption(5), 0);
}

void tst_MainWindow::configuredValueSelectsOption_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("option");

    QTest::newRow("none") << "none" << 0;
    QTest::newRow("pat") << "pat" << 1;
    QTest::newRow("voice") << "voice" << 2;
    QTest::newRow("unset") << Unset << 0;
    QTest::newRow("other case") << "Voice" << -1;
    QTest::newRow("unknown") << "prbs" << -1;
}

void tst_MainWindow::configuredValueSelectsOption()
{
    QFETCH(QString, value);
    QFETCH(int, option);

    openWindow();
    for (const QString &direction : {QStringLiteral("rx"), QStringLiteral("tx")}) {
        if (value == Unset)
            card->removeConfigValue(slotKey(direction, 20));
        else
            card->setConfigValue(slotKey(direction, 20), value);
    }
    card->setConfigValue(slotKey(QStringLiteral("tx"), 21), QStringLiteral("pat"));
    settle();
    for (SwitchPanel *panel : {rxSlots, txSlots}) {
        if (option < 0)
            QVERIFY(panel->firstSelectedOption(20) < 0);
        else
            QCOMPARE(panel->firstSelectedOption(20), option);
    }
    QCOMPARE(txSlots->firstSelectedOption(21), 1);
    // Choices equal to the controller's values send nothing.
    QCOMPARE(card->commandLog(), QStringList());
}

void tst_MainWindow::structureDecidesWhatCanBeEdited_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("structure");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<QString>("label16");
    QTest::addColumn<bool>("enabled16");

    const QString pcm30 = QStringLiteral("pcm30");
    const QString pcm31 = QStringLiteral("pcm31");
    const QString free;
    QTest::newRow("pcm30") << pcm31 << pcm30 << true << "CAS" << false;
    QTest::newRow("pcm30 longer variant") << pcm31 << "pcm30crc" << true << "CAS" << false;
    QTest::newRow("upper case PCM30") << pcm30 << "PCM30" << true << free << true;
    QTest::newRow("pcm31") << pcm30 << pcm31 << true << free << true;
    QTest::newRow("missing") << pcm30 << Unset << true << free << true;
    QTest::newRow("unstr after pcm30") << pcm30 << "unstr" << false << "CAS" << false;
    QTest::newRow("unstr after pcm31") << pcm31 << "unstr" << false << free << true;
}

void tst_MainWindow::structureDecidesWhatCanBeEdited()
{
    QFETCH(QString, before);
    QFETCH(QString, structure);
    QFETCH(bool, editable);
    QFETCH(QString, label16);
    QFETCH(bool, enabled16);

    card->setConfigValue(QStringLiteral("structure"), before);
    openWindow();
    if (structure == Unset)
        card->removeConfigValue(QStringLiteral("structure"));
    else
        card->setConfigValue(QStringLiteral("structure"), structure);
    settle();

    for (const char *name : {"rxSlots", "rxAll", "copyToRx", "txSlots", "txAll", "copyToTx"})
        QCOMPARE(window->findChild<QWidget *>(QLatin1String(name))->isEnabled(), editable);
    // The dialogs stay reachable whatever the line.
    QVERIFY(window->findChild<QWidget *>(QStringLiteral("btnPrbs"))->isEnabled());
    QVERIFY(window->findChild<QWidget *>(QStringLiteral("btnVoiceFunc"))->isEnabled());

    for (SwitchPanel *panel : {rxSlots, txSlots}) {
        QCOMPARE(panel->buttonLabel(16), label16);
        QCOMPARE(panel->isButtonEnabled(16), enabled16);
        QCOMPARE(panel->buttonIcon(16).isNull(), label16.isEmpty());
        QCOMPARE(panel->buttonLabel(0), QStringLiteral("FAS"));
        QVERIFY(!panel->isButtonEnabled(0));
    }
}

void tst_MainWindow::optionIconsFollowTheFullPanel_data()
{
    QTest::addColumn<bool>("txFull");
    QTest::newRow("receive full") << false;
    QTest::newRow("transmit full") << true;
}

void tst_MainWindow::optionIconsFollowTheFullPanel()
{
    QFETCH(bool, txFull);

    openWindow();
    if (txFull)
        emit txSlots->clicked();
    SwitchPanel *full = txFull ? txSlots : rxSlots;
    SwitchPanel *compact = txFull ? rxSlots : txSlots;
    QCOMPARE(full->compact(), false);
    QCOMPARE(compact->compact(), true);

    const QSize bound(100, 100);
    QCOMPARE(full->optionIcon(1).actualSize(bound), QSize(32, 26));
    QCOMPARE(full->optionIcon(2).actualSize(bound), QSize(32, 26));
    QCOMPARE(compact->optionIcon(1).actualSize(bound), QSize(20, 16));
    QCOMPARE(compact->optionIcon(2).actualSize(bound), QSize(20, 16));

    // The switches always carry the large icons, the same as the full panel.
    QCOMPARE(txAll->optionIcon(1).cacheKey(), full->optionIcon(1).cacheKey());
    QCOMPARE(txAll->optionIcon(2).cacheKey(), full->optionIcon(2).cacheKey());
    QCOMPARE(rxAll->optionIcon(1).cacheKey(), full->optionIcon(1).cacheKey());
    QVERIFY(compact->optionIcon(1).cacheKey() != full->optionIcon(1).cacheKey());
    QVERIFY(compact->optionIcon(2).cacheKey() != full->optionIcon(2).cacheKey());
    for (auto *panel : {rxSlots, txSlots})
        QVERIFY(panel->optionIcon(0).isNull());
    QVERIFY(rxAll->optionIcon(0).isNull());
    QVERIFY(txAll->optionIcon(0).isNull());

    const QPixmap voice(QStringLiteral(":/main/resource/voice.png"));
    QCOMPARE(full->optionIcon(2).pixmap(QSize(32, 26)).toImage(), voice.toImage());
}

void tst_MainWindow::prbsIconsRedrawnOnlyForANewPattern()
{
    openWindow();
    const qint64 first = rxAll->optionIcon(1).cacheKey();
    QVERIFY(!rxAll->optionIcon(1).isNull());
    const QImage drawn = rxAll->optionIcon(1).pixmap(QSize(32, 26)).toImage();

    // An update that leaves the pattern alone redraws nothing.
    card->setConfigValue(slotKey(QStringLiteral("tx"), 8), QStringLiteral("pat"));
    settle();
    QCOMPARE(rxAll->optionIcon(1).cacheKey(), first);

    // A new pattern redraws both sizes and hands them out again.
    card->setConfigValue(QStringLiteral("pattern"), QStringLiteral("all0"));
    settle();
    const QIcon large = rxAll->optionIcon(1);
    QVERIFY(large.cacheKey() != first);
    QVERIFY(large.pixmap(QSize(32, 26)).toImage() != drawn);
    QCOMPARE(rxSlots->optionIcon(1).cacheKey(), large.cacheKey());
    QCOMPARE(txAll->optionIcon(1).cacheKey(), large.cacheKey());
    QCOMPARE(txSlots->optionIcon(1).actualSize(QSize(100, 100)), QSize(20, 16));
    QVERIFY(txSlots->optionIcon(1).cacheKey() != large.cacheKey());
}

void tst_MainWindow::voiceLabelShowsHeardAndSentVoice_data()
{
    QTest::addColumn<QString>("structure");
    QTest::addColumn<QString>("speaker");
    QTest::addColumn<QString>("vfsource");
    QTest::addColumn<bool>("rxVoice");
    QTest::addColumn<bool>("txVoice");
    QTest::addColumn<bool>("heard");
    QTest::addColumn<QString>("sent");

    // Without anything to show, the first update leaves the button's text alone.
    const QString none;
    const QString mic = QStringLiteral(":/main/resource/microphone.png");
    const QString tone = QStringLiteral(":/main/resource/tone.png");
    const QString pcm31 = QStringLiteral("pcm31");
    const QString on = QStringLiteral("on");
    const QString off = QStringLiteral("off");
    QTest::newRow("speaker heard") << pcm31 << on << off << true << false << true << none;
    QTest::newRow("microphone sent") << pcm31 << off << "mic" << false << true << false << mic;
    QTest::newRow("tone sent") << "pcm30" << off << "tone" << false << true << false << tone;
    QTest::newRow("heard and tone") << pcm31 << on << "tone" << true << true << true << tone;
    QTest::newRow("heard and microphone")
        << "pcm30crc" << on << "mic" << true << true << true << mic;
    QTest::newRow("speaker on without receive voice")
        << pcm31 << on << "tone" << false << false << false << none;
    QTest::newRow("microphone without transmit voice")
        << pcm31 << off << "mic" << true << false << false << none;
    QTest::newRow("transmit voice from no source")
        << pcm31 << off << off << false << true << false << none;
    QTest::newRow("everything on an unstructured line")
        << "unstr" << on << "tone" << true << true << false << none;
}

void tst_MainWindow::voiceLabelShowsHeardAndSentVoice()
{
    QFETCH(QString, structure);
    QFETCH(QString, speaker);
    QFETCH(QString, vfsource);
    QFETCH(bool, rxVoice);
    QFETCH(bool, txVoice);
    QFETCH(bool, heard);
    QFETCH(QString, sent);

    card->setConfigValue(QStringLiteral("structure"), structure);
    card->setConfigValue(QStringLiteral("speaker"), speaker);
    card->setConfigValue(QStringLiteral("vfsource"), vfsource);
    if (rxVoice)
        card->setConfigValue(slotKey(QStringLiteral("rx"), 5), QStringLiteral("voice"));
    if (txVoice)
        card->setConfigValue(slotKey(QStringLiteral("tx"), 9), QStringLiteral("voice"));
    openWindow();

    auto *button = window->findChild<QPushButton *>(QStringLiteral("btnVoiceFunc"));
    if (!heard && sent.isEmpty()) {
        QCOMPARE(button->text(), QStringLiteral("Voice"));
        QVERIFY(button->icon().isNull());
        return;
    }
    QCOMPARE(button->text(), QString());
    QCOMPARE(button->iconSize(), QSize(220, 40));
    const QImage label = argb(button->icon().pixmap(QSize(220, 40)).toImage());
    QCOMPARE(label.size(), QSize(220, 40));

    // The symbols stand at their own size, vertically centred, against the two edges.
    QImage empty(27, 27, QImage::Format_ARGB32_Premultiplied);
    empty.fill(Qt::transparent);
    const QImage speakerImage = argb(QImage(QStringLiteral(":/main/resource/speaker.png")));
    QCOMPARE(label.copy(0, 6, 27, 27), heard ? speakerImage : empty);
    QCOMPARE(label.copy(193, 6, 27, 27), sent.isEmpty() ? empty : argb(QImage(sent)));
}

void tst_MainWindow::voiceLabelKeepsItsPictureOnceDrawn()
{
    card->setConfigValue(QStringLiteral("structure"), QStringLiteral("unstr"));
    card->setConfigValue(QStringLiteral("speaker"), QStringLiteral("on"));
    card->setConfigValue(QStringLiteral("vfsource"), QStringLiteral("mic"));
    card->setConfigValue(slotKey(QStringLiteral("rx"), 5), QStringLiteral("voice"));
    card->setConfigValue(slotKey(QStringLiteral("tx"), 5), QStringLiteral("voice"));
    openWindow();
    auto *button = window->findChild<QPushButton *>(QStringLiteral("btnVoiceFunc"));
    QCOMPARE(button->text(), QStringLiteral("Voice"));

    card->setConfigValue(QStringLiteral("structure"), QStringLiteral("pcm31"));
    settle();
    QCOMPARE(button->text(), QString());
    const qint64 drawn = button->icon().cacheKey();
    QVERIFY(!button->icon().isNull());

    // Back to no voice: the picture stays, without symbols.
    card->setConfigValue(QStringLiteral("speaker"), QStringLiteral("off"));
    card->setConfigValue(QStringLiteral("vfsource"), QStringLiteral("off"));
    settle();
    QCOMPARE(button->text(), QString());
    QVERIFY(button->icon().cacheKey() != drawn);
    const QImage label = button->icon().pixmap(QSize(220, 40)).toImage();
    bool middleDrawn = false;
    for (int x = 40; x < 180 && !middleDrawn; ++x)
        for (int y = 0; y < 40 && !middleDrawn; ++y)
            middleDrawn = qAlpha(label.pixel(x, y)) != 0;
    QVERIFY(middleDrawn);
    QImage empty(27, 27, QImage::Format_ARGB32_Premultiplied);
    empty.fill(Qt::transparent);
    QCOMPARE(argb(label).copy(0, 6, 27, 27), empty);
    QCOMPARE(argb(label).copy(193, 6, 27, 27), empty);

    // The same bits again redraw nothing.
    const qint64 plain = button->icon().cacheKey();
    card->setConfigValue(QStringLiteral("pattern"), QStringLiteral("55"));
    settle();
    QCOMPARE(button->icon().cacheKey(), plain);
}

void tst_MainWindow::dialogsAreBuiltOnce()
{
    openWindow();
    QVERIFY(window->findChildren<PrbsDialog *>().isEmpty());
    QVERIFY(window->findChildren<VoiceDialog *>().isEmpty());

    auto *prbs = window->findChild<QPushButton *>(QStringLiteral("btnPrbs"));
    auto *voice = window->findChild<QPushButton *>(QStringLiteral("btnVoiceFunc"));
    for (int press = 0; press < 2; ++press) {
        prbs->click();
        voice->click();
    }
    const QList<PrbsDialog *> prbsDialogs = window->findChildren<PrbsDialog *>();
    QCOMPARE(prbsDialogs.size(), 1);
    QCOMPARE(window->findChildren<PrbsModel *>().size(), 1);
    QCOMPARE(prbsDialogs.first()->model(), window->findChild<PrbsModel *>());
    QCOMPARE(prbsDialogs.first()->model()->controller(), card->controller());
    QCOMPARE(window->findChildren<VoiceDialog *>().size(), 1);
    QVERIFY(window->findChild<VoiceDialog *>()->isVisible());

    // Both dialogs and the model go with the window.
    QPointer<QObject> dialog(prbsDialogs.first());
    QPointer<QObject> model(prbsDialogs.first()->model());
    QPointer<QObject> voiceDialog(window->findChild<VoiceDialog *>());
    delete plugin;
    plugin = nullptr;
    QVERIFY(!dialog && !model && !voiceDialog);
}

void tst_MainWindow::voiceDialogFollowsUpdatesWhileClosed()
{
    openWindow();
    window->findChild<QPushButton *>(QStringLiteral("btnVoiceFunc"))->click();
    auto *dialog = window->findChild<VoiceDialog *>();
    QVERIFY(dialog);
    dialog->hide();
    auto *tone = dialog->findChild<QAbstractButton *>(QStringLiteral("btnTone"));
    QVERIFY(tone);
    QVERIFY(!tone->isChecked());

    card->setConfigValue(QStringLiteral("vfsource"), QStringLiteral("tone"));
    settle();
    QVERIFY(tone->isChecked());
}

void tst_MainWindow::languageChangeRetranslatesTheForm()
{
    openWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("Timeslots"));
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(window, &change);
    QCOMPARE(window->windowTitle(), QStringLiteral("Form"));
    QCOMPARE(window->findChild<QPushButton *>(QStringLiteral("copyToRx"))->text(),
             QStringLiteral("Copy"));
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
