// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
    ~WarningWindow();

    //! Shows \a text (and \a text2 beneath it when not empty) and returns only when the user has
    //! closed the warning: with OK, Return, Escape or by closing the window (close() or hide()
    //! from the program count too, and so does deleting the window). Events are processed
    //! meanwhile. Called again while the warning is open, it replaces the texts and returns at
    //! once; the first call goes on waiting.
    void show(const QString &text, const QString &text2);

protected:
    void closeEvent(QCloseEvent *event);
    void hideEvent(QHideEvent *event);
    void changeEvent(QEvent *event);
    void keyPressEvent(QKeyEvent *event);
    void paintEvent(QPaintEvent *event);

private:
    WarningWindowPrivate *d;
};
