// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholder until the timeslot window lands.
#include "mainwindow.h"

#include "ui_mainwindow.h"

MainWindow::MainWindow(TimeSlots &plugin, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui_MainWindow)
    , prbsDialog(nullptr)
    , voiceDialog(nullptr)
    , plugin(plugin)
    , voiceLabelState(0)
{
    ui->setupUi(this);
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::configUpdated() { }
void MainWindow::maskUpdated() { }
bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    return QWidget::eventFilter(watched, event);
}
void MainWindow::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
}
void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
}
void MainWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
}
void MainWindow::on_btnVoiceFunc_clicked() { }
void MainWindow::on_copyToTx_clicked() { }
void MainWindow::on_copyToRx_clicked() { }
void MainWindow::on_txAll_indexChanged(int) { }
void MainWindow::on_rxAll_indexChanged(int) { }
void MainWindow::on_txSlots_indexChanged(int, int) { }
void MainWindow::on_rxSlots_indexChanged(int, int) { }
void MainWindow::on_rxSlots_clicked() { }
void MainWindow::on_txSlots_clicked() { }
void MainWindow::on_btnPrbs_clicked() { }
void MainWindow::doCommandAndCheck(const QString &) { }
void MainWindow::showVoiceError() { }
void MainWindow::rebuildVoiceLabel() { }
void MainWindow::setIcons(bool) { }
QIcon MainWindow::prbsIcon(const QString &, bool)
{
    return QIcon();
}
void MainWindow::rebuildPrbsIcons(const QString &) { }
