// SPDX-License-Identifier: GPL-3.0-or-later
#include "voicedialog.h"

#include "timeslots.h"
#include "ui_voicedialog.h"
#include "vocabulary.h"

#include <cardcontroller.h>
#include <checkbutton.h>
#include <dataproxy.h>
#include <roundslider.h>

#include <QEvent>
#include <QLabel>

#include <new>

using namespace Vocabulary;

namespace {

// The received-signal display: captions right-aligned in a narrow column, values beside them.
const char *const TableBegin = "<table width=100% cellspacing=0 cellpadding=0 border=0>"
                               "<tr valign=top><td align=right>";
const char *const TableMiddle = "</td><td width=100%>";
const char *const TableEnd = "</td></tr></table>";

// The measurement writes a level below the range as a word; the table adds the unit itself.
const char *const LevelBelowRangeHtml = "&lt; -24";

int configInt(const CardController *controller, const char *key)
{
    // Text that is no decimal number counts as 0.
    return controller->configValue(QLatin1String(key), QString()).toInt(0, 10);
}

} // namespace

VoiceDialog::VoiceDialog(TimeSlots &plugin, QWidget *parent)
    : BasePopupWindow(parent)
    , ui(new Ui_VoiceDialog)
    , plugin(plugin)
    , proxy(0)
    , controller(0)
{
    // Until construction succeeds the destructor will not run, so a failure deletes the form here.
    try {
        ui->setupUi(this);
        controller = plugin.controller();
        proxy = controller->dataProxy(QLatin1String(FeedVfSignal), 0);
        if (!proxy)
            throw std::bad_alloc();
    } catch (...) {
        delete ui;
        throw;
    }

    // clang-format off
    connect(proxy, SIGNAL(updated( QVariantMap&, QString )), this, SLOT(updated( QVariantMap& )));
    // clang-format on

    // Fill the received-signal display before the first data update arrives.
    QVariantMap data = proxy->data();
    updated(data);
}

VoiceDialog::~VoiceDialog()
{
    delete proxy;
    delete ui;
}

void VoiceDialog::configUpdated()
{
    ui->sliderSpeaker->setPosition(configInt(controller, KeySpeakerVolume));
    ui->sliderMicrophone->setPosition(configInt(controller, KeyMicrophone));

    ui->btnSpeaker->setChecked(controller->configValue(QLatin1String(KeySpeaker), QString())
                               == QLatin1String(On));
    const QString source = controller->configValue(QLatin1String(KeyVfSource), QString());
    ui->btnMicrophone->setChecked(source == QLatin1String(SourceMic));
    ui->btnTone->setChecked(source == QLatin1String(SourceTone));

    maskUpdated();
}

void VoiceDialog::maskUpdated()
{
    const bool speakerOn
        = controller->configValue(QLatin1String(KeySpeaker), QString()) == QLatin1String(On);
    const bool microphoneSource = controller->configValue(QLatin1String(KeyVfSource), QString())
        == QLatin1String(SourceMic);
    const bool receiveVoice = plugin.tsSelectedForVoice(QLatin1String(Rx));
    const bool transmitVoice = plugin.tsSelectedForVoice(QLatin1String(Tx));

    ui->btnSpeaker->setEnabled(receiveVoice);
    ui->sliderSpeaker->setEnabled(receiveVoice && speakerOn);
    ui->btnMicrophone->setEnabled(transmitVoice);
    ui->btnTone->setEnabled(transmitVoice);
    ui->sliderMicrophone->setEnabled(transmitVoice && microphoneSource);

    if (receiveVoice) {
        QVariantMap data = proxy->data();
        updated(data);
    } else {
        ui->labelRx->setText(tr("There is no timeslot for sound reception."));
    }

    if (transmitVoice)
        ui->labelTx->setText(QString());
    else
        ui->labelTx->setText(tr("There is no timeslot for sound transmission."));
}

void VoiceDialog::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void VoiceDialog::updated(QVariantMap &data)
{
    // Without a receive voice timeslot the label keeps its message.
    if (!plugin.tsSelectedForVoice(QLatin1String(Rx)))
        return;

    // value(), not operator[]: a missing key must not be added to the caller's map.
    QString level = data.value(QLatin1String(DataLevel)).toString();
    const QString frequency = data.value(QLatin1String(DataFrequency)).toString();
    if (level == QLatin1String(LevelBelowRange))
        level = QLatin1String(LevelBelowRangeHtml);
    level.replace(QLatin1Char('-'), QLatin1String("&ndash;"));

    const QString text = QLatin1String(TableBegin)
        //: Captions of the received signal's level and frequency, one per line; keep the HTML tags.
        + tr("<nobr>Level : &nbsp;</nobr><br><nobr>Frequency : &nbsp;</nobr>")
        + QLatin1String(TableMiddle)
        //: Received level (%1, in decibels) above received frequency (%2, in hertz).
        + tr("%1 dB<br>%2 Hz").arg(level, frequency) + QLatin1String(TableEnd);

    // Data arrives with every refresh of the measurement; most of the time nothing changed.
    if (ui->labelRx->text() != text)
        ui->labelRx->setText(text);
}

void VoiceDialog::on_btnTone_clicked()
{
    const char *value = ui->btnTone->isChecked() ? SourceTone : Off;
    controller->doConfigure(QLatin1String(CmdVfSource) + QLatin1String(value));
}

void VoiceDialog::on_btnMicrophone_clicked()
{
    const char *value = ui->btnMicrophone->isChecked() ? SourceMic : Off;
    controller->doConfigure(QLatin1String(CmdVfSource) + QLatin1String(value));
}

void VoiceDialog::on_btnSpeaker_clicked()
{
    const char *value = ui->btnSpeaker->isChecked() ? On : Off;
    controller->doConfigure(QLatin1String(CmdSpeaker) + QLatin1String(value));
}

void VoiceDialog::on_sliderMicrophone_positionChanged(int pos)
{
    // A position that equals the configured level only mirrors it: nothing to send.
    if (configInt(controller, KeyMicrophone) == pos)
        return;
    controller->doConfigure(QString::fromLatin1(CmdMicrophoneLevel).arg(pos));
}

void VoiceDialog::on_sliderSpeaker_positionChanged(int pos)
{
    if (configInt(controller, KeySpeakerVolume) == pos)
        return;
    controller->doConfigure(QString::fromLatin1(CmdSpeakerVolume).arg(pos));
}
