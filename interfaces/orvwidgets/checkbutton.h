// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>

/*!
 * A checkable button with an icon and a text. setChecked() emits no clicked(); a click by the
 * user changes the state first and then emits clicked().
 */
class CheckButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit CheckButton(QWidget *parent = nullptr);
    ~CheckButton() override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
