// SPDX-License-Identifier: GPL-3.0-or-later
#include "statuslabel.h"

#include "ownname.h"
#include "theme.h"

#include <QColor>
#include <QEvent>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStringList>
#include <QStyle>
#include <QVector>

namespace {

const int ColumnGap = Theme::Unit;
const int HorizontalMargin = Theme::Unit / 2;
const int VerticalMargin = 1;

bool samePicture(const QPixmap &a, const QPixmap &b)
{
    if (a.cacheKey() == b.cacheKey() || (a.isNull() && b.isNull()))
        return true;
    if (a.isNull() != b.isNull() || a.size() != b.size()
        || Compat::pixelRatio(a) != Compat::pixelRatio(b))
        return false;
    // Owners often load the same picture afresh for every update; the pictures are small.
    return a.toImage() == b.toImage();
}

} // namespace

class StatusLabelPrivate
{
public:
    explicit StatusLabelPrivate(StatusLabel *label)
        : q(label)
    { }

    struct Cell
    {
        enum Kind { Empty, Text, Picture };
        Kind kind = Empty;
        Qt::Alignment alignment;
        QString text;
        QColor color;
        int size = 0;
        QPixmap pixmap;

        bool operator==(const Cell &other) const
        {
            return kind == other.kind && alignment == other.alignment && text == other.text
                && color == other.color && size == other.size && samePicture(pixmap, other.pixmap);
        }
        // Whether the two take the same room in the grid.
        bool sameExtent(const Cell &other) const
        {
            if (kind != other.kind)
                return false;
            if (kind == Text)
                return text == other.text && size == other.size;
            if (kind == Picture)
                return pixmap.size() == other.pixmap.size()
                    && Compat::pixelRatio(pixmap) == Compat::pixelRatio(other.pixmap);
            return true;
        }
    };

    StatusLabel *q;
    QVector<QVector<Cell>> grid; // [row][column]
    int columns = 0;

    // Column widths and row heights for the present content and font.
    mutable bool metricsValid = false;
    OwnAccessibleName ownName;
    mutable QVector<int> widths;
    mutable QVector<int> heights;

    const Cell *cell(int column, int row) const
    {
        if (row < 0 || row >= grid.size() || column < 0 || column >= grid.at(row).size())
            return nullptr;
        return &grid.at(row).at(column);
    }
    QFont fontFor(int size) const { return Theme::scaled(q->font(), size); }
    QSize extentOf(const Cell &cell) const;
    void store(int column, int row, const Cell &cell);
    void computeMetrics() const;
    QSize contentSize() const;
    void describe();
};

QSize StatusLabelPrivate::extentOf(const Cell &cell) const
{
    switch (cell.kind) {
    case Cell::Text: {
        const QFontMetrics metrics(fontFor(cell.size));
        if (cell.text.isEmpty())
            return QSize(0, metrics.height());
        return metrics.size(0, cell.text);
    }
    case Cell::Picture:
        return cell.pixmap.size() / Compat::pixelRatio(cell.pixmap);
    case Cell::Empty:
        break;
    }
    return QSize(0, 0);
}

void StatusLabelPrivate::store(int column, int row, const Cell &cell)
{
    if (column < 0 || row < 0)
        return;
    bool grew = false;
    if (row >= grid.size()) {
        grid.resize(row + 1);
        grew = true;
    }
    if (column >= columns) {
        columns = column + 1;
        grew = true;
    }
    for (QVector<Cell> &line : grid) {
        if (line.size() < columns)
            line.resize(columns);
    }

    Cell &target = grid[row][column];
    if (!grew && target == cell)
        return;
    const bool relayout = grew || !target.sameExtent(cell);
    target = cell;
    describe();
    if (relayout) {
        metricsValid = false;
        q->updateGeometry();
    }
    q->update();
}

void StatusLabelPrivate::computeMetrics() const
{
    if (metricsValid)
        return;
    widths = QVector<int>(columns, 0);
    heights = QVector<int>(grid.size(), 0);
    for (int row = 0; row < grid.size(); ++row) {
        for (int column = 0; column < columns; ++column) {
            const QSize extent = extentOf(grid.at(row).at(column));
            widths[column] = qMax(widths.at(column), extent.width());
            heights[row] = qMax(heights.at(row), extent.height());
        }
    }
    metricsValid = true;
}

QSize StatusLabelPrivate::contentSize() const
{
    computeMetrics();
    int width = 0;
    for (int w : widths)
        width += w;
    int height = 0;
    for (int h : heights)
        height += h;
    if (columns > 1)
        width += (columns - 1) * ColumnGap;
    return QSize(width, height);
}

// The texts of the grid, row by row, for screen readers.
void StatusLabelPrivate::describe()
{
    QStringList lines;
    for (const QVector<Cell> &line : grid) {
        QStringList texts;
        for (const Cell &cell : line) {
            if (cell.kind == Cell::Text && !cell.text.trimmed().isEmpty())
                texts.append(cell.text.trimmed());
        }
        if (!texts.isEmpty())
            lines.append(texts.join(QStringLiteral(" ")));
    }
    q->setAccessibleDescription(lines.join(QStringLiteral("\n")));
}

StatusLabel::StatusLabel(QWidget *parent)
    : QWidget(parent)
    , d(new StatusLabelPrivate(this))
{
    d->ownName.set(this, tr("Status"));
}

StatusLabel::~StatusLabel()
{
    delete d;
}

void StatusLabel::setCell(int column, int row, Qt::Alignment alignment, const QString &text,
                          const QColor &color, int size, bool)
{
    StatusLabelPrivate::Cell cell;
    cell.kind = StatusLabelPrivate::Cell::Text;
    cell.alignment = alignment;
    cell.text = text;
    cell.color = color;
    cell.size = size;
    d->store(column, row, cell);
}

void StatusLabel::setCell(int column, int row, Qt::Alignment alignment, const QPixmap &pixmap, bool)
{
    StatusLabelPrivate::Cell cell;
    cell.alignment = alignment;
    if (!pixmap.isNull()) {
        cell.kind = StatusLabelPrivate::Cell::Picture;
        cell.pixmap = pixmap;
    }
    d->store(column, row, cell);
}

int StatusLabel::columnCount() const
{
    return d->columns;
}

int StatusLabel::rowCount() const
{
    return d->grid.size();
}

QString StatusLabel::cellText(int column, int row) const
{
    const StatusLabelPrivate::Cell *cell = d->cell(column, row);
    return cell ? cell->text : QString();
}

QPixmap StatusLabel::cellPixmap(int column, int row) const
{
    const StatusLabelPrivate::Cell *cell = d->cell(column, row);
    return cell ? cell->pixmap : QPixmap();
}

Qt::Alignment StatusLabel::cellAlignment(int column, int row) const
{
    const StatusLabelPrivate::Cell *cell = d->cell(column, row);
    return cell ? cell->alignment : Qt::Alignment();
}

QColor StatusLabel::cellColor(int column, int row) const
{
    const StatusLabelPrivate::Cell *cell = d->cell(column, row);
    return cell ? cell->color : QColor();
}

int StatusLabel::cellSize(int column, int row) const
{
    const StatusLabelPrivate::Cell *cell = d->cell(column, row);
    return cell ? cell->size : 0;
}

QSize StatusLabel::sizeHint() const
{
    return d->contentSize() + QSize(2 * HorizontalMargin, 2 * VerticalMargin);
}

QSize StatusLabel::minimumSizeHint() const
{
    return sizeHint();
}

void StatusLabel::paintEvent(QPaintEvent *)
{
    d->computeMetrics();
    if (d->columns == 0 || d->grid.isEmpty())
        return;

    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRect area = contentsRect().adjusted(HorizontalMargin, VerticalMargin, -HorizontalMargin,
                                               -VerticalMargin);
    const QSize content = d->contentSize();
    // Room beyond the hint goes evenly to the columns and rows.
    const int spareWidth = qMax(0, area.width() - content.width());
    const int spareHeight = qMax(0, area.height() - content.height());
    const int rowCount = d->grid.size();
    const QColor defaultInk
        = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text);

    int y = area.top();
    for (int row = 0; row < rowCount; ++row) {
        const int height = d->heights.at(row) + spareHeight * (row + 1) / rowCount
            - spareHeight * row / rowCount;
        int x = area.left();
        for (int column = 0; column < d->columns; ++column) {
            const int width = d->widths.at(column) + spareWidth * (column + 1) / d->columns
                - spareWidth * column / d->columns;
            const QRect box(x, y, width, height);
            const StatusLabelPrivate::Cell &cell = d->grid.at(row).at(column);
            if (cell.kind == StatusLabelPrivate::Cell::Text) {
                painter.setFont(d->fontFor(cell.size));
                painter.setPen(cell.color.isValid() && isEnabled() ? cell.color : defaultInk);
                painter.drawText(box, int(cell.alignment), cell.text);
            } else if (cell.kind == StatusLabelPrivate::Cell::Picture) {
                const QSize size = cell.pixmap.size() / Compat::pixelRatio(cell.pixmap);
                const QRect place
                    = QStyle::alignedRect(layoutDirection(), cell.alignment, size, box);
                if (isEnabled()) {
                    painter.drawPixmap(place, cell.pixmap);
                } else {
                    painter.setOpacity(0.45);
                    painter.drawPixmap(place, cell.pixmap);
                    painter.setOpacity(1.0);
                }
            }
            x += width + ColumnGap;
        }
        y += height;
    }
}

void StatusLabel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
        d->metricsValid = false;
        updateGeometry();
        update();
        break;
    case QEvent::PaletteChange:
    case QEvent::EnabledChange:
        update();
        break;
    case QEvent::LanguageChange:
        d->ownName.set(this, tr("Status"));
        break;
    default:
        break;
    }
}
