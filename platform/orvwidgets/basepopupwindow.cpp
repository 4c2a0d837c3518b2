// SPDX-License-Identifier: GPL-3.0-or-later
#include "basepopupwindow.h"

#include "popuparea.h"
#include "theme.h"

#include <QCursor>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

// The widget that the popup being shown is anchored at, while show(const QWidget *) runs: the
// placement keeps the popup inside that widget's window as well as on its screen.
const QWidget *anchorWidget = nullptr;

class AnchorScope
{
public:
    explicit AnchorScope(const QWidget *widget)
        : outer(anchorWidget)
    {
        anchorWidget = widget;
    }
    ~AnchorScope() { anchorWidget = outer; }

private:
    const QWidget *outer;
};

// The rounded outline of a popup of \a size, as a region: what lies outside it is not part of
// the window at all, so the desktop shows through the corners with or without a compositor.
QRegion roundedRegion(const QSize &size)
{
    QPainterPath outline;
    outline.addRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)), 2 * Theme::Radius,
                           2 * Theme::Radius);
    return QRegion(outline.toFillPolygon().toPolygon());
}

} // namespace

BasePopupWindow::BasePopupWindow(QWidget *parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
{
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
    move(placement(anchor, this->size(), popupArea(anchorWidget, anchor)).topLeft());
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
    const AnchorScope scope(widget);
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
    if (event->type() == QEvent::Resize)
        setMask(roundedRegion(size()));
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
