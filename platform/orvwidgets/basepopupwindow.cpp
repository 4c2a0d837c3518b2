// SPDX-License-Identifier: GPL-3.0-or-later
#include "basepopupwindow.h"

#include "theme.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

namespace {

// The screen an anchor lies on: the one under its centre, else under any of its corners.
QScreen *screenOf(const QRect &anchor)
{
    const QPoint points[] = {anchor.center(), anchor.topLeft(), anchor.topRight(),
                             anchor.bottomLeft(), anchor.bottomRight()};
    for (const QPoint &point : points) {
        if (QScreen *screen = QGuiApplication::screenAt(point))
            return screen;
    }
    return nullptr;
}

} // namespace

BasePopupWindow::BasePopupWindow(QWidget *parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
{
    // The corners outside the rounded frame stay see-through.
    setAttribute(Qt::WA_TranslucentBackground);
    // A popup reads like the window it opens from: it takes that window's font.
    setAttribute(Qt::WA_WindowPropagation);
    setAccessibleName(tr("Popup", "Accessible name of a popup window without a name of its own"));
}

BasePopupWindow::~BasePopupWindow() = default;

QRect BasePopupWindow::placement(const QRect &anchor, const QSize &size, const QRect &available)
{
    const int gap = Theme::Unit;
    const int above = anchor.top() - gap - size.height();
    const int below = anchor.bottom() + 1 + gap;
    QRect place(QPoint(anchor.left() + (anchor.width() - size.width()) / 2, above), size);
    if (!available.isValid())
        return place;

    if (above < available.top()) {
        const bool fitsBelow = below + size.height() - 1 <= available.bottom();
        const bool moreRoomBelow
            = available.bottom() - anchor.bottom() > anchor.top() - available.top();
        if (fitsBelow || moreRoomBelow)
            place.moveTop(below);
    }
    const int maxLeft = qMax(available.left(), available.right() + 1 - size.width());
    const int maxTop = qMax(available.top(), available.bottom() + 1 - size.height());
    place.moveTo(qBound(available.left(), place.left(), maxLeft),
                 qBound(available.top(), place.top(), maxTop));
    return place;
}

void BasePopupWindow::show(const QRect &anchor, const QSize &size)
{
    // The size given here is for this showing only: a later show(anchor) still picks the size
    // hint unless the popup was resized by its owner, so Qt's "user resized" mark is restored.
    const bool resized = testAttribute(Qt::WA_Resized);
    resize(size);
    QScreen *screen = screenOf(anchor);
    const QRect available = screen ? screen->availableGeometry() : QRect();
    move(placement(anchor, this->size(), available).topLeft());
    QWidget::show();
    setAttribute(Qt::WA_Resized, resized);
    raise();
    activateWindow();
}

void BasePopupWindow::show(const QRect &anchor)
{
    QSize size = testAttribute(Qt::WA_Resized) ? this->size() : sizeHint();
    if (!size.isValid())
        size = this->size();
    show(anchor, size.expandedTo(minimumSizeHint()));
}

void BasePopupWindow::show(const QWidget *widget)
{
    if (!widget) {
        show(QRect(QCursor::pos(), QSize(1, 1)));
        return;
    }
    show(QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
}

bool BasePopupWindow::event(QEvent *event)
{
    // Escape closes the popup even when a subclass takes key presses for itself; and a
    // shortcut elsewhere in the window must not swallow it first.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            event->accept();
            if (event->type() == QEvent::KeyPress)
                close();
            return true;
        }
    }
    return QWidget::event(event);
}

void BasePopupWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(Theme::frame(), 1.0));
    painter.setBrush(Theme::window());
    painter.drawRoundedRect(frame, 2 * Theme::Radius, 2 * Theme::Radius);
}
