// SPDX-License-Identifier: GPL-3.0-or-later
#include "switch.h"

#include "optionset.h"
#include "theme.h"

#include <QColor>
#include <QEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

const int ArrowWidth = 10;

} // namespace

class SwitchPrivate
{
public:
    explicit SwitchPrivate(Switch *owner)
        : q(owner)
    { }

    Switch *q;
    QString text;
    int optionColumns = 0;
    OptionSet options;
    QBitArray selected;
    bool pressed = false;
    OptionChooser *chooser = nullptr;

    bool isSelected(int option) const
    {
        return option < selected.size() && selected.testBit(option);
    }
    bool hasSelection() const { return selected.count(true) > 0; }
    QFont valueFont() const;
    QSize iconExtent() const;
    int valueWidth() const;
    int itemWidth(int option, int height) const;
    void initStyleOption(QStyleOptionButton *option) const;
    void openChooser();
    void choose(int option);
};

QFont SwitchPrivate::valueFont() const
{
    return Theme::scaled(q->font(), -2);
}

QSize SwitchPrivate::iconExtent() const
{
    return options.iconExtent(QSize(64, 40));
}

// Width of one option on the button: its icon, else its name.
int SwitchPrivate::itemWidth(int option, int height) const
{
    const OptionChooser::Option &entry = options.at(option);
    if (!entry.icon.isNull())
        return entry.icon.actualSize(QSize(64, height)).width();
    return QFontMetrics(valueFont()).horizontalAdvance(entry.name);
}

// Room for the widest option, so that choosing one does not make the button jump.
int SwitchPrivate::valueWidth() const
{
    const int height = qMax(iconExtent().height(), QFontMetrics(valueFont()).height());
    int width = 0;
    for (int i = 0; i < options.count(); ++i)
        width = qMax(width, itemWidth(i, height));
    return width > 0 ? width + 2 * Theme::Unit : 0;
}

void SwitchPrivate::initStyleOption(QStyleOptionButton *option) const
{
    option->initFrom(q);
    option->features = QStyleOptionButton::None;
    const bool down = pressed || (chooser && chooser->isVisible());
    option->state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
}

void SwitchPrivate::openChooser()
{
    if (!q->isEnabled() || options.isEmpty())
        return;
    if (!chooser) {
        chooser = new OptionChooser(q);
        Compat::connect(chooser, SIGNAL(picked(int)), q, [this](int option) { choose(option); });
        Compat::connect(chooser, SIGNAL(closed()), q, [this]() { q->update(); });
    }
    options.popup(chooser, optionColumns, selected, QRect(q->mapToGlobal(QPoint(0, 0)), q->size()));
    q->update();
}

void SwitchPrivate::choose(int option)
{
    QBitArray bits(qMax(int(selected.size()), options.count()));
    bits.setBit(option);
    if (bits != selected) {
        selected = bits;
        q->update();
    }
    emit q->indexChanged(option);
}

Switch::Switch(QWidget *parent, bool)
    : QWidget(parent)
    , d(new SwitchPrivate(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

Switch::~Switch()
{
    delete d;
}

void Switch::setText(const QString &text)
{
    if (d->text == text)
        return;
    d->text = text;
    setAccessibleName(text);
    updateGeometry();
    update();
}

QString Switch::text() const
{
    return d->text;
}

void Switch::setOptionColumns(int columns)
{
    d->optionColumns = qMax(0, columns);
}

int Switch::optionColumns() const
{
    return d->optionColumns;
}

void Switch::setOptionName(int option, const QString &name)
{
    if (d->options.setName(option, name)) {
        updateGeometry();
        update();
    }
}

QString Switch::optionName(int option) const
{
    return d->options.name(option);
}

void Switch::setOptionIcon(int option, const QIcon &icon)
{
    if (d->options.setIcon(option, icon)) {
        updateGeometry();
        update();
    }
}

QIcon Switch::optionIcon(int option) const
{
    return d->options.icon(option);
}

void Switch::setOptionColor(int option, const QColor &color)
{
    if (d->options.setColor(option, color))
        update();
}

QColor Switch::optionColor(int option) const
{
    return d->options.color(option);
}

void Switch::setOptionSize(const QSize &size)
{
    d->options.cellSize = size;
}

QSize Switch::optionSize() const
{
    return d->options.cellSize;
}

int Switch::optionCount() const
{
    return d->options.count();
}

void Switch::selectOptions(const QBitArray &options)
{
    if (d->selected == options)
        return;
    d->selected = options;
    if (d->chooser)
        d->chooser->setMarked(options);
    update();
}

QBitArray Switch::selectedOptions() const
{
    return d->selected;
}

QSize Switch::sizeHint() const
{
    ensurePolished();
    const QFontMetrics metrics = fontMetrics();
    const int valueWidth = d->valueWidth();
    const int height = qMax(qMax(metrics.height(), QFontMetrics(d->valueFont()).height()),
                            d->iconExtent().height())
        + Theme::Unit;
    int width = metrics.horizontalAdvance(d->text) + 2 * Theme::Unit + ArrowWidth;
    if (valueWidth > 0)
        width += 2 * Theme::Unit + valueWidth;
    QStyleOptionButton option;
    d->initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, QSize(width, height), this);
}

QSize Switch::minimumSizeHint() const
{
    return sizeHint();
}

void Switch::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    d->initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const QColor ink = isEnabled() ? Theme::text() : Theme::disabledText();

    // A small arrow at the right says that the button opens a list.
    QStyleOptionButton arrow = option;
    arrow.rect = QRect(contents.right() - ArrowWidth - Theme::Unit + 1,
                       contents.center().y() - ArrowWidth / 2, ArrowWidth, ArrowWidth);
    arrow.palette.setColor(QPalette::ButtonText, ink);
    painter.drawPrimitive(QStyle::PE_IndicatorArrowDown, arrow);

    QRect room = contents.adjusted(0, 0, -(ArrowWidth + 2 * Theme::Unit), 0);
    const int valueWidth = d->valueWidth();
    if (d->hasSelection() && valueWidth > 0) {
        const int height = qMin(
            room.height(),
            qMax(d->iconExtent().height(), QFontMetrics(d->valueFont()).height()) + Theme::Unit);
        int right = room.right();
        painter.setRenderHint(QPainter::Antialiasing);
        for (int i = d->options.count() - 1; i >= 0; --i) {
            if (!d->isSelected(i))
                continue;
            const OptionChooser::Option &entry = d->options.at(i);
            const int width = qMax(valueWidth, d->itemWidth(i, height) + 2 * Theme::Unit);
            const QRect chip(right - width + 1, room.center().y() - height / 2, width, height);
            if (chip.left() < room.left())
                break;
            painter.setPen(QPen(Theme::accent(), 1.5));
            painter.setBrush(isEnabled() ? d->options.faceOf(i) : Theme::buttonDisabled());
            painter.drawRoundedRect(QRectF(chip).adjusted(0.75, 0.75, -0.75, -0.75),
                                    Theme::Radius - 1, Theme::Radius - 1);
            if (!entry.icon.isNull()) {
                entry.icon.paint(&painter, chip, Qt::AlignCenter,
                                 isEnabled() ? QIcon::Normal : QIcon::Disabled);
            } else {
                painter.setFont(d->valueFont());
                painter.setPen(ink);
                painter.drawText(chip, Qt::AlignCenter, entry.name);
            }
            right = chip.left() - Theme::Unit;
        }
        room.setRight(right - Theme::Unit);
    }

    painter.setFont(font());
    painter.setPen(ink);
    const QFontMetrics metrics = fontMetrics();
    painter.drawText(room, Qt::AlignCenter,
                     metrics.elidedText(d->text, Qt::ElideRight, room.width()));

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void Switch::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    d->pressed = true;
    update();
}

void Switch::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !d->pressed) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    d->pressed = false;
    update();
    if (rect().contains(OptionChooser::eventPos(event)))
        d->openChooser();
}

void Switch::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Select:
        d->openChooser();
        return;
    case Qt::Key_Down:
        if (event->modifiers() & Qt::AltModifier) {
            d->openChooser();
            return;
        }
        break;
    case Qt::Key_Escape:
        if (d->chooser && d->chooser->isVisible()) {
            d->chooser->close();
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void Switch::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled()) {
            d->pressed = false;
            if (d->chooser && d->chooser->isVisible())
                d->chooser->close();
        }
        update();
        break;
    case QEvent::FontChange:
    case QEvent::StyleChange:
        updateGeometry();
        update();
        break;
    default:
        break;
    }
}
