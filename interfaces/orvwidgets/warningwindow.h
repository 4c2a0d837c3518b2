// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../orvglobal.h"

#include <QWidget>

class WarningWindowPrivate;

/*!
 * A modal warning with an OK button: a warning symbol, the first text (word-wrapped, a little
 * larger) and the second text beneath it when that is not empty.
 *
 * With a parent it is modal over the parent's window and opens over its middle, taking its
 * font; without one it is application-modal and opens in the middle of the screen. The OK
 * button has the object name "okButton". The window can be shown again after it was closed.
 */
class WarningWindow : public QWidget
{
    Q_OBJECT

public:
    explicit WarningWindow(QWidget *parent = 0);
    ~WarningWindow() ORV_OVERRIDE;

    //! Shows \a text (and \a text2 beneath it when not empty) and returns only when the user has
    //! closed the warning: with OK, Return, Escape or by closing the window (close() or hide()
    //! from the program count too, and so does deleting the window). Events are processed
    //! meanwhile. Called again while the warning is open, it replaces the texts and returns at
    //! once; the first call goes on waiting.
    void show(const QString &text, const QString &text2);

protected:
    void closeEvent(QCloseEvent *event) ORV_OVERRIDE;
    void hideEvent(QHideEvent *event) ORV_OVERRIDE;
    void changeEvent(QEvent *event) ORV_OVERRIDE;
    void keyPressEvent(QKeyEvent *event) ORV_OVERRIDE;
    void paintEvent(QPaintEvent *event) ORV_OVERRIDE;

private:
    WarningWindowPrivate *d;
};
