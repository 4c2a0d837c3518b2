// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class RoundSliderPrivate;

/*!
 * A dial for a level. Dragging, the wheel and the arrow keys move it and report the new
 * position with positionChanged().
 */
class RoundSlider : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int position READ position WRITE setPosition NOTIFY positionChanged)

public:
    explicit RoundSlider(QWidget *parent = nullptr);
    ~RoundSlider() override;

    void setPosition(int position);
    int position() const;
    void setRange(int minimum, int maximum);
    int minimum() const;
    int maximum() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void positionChanged(int pos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    RoundSliderPrivate *d;
};
