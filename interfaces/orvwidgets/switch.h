// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBitArray>
#include <QWidget>

class QIcon;
class SwitchPrivate;

/*!
 * One captioned button with a set of options that open on a press, laid out in optionColumns
 * columns. The chosen option shows as selected and is reported with indexChanged().
 */
class Switch : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(int optionColumns READ optionColumns WRITE setOptionColumns)

public:
    explicit Switch(QWidget *parent = nullptr, bool flag = false);
    ~Switch() override;

    void setText(const QString &text);
    QString text() const;
    void setOptionColumns(int columns);
    int optionColumns() const;

    void setOptionName(int option, const QString &name);
    QString optionName(int option) const;
    void setOptionIcon(int option, const QIcon &icon);
    QIcon optionIcon(int option) const;
    void setOptionSize(const QSize &size);
    QSize optionSize() const;
    int optionCount() const;

    //! One bit per option, all false for none. Silent when nothing changes.
    void selectOptions(const QBitArray &options);
    QBitArray selectedOptions() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void indexChanged(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    friend class SwitchPrivate;
    SwitchPrivate *d;
};
