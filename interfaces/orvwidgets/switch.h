// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBitArray>
#include <QWidget>

class QColor;
class QIcon;
class SwitchPrivate;

/*!
 * One captioned button with a set of options that open on a press, laid out in optionColumns
 * columns. The chosen option shows as selected and is reported with indexChanged().
 *
 * A click (or Space, Enter or Return while it has focus) opens the option chooser beneath the
 * button: a popup child named "optionChooser" with one cell of optionSize() per option, showing
 * its icon and name, and kept on screen. Picking an option there selects that option alone,
 * shows it on the button (its icon, or its name where it has none) and emits indexChanged(),
 * also when it was selected already. Within the chooser the arrow keys move, Enter picks and
 * Escape closes. Nothing else emits: selectOptions() is always silent.
 */
class Switch : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(int optionColumns READ optionColumns WRITE setOptionColumns)

public:
    //! \a flag is kept for the callers' sake and changes nothing.
    explicit Switch(QWidget *parent = 0, bool flag = false);
    ~Switch();

    //! The caption; it is also the accessible name.
    void setText(const QString &text);
    QString text() const;
    //! Columns of the chooser; 0 (the default) puts all options in one row.
    void setOptionColumns(int columns);
    int optionColumns() const;

    void setOptionName(int option, const QString &name);
    QString optionName(int option) const;
    void setOptionIcon(int option, const QIcon &icon);
    QIcon optionIcon(int option) const;
    //! Face colour of \a option's cell and mark; invalid: the library's default.
    void setOptionColor(int option, const QColor &color);
    QColor optionColor(int option) const;
    //! Size of one option's cell in the chooser; invalid: as large as the options need.
    void setOptionSize(const QSize &size);
    QSize optionSize() const;
    //! One more than the highest option index given a name, icon or colour.
    int optionCount() const;

    //! One bit per option, all false for none. Never emits; does nothing when nothing changes.
    void selectOptions(const QBitArray &options);
    QBitArray selectedOptions() const;

    QSize sizeHint() const;
    QSize minimumSizeHint() const;

Q_SIGNALS:
    //! The user picked option \a index in the chooser.
    void indexChanged(int index);

protected:
    void paintEvent(QPaintEvent *event);
    void mousePressEvent(QMouseEvent *event);
    void mouseReleaseEvent(QMouseEvent *event);
    void keyPressEvent(QKeyEvent *event);
    void changeEvent(QEvent *event);

private:
    friend class SwitchPrivate;
    SwitchPrivate *d;
};
