// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

/*!
 * Base of the instrument's popups: a frameless window that closes on Escape and on a press
 * outside it.
 */
class BasePopupWindow : public QWidget
{
    Q_OBJECT

public:
    explicit BasePopupWindow(QWidget *parent = nullptr);
    ~BasePopupWindow() override;

    using QWidget::show;

public Q_SLOTS:
    //! Shows the popup with the size \a size, placed beside \a anchor and kept on screen.
    virtual void show(const QRect &anchor, const QSize &size);
    //! Shows the popup at its size hint, placed beside \a anchor (global coordinates).
    virtual void show(const QRect &anchor);
    //! Shows the popup beside \a widget.
    virtual void show(const QWidget *widget);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
