// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ownname.h"

#include <QBitArray>
#include <QColor>
#include <QIcon>
#include <QString>
#include <QVector>
#include <QWidget>

class QMouseEvent;

/*
 * The popup in which a slot button of a SwitchPanel or a Switch offers its options: one cell
 * per option, showing the option's icon with its name beneath (or the name alone when the
 * option has no icon), in a number of columns. It opens beside the control that owns it and
 * stays on screen, inside the owner's window; it closes when an option is picked, on Escape, or on
 * a press outside it.
 *
 * Its object name is "optionChooser" and it is a child of its owner, so that whoever drives
 * the owner can find it; optionRect() is invokable through the meta-object for the same reason.
 */
class OptionChooser : public QWidget
{
    Q_OBJECT

public:
    struct Option
    {
        QString name;
        QIcon icon;
        QColor face; // cell colour; invalid: the plain button face
    };

    explicit OptionChooser(QWidget *owner);
    ~OptionChooser() override;

    //! A short heading above the cells; empty for none.
    void setTitle(const QString &title);
    //! The options, laid out in \a columns columns (0: all in one row) of cells of \a cellSize
    //! (invalid: as large as the largest option needs).
    void setOptions(const QVector<Option> &options, int columns, const QSize &cellSize);
    //! The options drawn as the present choice.
    void setMarked(const QBitArray &marked);
    //! The cell that the keyboard moves and Enter picks.
    void setCurrent(int option);
    int current() const;
    int count() const;

    //! Geometry of the cell of \a option in the chooser, empty for an unknown option.
    Q_INVOKABLE QRect optionRect(int option) const;
    int optionAt(const QPoint &pos) const;

    //! Shows the chooser beside \a anchor (global coordinates): centred below it, or above it
    //! when there is no room below, and moved inside the screen's available area and the
    //! window of its owner (popupArea()).
    void popup(const QRect &anchor);

    QSize sizeHint() const override;

    // Position of a mouse event, the same way in every Qt release the library builds with.
    static QPoint eventPos(const QMouseEvent *event);
    static QPoint eventGlobalPos(const QMouseEvent *event);

Q_SIGNALS:
    //! The user picked \a option; the chooser has already closed.
    void picked(int option);
    //! The chooser closed, whatever the reason.
    void closed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    int columnCount() const;
    int rowCount() const;
    QSize cellExtent() const;
    int titleHeight() const;
    void pick(int option);
    void paintCell(QPainter &painter, int option) const;

    QString title;
    QVector<Option> options;
    int columns = 0;
    QSize cellSize;
    QBitArray marked;
    int currentOption = -1;
    int pressedOption = -1;
    QRect anchor;
    OwnAccessibleName ownName;
};
