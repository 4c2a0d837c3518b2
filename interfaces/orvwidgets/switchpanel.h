// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QColor;
class QIcon;
class SwitchPanelPrivate;

/*!
 * A panel of 32 slot buttons (index 0 to 31) laid out in rows x columns, sharing one set of
 * options (index 0 to 2). Each button shows its number, or a label where one is set, and the
 * option it shows. The full form opens an option chooser on a button; the compact form draws
 * small buttons and is pressed as a whole.
 *
 * Buttons are numbered row by row: button n sits in row n / columns, column n % columns. Buttons
 * beyond rows x columns are not shown. Each shows, beneath its number or label, the option it
 * shows on that option's face colour (by default option 0 keeps the plain face, options 1 and 2
 * have quiet blue and rose faces): the option's icon, with its name beneath in the full form when
 * the button is tall enough; an option without an icon is named in the full form and told by its
 * colour alone in the compact one. A button icon, where one is set, stands in place of the
 * option's icon and name. A label too wide for a small button is set in a smaller size.
 *
 * Mouse: in the full form a click on an enabled button emits clicked() and then opens the option
 * chooser at the button: a popup child named "optionChooser" that lists the options with their
 * icons and names, one cell of optionSize() each, and stays on screen. Picking an option there
 * shows it on the button and emits indexChanged(button, option), also when the option was already
 * shown: the owner decides what a repeated choice means. A click on a disabled button or between
 * buttons does nothing. In the compact form a click anywhere emits clicked() and opens nothing,
 * so that the owner can make the panel full.
 *
 * Keyboard (the panel takes focus on Tab and on a click): the arrow keys move a focus frame over
 * the buttons (shown while the keyboard is in use, not after a touch or click); Enter, Return or
 * Space act like a click on the framed button (in the compact form, like a click on the panel);
 * Escape closes the chooser. Within the chooser the arrow keys move, Enter picks and Escape closes.
 *
 * A disabled panel or button takes no input and is drawn greyed. The setters never emit. The
 * dynamic property "palette_id" ("rx", "tx") gives the panel its direction's quiet tint.
 */
class SwitchPanel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int rows READ rows WRITE setRows)
    Q_PROPERTY(int columns READ columns WRITE setColumns)
    Q_PROPERTY(int buttonSpacing READ buttonSpacing WRITE setButtonSpacing)
    Q_PROPERTY(int margin READ margin WRITE setMargin)
    Q_PROPERTY(bool compact READ compact WRITE setCompact)

public:
    //! \a flag is kept for the callers' sake and changes nothing.
    explicit SwitchPanel(QWidget *parent = 0, bool flag = false);
    ~SwitchPanel();

    virtual void setRows(int rows);
    virtual void setColumns(int columns);
    int rows() const;
    int columns() const;

    //! Gap between buttons and margin around them, in pixels.
    void setButtonSpacing(int spacing);
    int buttonSpacing() const;
    void setMargin(int margin);
    int margin() const;
    //! The small-button form; switching closes an open chooser.
    void setCompact(bool compact);
    bool compact() const;

    //! Name and icon of \a option, in the chooser and on the buttons that show it. The owner
    //! gives icons of the size that suits the present form: larger ones for the full form.
    void setOptionName(int option, const QString &name);
    QString optionName(int option) const;
    void setOptionIcon(int option, const QIcon &icon);
    QIcon optionIcon(int option) const;
    //! Face colour of the buttons that show \a option; invalid: the library's default.
    void setOptionColor(int option, const QColor &color);
    QColor optionColor(int option) const;
    //! Size of one option's cell in the chooser; invalid: as large as the options need.
    void setOptionSize(const QSize &size);
    QSize optionSize() const;
    //! Number of options: one more than the highest option index given a name, icon or colour.
    int optionCount() const;

    //! Label, icon, colour (invalid: the default) and enabled state of one button. An empty
    //! label and a null icon restore the plain numbered look.
    void setButton(int button, const QString &label, const QIcon &icon, const QColor &color,
                   bool enabled);
    bool isButtonEnabled(int button) const;
    QString buttonLabel(int button) const;
    QIcon buttonIcon(int button) const;
    QColor buttonColor(int button) const;

    //! Shows \a option (-1: none) on \a button without emitting anything. \a flag is kept for
    //! the callers' sake and changes nothing.
    void selectOption(int button, int option, bool flag);
    //! The option shown on \a button, negative for none.
    int firstSelectedOption(int button) const;

    //! Where \a button lies in the panel; empty when the button is not shown.
    QRect buttonRect(int button) const;
    //! The button at \a pos, -1 for none.
    int buttonAt(const QPoint &pos) const;

    QSize sizeHint() const;
    QSize minimumSizeHint() const;

Q_SIGNALS:
    //! The user chose \a optionIndex on \a buttonIndex in the chooser.
    void indexChanged(int buttonIndex, int optionIndex);
    //! The panel was pressed: anywhere in the compact form, on an enabled button (just before
    //! its chooser opens) in the full form.
    void clicked();

protected:
    bool event(QEvent *event);
    void paintEvent(QPaintEvent *event);
    void mousePressEvent(QMouseEvent *event);
    void mouseReleaseEvent(QMouseEvent *event);
    void keyPressEvent(QKeyEvent *event);
    void changeEvent(QEvent *event);
    void focusInEvent(QFocusEvent *event);
    void focusOutEvent(QFocusEvent *event);

private:
    friend class SwitchPanelPrivate;
    SwitchPanelPrivate *d;
};
