// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class LinedLabelPrivate;

/*!
 * A caption set into a horizontal rule, used to head a group of controls.
 *
 * The rule runs across the whole width at the middle height of the caption's lower-case
 * letters and is broken where the caption sits:
 * - labelPosition: the caption at the left (LabelLeft, the default), in the middle
 *   (LabelCenter) or at the right (LabelRight);
 * - boundSpacing: the gap in pixels between the widget's edge and the caption's first (for
 *   LabelRight: last) letter, default 12; not used when the caption is centred;
 * - labelSpacing: the gap in pixels between the caption and the rule on each side, default 4;
 * - leftCorner, rightCorner: a short tick down from the rule's left or right end, so that the
 *   caption line can frame the group beneath it; off by default.
 *
 * A caption too long for the width is elided. The caption is also the accessible name.
 */
class LinedLabel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString label READ label WRITE setLabel)
    Q_PROPERTY(LabelPosition labelPosition READ labelPosition WRITE setLabelPosition)
    Q_PROPERTY(bool leftCorner READ leftCorner WRITE setLeftCorner)
    Q_PROPERTY(bool rightCorner READ rightCorner WRITE setRightCorner)
    Q_PROPERTY(int boundSpacing READ boundSpacing WRITE setBoundSpacing)
    Q_PROPERTY(int labelSpacing READ labelSpacing WRITE setLabelSpacing)

public:
    enum LabelPosition { LabelLeft, LabelCenter, LabelRight };
    Q_ENUMS(LabelPosition)

    explicit LinedLabel(QWidget *parent = 0);
    ~LinedLabel();

    void setLabel(const QString &label);
    QString label() const;
    void setLabelPosition(LabelPosition position);
    LabelPosition labelPosition() const;
    void setLeftCorner(bool on);
    bool leftCorner() const;
    void setRightCorner(bool on);
    bool rightCorner() const;
    void setBoundSpacing(int spacing);
    int boundSpacing() const;
    void setLabelSpacing(int spacing);
    int labelSpacing() const;

    QSize sizeHint() const;
    QSize minimumSizeHint() const;

protected:
    void paintEvent(QPaintEvent *event);
    void changeEvent(QEvent *event);

private:
    LinedLabelPrivate *d;
};
