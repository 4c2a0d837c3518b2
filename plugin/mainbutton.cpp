// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainbutton.h"

#include "timeslots.h"
#include "ui_mainbutton.h"

#include <QEvent>

MainButton::MainButton(TimeSlots &plugin, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui_MainButton)
    , plugin(plugin)
{
    ui->setupUi(this);
    // The press belongs to the host: it opens the plug-in's window.
    connect(ui->pushButton, SIGNAL(clicked()), &plugin, SLOT(buttonClicked()));
}

MainButton::~MainButton()
{
    delete ui;
}

void MainButton::configUpdated()
{
    plugin.configLabelRow(ui->statusLabel, 0);
}

void MainButton::showEvent(QShowEvent *event)
{
    configUpdated();
    QWidget::showEvent(event);
}

void MainButton::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
