// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include "timeslots.h"
#include "ui_mainwindow.h"
#include "vocabulary.h"
#include "voicedialog.h"

#include <cardcontroller.h>
#include <controllercommand.h>
#include <prbsdialog.h>
#include <prbsmodel.h>
#include <warningwindow.h>

#include <QBitArray>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QPolygon>

using namespace Vocabulary;

namespace {

// Fixed labels of the slot buttons that carry no traffic: frame alignment and signalling.
const char *const LabelFrameAlignment = "FAS";
const char *const LabelSignalling = "CAS";
// The controller names the voice rule in the error text of a refused receive voice slot.
const char *const VoiceRefusal = "voice";

const char *const VoiceIconLargePath = ":/main/resource/voice.png";
const char *const VoiceIconSmallPath = ":/main/resource/voice_s.png";
const char *const SpeakerImagePath = ":/main/resource/speaker.png";
const char *const MicrophoneImagePath = ":/main/resource/microphone.png";
const char *const ToneImagePath = ":/main/resource/tone.png";

const QSize OptionSize(54, 54);
const QSize IconBound(100, 100);
const QSize VoiceLabelSize(220, 40);

// Voice label bits: heard on the loudspeaker, sent from the microphone, sent from the tone.
enum VoiceLabelBit { SpeakerBit = 1, MicrophoneBit = 2, ToneBit = 4 };

QColor transparent()
{
    return QColor(0, 0, 0, 0);
}

QPen decorationPen(const QColor &color)
{
    return QPen(QBrush(color), 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

QColor bracketColor()
{
    return QColor(Qt::darkGray).lighter(135);
}

QColor arrowHeadColor()
{
    return QColor(Qt::darkGray).lighter(130);
}

// Offers off, PRBS and voice on every slot button and marks timeslot 0 as frame alignment.
void prepareSlotPanel(SwitchPanel *panel, const QIcon &blankIcon)
{
    //: Option of a slot button and of "All slots": the timeslot carries no test traffic.
    panel->setOptionName(OptionNone, MainWindow::tr("off"));
    //: Option of a slot button: the timeslot carries the PRBS test pattern.
    panel->setOptionName(OptionPattern, MainWindow::tr("PRBS"));
    //: Option of a slot button: the timeslot carries the voice channel.
    panel->setOptionName(OptionVoice, MainWindow::tr("Voice"));
    panel->setOptionSize(OptionSize);
    panel->setButton(0, QLatin1String(LabelFrameAlignment), blankIcon, QColor(), false);
}

// The command that puts the chosen option on a slot, or an empty text when there is nothing
// to change.
QString slotCommand(const TimeSlots &plugin, const QStringList &values, const char *key,
                    const char *command, int slot, int option)
{
    const QString current
        = plugin.configValue(QString::fromLatin1(key).arg(slot), QLatin1String(DefaultSlotValue));
    if (option < 0 || option >= values.size())
        return QString();
    const QString value = values.at(option);
    if (value == current)
        return QString();
    return QString::fromLatin1(command).arg(slot).arg(value);
}

// What a slot panel shows, as one slot mask per value.
struct SlotMasks
{
    SlotMasks()
        : none(0)
        , pattern(0)
        , voice(0)
        , voiceSlots(0)
    { }

    quint32 none;
    quint32 pattern;
    quint32 voice;
    int voiceSlots;
};

SlotMasks shownMasks(const SwitchPanel *panel)
{
    SlotMasks masks;
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        const quint32 bit = quint32(1) << slot;
        switch (panel->firstSelectedOption(slot)) {
        case OptionPattern:
            masks.pattern |= bit;
            break;
        case OptionVoice:
            masks.voice |= bit;
            ++masks.voiceSlots;
            break;
        default:
            masks.none |= bit;
            break;
        }
    }
    return masks;
}

// The mask commands that copy the masks into one direction: "none", "pat", "voice", each only
// when it names a slot. Timeslot 16 stays out while it carries signalling.
QStringList copyCommands(const char *command, SlotMasks masks, bool signallingSlotFree)
{
    if (!signallingSlotFree) {
        const quint32 keep = ~(quint32(1) << SignallingSlot);
        masks.none &= keep;
        masks.pattern &= keep;
        masks.voice &= keep;
    }
    QStringList commands;
    const quint32 bits[] = {masks.none, masks.pattern, masks.voice};
    const char *const values[] = {SlotNone, SlotPattern, SlotVoice};
    for (int i = 0; i < 3; ++i) {
        if (bits[i])
            commands << QString::fromLatin1(command).arg(maskDigits(bits[i]),
                                                         QLatin1String(values[i]));
    }
    return commands;
}

// Brackets that come down from the slot panel and turn in towards the "All slots" switch.
void paintBrackets(QWidget *holder, const QWidget *allSlots)
{
    const QRect r = holder->rect();
    const QRect s = allSlots->geometry();
    const int d = s.width() / 5;
    const int y = s.center().y();

    QPainter painter(holder);
    painter.setPen(decorationPen(bracketColor()));
    painter.drawLine(d, 0, d, y - 1);
    painter.drawLine(d + 1, y, s.left() - 5, y);
    painter.drawLine(r.right() - d, 0, r.right() - d, y - 1);
    painter.drawLine(r.right() - d - 1, y, s.right() + 5, y);
}

// The line from the other direction's column through the "Copy" button up into this
// direction's panel, ending in an arrow head: the way the copy goes.
void paintCopyArrow(QWidget *holder, bool fromRight, int rightEnd)
{
    const QPushButton *copy = holder->findChild<QPushButton *>();
    if (!copy)
        return;
    const QRect b = copy->geometry();
    const int x = b.center().x();
    const int y = b.center().y();

    QPainter painter(holder);
    painter.setPen(decorationPen(bracketColor()));
    painter.drawLine(x, b.top(), x, 5);
    if (fromRight)
        painter.drawLine(b.right(), y, rightEnd, y);
    else
        painter.drawLine(0, y, b.left(), y);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(arrowHeadColor());
    QPolygon head;
    head << QPoint(x, 0) << QPoint(x + 6, 16) << QPoint(x, 12) << QPoint(x - 6, 16);
    painter.drawPolygon(head, Qt::OddEvenFill);
}

} // namespace

MainWindow::MainWindow(TimeSlots &plugin, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui_MainWindow)
    , prbsDialog(0)
    , voiceDialog(0)
    , plugin(plugin)
    , voiceLabelState(0)
{
    slotValues = Vocabulary::slotValues();
    ui->setupUi(this);

    // The widget library colours each direction's widgets by this property.
    const QString rx = QLatin1String(Rx);
    const QString tx = QLatin1String(Tx);
    ui->rxPanel->setProperty("palette_id", rx);
    ui->txPanel->setProperty("palette_id", tx);
    ui->rxAllWidget->setProperty("palette_id", rx);
    ui->txAllWidget->setProperty("palette_id", tx);
    ui->rxGrid->setProperty("palette_id", rx);
    ui->txGrid->setProperty("palette_id", tx);
    ui->rxSlots->setProperty("palette_id", rx);
    ui->txSlots->setProperty("palette_id", tx);

    voiceIconLarge = QIcon(QLatin1String(VoiceIconLargePath));
    voiceIconSmall = QIcon(QLatin1String(VoiceIconSmallPath));

    // A transparent filler as high as the voice icon keeps the "FAS" and "CAS" labels at the
    // height of the other buttons' contents.
    const QSize voiceSize = voiceIconLarge.actualSize(IconBound, QIcon::Normal, QIcon::Off);
    QPixmap blank(1, voiceSize.height());
    blank.fill(transparent());
    blankIcon = QIcon(blank);

    prepareSlotPanel(ui->rxSlots, blankIcon);
    prepareSlotPanel(ui->txSlots, blankIcon);

    // Receive has no all-slots voice: only one receive timeslot may carry voice.
    ui->rxAll->setOptionName(OptionNone, tr("off"));
    ui->rxAll->setOptionName(OptionPattern, tr("PRBS"));
    ui->rxAll->setOptionSize(OptionSize);
    ui->rxAll->selectOptions(QBitArray(2));

    ui->txAll->setOptionName(OptionNone, tr("off"));
    ui->txAll->setOptionName(OptionPattern, tr("PRBS"));
    ui->txAll->setOptionName(OptionVoice, tr("Voice"));
    ui->txAll->setOptionSize(OptionSize);
    ui->txAll->selectOptions(QBitArray(3));

    ui->rxPanel->installEventFilter(this);
    ui->txPanel->installEventFilter(this);
    ui->rxAllWidget->installEventFilter(this);
    ui->txAllWidget->installEventFilter(this);

    on_rxSlots_clicked();
}

MainWindow::~MainWindow()
{
    delete prbsDialog;
    delete voiceDialog;
    delete ui;
}

void MainWindow::configUpdated()
{
    // The default formed once for the 62 reads below.
    const QString none = QLatin1String(DefaultSlotValue);
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        const QString rx = plugin.configValue(timeslotKey(QLatin1String(Rx), slot), none);
        ui->rxSlots->selectOption(slot, slotValues.indexOf(rx), true);
        const QString tx = plugin.configValue(timeslotKey(QLatin1String(Tx), slot), none);
        ui->txSlots->selectOption(slot, slotValues.indexOf(tx), true);
    }
    rebuildPrbsIcons(
        plugin.configValue(QLatin1String(KeyPattern), QLatin1String(DefaultWindowPattern)));
    rebuildVoiceLabel();
    maskUpdated();
    if (voiceDialog)
        voiceDialog->configUpdated();
}

void MainWindow::maskUpdated()
{
    const QString structure
        = plugin.controller()->configValue(QLatin1String(KeyStructure), QString());
    const bool structured = structure != QLatin1String(StructureUnframed);

    ui->rxSlots->setEnabled(structured);
    ui->rxAll->setEnabled(structured);
    ui->copyToRx->setEnabled(structured);
    ui->txSlots->setEnabled(structured);
    ui->txAll->setEnabled(structured);
    ui->copyToTx->setEnabled(structured);
    if (!structured)
        return;

    // On a PCM30 line timeslot 16 carries the signalling and cannot be assigned.
    const bool pcm30 = structure.startsWith(QLatin1String(StructurePcm30Prefix));
    const QString label = pcm30 ? QString(QLatin1String(LabelSignalling)) : QString();
    const QIcon icon = pcm30 ? blankIcon : QIcon();
    ui->rxSlots->setButton(SignallingSlot, label, icon, QColor(), !pcm30);
    ui->txSlots->setButton(SignallingSlot, label, icon, QColor(), !pcm30);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        if (watched == ui->rxAllWidget)
            paintBrackets(ui->rxAllWidget, ui->rxAll);
        else if (watched == ui->txAllWidget)
            paintBrackets(ui->txAllWidget, ui->txAll);
        else if (watched == ui->rxPanel)
            paintCopyArrow(ui->rxPanel, true, width());
        else if (watched == ui->txPanel)
            paintCopyArrow(ui->txPanel, false, width());
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::paintEvent(QPaintEvent *)
{
    // The separator between the receive and the transmit column.
    QPainter painter(this);
    painter.setPen(decorationPen(QColor(Qt::gray)));
    const int x = (ui->rxSlots->geometry().right() + ui->txSlots->geometry().left()) / 2;
    painter.drawLine(x, 0, x, ui->bottomPanel->geometry().top());
}

void MainWindow::showEvent(QShowEvent *event)
{
    // Tells the controller that the timeslot screen is up.
    ControllerCommand command(QLatin1String(CmdTimeslot), true);
    plugin.doConfigure(command);
    QWidget::showEvent(event);
}

void MainWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void MainWindow::on_btnVoiceFunc_clicked()
{
    if (!voiceDialog) {
        voiceDialog = new VoiceDialog(plugin, this);
        voiceDialog->configUpdated();
    }
    voiceDialog->show(static_cast<const QWidget *>(ui->btnVoiceFunc));
}

void MainWindow::on_copyToTx_clicked()
{
    // Transmit may carry any number of voice slots.
    const QStringList commands = copyCommands(CmdMaskTx, shownMasks(ui->rxSlots),
                                              ui->rxSlots->isButtonEnabled(SignallingSlot));
    foreach (const QString &command, commands)
        doCommandAndCheck(command);
}

void MainWindow::on_copyToRx_clicked()
{
    const SlotMasks masks = shownMasks(ui->txSlots);
    if (masks.voiceSlots >= 2) {
        showVoiceError();
        return;
    }
    const QStringList commands
        = copyCommands(CmdMaskRx, masks, ui->txSlots->isButtonEnabled(SignallingSlot));
    foreach (const QString &command, commands)
        doCommandAndCheck(command);
}

void MainWindow::on_txAll_indexChanged(int index)
{
    if (index >= 0 && index < slotValues.size()) {
        const char *all = ui->txSlots->isButtonEnabled(SignallingSlot) ? CmdAllTx : CmdAllTxNo16;
        doCommandAndCheck(QLatin1String(all) + QLatin1Char(' ') + slotValues.at(index));
    }
    // A one-shot action: the switch never keeps a selection.
    ui->txAll->selectOptions(QBitArray(3));
}

void MainWindow::on_rxAll_indexChanged(int index)
{
    if (index >= 0 && index < slotValues.size()) {
        const char *all = ui->rxSlots->isButtonEnabled(SignallingSlot) ? CmdAllRx : CmdAllRxNo16;
        doCommandAndCheck(QLatin1String(all) + QLatin1Char(' ') + slotValues.at(index));
    }
    ui->rxAll->selectOptions(QBitArray(2));
}

void MainWindow::on_txSlots_indexChanged(int buttonIndex, int optionIndex)
{
    const QString command
        = slotCommand(plugin, slotValues, KeyTimeslotTx, CmdSlotTx, buttonIndex, optionIndex);
    if (!command.isEmpty())
        doCommandAndCheck(command);
}

void MainWindow::on_rxSlots_indexChanged(int buttonIndex, int optionIndex)
{
    const QString command
        = slotCommand(plugin, slotValues, KeyTimeslotRx, CmdSlotRx, buttonIndex, optionIndex);
    if (!command.isEmpty())
        doCommandAndCheck(command);
}

void MainWindow::on_rxSlots_clicked()
{
    // Receive becomes the full panel; the whole change shows in one repaint.
    setUpdatesEnabled(false);
    ui->horizontalLayout->setStretch(0, 5);
    ui->horizontalLayout->setStretch(1, 2);
    ui->txSlots->setCompact(true);
    ui->txSlots->setButtonSpacing(2);
    ui->rxSlots->setCompact(false);
    ui->rxSlots->setButtonSpacing(5);
    ui->txPanel->show();
    ui->txAllWidget->hide();
    ui->rxPanel->hide();
    ui->rxAllWidget->show();
    setUpdatesEnabled(true);
    setIcons(true);
}

void MainWindow::on_txSlots_clicked()
{
    setUpdatesEnabled(false);
    ui->horizontalLayout->setStretch(0, 2);
    ui->horizontalLayout->setStretch(1, 5);
    ui->txSlots->setCompact(false);
    ui->txSlots->setButtonSpacing(5);
    ui->rxSlots->setCompact(true);
    ui->rxSlots->setButtonSpacing(2);
    ui->txPanel->hide();
    ui->txAllWidget->show();
    ui->rxPanel->show();
    ui->rxAllWidget->hide();
    setUpdatesEnabled(true);
    setIcons(false);
}

void MainWindow::on_btnPrbs_clicked()
{
    if (!prbsDialog) {
        PrbsModel *model = new PrbsModel(plugin.controller(), this);
        prbsDialog = new PrbsDialog(this, true);
        prbsDialog->setModel(model);
    }
    prbsDialog->show(static_cast<const QWidget *>(ui->btnPrbs));
}

void MainWindow::doCommandAndCheck(const QString &text)
{
    ControllerCommand command(text, true);
    plugin.doConfigure(command);
    if (command.error && command.errorText.contains(QLatin1String(VoiceRefusal)))
        showVoiceError();
}

void MainWindow::showVoiceError()
{
    // show() returns only once the user has closed the warning.
    QPointer<WarningWindow> warning = new WarningWindow(this);
    warning->show(tr("Only one timeslot may be selected for sound reception."), QString());
    delete warning;
}

void MainWindow::rebuildVoiceLabel()
{
    int bits = 0;
    if (plugin.configValue(QLatin1String(KeySpeaker), QString()) == QLatin1String(On)
        && plugin.tsSelectedForVoice(QLatin1String(Rx)))
        bits |= SpeakerBit;
    if (plugin.tsSelectedForVoice(QLatin1String(Tx))) {
        const QString source = plugin.configValue(QLatin1String(KeyVfSource), QString());
        if (source == QLatin1String(SourceMic))
            bits |= MicrophoneBit;
        else if (source == QLatin1String(SourceTone))
            bits |= ToneBit;
    }
    if (bits == voiceLabelState)
        return;
    voiceLabelState = bits;

    QPixmap label(VoiceLabelSize);
    label.fill(transparent());
    QPainter painter(&label);
    QFont labelFont(font());
    labelFont.setPointSize(ui->btnVoiceFunc->font().pointSize());
    painter.setFont(labelFont);
    painter.setPen(ui->btnVoiceFunc->palette().color(QPalette::ButtonText));
    //: Caption drawn on the button that opens the voice dialog.
    painter.drawText(label.rect(), Qt::AlignCenter, tr("Voice..."));
    if (bits & SpeakerBit) {
        const QPixmap speaker(QString::fromLatin1(SpeakerImagePath));
        painter.drawPixmap(0, (label.height() - speaker.height()) / 2, speaker);
    }
    if (bits & (MicrophoneBit | ToneBit)) {
        const QPixmap source(QLatin1String((bits & ToneBit) ? ToneImagePath : MicrophoneImagePath));
        painter.drawPixmap(label.width() - source.width(), (label.height() - source.height()) / 2,
                           source);
    }
    painter.end();

    ui->btnVoiceFunc->setText(QString());
    ui->btnVoiceFunc->setIconSize(VoiceLabelSize);
    ui->btnVoiceFunc->setIcon(QIcon(label));
}

void MainWindow::setIcons(bool rxFull)
{
    ui->txSlots->setOptionIcon(OptionPattern, rxFull ? prbsIconSmall : prbsIconLarge);
    ui->txSlots->setOptionIcon(OptionVoice, rxFull ? voiceIconSmall : voiceIconLarge);
    ui->rxSlots->setOptionIcon(OptionPattern, rxFull ? prbsIconLarge : prbsIconSmall);
    ui->rxSlots->setOptionIcon(OptionVoice, rxFull ? voiceIconLarge : voiceIconSmall);
    ui->txAll->setOptionIcon(OptionPattern, prbsIconLarge);
    ui->txAll->setOptionIcon(OptionVoice, voiceIconLarge);
    ui->rxAll->setOptionIcon(OptionPattern, prbsIconLarge);
}

QIcon MainWindow::prbsIcon(const QString &pattern, bool small)
{
    const QIcon &voice = small ? voiceIconSmall : voiceIconLarge;
    const QSize size = voice.actualSize(IconBound, QIcon::Normal, QIcon::Off);
    QPixmap canvas(size);
    if (canvas.isNull())
        return QIcon();
    canvas.fill(transparent());

    QFont patternFont(font());
    patternFont.setPointSize(int(size.height() * 0.58));
    const QPixmap picture
        = TimeSlots::prbsLabel(patternFont, pattern, false, QPen(QColor(Qt::black)));
    if (!picture.isNull()) {
        // Drawn unscaled: what does not fit the voice icon's size is cut off.
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawPixmap(0, 0, picture);
    }
    return QIcon(canvas);
}

void MainWindow::rebuildPrbsIcons(const QString &pattern)
{
    if (pattern == prbsIconPattern)
        return;
    prbsIconPattern = pattern;
    prbsIconLarge = prbsIcon(pattern, false);
    prbsIconSmall = prbsIcon(pattern, true);
    // A compact transmit panel means the receive panel is the full one.
    setIcons(ui->txSlots->compact());
}
