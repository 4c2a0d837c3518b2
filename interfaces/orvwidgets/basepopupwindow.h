// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

/*!
 * Base of the instrument's popups: a frameless window with a rounded frame in the set's colours
 * that closes on Escape and on a press outside it. The rounded corners are cut out of the window
 * (a mask), so they look the same with and without a compositor. A subclass installs its own
 * layout; the popup takes the font of the window it belongs to.
 *
 * Placement: the popup opens above its anchor, centred on it horizontally, a small gap away;
 * when there is no room above it on the anchor's screen it opens below (or, fitting nowhere,
 * on the side with more room). It is always kept inside the available geometry of the
 * anchor's screen; an anchor on no screen places it above the anchor as it is. Shown at a
 * widget, it is also kept inside the window that holds the widget.
 */
class BasePopupWindow : public QWidget
{
    Q_OBJECT

public:
    explicit BasePopupWindow(QWidget *parent = 0);
    ~BasePopupWindow();

    using QWidget::show;

    //! Where a popup of \a size goes for \a anchor (global coordinates) on a screen whose
    //! available geometry is \a available; an invalid \a available means no screen.
    static QRect placement(const QRect &anchor, const QSize &size, const QRect &available);

public Q_SLOTS:
    //! Shows the popup with the size \a size, placed beside \a anchor and kept on screen.
    virtual void show(const QRect &anchor, const QSize &size);
    //! Shows the popup placed beside \a anchor (global coordinates): at the size its owner
    //! gave it with resize() (as a form does), else at its size hint.
    virtual void show(const QRect &anchor);
    //! Shows the popup beside \a widget (for example above a button of a bottom bar), as
    //! show(const QRect &) with the widget's global rectangle, inside the window that holds the
    //! widget: its top-level window, or the nearest ancestor whose dynamic property "popupArea"
    //! is true (a screen embedded in a larger window). A null widget anchors at the mouse pointer.
    virtual void show(const QWidget *widget);

protected:
    //! Closes the popup on Escape, whichever child has the focus; cuts the rounded corners out
    //! of the window on every resize; passes everything else on.
    bool event(QEvent *event);
    void paintEvent(QPaintEvent *event);
};
