// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class RoundSliderPrivate;

/*!
 * A dial for a level, from minimum() to maximum() (0 to 100 unless setRange() says otherwise),
 * starting at the minimum. The track runs clockwise from the lower left to the lower right;
 * the part up to the position is filled in the accent colour, a knob marks the position and
 * the number stands in the middle.
 *
 * The user moves it by
 * - pressing on the dial (the knob jumps to the angle pressed) and dragging: the position
 *   follows the pointer's angle; it stops at an end instead of jumping across the gap at the
 *   bottom;
 * - the wheel: one step per notch, up or right increasing;
 * - the keys: Up and Right one step up, Down and Left one step down, PageUp and PageDown ten
 *   steps, Home and End to the ends.
 * A disabled dial is drawn greyed and takes no input.
 *
 * positionChanged() is emitted whenever the position actually changes, whatever the cause: the
 * user, setPosition() or a setRange() that moves the position into the new range. Setting the
 * position it already has emits nothing. Positions outside the range are clamped into it.
 */
class RoundSlider : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int position READ position WRITE setPosition NOTIFY positionChanged)

public:
    explicit RoundSlider(QWidget *parent = 0);
    ~RoundSlider();

    //! Moves the dial to \a position, clamped into the range; emits positionChanged() when
    //! this changes the position.
    void setPosition(int position);
    int position() const;
    //! Sets the range (a \a maximum below \a minimum counts as \a minimum) and clamps the
    //! position into it.
    void setRange(int minimum, int maximum);
    int minimum() const;
    int maximum() const;

    QSize sizeHint() const;
    QSize minimumSizeHint() const;

Q_SIGNALS:
    void positionChanged(int pos);

protected:
    void paintEvent(QPaintEvent *event);
    void mousePressEvent(QMouseEvent *event);
    void mouseMoveEvent(QMouseEvent *event);
    void mouseReleaseEvent(QMouseEvent *event);
    void wheelEvent(QWheelEvent *event);
    void keyPressEvent(QKeyEvent *event);
    void changeEvent(QEvent *event);

private:
    RoundSliderPrivate *d;
};
