// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

class QWidget;

/*
 * Where the instrument's popups may go. On the instrument a popup stays on the screen that
 * shows the window it belongs to; on a desktop the same window may be one part of a larger
 * window, so a popup stays inside the window that holds its anchor as well.
 */

//! The available geometry of the screen that shows \a point; invalid when no screen does.
QRect availableScreenArea(const QPoint &point);

//! The area for a popup opened at \a anchor (global coordinates) on behalf of \a owner: the
//! available geometry of the anchor's screen, narrowed to the window holding \a owner. That
//! window is the nearest ancestor of \a owner (or \a owner itself) that is a window or carries
//! the dynamic property "popupArea" set to true; a null \a owner leaves the screen alone.
//! Invalid when there is neither a screen nor a window.
QRect popupArea(const QWidget *owner, const QRect &anchor);
