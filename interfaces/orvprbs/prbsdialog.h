// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <basepopupwindow.h>

class PrbsModel;
class PrbsDialogPrivate;

/*!
 * The popup in which the user picks the card's test pattern: under a title (with the pattern
 * in use on its right), the pseudo-random sequences 2^9-1 to 2^23-1 and the fixed words all
 * zeros, all ones and 0101 as large check buttons of one exclusive group, and a user pattern
 * of one to eight hexadecimal digits with its Apply button (Return in the field applies too).
 *
 * Choosing a button or applying a user pattern sends it through the model (nothing when the
 * card already uses it). The buttons keep the user's choice until the card's next
 * configuration change shows the card's pattern, and every showing of the popup reads the
 * card's pattern afresh, so a refused choice does not linger. A user pattern in use fills the
 * field and checks no button. Without a model the controls are disabled.
 *
 * \a flag (closeOnChoice), true by default: the popup closes as soon as a choice has been
 * sent. When false it stays open, so that several patterns can be tried in turn.
 */
class PrbsDialog : public BasePopupWindow
{
    Q_OBJECT

public:
    explicit PrbsDialog(QWidget *parent = 0, bool flag = true);
    ~PrbsDialog();

    //! Shows and changes the pattern of \a model, which the dialog does not own.
    void setModel(PrbsModel *model);
    PrbsModel *model() const;
    //! The constructor's flag: whether the popup closes once a choice has been sent.
    bool closesOnChoice() const;

protected:
    void changeEvent(QEvent *event);
    void showEvent(QShowEvent *event);

private:
    PrbsDialogPrivate *d;
};
