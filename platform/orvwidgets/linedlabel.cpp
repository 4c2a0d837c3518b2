// SPDX-License-Identifier: GPL-3.0-or-later
#include "linedlabel.h"

#include "theme.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

class LinedLabelPrivate
{
public:
    QString label;
    LinedLabel::LabelPosition position = LinedLabel::LabelLeft;
    bool leftCorner = false;
    bool rightCorner = false;
    int boundSpacing = 3 * Theme::Unit;
    int labelSpacing = Theme::Unit;

    // Length of the downward ticks at the rule's ends.
    static int cornerLength(const QFontMetrics &metrics) { return qMax(4, metrics.height() / 3); }
};

LinedLabel::LinedLabel(QWidget *parent)
    : QWidget(parent)
    , d(new LinedLabelPrivate)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

LinedLabel::~LinedLabel()
{
    delete d;
}

void LinedLabel::setLabel(const QString &label)
{
    if (d->label == label)
        return;
    d->label = label;
    setAccessibleName(label);
    updateGeometry();
    update();
}

QString LinedLabel::label() const
{
    return d->label;
}

void LinedLabel::setLabelPosition(LabelPosition position)
{
    if (d->position == position)
        return;
    d->position = position;
    update();
}

LinedLabel::LabelPosition LinedLabel::labelPosition() const
{
    return d->position;
}

void LinedLabel::setLeftCorner(bool on)
{
    if (d->leftCorner == on)
        return;
    d->leftCorner = on;
    update();
}

bool LinedLabel::leftCorner() const
{
    return d->leftCorner;
}

void LinedLabel::setRightCorner(bool on)
{
    if (d->rightCorner == on)
        return;
    d->rightCorner = on;
    update();
}

bool LinedLabel::rightCorner() const
{
    return d->rightCorner;
}

void LinedLabel::setBoundSpacing(int spacing)
{
    spacing = qMax(0, spacing);
    if (d->boundSpacing == spacing)
        return;
    d->boundSpacing = spacing;
    updateGeometry();
    update();
}

int LinedLabel::boundSpacing() const
{
    return d->boundSpacing;
}

void LinedLabel::setLabelSpacing(int spacing)
{
    spacing = qMax(0, spacing);
    if (d->labelSpacing == spacing)
        return;
    d->labelSpacing = spacing;
    updateGeometry();
    update();
}

int LinedLabel::labelSpacing() const
{
    return d->labelSpacing;
}

QSize LinedLabel::sizeHint() const
{
    const QFontMetrics metrics(font());
    const int text = d->label.isEmpty() ? 0 : metrics.horizontalAdvance(d->label);
    // Room for the caption with its gaps, and a visible stretch of rule on both sides.
    const int width = 2 * d->boundSpacing + text + 2 * d->labelSpacing + 8 * Theme::Unit;
    return QSize(width, metrics.height());
}

QSize LinedLabel::minimumSizeHint() const
{
    const QFontMetrics metrics(font());
    return QSize(2 * Theme::Unit + metrics.horizontalAdvance(QStringLiteral("…")),
                 metrics.height());
}

void LinedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The caption is drawn whole inside the widget: where the widget is lower than the font,
    // the letters (capitals and descenders) are centred in it, and where even they do not fit,
    // a smaller font is used. Captions of one size look alike whatever their letters.
    const QString letters = QStringLiteral("Hg");
    QFont captionFont = font();
    QRect ink = QFontMetrics(captionFont).tightBoundingRect(letters);
    for (int tries = 0; tries < 4 && ink.height() > qMax(1, height()); ++tries) {
        const qreal scale = qreal(height()) / ink.height();
        if (captionFont.pixelSize() > 0)
            captionFont.setPixelSize(qMax(1, int(captionFont.pixelSize() * scale)));
        else
            captionFont.setPointSizeF(qMax(1.0, captionFont.pointSizeF() * scale));
        ink = QFontMetrics(captionFont).tightBoundingRect(letters);
    }
    painter.setFont(captionFont);
    const QFontMetrics metrics(captionFont);
    const QColor textColor = isEnabled() ? Theme::text() : Theme::disabledText();
    const QColor ruleColor = isEnabled() ? Theme::frame() : Theme::disabledText();

    // The rule runs through the middle of the lower-case letters, so the caption sits on it
    // the way a heading sits in a fieldset border.
    int baseline = (height() - metrics.height()) / 2 + metrics.ascent();
    if (baseline + ink.top() < 0 || baseline + ink.bottom() >= height())
        baseline = (height() - ink.height()) / 2 - ink.top();
    const int ruleY = baseline - (metrics.xHeight() + 1) / 2;

    const int available = qMax(0, width() - 2 * (d->boundSpacing + d->labelSpacing));
    const QString caption = metrics.elidedText(d->label, Qt::ElideRight, available);
    const int textWidth = caption.isEmpty() ? 0 : metrics.horizontalAdvance(caption);

    int textX = 0;
    switch (d->position) {
    case LabelLeft:
        textX = d->boundSpacing;
        break;
    case LabelCenter:
        textX = (width() - textWidth) / 2;
        break;
    case LabelRight:
        textX = width() - d->boundSpacing - textWidth;
        break;
    }

    painter.setPen(QPen(ruleColor, 1));
    const int right = width() - 1;
    if (caption.isEmpty()) {
        painter.drawLine(0, ruleY, right, ruleY);
    } else {
        const int gapLeft = textX - d->labelSpacing;
        const int gapRight = textX + textWidth + d->labelSpacing;
        if (gapLeft > 0)
            painter.drawLine(0, ruleY, gapLeft - 1, ruleY);
        if (gapRight < right)
            painter.drawLine(gapRight, ruleY, right, ruleY);
    }

    const int tick = qMin(LinedLabelPrivate::cornerLength(metrics), height() - 1 - ruleY);
    if (tick > 0) {
        if (d->leftCorner)
            painter.drawLine(0, ruleY, 0, ruleY + tick);
        if (d->rightCorner)
            painter.drawLine(right, ruleY, right, ruleY + tick);
    }

    if (!caption.isEmpty()) {
        painter.setPen(textColor);
        painter.drawText(textX, baseline, caption);
    }
}

void LinedLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        updateGeometry();
        update();
    } else if (event->type() == QEvent::EnabledChange) {
        update();
    }
    QWidget::changeEvent(event);
}
