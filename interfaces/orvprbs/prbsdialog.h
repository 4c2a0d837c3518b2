// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <basepopupwindow.h>

class PrbsModel;
class PrbsDialogPrivate;

/*!
 * The popup in which the user picks the card's test pattern.
 */
class PrbsDialog : public BasePopupWindow
{
    Q_OBJECT

public:
    explicit PrbsDialog(QWidget *parent = nullptr, bool flag = true);
    ~PrbsDialog() override;

    void setModel(PrbsModel *model);
    PrbsModel *model() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    PrbsDialogPrivate *d;
};
