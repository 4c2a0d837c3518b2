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
    explicit SwitchPanel(QWidget *parent = nullptr, bool flag = false);
    ~SwitchPanel() override;

    virtual void setRows(int rows);
    virtual void setColumns(int columns);
    int rows() const;
    int columns() const;

    void setButtonSpacing(int spacing);
    int buttonSpacing() const;
    void setMargin(int margin);
    int margin() const;
    void setCompact(bool compact);
    bool compact() const;

    void setOptionName(int option, const QString &name);
    QString optionName(int option) const;
    void setOptionIcon(int option, const QIcon &icon);
    QIcon optionIcon(int option) const;
    void setOptionSize(const QSize &size);
    QSize optionSize() const;

    //! Label, icon, colour (invalid: the default) and enabled state of one button. An empty
    //! label and a null icon restore the plain numbered look.
    void setButton(int button, const QString &label, const QIcon &icon, const QColor &color,
                   bool enabled);
    bool isButtonEnabled(int button) const;
    QString buttonLabel(int button) const;
    QIcon buttonIcon(int button) const;
    QColor buttonColor(int button) const;

    //! Shows \a option (-1: none) on \a button without emitting anything.
    void selectOption(int button, int option, bool flag);
    //! The option shown on \a button, negative for none.
    int firstSelectedOption(int button) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    //! The user chose \a optionIndex on \a buttonIndex.
    void indexChanged(int buttonIndex, int optionIndex);
    //! The panel was pressed.
    void clicked();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    friend class SwitchPanelPrivate;
    SwitchPanelPrivate *d;
};
