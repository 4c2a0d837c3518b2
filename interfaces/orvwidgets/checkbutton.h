// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>

class QStyleOptionButton;

/*!
 * A checkable button with an icon and a text, drawn like the other buttons of the set: the
 * style's button face with the icon and the text on the left and a check lamp on the right. A
 * checked button has an accent frame and a lit lamp.
 *
 * The button is checkable from construction, with a 27 x 27 icon size. setChecked() changes the
 * state silently as far as clicked() goes (only toggled() is emitted), so a program can mirror a
 * setting without echoing it back. A click by the user, with the mouse or the Space key, changes
 * the state first and then emits clicked(), so isChecked() inside a clicked() handler gives the
 * state the user has just chosen.
 *
 * Made not checkable with setCheckable(false), it draws no lamp and centres its icon and text,
 * a plain push button of the same look.
 */
class CheckButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit CheckButton(QWidget *parent = 0);
    ~CheckButton();

    QSize sizeHint() const;
    QSize minimumSizeHint() const;

protected:
    void paintEvent(QPaintEvent *event);
    //! The area inside the padding where the icon and text go, left of the lamp.
    QRect labelRect() const;
    void initStyleOption(QStyleOptionButton *option) const;

private:
    QSize contentSize(const QString &shownText) const;
};
