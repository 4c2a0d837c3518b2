// SPDX-License-Identifier: GPL-3.0-or-later
#include "switchpanel.h"

#include "optionset.h"
#include "ownname.h"
#include "theme.h"

#include <QColor>
#include <QEvent>
#include <QFontMetrics>
#include <QHash>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionButton>
#include <QVector>

namespace {

const int ButtonCount = 32;
// The panel as a whole is pressed (compact form, or outside the buttons).
const int WholePanel = -2;

} // namespace

class SwitchPanelPrivate
{
public:
    explicit SwitchPanelPrivate(SwitchPanel *panel)
        : q(panel)
        , buttons(ButtonCount)
    { }

    struct Button
    {
        QString label;
        QIcon icon;
        QColor color;
        bool enabled = true;
        int option = -1;
    };

    SwitchPanel *q;
    QVector<Button> buttons;
    OptionSet options;
    int rows = 4;
    int columns = 8;
    int spacing = 4;
    int margin = 5;
    bool compact = false;

    int focusButton = -1; // the keyboard's button
    bool keyboardInUse = false; // the focus frame shows only while the keyboard drives the panel
    int pressedButton = -1; // button under a press, or WholePanel
    OwnAccessibleName ownName;
    int chooserButton = -1; // button whose chooser is open
    int choosingFor = -1; // button that the chooser's pick goes to
    OptionChooser *chooser = nullptr;

    // Button geometry for the size it was computed for.
    mutable QVector<QRect> rects;
    mutable QSize rectsSize;
    // The panel's palette with each face colour, by colour group and colour. The style keeps
    // the bevels it drew by the palette's cache key; a palette changed afresh for every button
    // would never find one and draw all 32 bevels again on every repaint.
    mutable QHash<QPair<int, QRgb>, QPalette> facePalettes;

    bool validButton(int button) const { return button >= 0 && button < ButtonCount; }
    int shownCount() const { return qMin(ButtonCount, rows * columns); }
    bool isActive(int button) const
    {
        return q->isEnabled() && validButton(button) && buttons.at(button).enabled;
    }

    QColor faceOf(const Button &button) const;
    QPalette facePalette(const QColor &face) const;
    const QVector<QRect> &buttonRects() const;
    void invalidateGeometry();
    QFont numberFont() const;
    QFont nameFont() const;
    QSize buttonHint(bool minimum) const;
    QSize panelSize(const QSize &button) const;

    int firstActiveButton() const;
    void moveFocus(int key);
    void activate(int button);
    void openChooser(int button);
    void closeChooser();
    void choose(int option);

    void paintButton(QPainter &painter, int button) const;
};

QColor SwitchPanelPrivate::faceOf(const Button &button) const
{
    if (!q->isEnabled() || !button.enabled)
        return Theme::buttonDisabled();
    return button.color.isValid() ? button.color : options.faceOf(button.option);
}

QPalette SwitchPanelPrivate::facePalette(const QColor &face) const
{
    const QPalette panel = q->palette();
    const QPair<int, QRgb> key(panel.currentColorGroup(), face.rgba());
    auto it = facePalettes.constFind(key);
    if (it == facePalettes.constEnd()) {
        QPalette palette = panel;
        palette.setColor(QPalette::Button, face);
        it = facePalettes.insert(key, palette);
    }
    return it.value();
}

void SwitchPanelPrivate::invalidateGeometry()
{
    rects.clear();
    q->updateGeometry();
    q->update();
}

const QVector<QRect> &SwitchPanelPrivate::buttonRects() const
{
    if (!rects.isEmpty() && rectsSize == q->size())
        return rects;
    rectsSize = q->size();
    rects = QVector<QRect>(ButtonCount);
    const QRect area = q->rect().adjusted(margin, margin, -margin, -margin);
    // Spread the buttons over the whole area; rounding goes into the gaps, not the last button.
    const double stepX = double(area.width() + spacing) / columns;
    const double stepY = double(area.height() + spacing) / rows;
    for (int i = 0; i < shownCount(); ++i) {
        const int row = i / columns;
        const int column = i % columns;
        const int left = area.left() + qRound(column * stepX);
        const int right = area.left() + qRound((column + 1) * stepX) - spacing;
        const int top = area.top() + qRound(row * stepY);
        const int bottom = area.top() + qRound((row + 1) * stepY) - spacing;
        rects[i] = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    }
    return rects;
}

QFont SwitchPanelPrivate::numberFont() const
{
    QFont font = Theme::scaled(q->font(), compact ? -6 : -3);
    font.setBold(true);
    return font;
}

QFont SwitchPanelPrivate::nameFont() const
{
    QFont font = Theme::scaled(q->font(), compact ? -7 : -6);
    font.setBold(false);
    return font;
}

QSize SwitchPanelPrivate::buttonHint(bool minimum) const
{
    const QFontMetrics numbers(numberFont());
    const QFontMetrics names(nameFont());
    int width = numbers.horizontalAdvance(QStringLiteral("88"));
    // Labels are set smaller where a button is narrow, so only the preferred size makes room
    // for them.
    if (!minimum) {
        for (const Button &button : buttons)
            width = qMax(width, numbers.horizontalAdvance(button.label));
    }

    QSize icon = options.iconExtent(QSize(64, 64));
    if (icon.isEmpty())
        icon = QSize(0, names.height());

    const int pad = compact ? 1 : Theme::Unit / 2;
    if (minimum) {
        // Enough for the number and a glimpse of the option.
        const int glimpse = compact ? 8 : 16;
        return QSize(width + 2 * pad, numbers.height() + glimpse + 2 * pad);
    }
    width = qMax(width, icon.width());
    return QSize(width + 2 * (pad + Theme::Unit / 2), numbers.height() + icon.height() + 3 * pad);
}

QSize SwitchPanelPrivate::panelSize(const QSize &button) const
{
    return QSize(2 * margin + columns * button.width() + (columns - 1) * spacing,
                 2 * margin + rows * button.height() + (rows - 1) * spacing);
}

int SwitchPanelPrivate::firstActiveButton() const
{
    for (int i = 0; i < shownCount(); ++i) {
        if (buttons.at(i).enabled)
            return i;
    }
    return 0;
}

void SwitchPanelPrivate::moveFocus(int key)
{
    if (focusButton < 0 || focusButton >= shownCount()) {
        focusButton = firstActiveButton();
        q->update();
        return;
    }
    int next = focusButton;
    switch (key) {
    case Qt::Key_Left:
        next = focusButton % columns > 0 ? focusButton - 1 : focusButton;
        break;
    case Qt::Key_Right:
        next = focusButton % columns < columns - 1 ? focusButton + 1 : focusButton;
        break;
    case Qt::Key_Up:
        next = focusButton - columns;
        break;
    case Qt::Key_Down:
        next = focusButton + columns;
        break;
    case Qt::Key_Home:
        next = 0;
        break;
    case Qt::Key_End:
        next = shownCount() - 1;
        break;
    default:
        break;
    }
    if (next < 0 || next >= shownCount() || next == focusButton)
        return;
    focusButton = next;
    q->update();
}

// A click on a button, or Enter on the framed one.
void SwitchPanelPrivate::activate(int button)
{
    if (!q->isEnabled())
        return;
    if (compact) {
        emit q->clicked();
        return;
    }
    if (!isActive(button))
        return;
    // The owner may rearrange the panel on clicked(); the chooser opens only on a panel that
    // is still full and still there.
    QPointer<SwitchPanel> guard(q);
    emit q->clicked();
    if (guard && !compact && isActive(button))
        openChooser(button);
}

void SwitchPanelPrivate::openChooser(int button)
{
    if (options.isEmpty())
        return;
    if (!chooser) {
        chooser = new OptionChooser(q);
        Compat::connect(chooser, SIGNAL(picked(int)), q, [this](int option) { choose(option); });
        Compat::connect(chooser, SIGNAL(closed()), q, [this]() {
            chooserButton = -1;
            q->update();
        });
    }
    const Button &target = buttons.at(button);
    chooser->setTitle(
        target.label.isEmpty()
            ? SwitchPanel::tr("Slot %1", "Heading of the options of a slot button").arg(button)
            : target.label);
    QBitArray marked(options.count());
    if (options.contains(target.option))
        marked.setBit(target.option);
    chooserButton = button;
    choosingFor = button;
    focusButton = button;
    const QRect local = buttonRects().at(button);
    options.popup(chooser, 0, marked, QRect(q->mapToGlobal(local.topLeft()), local.size()));
    q->update();
}

void SwitchPanelPrivate::closeChooser()
{
    if (chooser && chooser->isVisible())
        chooser->close();
    chooserButton = -1;
}

void SwitchPanelPrivate::choose(int option)
{
    const int button = choosingFor;
    if (!isActive(button) || compact)
        return;
    if (buttons[button].option != option) {
        buttons[button].option = option;
        q->update(buttonRects().at(button));
    }
    emit q->indexChanged(button, option);
}

void SwitchPanelPrivate::paintButton(QPainter &painter, int index) const
{
    const Button &button = buttons.at(index);
    const QRect r = buttonRects().at(index);
    if (r.isEmpty())
        return;
    const bool active = isActive(index);
    const bool down = active && (pressedButton == index || chooserButton == index);

    QStyleOptionButton bevel;
    bevel.initFrom(q);
    bevel.rect = r;
    bevel.features = QStyleOptionButton::None;
    bevel.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    if (!active)
        bevel.state &= ~QStyle::State_Enabled;
    bevel.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
    const QColor face = faceOf(button);
    bevel.palette = facePalette(down ? face.darker(108) : face);
    q->style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &bevel, &painter, q);

    const int pad = compact ? 1 : Theme::Unit / 2;
    const QRect inner = r.adjusted(pad, pad, -pad, -pad);
    const QColor ink = active ? Theme::text() : Theme::disabledText();
    const QFont numbers = numberFont();
    const QFontMetrics numberMetrics(numbers);
    const QString caption = button.label.isEmpty() ? QString::number(index) : button.label;

    // What stands beneath the number: the button's own icon, else the option's icon or name.
    const OptionSet::Option *option = nullptr;
    if (button.icon.isNull() && options.contains(button.option))
        option = &options.at(button.option);
    const QIcon icon = option ? option->icon : button.icon;
    // Small buttons name no option: their face colour and icon say enough at a glance.
    const QString name = option && !compact ? option->name : QString();
    const bool hasBody = !icon.isNull() || !name.isEmpty();

    // A label too wide for a small button is set in a smaller size rather than cut short.
    QFont captionFont = numbers;
    while (captionFont.pointSize() > 6
           && QFontMetrics(captionFont).horizontalAdvance(caption) > inner.width())
        captionFont.setPointSize(captionFont.pointSize() - 1);
    painter.setFont(captionFont);
    painter.setPen(ink);
    if (!hasBody) {
        painter.drawText(inner, Qt::AlignCenter, caption);
        return;
    }
    const QRect numberRect(inner.left(), inner.top(), inner.width(), numberMetrics.height());
    painter.drawText(numberRect, Qt::AlignHCenter | Qt::AlignVCenter, caption);

    const QRect body(inner.left(), numberRect.bottom() + 1, inner.width(),
                     inner.bottom() - numberRect.bottom());
    if (body.height() < 6)
        return;
    const QIcon::Mode mode = active ? QIcon::Normal : QIcon::Disabled;
    const QFont names = nameFont();
    const QFontMetrics nameMetrics(names);
    painter.setFont(names);
    painter.setPen(active ? Theme::text().lighter(150) : Theme::disabledText());
    if (icon.isNull()) {
        painter.drawText(body, Qt::AlignCenter,
                         nameMetrics.elidedText(name, Qt::ElideRight, body.width()));
        return;
    }
    const QSize iconSize = icon.actualSize(body.size(), mode);
    const bool withName = !compact && !name.isEmpty()
        && body.height() >= iconSize.height() + nameMetrics.height() + pad
        && nameMetrics.horizontalAdvance(name) <= body.width();
    const int block = iconSize.height() + (withName ? nameMetrics.height() : 0);
    const int top = body.top() + (body.height() - block) / 2;
    icon.paint(&painter, QRect(body.left(), top, body.width(), iconSize.height()), Qt::AlignCenter,
               mode);
    if (withName) {
        painter.drawText(
            QRect(body.left(), top + iconSize.height(), body.width(), nameMetrics.height()),
            Qt::AlignCenter, name);
    }
}

SwitchPanel::SwitchPanel(QWidget *parent, bool)
    : QWidget(parent)
    , d(new SwitchPanelPrivate(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    d->ownName.set(this, tr("Slot buttons"));
}

SwitchPanel::~SwitchPanel()
{
    delete d;
}

void SwitchPanel::setRows(int rows)
{
    rows = qMax(1, rows);
    if (d->rows == rows)
        return;
    d->rows = rows;
    d->focusButton = -1;
    d->closeChooser();
    d->invalidateGeometry();
}

void SwitchPanel::setColumns(int columns)
{
    columns = qMax(1, columns);
    if (d->columns == columns)
        return;
    d->columns = columns;
    d->focusButton = -1;
    d->closeChooser();
    d->invalidateGeometry();
}

int SwitchPanel::rows() const
{
    return d->rows;
}

int SwitchPanel::columns() const
{
    return d->columns;
}

void SwitchPanel::setButtonSpacing(int spacing)
{
    spacing = qMax(0, spacing);
    if (d->spacing == spacing)
        return;
    d->spacing = spacing;
    d->invalidateGeometry();
}

int SwitchPanel::buttonSpacing() const
{
    return d->spacing;
}

void SwitchPanel::setMargin(int margin)
{
    margin = qMax(0, margin);
    if (d->margin == margin)
        return;
    d->margin = margin;
    d->invalidateGeometry();
}

int SwitchPanel::margin() const
{
    return d->margin;
}

void SwitchPanel::setCompact(bool compact)
{
    if (d->compact == compact)
        return;
    d->compact = compact;
    d->pressedButton = -1;
    d->closeChooser();
    d->invalidateGeometry();
}

bool SwitchPanel::compact() const
{
    return d->compact;
}

void SwitchPanel::setOptionName(int option, const QString &name)
{
    if (d->options.setName(option, name)) {
        updateGeometry();
        update();
    }
}

QString SwitchPanel::optionName(int option) const
{
    return d->options.name(option);
}

void SwitchPanel::setOptionIcon(int option, const QIcon &icon)
{
    if (d->options.setIcon(option, icon)) {
        updateGeometry();
        update();
    }
}

QIcon SwitchPanel::optionIcon(int option) const
{
    return d->options.icon(option);
}

void SwitchPanel::setOptionColor(int option, const QColor &color)
{
    if (d->options.setColor(option, color))
        update();
}

QColor SwitchPanel::optionColor(int option) const
{
    return d->options.color(option);
}

void SwitchPanel::setOptionSize(const QSize &size)
{
    d->options.cellSize = size;
}

QSize SwitchPanel::optionSize() const
{
    return d->options.cellSize;
}

int SwitchPanel::optionCount() const
{
    return d->options.count();
}

void SwitchPanel::setButton(int button, const QString &label, const QIcon &icon,
                            const QColor &color, bool enabled)
{
    if (!d->validButton(button))
        return;
    SwitchPanelPrivate::Button &target = d->buttons[button];
    if (target.label == label && target.icon.cacheKey() == icon.cacheKey() && target.color == color
        && target.enabled == enabled)
        return;
    const bool labelChanged = target.label != label;
    target.label = label;
    target.icon = icon;
    target.color = color;
    target.enabled = enabled;
    if (!enabled && d->chooserButton == button)
        d->closeChooser();
    if (!enabled && d->pressedButton == button)
        d->pressedButton = -1;
    if (labelChanged)
        updateGeometry();
    update(buttonRect(button));
}

bool SwitchPanel::isButtonEnabled(int button) const
{
    return d->validButton(button) && d->buttons.at(button).enabled;
}

QString SwitchPanel::buttonLabel(int button) const
{
    return d->validButton(button) ? d->buttons.at(button).label : QString();
}

QIcon SwitchPanel::buttonIcon(int button) const
{
    return d->validButton(button) ? d->buttons.at(button).icon : QIcon();
}

QColor SwitchPanel::buttonColor(int button) const
{
    return d->validButton(button) ? d->buttons.at(button).color : QColor();
}

void SwitchPanel::selectOption(int button, int option, bool)
{
    if (!d->validButton(button))
        return;
    option = qMax(-1, option);
    if (d->buttons.at(button).option == option)
        return;
    d->buttons[button].option = option;
    update(buttonRect(button));
}

int SwitchPanel::firstSelectedOption(int button) const
{
    return d->validButton(button) ? d->buttons.at(button).option : -1;
}

QRect SwitchPanel::buttonRect(int button) const
{
    if (!d->validButton(button) || button >= d->shownCount())
        return QRect();
    return d->buttonRects().at(button);
}

int SwitchPanel::buttonAt(const QPoint &pos) const
{
    const QVector<QRect> &rects = d->buttonRects();
    for (int i = 0; i < d->shownCount(); ++i) {
        if (rects.at(i).contains(pos))
            return i;
    }
    return -1;
}

QSize SwitchPanel::sizeHint() const
{
    return d->panelSize(d->buttonHint(false));
}

QSize SwitchPanel::minimumSizeHint() const
{
    return d->panelSize(d->buttonHint(true));
}

bool SwitchPanel::event(QEvent *event)
{
    if (event->type() == QEvent::DynamicPropertyChange) {
        update();
        if (d->chooser)
            d->chooser->update();
    }
    return QWidget::event(event);
}

void SwitchPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // The panel's band in its direction's tint; a compact panel darkens as a whole under a press.
    QColor band = Theme::tintOf(this);
    if (d->compact && d->pressedButton == WholePanel)
        band = band.darker(106);
    const QRectF outline = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(band.darker(112), 1));
    painter.setBrush(band);
    painter.drawRoundedRect(outline, Theme::Radius, Theme::Radius);

    for (int i = 0; i < d->shownCount(); ++i)
        d->paintButton(painter, i);

    if (!hasFocus() || !isEnabled() || !d->keyboardInUse)
        return;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Theme::accent(), 2));
    if (d->compact) {
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), Theme::Radius,
                                Theme::Radius);
    } else if (d->focusButton >= 0 && d->focusButton < d->shownCount()) {
        const QRectF frame = QRectF(d->buttonRects().at(d->focusButton)).adjusted(1, 1, -1, -1);
        painter.drawRoundedRect(frame, Theme::Radius - 1, Theme::Radius - 1);
    }
}

void SwitchPanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    d->keyboardInUse = false;
    if (d->compact) {
        d->pressedButton = WholePanel;
        update();
        return;
    }
    const int button = buttonAt(OptionChooser::eventPos(event));
    d->pressedButton = d->isActive(button) ? button : -1;
    if (d->pressedButton >= 0) {
        d->focusButton = button;
        update();
    }
}

void SwitchPanel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const int pressed = d->pressedButton;
    if (pressed == -1)
        return;
    d->pressedButton = -1;
    update();
    const QPoint pos = OptionChooser::eventPos(event);
    if (pressed == WholePanel) {
        if (rect().contains(pos))
            d->activate(-1);
    } else if (buttonAt(pos) == pressed) {
        d->activate(pressed);
    }
}

void SwitchPanel::keyPressEvent(QKeyEvent *event)
{
    if (!d->keyboardInUse) {
        d->keyboardInUse = true;
        update();
    }
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        if (d->compact) {
            QWidget::keyPressEvent(event);
            return;
        }
        d->moveFocus(event->key());
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Select:
        if (!d->compact && (d->focusButton < 0 || d->focusButton >= d->shownCount()))
            d->focusButton = d->firstActiveButton();
        d->activate(d->focusButton);
        return;
    case Qt::Key_Escape:
        if (d->chooser && d->chooser->isVisible()) {
            d->closeChooser();
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void SwitchPanel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::LanguageChange:
        d->ownName.set(this, tr("Slot buttons"));
        break;
    case QEvent::EnabledChange:
        if (!isEnabled()) {
            d->pressedButton = -1;
            d->closeChooser();
        }
        update();
        break;
    case QEvent::FontChange:
        d->invalidateGeometry();
        break;
    case QEvent::StyleChange:
        d->facePalettes.clear();
        d->invalidateGeometry();
        break;
    case QEvent::PaletteChange:
        d->facePalettes.clear();
        update();
        break;
    default:
        break;
    }
}

void SwitchPanel::focusInEvent(QFocusEvent *event)
{
    if (d->focusButton < 0 || d->focusButton >= d->shownCount())
        d->focusButton = d->firstActiveButton();
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        d->keyboardInUse = true;
    QWidget::focusInEvent(event);
    update();
}

void SwitchPanel::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}
