// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class TimeSlots;
class Ui_MainButton;

// The plug-in's entry on the launcher: a "Timeslots" button with a one-row summary beneath.
class MainButton : public QWidget
{
    Q_OBJECT

public:
    MainButton(TimeSlots &plugin, QWidget *parent = nullptr);
    ~MainButton() override;

    void configUpdated();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    Ui_MainButton *ui;
    TimeSlots &plugin;
};
