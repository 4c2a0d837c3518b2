// SPDX-License-Identifier: GPL-3.0-or-later
#include "optionchooser.h"

#include "popuparea.h"
#include "theme.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

const int Padding = 2 * Theme::Unit; // around the cells
const int Spacing = Theme::Unit; // between the cells

int textWidth(const QFontMetrics &metrics, const QString &text)
{
    return metrics.horizontalAdvance(text);
}

} // namespace

OptionChooser::OptionChooser(QWidget *owner)
    : QWidget(owner, Qt::Popup)
{
    setObjectName(QStringLiteral("optionChooser"));
    ownName.set(this, tr("Options", "Accessible name of the popup that lists a button's options"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

OptionChooser::~OptionChooser() = default;

void OptionChooser::setTitle(const QString &text)
{
    if (title == text)
        return;
    title = text;
    updateGeometry();
    update();
}

void OptionChooser::setOptions(const QVector<Option> &list, int columnsWanted, const QSize &size)
{
    options = list;
    columns = qMax(0, columnsWanted);
    cellSize = size;
    if (currentOption >= options.size())
        currentOption = options.isEmpty() ? -1 : 0;
    updateGeometry();
    update();
}

void OptionChooser::setMarked(const QBitArray &bits)
{
    if (marked == bits)
        return;
    marked = bits;
    update();
}

void OptionChooser::setCurrent(int option)
{
    if (option < 0 || option >= options.size() || option == currentOption)
        return;
    currentOption = option;
    update();
}

int OptionChooser::current() const
{
    return currentOption;
}

int OptionChooser::count() const
{
    return options.size();
}

int OptionChooser::columnCount() const
{
    const int n = qMax(1, int(options.size()));
    return columns > 0 ? qMin(columns, n) : n;
}

int OptionChooser::rowCount() const
{
    const int c = columnCount();
    return qMax(1, (int(options.size()) + c - 1) / c);
}

QSize OptionChooser::cellExtent() const
{
    if (cellSize.isValid() && !cellSize.isEmpty())
        return cellSize;
    const QFontMetrics nameMetrics(Theme::scaled(font(), -4));
    QSize extent(40, 40);
    for (const Option &option : options) {
        const QSize icon = option.icon.actualSize(QSize(64, 64));
        const int width = qMax(icon.width(), textWidth(nameMetrics, option.name));
        const int height = option.icon.isNull()
            ? nameMetrics.height()
            : icon.height() + Theme::Unit + nameMetrics.height();
        extent = extent.expandedTo(QSize(width, height) + QSize(2, 2) * Theme::Unit);
    }
    return extent;
}

int OptionChooser::titleHeight() const
{
    if (title.isEmpty())
        return 0;
    return QFontMetrics(Theme::scaled(font(), -3)).height() + Theme::Unit;
}

QSize OptionChooser::sizeHint() const
{
    const QSize cell = cellExtent();
    const int c = columnCount();
    const int r = rowCount();
    int width = 2 * Padding + c * cell.width() + (c - 1) * Spacing;
    if (!title.isEmpty()) {
        QFont titleFont = Theme::scaled(font(), -3);
        titleFont.setBold(true);
        width = qMax(width, 2 * Padding + textWidth(QFontMetrics(titleFont), title));
    }
    const int height = 2 * Padding + titleHeight() + r * cell.height() + (r - 1) * Spacing;
    return QSize(width, height);
}

QRect OptionChooser::optionRect(int option) const
{
    if (option < 0 || option >= options.size())
        return QRect();
    const QSize cell = cellExtent();
    const int c = columnCount();
    const int x = Padding + (option % c) * (cell.width() + Spacing);
    const int y = Padding + titleHeight() + (option / c) * (cell.height() + Spacing);
    return QRect(QPoint(x, y), cell);
}

int OptionChooser::optionAt(const QPoint &pos) const
{
    for (int i = 0; i < options.size(); ++i) {
        if (optionRect(i).contains(pos))
            return i;
    }
    return -1;
}

void OptionChooser::popup(const QRect &anchorRect)
{
    anchor = anchorRect;
    pressedOption = -1;
    // The keyboard starts on the present choice, else on the first option.
    currentOption = options.isEmpty() ? -1 : 0;
    for (int i = 0; i < marked.size() && i < options.size(); ++i) {
        if (marked.testBit(i)) {
            currentOption = i;
            break;
        }
    }

    ensurePolished();
    const QSize size = sizeHint();
    QRect area = popupArea(parentWidget(), anchor);
    if (!area.isValid())
        area = QRect(anchor.topLeft(), size);

    QPoint pos(anchor.center().x() - size.width() / 2, anchor.bottom() + 1 + Theme::Unit / 2);
    if (pos.y() + size.height() - 1 > area.bottom()) {
        const int above = anchor.top() - Theme::Unit / 2 - size.height();
        pos.setY(above >= area.top() ? above : area.bottom() - size.height() + 1);
    }
    pos.setX(qBound(area.left(), pos.x(), qMax(area.left(), area.right() - size.width() + 1)));
    pos.setY(qMax(area.top(), pos.y()));

    setGeometry(QRect(pos, size));
    show();
    setFocus(Qt::PopupFocusReason);
    update();
}

void OptionChooser::pick(int option)
{
    hide();
    emit picked(option);
}

void OptionChooser::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor tint = Theme::tintOf(this);
    painter.fillRect(rect(), tint.lighter(103));
    painter.setPen(Theme::frame());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    if (!title.isEmpty()) {
        QFont titleFont = Theme::scaled(font(), -3);
        titleFont.setBold(true);
        painter.setFont(titleFont);
        painter.setPen(Theme::text().lighter(160));
        const QRect titleRect(Padding, Padding, width() - 2 * Padding, titleHeight() - Theme::Unit);
        painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter, title);
    }

    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < options.size(); ++i)
        paintCell(painter, i);
}

void OptionChooser::paintCell(QPainter &painter, int option) const
{
    const Option &entry = options.at(option);
    const QRectF cell = QRectF(optionRect(option)).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool isMarked = option < marked.size() && marked.testBit(option);

    QColor face = entry.face.isValid() ? entry.face : Theme::button();
    if (option == pressedOption)
        face = face.darker(112);
    painter.setBrush(face);
    painter.setPen(
        QPen(isMarked ? Theme::accent() : Theme::frame().lighter(125), isMarked ? 2 : 1));
    painter.drawRoundedRect(cell.adjusted(isMarked ? 0.5 : 0, isMarked ? 0.5 : 0,
                                          isMarked ? -0.5 : 0, isMarked ? -0.5 : 0),
                            Theme::Radius, Theme::Radius);

    if (option == currentOption) {
        // The keyboard's place: a ring just outside the cell.
        QColor ring = Theme::accent();
        ring.setAlpha(200);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(ring, 2, Qt::DotLine));
        painter.drawRoundedRect(cell.adjusted(-2.5, -2.5, 2.5, 2.5), Theme::Radius + 2,
                                Theme::Radius + 2);
    }

    QFont nameFont = Theme::scaled(font(), entry.icon.isNull() ? -2 : -4);
    nameFont.setBold(isMarked || entry.icon.isNull());
    const QFontMetrics nameMetrics(nameFont);
    const QRect inner = optionRect(option).adjusted(Theme::Unit / 2, Theme::Unit / 2,
                                                    -Theme::Unit / 2, -Theme::Unit / 2);
    painter.setFont(nameFont);
    painter.setPen(isMarked ? Theme::accent() : Theme::text());
    if (entry.icon.isNull()) {
        painter.drawText(inner, Qt::AlignCenter,
                         nameMetrics.elidedText(entry.name, Qt::ElideRight, inner.width()));
        return;
    }

    const QSize icon = entry.icon.actualSize(inner.size());
    const bool withName = !entry.name.isEmpty()
        && inner.height() >= icon.height() + nameMetrics.height() + Theme::Unit / 2;
    const int block = icon.height() + (withName ? nameMetrics.height() : 0);
    const int top = inner.top() + (inner.height() - block) / 2;
    entry.icon.paint(&painter, QRect(inner.left(), top, inner.width(), icon.height()),
                     Qt::AlignCenter);
    if (withName) {
        painter.drawText(
            QRect(inner.left(), top + icon.height(), inner.width(), nameMetrics.height()),
            Qt::AlignCenter, nameMetrics.elidedText(entry.name, Qt::ElideRight, inner.width()));
    }
}

void OptionChooser::mousePressEvent(QMouseEvent *event)
{
    if (!rect().contains(eventPos(event))) {
        // A press on the control that opened the chooser only closes it; anywhere else the
        // press goes on to what lies under it.
        if (anchor.contains(eventGlobalPos(event)))
            setAttribute(Qt::WA_NoMouseReplay);
        close();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    pressedOption = optionAt(eventPos(event));
    if (pressedOption >= 0)
        currentOption = pressedOption;
    update();
}

void OptionChooser::mouseMoveEvent(QMouseEvent *event)
{
    const int option = optionAt(eventPos(event));
    if (option >= 0 && option != currentOption && (pressedOption < 0 || option == pressedOption)) {
        currentOption = option;
        update();
    }
}

void OptionChooser::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int pressed = pressedOption;
    pressedOption = -1;
    update();
    if (pressed >= 0 && optionAt(eventPos(event)) == pressed)
        pick(pressed);
}

void OptionChooser::keyPressEvent(QKeyEvent *event)
{
    const int n = options.size();
    const int c = columnCount();
    int next = currentOption;
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Select:
        if (currentOption >= 0 && currentOption < n)
            pick(currentOption);
        return;
    case Qt::Key_Left:
        next = currentOption - 1;
        break;
    case Qt::Key_Right:
        next = currentOption + 1;
        break;
    case Qt::Key_Up:
        next = currentOption - c;
        break;
    case Qt::Key_Down:
        next = currentOption + c;
        break;
    case Qt::Key_Home:
        next = 0;
        break;
    case Qt::Key_End:
        next = n - 1;
        break;
    default:
        // A popup keeps the keyboard: nothing escapes to the window beneath.
        event->accept();
        return;
    }
    if (next >= 0 && next < n)
        setCurrent(next);
}

void OptionChooser::hideEvent(QHideEvent *event)
{
    pressedOption = -1;
    QWidget::hideEvent(event);
    emit closed();
}

void OptionChooser::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateGeometry();
    else if (event->type() == QEvent::LanguageChange)
        ownName.set(this,
                    tr("Options", "Accessible name of the popup that lists a button's options"));
}

QPoint OptionChooser::eventPos(const QMouseEvent *event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->position().toPoint();
#else
    return event->pos();
#endif
}

QPoint OptionChooser::eventGlobalPos(const QMouseEvent *event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->globalPosition().toPoint();
#else
    return event->globalPos();
#endif
}
