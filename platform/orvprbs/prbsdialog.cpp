// SPDX-License-Identifier: GPL-3.0-or-later
#include "prbsdialog.h"

#include "checkbutton.h"
#include "linedlabel.h"
#include "prbsmodel.h"
#include "theme.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QRegularExpressionValidator>

namespace {

const int Columns = 3;
const int ChoiceHeight = 12 * Theme::Unit;

// A sequence button shows the length as the instrument writes it, 2 with a raised exponent,
// then "−1"; its plain name stays its accessible name.
class SequenceButton : public CheckButton
{
public:
    SequenceButton(const QString &pattern, QWidget *parent)
        : CheckButton(parent)
        , exponent(PrbsModel::sequenceExponent(pattern))
    {
        setAccessibleName(PrbsModel::displayName(pattern));
    }

    QSize sizeHint() const override
    {
        QSize size = CheckButton::sizeHint();
        size.rwidth() += labelWidth();
        return size;
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        CheckButton::paintEvent(event);
        QPainter painter(this);
        painter.setPen(isEnabled() ? Theme::text() : Theme::disabledText());
        const QRect area = labelRect();
        const QFontMetrics metrics(font());
        const int baseline
            = area.top() + (area.height() + metrics.ascent() - metrics.descent()) / 2;
        int x = area.left();
        painter.drawText(x, baseline, QStringLiteral("2"));
        x += metrics.horizontalAdvance(QLatin1Char('2'));
        painter.setFont(exponentFont());
        painter.drawText(x + 1, baseline - metrics.ascent() * 2 / 5, exponent);
        x += 2 + QFontMetrics(exponentFont()).horizontalAdvance(exponent);
        painter.setFont(font());
        painter.drawText(x, baseline, minusOne());
    }

private:
    QString exponent;

    static QString minusOne() { return QString(QChar(0x2212)) + QLatin1Char('1'); }
    QFont exponentFont() const
    {
        QFont small(font());
        if (small.pointSizeF() > 0)
            small.setPointSizeF(small.pointSizeF() * 0.7);
        else
            small.setPixelSize(qMax(6, small.pixelSize() * 7 / 10));
        return small;
    }
    int labelWidth() const
    {
        const QFontMetrics metrics(font());
        return metrics.horizontalAdvance(QLatin1Char('2')) + 2
            + QFontMetrics(exponentFont()).horizontalAdvance(exponent)
            + metrics.horizontalAdvance(minusOne());
    }
};

} // namespace

class PrbsDialogPrivate
{
public:
    PrbsDialogPrivate(PrbsDialog *q, bool closeOnChoice)
        : q(q)
        , closeOnChoice(closeOnChoice)
    { }

    PrbsDialog *q;
    const bool closeOnChoice;
    QPointer<PrbsModel> model;
    // The connections to the model; deleting one disconnects it.
    QPointer<QObject> patternConnection;
    QPointer<QObject> destroyedConnection;

    QGridLayout *grid = nullptr;
    QLabel *title = nullptr;
    QLabel *current = nullptr;
    LinedLabel *sequenceCaption = nullptr;
    LinedLabel *wordCaption = nullptr;
    LinedLabel *userCaption = nullptr;
    QButtonGroup *group = nullptr;
    QLabel *prefix = nullptr;
    QLineEdit *userEdit = nullptr;
    CheckButton *apply = nullptr;

    void build();
    void retranslate();
    void applyFonts();
    void equalizeColumns();
    void showPattern();
    void enableControls();
    void choose(int index);
    void applyUserPattern();
};

void PrbsDialogPrivate::build()
{
    // One grid of three equal columns, so that the sections line up under each other.
    grid = new QGridLayout(q);
    grid->setContentsMargins(5 * Theme::Unit, 4 * Theme::Unit, 5 * Theme::Unit, 5 * Theme::Unit);
    grid->setHorizontalSpacing(2 * Theme::Unit);
    grid->setVerticalSpacing(2 * Theme::Unit);
    for (int column = 0; column < Columns; ++column)
        grid->setColumnStretch(column, 1);
    int row = 0;

    title = new QLabel(q);
    title->setObjectName(QStringLiteral("title"));
    current = new QLabel(q);
    current->setObjectName(QStringLiteral("current"));
    current->setTextFormat(Qt::RichText);
    current->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *heading = new QHBoxLayout;
    heading->addWidget(title);
    heading->addStretch(1);
    heading->addWidget(current);
    grid->addLayout(heading, row++, 0, 1, Columns);

    sequenceCaption = new LinedLabel(q);
    wordCaption = new LinedLabel(q);
    userCaption = new LinedLabel(q);

    group = new QButtonGroup(q);
    group->setExclusive(true);
    const QStringList patterns = PrbsModel::patterns();
    grid->addWidget(sequenceCaption, row++, 0, 1, Columns);
    int column = 0;
    bool sequences = true;
    for (int i = 0; i < patterns.size(); ++i) {
        const QString &pattern = patterns.at(i);
        const bool sequence = pattern.startsWith(QLatin1String("2e"));
        if (sequences && !sequence) {
            // The fixed words start their own section.
            sequences = false;
            if (column > 0)
                ++row;
            grid->addWidget(wordCaption, row++, 0, 1, Columns);
            column = 0;
        }
        CheckButton *button = sequence ? new SequenceButton(pattern, q) : new CheckButton(q);
        button->setObjectName(QLatin1String("pattern_") + pattern);
        button->setMinimumHeight(ChoiceHeight);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        group->addButton(button, i);
        grid->addWidget(button, row, column);
        if (++column == Columns) {
            column = 0;
            ++row;
        }
    }
    if (column > 0)
        ++row;

    grid->addWidget(userCaption, row++, 0, 1, Columns);
    prefix = new QLabel(QStringLiteral("0x"), q);
    userEdit = new QLineEdit(q);
    userEdit->setObjectName(QStringLiteral("userPattern"));
    userEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Fa-f]{1,8}")), userEdit));
    userEdit->setMaxLength(8);
    userEdit->setMinimumHeight(ChoiceHeight - 2 * Theme::Unit);
    prefix->setBuddy(userEdit);
    auto *user = new QHBoxLayout;
    user->setSpacing(Theme::Unit);
    user->addWidget(prefix);
    user->addWidget(userEdit, 1);
    grid->addLayout(user, row, 0, 1, Columns - 1);
    apply = new CheckButton(q);
    apply->setObjectName(QStringLiteral("applyUserPattern"));
    apply->setCheckable(false);
    apply->setMinimumHeight(ChoiceHeight);
    apply->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    apply->setEnabled(false);
    grid->addWidget(apply, row, Columns - 1);

    Compat::connect(group, Compat::buttonGroupIdClicked, q, [this](int id) { choose(id); });
    Compat::connect(userEdit, SIGNAL(textChanged(QString)), q, [this] { enableControls(); });
    Compat::connect(userEdit, SIGNAL(returnPressed()), q, [this] { applyUserPattern(); });
    Compat::connect(apply, SIGNAL(clicked()), q, [this] { applyUserPattern(); });
}

void PrbsDialogPrivate::retranslate()
{
    q->setWindowTitle(PrbsDialog::tr("Test pattern"));
    q->setAccessibleName(PrbsDialog::tr("Test pattern"));
    title->setText(PrbsDialog::tr("Test pattern"));
    sequenceCaption->setLabel(PrbsDialog::tr("Pseudo-random sequence"));
    wordCaption->setLabel(PrbsDialog::tr("Fixed word"));
    userCaption->setLabel(PrbsDialog::tr("User pattern"));
    userEdit->setAccessibleName(PrbsDialog::tr("User pattern in hexadecimal"));
    userEdit->setPlaceholderText(PrbsDialog::tr("up to 8 hex digits"));
    apply->setText(PrbsDialog::tr("Apply", "Send the user pattern to the card"));
    const QStringList patterns = PrbsModel::patterns();
    for (int i = 0; i < patterns.size(); ++i) {
        const QString &pattern = patterns.at(i);
        if (pattern.startsWith(QLatin1String("2e")))
            continue;
        // The alternating word is shown as its bits; its full name stays the accessible one.
        QAbstractButton *button = group->button(i);
        button->setText(pattern == QLatin1String("55") ? QStringLiteral("0101\u2026")
                                                       : PrbsModel::displayName(pattern));
        button->setAccessibleName(PrbsModel::displayName(pattern));
    }
    equalizeColumns();
    showPattern();
}

// Headings a step larger and captions a step smaller than the dialog's own font. Only the
// size is set on the children, so family and weight still follow the dialog.
void PrbsDialogPrivate::applyFonts()
{
    const QFont base = q->font();
    auto sized = [&base](int steps) {
        QFont font;
        const QFont scaled = Theme::scaled(base, steps);
        if (scaled.pointSizeF() > 0)
            font.setPointSizeF(scaled.pointSizeF());
        return font;
    };
    QFont heading = sized(2);
    heading.setBold(true);
    title->setFont(heading);
    current->setFont(sized(-2));
    for (LinedLabel *caption : {sequenceCaption, wordCaption, userCaption})
        caption->setFont(sized(-2));
    equalizeColumns();
}

// Every choice button as wide as the widest, whatever its text.
void PrbsDialogPrivate::equalizeColumns()
{
    int width = apply->sizeHint().width();
    for (QAbstractButton *button : group->buttons())
        width = qMax(width, button->sizeHint().width());
    for (int column = 0; column < Columns; ++column)
        grid->setColumnMinimumWidth(column, width);
}

void PrbsDialogPrivate::showPattern()
{
    const QString pattern = model ? model->pattern() : QString();
    const int index = PrbsModel::patterns().indexOf(pattern);
    if (index >= 0) {
        group->button(index)->setChecked(true);
    } else {
        // An exclusive group keeps one button checked; to show no choice it has to let go.
        group->setExclusive(false);
        for (QAbstractButton *button : group->buttons())
            button->setChecked(false);
        group->setExclusive(true);
    }
    if (PrbsModel::isUserPattern(pattern))
        userEdit->setText(pattern.mid(2).toUpper());
    QString name = PrbsModel::sequenceExponent(pattern).isEmpty()
        ? Compat::htmlEscaped(PrbsModel::displayName(pattern))
        : QStringLiteral("2<sup>%1</sup>&minus;1").arg(PrbsModel::sequenceExponent(pattern));
    current->setText(pattern.isEmpty() ? QString() : PrbsDialog::tr("In use: %1").arg(name));
}

void PrbsDialogPrivate::enableControls()
{
    const bool on = !model.isNull();
    for (QAbstractButton *button : group->buttons())
        button->setEnabled(on);
    userEdit->setEnabled(on);
    apply->setEnabled(on && userEdit->hasAcceptableInput());
}

void PrbsDialogPrivate::choose(int index)
{
    const QStringList patterns = PrbsModel::patterns();
    if (!model || index < 0 || index >= patterns.size())
        return;
    if (model->setPattern(patterns.at(index)) && closeOnChoice)
        q->close();
}

void PrbsDialogPrivate::applyUserPattern()
{
    if (!model || !userEdit->hasAcceptableInput())
        return;
    if (model->setPattern(QLatin1String("0x") + userEdit->text()) && closeOnChoice)
        q->close();
}

PrbsDialog::PrbsDialog(QWidget *parent, bool flag)
    : BasePopupWindow(parent)
    , d(new PrbsDialogPrivate(this, flag))
{
    setObjectName(QStringLiteral("PrbsDialog"));
    d->build();
    d->applyFonts();
    d->retranslate();
    d->enableControls();
}

PrbsDialog::~PrbsDialog()
{
    delete d->patternConnection.data();
    delete d->destroyedConnection.data();
    delete d;
}

void PrbsDialog::setModel(PrbsModel *model)
{
    if (d->model == model)
        return;
    delete d->patternConnection.data();
    delete d->destroyedConnection.data();
    d->model = model;
    if (model) {
        d->patternConnection = Compat::connect(model, SIGNAL(patternChanged(QString)), this,
                                               [this] { d->showPattern(); });
        d->destroyedConnection = Compat::connect(model, SIGNAL(destroyed()), this, [this] {
            d->showPattern();
            d->enableControls();
        });
    }
    d->showPattern();
    d->enableControls();
}

PrbsModel *PrbsDialog::model() const
{
    return d->model;
}

bool PrbsDialog::closesOnChoice() const
{
    return d->closeOnChoice;
}

void PrbsDialog::showEvent(QShowEvent *event)
{
    d->showPattern();
    // The keyboard starts at the card's choice.
    if (QAbstractButton *checked = d->group->checkedButton())
        checked->setFocus();
    BasePopupWindow::showEvent(event);
}

void PrbsDialog::changeEvent(QEvent *event)
{
    BasePopupWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        d->retranslate();
    else if (event->type() == QEvent::FontChange)
        d->applyFonts();
}
