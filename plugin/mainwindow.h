// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "compat.h"

#include <QIcon>
#include <QStringList>
#include <QWidget>

class PrbsDialog;
class TimeSlots;
class VoiceDialog;
class Ui_MainWindow;

// The timeslot window: a receive and a transmit panel of 32 slot buttons, "All slots"
// switches, copying between the directions, and the buttons of the PRBS and voice dialogs.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    MainWindow(TimeSlots &plugin, QWidget *parent = 0);
    ~MainWindow() COMPAT_OVERRIDE;

    void configUpdated();
    void maskUpdated();

protected:
    bool eventFilter(QObject *watched, QEvent *event) COMPAT_OVERRIDE;
    void paintEvent(QPaintEvent *event) COMPAT_OVERRIDE;
    void showEvent(QShowEvent *event) COMPAT_OVERRIDE;
    void changeEvent(QEvent *event) COMPAT_OVERRIDE;

private Q_SLOTS:
    void on_btnVoiceFunc_clicked();
    void on_copyToTx_clicked();
    void on_copyToRx_clicked();
    void on_txAll_indexChanged(int index);
    void on_rxAll_indexChanged(int index);
    void on_txSlots_indexChanged(int buttonIndex, int optionIndex);
    void on_rxSlots_indexChanged(int buttonIndex, int optionIndex);
    void on_rxSlots_clicked();
    void on_txSlots_clicked();
    void on_btnPrbs_clicked();

private:
    void doCommandAndCheck(const QString &text);
    void showVoiceError();
    void rebuildVoiceLabel();
    void setIcons(bool rxFull);
    QIcon prbsIcon(const QString &pattern, bool small);
    void rebuildPrbsIcons(const QString &pattern);

    Ui_MainWindow *ui;
    PrbsDialog *prbsDialog;
    VoiceDialog *voiceDialog;
    TimeSlots &plugin;
    QStringList slotValues;
    QIcon voiceIconLarge;
    QIcon voiceIconSmall;
    QIcon prbsIconLarge;
    QIcon prbsIconSmall;
    QIcon blankIcon;
    QString prbsIconPattern;
    int voiceLabelState;
};
