// SPDX-License-Identifier: GPL-3.0-or-later
#include "roundslider.h"

#include "ownname.h"
#include "theme.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <qmath.h>

namespace {

// The dial is drawn in a logical square of this side, centred on the origin.
const qreal Logical = 200.0;
// The track runs clockwise from lower left (225 degrees) to lower right (-45 degrees).
const qreal StartAngle = 225.0;
const qreal SweepAngle = 270.0;
const qreal TrackRadius = 70.0;
const qreal TrackWidth = 12.0;
const qreal FaceRadius = 96.0;
const int PageStep = 10;
const int WheelNotch = 120;
// Side in pixels from which the scale marks are drawn.
const int MarksFrom = 80;

QPointF eventPosition(const QMouseEvent *event)
{
    return Compat::position(event);
}

} // namespace

class RoundSliderPrivate
{
public:
    explicit RoundSliderPrivate(RoundSlider *q)
        : q(q)
    { }

    RoundSlider *q;
    int minimum = 0;
    int maximum = 100;
    int position = 0;
    bool dragging = false;
    OwnAccessibleName ownName;
    int wheelRemainder = 0;

    qreal fraction() const
    {
        return maximum > minimum ? qreal(position - minimum) / (maximum - minimum) : 0.0;
    }

    // Widget coordinates of the dial's centre and the scale from logical units to pixels.
    QPointF centre() const { return QPointF(q->width() / 2.0, q->height() / 2.0); }
    qreal scale() const { return qMin(q->width(), q->height()) / Logical; }

    // The position under \a point, or -1 when the point is too close to the centre to give a
    // meaningful angle. Points in the gap at the bottom go to the nearer end of the track.
    int positionAt(const QPointF &point) const
    {
        const QPointF offset = point - centre();
        const qreal distance = std::hypot(offset.x(), offset.y()) / scale();
        if (distance < TrackRadius / 4)
            return -1;
        const qreal angle = qRadiansToDegrees(std::atan2(-offset.y(), offset.x()));
        qreal travelled = StartAngle - angle;
        while (travelled < 0)
            travelled += 360.0;
        while (travelled >= 360.0)
            travelled -= 360.0;
        qreal part;
        if (travelled <= SweepAngle)
            part = travelled / SweepAngle;
        else
            part = travelled < SweepAngle + (360.0 - SweepAngle) / 2 ? 1.0 : 0.0;
        return minimum + qRound(part * (maximum - minimum));
    }

    // Moves the dial to \a value (clamped); reports a change with positionChanged().
    void moveTo(int value)
    {
        value = qBound(minimum, value, maximum);
        if (value == position)
            return;
        position = value;
        q->update();
        QMetaObject::invokeMethod(q, "positionChanged", Q_ARG(int, position));
    }

    // While dragging, the dial stops at an end rather than jumping across the gap to the
    // other end when the pointer passes below the centre.
    void dragTo(int value)
    {
        if (qAbs(value - position) * 2 > maximum - minimum)
            value = position - minimum < maximum - position ? minimum : maximum;
        moveTo(value);
    }
};

RoundSlider::RoundSlider(QWidget *parent)
    : QWidget(parent)
    , d(new RoundSliderPrivate(this))
{
    setFocusPolicy(Qt::WheelFocus);
    d->ownName.set(this, tr("Level", "Accessible name of a dial that sets a level"));
}

RoundSlider::~RoundSlider()
{
    delete d;
}

void RoundSlider::setPosition(int position)
{
    d->moveTo(position);
}

int RoundSlider::position() const
{
    return d->position;
}

void RoundSlider::setRange(int minimum, int maximum)
{
    maximum = qMax(minimum, maximum);
    if (d->minimum == minimum && d->maximum == maximum)
        return;
    d->minimum = minimum;
    d->maximum = maximum;
    update();
    d->moveTo(d->position);
}

int RoundSlider::minimum() const
{
    return d->minimum;
}

int RoundSlider::maximum() const
{
    return d->maximum;
}

// Large enough to read and to drag with a finger, small enough to sit beside a check button in
// a dialog row; a layout that has room grows it.
QSize RoundSlider::sizeHint() const
{
    return QSize(12 * Theme::Unit, 12 * Theme::Unit);
}

QSize RoundSlider::minimumSizeHint() const
{
    return QSize(9 * Theme::Unit, 9 * Theme::Unit);
}

void RoundSlider::paintEvent(QPaintEvent *)
{
    const bool enabled = isEnabled();
    const QColor face = enabled ? Theme::button() : Theme::window();
    const QColor track = Theme::buttonDisabled();
    const QColor fill = enabled ? Theme::accent() : Theme::disabledText();
    const QColor ink = enabled ? Theme::text() : Theme::disabledText();
    const QColor outline = hasFocus() ? Theme::accent() : Theme::frame();

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(d->centre());
    painter.scale(d->scale(), d->scale());

    // The outline in device pixels, so that it stays crisp on a small dial.
    QPen outlinePen(outline, hasFocus() ? 2.0 : 1.0);
    outlinePen.setCosmetic(true);
    painter.setPen(outlinePen);
    painter.setBrush(face);
    painter.drawEllipse(QPointF(0, 0), FaceRadius, FaceRadius);

    // Scale marks every tenth of the range, just outside the track, where there is room for
    // them to read as marks rather than specks.
    if (qMin(width(), height()) >= MarksFrom) {
        painter.setPen(QPen(enabled ? Theme::frame() : track, 2.0, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i <= 10; ++i) {
            const qreal angle = qDegreesToRadians(StartAngle - SweepAngle * i / 10);
            const QPointF direction(std::cos(angle), -std::sin(angle));
            const qreal inner = TrackRadius + TrackWidth / 2 + 4;
            const qreal outer = inner + (i % 5 == 0 ? 9 : 5);
            painter.drawLine(direction * inner, direction * outer);
        }
    }

    const QRectF arc(-TrackRadius, -TrackRadius, 2 * TrackRadius, 2 * TrackRadius);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(track, TrackWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(arc, qRound(StartAngle * 16), qRound(-SweepAngle * 16));

    const qreal sweep = SweepAngle * d->fraction();
    if (sweep > 0) {
        painter.setPen(QPen(fill, TrackWidth, Qt::SolidLine, Qt::RoundCap));
        painter.drawArc(arc, qRound(StartAngle * 16), qRound(-sweep * 16));
    }

    const qreal knobAngle = qDegreesToRadians(StartAngle - sweep);
    const QPointF knob(TrackRadius * std::cos(knobAngle), -TrackRadius * std::sin(knobAngle));
    painter.setPen(QPen(fill, 3.0));
    painter.setBrush(Theme::button());
    painter.drawEllipse(knob, TrackWidth * 0.85, TrackWidth * 0.85);

    QFont number(font());
    number.setBold(true);
    number.setPixelSize(52);
    painter.setFont(number);
    painter.setPen(ink);
    painter.drawText(QRectF(-60, -30, 120, 60), Qt::AlignCenter, QString::number(d->position));
}

void RoundSlider::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QWidget::mousePressEvent(event);
        return;
    }
    d->dragging = true;
    const int value = d->positionAt(eventPosition(event));
    if (value >= d->minimum)
        d->moveTo(value);
    event->accept();
}

void RoundSlider::mouseMoveEvent(QMouseEvent *event)
{
    if (!d->dragging) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const int value = d->positionAt(eventPosition(event));
    if (value >= d->minimum)
        d->dragTo(value);
    event->accept();
}

void RoundSlider::mouseReleaseEvent(QMouseEvent *event)
{
    if (!d->dragging || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    d->dragging = false;
    event->accept();
}

void RoundSlider::wheelEvent(QWheelEvent *event)
{
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    const QPoint delta = Compat::angleDelta(event);
    // High-resolution wheels send fractions of a notch; they add up to whole steps.
    d->wheelRemainder += delta.y() != 0 ? delta.y() : delta.x();
    const int steps = d->wheelRemainder / WheelNotch;
    d->wheelRemainder -= steps * WheelNotch;
    d->moveTo(d->position + steps);
    event->accept();
}

void RoundSlider::keyPressEvent(QKeyEvent *event)
{
    int value = d->position;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
        value += 1;
        break;
    case Qt::Key_Down:
    case Qt::Key_Left:
        value -= 1;
        break;
    case Qt::Key_PageUp:
        value += PageStep;
        break;
    case Qt::Key_PageDown:
        value -= PageStep;
        break;
    case Qt::Key_Home:
        value = d->minimum;
        break;
    case Qt::Key_End:
        value = d->maximum;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    d->moveTo(value);
    event->accept();
}

void RoundSlider::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled())
            d->dragging = false;
        update();
    } else if (event->type() == QEvent::FontChange) {
        update();
    } else if (event->type() == QEvent::LanguageChange) {
        d->ownName.set(this, tr("Level", "Accessible name of a dial that sets a level"));
    }
    QWidget::changeEvent(event);
}
