// SPDX-License-Identifier: GPL-3.0-or-later
#include "checkbutton.h"

#include "theme.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

const int PadX = 3 * Theme::Unit;
const int PadY = 2 * Theme::Unit;
const int Gap = 2 * Theme::Unit;
const int Lamp = 10;
const int MinHeight = 10 * Theme::Unit;

} // namespace

CheckButton::CheckButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setCheckable(true);
    setIconSize(QSize(27, 27));
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
}

CheckButton::~CheckButton() = default;

QSize CheckButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    const bool hasIcon = !icon().isNull();
    const bool hasText = !text().isEmpty();
    int width = 2 * PadX;
    if (hasIcon)
        width += iconSize().width();
    if (hasIcon && hasText)
        width += Gap;
    if (hasText)
        width += metrics.horizontalAdvance(text());
    if (isCheckable())
        width += Gap + Lamp;
    const int content = qMax(hasIcon ? iconSize().height() : 0, metrics.height());
    return QSize(qMax(width, 2 * MinHeight), qMax(MinHeight, content + 2 * PadY));
}

QSize CheckButton::minimumSizeHint() const
{
    const QFontMetrics metrics(font());
    int width = 2 * PadX + metrics.horizontalAdvance(QStringLiteral("M…"));
    if (!icon().isNull())
        width += iconSize().width() + Gap;
    if (isCheckable())
        width += Gap + Lamp;
    return QSize(width, sizeHint().height());
}

QRect CheckButton::labelRect() const
{
    QRect area = rect().adjusted(PadX, PadY, -PadX, -PadY);
    if (isCheckable())
        area.setRight(area.right() - Gap - Lamp);
    return area;
}

void CheckButton::paintEvent(QPaintEvent *)
{
    const bool enabled = isEnabled();
    const bool checked = isCheckable() && isChecked();

    QColor fill = Theme::button();
    if (!enabled)
        fill = Theme::buttonDisabled();
    else if (isDown())
        fill = Theme::pressed();
    else if (checked)
        fill = QColor(0xE8, 0xF0, 0xF9);

    QColor border = Theme::frame();
    if (checked)
        border = enabled ? Theme::accent() : Theme::disabledText();
    else if (enabled && underMouse())
        border = Theme::text();
    const qreal borderWidth = checked ? 2.0 : 1.0;

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal inset = borderWidth / 2;
    const QRectF outer = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    painter.setPen(QPen(border, borderWidth));
    painter.setBrush(fill);
    painter.drawRoundedRect(outer, Theme::Radius, Theme::Radius);

    if (hasFocus()) {
        QColor ring = Theme::accent();
        ring.setAlpha(140);
        painter.setPen(QPen(ring, 1.0, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(outer.adjusted(3, 3, -3, -3), Theme::Radius - 2, Theme::Radius - 2);
    }

    // The check lamp: lit in the accent colour while the button is checked.
    if (isCheckable()) {
        const QRectF lamp(width() - PadX - Lamp, (height() - Lamp) / 2.0, Lamp, Lamp);
        if (checked) {
            const QColor lit = enabled ? Theme::accent() : Theme::disabledText();
            painter.setPen(QPen(lit.darker(120), 1.0));
            painter.setBrush(lit);
        } else {
            painter.setPen(QPen(enabled ? Theme::frame() : Theme::disabledText(), 1.0));
            painter.setBrush(Theme::window());
        }
        painter.drawEllipse(lamp);
    }

    // Icon and text: left-aligned beside a lamp, centred on a plain push button.
    const QRect area = labelRect();
    const QFontMetrics metrics(font());
    const bool hasIcon = !icon().isNull();
    const int iconWidth = hasIcon ? iconSize().width() : 0;
    const int gap = hasIcon && !text().isEmpty() ? Gap : 0;
    const QString caption
        = metrics.elidedText(text(), Qt::ElideRight, qMax(0, area.width() - iconWidth - gap));
    const int contentWidth = iconWidth + gap + metrics.horizontalAdvance(caption);
    int x = area.left();
    if (!isCheckable())
        x += qMax(0, (area.width() - contentWidth) / 2);

    if (hasIcon) {
        const QIcon::Mode mode = enabled ? QIcon::Normal : QIcon::Disabled;
        const QIcon::State state = checked ? QIcon::On : QIcon::Off;
        const QRect iconRect(QPoint(x, area.top() + (area.height() - iconSize().height()) / 2),
                             iconSize());
        icon().paint(&painter, iconRect, Qt::AlignCenter, mode, state);
        x += iconWidth + gap;
    }
    if (!caption.isEmpty()) {
        painter.setPen(enabled ? Theme::text() : Theme::disabledText());
        painter.drawText(QRect(x, area.top(), area.right() - x + 1, area.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption);
    }
}
