// SPDX-License-Identifier: GPL-3.0-or-later
#include "checkbutton.h"

#include "theme.h"

#include <QFontMetrics>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

const int PadX = 3 * Theme::Unit;
const int PadY = Theme::Unit;
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

void CheckButton::initStyleOption(QStyleOptionButton *option) const
{
    option->initFrom(this);
    option->features = QStyleOptionButton::None;
    // A checked button keeps a raised face: the accent frame and the lamp show the state, so
    // that a pressed look stays the answer to a press.
    option->state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
}

QSize CheckButton::contentSize(const QString &shownText) const
{
    const QFontMetrics metrics(font());
    const bool hasIcon = !icon().isNull();
    const bool hasText = !shownText.isEmpty();
    int width = 0;
    if (hasIcon)
        width += iconSize().width();
    if (hasIcon && hasText)
        width += Gap;
    if (hasText)
        width += metrics.horizontalAdvance(shownText);
    if (isCheckable())
        width += Gap + Lamp;
    const int height = qMax(hasIcon ? iconSize().height() : 0, metrics.height());
    return QSize(width + 2 * PadX, height + 2 * PadY);
}

QSize CheckButton::sizeHint() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const QSize size
        = style()->sizeFromContents(QStyle::CT_PushButton, &option, contentSize(text()), this);
    return size.expandedTo(QSize(2 * MinHeight, MinHeight));
}

QSize CheckButton::minimumSizeHint() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const QSize size = style()->sizeFromContents(QStyle::CT_PushButton, &option,
                                                 contentSize(QStringLiteral("M…")), this);
    return QSize(qMin(size.width(), sizeHint().width()), sizeHint().height());
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

    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    painter.setRenderHint(QPainter::Antialiasing);
    if (checked) {
        // The checked look: a light accent wash over the face inside an accent frame.
        const QColor edge = enabled ? Theme::accent() : Theme::disabledText();
        QColor wash = edge;
        wash.setAlpha(enabled ? 28 : 20);
        painter.setPen(QPen(edge, 2));
        painter.setBrush(wash);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), Theme::Radius,
                                Theme::Radius);
    }

    // Keyboard focus: a dotted ring inside the face, apart from the checked frame.
    if (hasFocus()) {
        painter.setPen(QPen(Theme::accent(), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(4.5, 4.5, -4.5, -4.5), Theme::Radius - 2,
                                Theme::Radius - 2);
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
