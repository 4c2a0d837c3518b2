// SPDX-License-Identifier: GPL-3.0-or-later
#include "popuparea.h"

#include <QVariant>
#include <QWidget>

#if QT_VERSION >= QT_VERSION_CHECK(5, 10, 0)
#include <QGuiApplication>
#include <QScreen>
#else
#include <QApplication>
#include <QDesktopWidget>
#endif

QRect availableScreenArea(const QPoint &point)
{
#if QT_VERSION >= QT_VERSION_CHECK(5, 10, 0)
    const QScreen *screen = QGuiApplication::screenAt(point);
    return screen ? screen->availableGeometry() : QRect();
#else
    const QDesktopWidget *desktop = QApplication::desktop();
    const int screen = desktop->screenNumber(point);
    return screen < 0 ? QRect() : desktop->availableGeometry(screen);
#endif
}

QRect popupArea(const QWidget *owner, const QRect &anchor)
{
    // The anchor's screen: the one under its centre, else under any of its corners.
    const QPoint points[] = {anchor.center(), anchor.topLeft(), anchor.topRight(),
                             anchor.bottomLeft(), anchor.bottomRight()};
    QRect screen;
    for (const QPoint &point : points) {
        screen = availableScreenArea(point);
        if (screen.isValid())
            break;
    }

    const QWidget *window = owner;
    while (window && !window->isWindow() && !window->property("popupArea").toBool())
        window = window->parentWidget();
    if (!window)
        return screen;
    const QRect bounds(window->mapToGlobal(QPoint(0, 0)), window->size());
    const QRect area = screen.isValid() ? screen & bounds : bounds;
    // A window that lies off the screen does not confine its popups.
    return area.isEmpty() ? screen : area;
}
