// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class LinedLabelPrivate;

/*!
 * A caption set into a horizontal rule, used to head a group of controls.
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
    Q_ENUM(LabelPosition)

    explicit LinedLabel(QWidget *parent = nullptr);
    ~LinedLabel() override;

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

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    LinedLabelPrivate *d;
};
