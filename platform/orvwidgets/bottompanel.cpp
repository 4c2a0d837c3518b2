// SPDX-License-Identifier: GPL-3.0-or-later
#include "bottompanel.h"

#include "theme.h"

#include <QPainter>

BottomPanel::BottomPanel(QWidget *parent)
    : QWidget(parent)
{
    setAccessibleName(tr("Function buttons", "Accessible name of a screen's bottom bar"));
}

BottomPanel::~BottomPanel() = default;

void BottomPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect band = rect();
    painter.fillRect(band, Theme::band());
    // The rule, with a light line beneath it so that the band reads as a step down.
    painter.setPen(Theme::rule());
    painter.drawLine(band.topLeft(), band.topRight());
    painter.setPen(QColor(255, 255, 255, 150));
    painter.drawLine(band.left(), band.top() + 1, band.right(), band.top() + 1);
}
