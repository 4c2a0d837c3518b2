// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class WarningWindowPrivate;

/*!
 * A modal warning with an OK button.
 */
class WarningWindow : public QWidget
{
    Q_OBJECT

public:
    explicit WarningWindow(QWidget *parent = nullptr);
    ~WarningWindow() override;

    //! Shows \a text (and \a text2 beneath it when not empty) and returns only when the user has
    //! closed the warning: with OK, Escape or by closing the window.
    void show(const QString &text, const QString &text2);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    WarningWindowPrivate *d;
};
