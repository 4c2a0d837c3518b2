// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "compat.h"

#include <basepopupwindow.h>

#include <QVariantMap>

class CardController;
class DataProxy;
class TimeSlots;
class Ui_VoiceDialog;

// The voice channel popup: test tone, microphone and loudspeaker with their levels, and the
// level and frequency of the received voice-frequency signal.
class VoiceDialog : public BasePopupWindow
{
    Q_OBJECT

public:
    VoiceDialog(TimeSlots &plugin, QWidget *parent = 0);
    ~VoiceDialog() COMPAT_OVERRIDE;

    void configUpdated();
    void maskUpdated();

protected:
    void changeEvent(QEvent *event) COMPAT_OVERRIDE;

private Q_SLOTS:
    void updated(QVariantMap &data);
    void on_btnTone_clicked();
    void on_btnMicrophone_clicked();
    void on_btnSpeaker_clicked();
    void on_sliderMicrophone_positionChanged(int pos);
    void on_sliderSpeaker_positionChanged(int pos);

private:
    Ui_VoiceDialog *ui;
    TimeSlots &plugin;
    DataProxy *proxy;
    CardController *controller;
};
