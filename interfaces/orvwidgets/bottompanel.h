// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

/*!
 * The bar along the bottom of an instrument screen that holds its function buttons.
 *
 * It paints a band a shade darker than the window under a thin rule along its top edge; its
 * children are placed by whatever layout the owner installs on it.
 */
class BottomPanel : public QWidget
{
    Q_OBJECT

public:
    explicit BottomPanel(QWidget *parent = 0);
    ~BottomPanel();

protected:
    void paintEvent(QPaintEvent *event);
};
