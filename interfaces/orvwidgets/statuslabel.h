// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QColor;
class QPixmap;
class StatusLabelPrivate;

/*!
 * A small grid of cells, addressed (column, row), each holding a text or a picture. Used for
 * the instrument's status panel and the summaries under launcher buttons.
 */
class StatusLabel : public QWidget
{
    Q_OBJECT

public:
    explicit StatusLabel(QWidget *parent = nullptr);
    ~StatusLabel() override;

    //! A text cell. \a size 0 is the normal size; -3 a title.
    void setCell(int column, int row, Qt::Alignment alignment, const QString &text,
                 const QColor &color, int size, bool flag = false);
    //! A picture cell; a null pixmap leaves the cell empty.
    void setCell(int column, int row, Qt::Alignment alignment, const QPixmap &pixmap,
                 bool flag = false);

    int columnCount() const;
    int rowCount() const;
    QString cellText(int column, int row) const;
    QPixmap cellPixmap(int column, int row) const;
    Qt::Alignment cellAlignment(int column, int row) const;
    QColor cellColor(int column, int row) const;
    int cellSize(int column, int row) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    StatusLabelPrivate *d;
};
