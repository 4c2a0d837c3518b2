// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholder until the voice dialog lands.
#include "voicedialog.h"

#include "ui_voicedialog.h"

VoiceDialog::VoiceDialog(TimeSlots &plugin, QWidget *parent)
    : BasePopupWindow(parent)
    , ui(new Ui_VoiceDialog)
    , plugin(plugin)
    , proxy(nullptr)
    , controller(nullptr)
{
    ui->setupUi(this);
}

VoiceDialog::~VoiceDialog()
{
    delete ui;
}

void VoiceDialog::configUpdated() { }
void VoiceDialog::maskUpdated() { }
void VoiceDialog::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
}
void VoiceDialog::updated(QVariantMap &) { }
void VoiceDialog::on_btnTone_clicked() { }
void VoiceDialog::on_btnMicrophone_clicked() { }
void VoiceDialog::on_btnSpeaker_clicked() { }
void VoiceDialog::on_sliderMicrophone_positionChanged(int) { }
void VoiceDialog::on_sliderSpeaker_positionChanged(int) { }
