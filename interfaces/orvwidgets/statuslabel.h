// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QColor;
class QPixmap;
class StatusLabelPrivate;

/*!
 * A small grid of cells, addressed (column, row), each holding a text or a picture. Used for
 * the instrument's status panel and the summaries under launcher buttons.
 *
 * The grid spans every cell written so far. Each column is as wide as its widest cell and each
 * row as tall as its tallest; room beyond the size hint is shared out evenly among the columns
 * and the rows, and each cell places its content by its alignment. Writing a cell replaces what
 * it held; writing the same content again changes nothing and costs neither a relayout nor a
 * repaint, so owners may rewrite all cells on every update.
 */
class StatusLabel : public QWidget
{
    Q_OBJECT

public:
    explicit StatusLabel(QWidget *parent = 0);
    ~StatusLabel();

    //! A text cell. \a size steps the label's font in points: 0 is the normal size, -3 a title
    //! (three points smaller), positive values larger. An invalid \a color takes the palette's
    //! text colour. \a flag is kept for the callers' sake and changes nothing.
    void setCell(int column, int row, Qt::Alignment alignment, const QString &text,
                 const QColor &color, int size, bool flag = false);
    //! A picture cell, drawn at the pixmap's own size; a null pixmap leaves the cell empty.
    void setCell(int column, int row, Qt::Alignment alignment, const QPixmap &pixmap,
                 bool flag = false);

    //! Read back: the number of columns and rows the grid spans, and what a cell holds (empty
    //! values for a cell never written or emptied, a null colour for a picture cell).
    int columnCount() const;
    int rowCount() const;
    QString cellText(int column, int row) const;
    QPixmap cellPixmap(int column, int row) const;
    Qt::Alignment cellAlignment(int column, int row) const;
    QColor cellColor(int column, int row) const;
    int cellSize(int column, int row) const;

    QSize sizeHint() const;
    QSize minimumSizeHint() const;

protected:
    void paintEvent(QPaintEvent *event);
    void changeEvent(QEvent *event);

private:
    StatusLabelPrivate *d;
};
