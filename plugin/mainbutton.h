// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "compat.h"

#include <QWidget>

class TimeSlots;
class Ui_MainButton;

// The plug-in's entry on the launcher: a "Timeslots" button with a one-row summary beneath.
class MainButton : public QWidget
{
    Q_OBJECT

public:
    MainButton(TimeSlots &plugin, QWidget *parent = 0);
    ~MainButton() COMPAT_OVERRIDE;

    void configUpdated();

protected:
    void showEvent(QShowEvent *event) COMPAT_OVERRIDE;
    void changeEvent(QEvent *event) COMPAT_OVERRIDE;

private:
    Ui_MainButton *ui;
    TimeSlots &plugin;
};
