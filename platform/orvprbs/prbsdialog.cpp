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
#include <QVBoxLayout>

namespace {

const QSize ChoiceSize(30 * Theme::Unit, 12 * Theme::Unit);

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
    QMetaObject::Connection patternConnection;
    QMetaObject::Connection destroyedConnection;

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
    void showPattern();
    void enableControls();
    void choose(int index);
    void applyUserPattern();
};

void PrbsDialogPrivate::build()
{
    auto *layout = new QVBoxLayout(q);
    layout->setContentsMargins(5 * Theme::Unit, 4 * Theme::Unit, 5 * Theme::Unit, 5 * Theme::Unit);
    layout->setSpacing(2 * Theme::Unit);

    title = new QLabel(q);
    title->setObjectName(QStringLiteral("title"));
    current = new QLabel(q);
    current->setObjectName(QStringLiteral("current"));
    current->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *heading = new QHBoxLayout;
    heading->addWidget(title);
    heading->addStretch(1);
    heading->addWidget(current);
    layout->addLayout(heading);

    group = new QButtonGroup(q);
    group->setExclusive(true);
    const QStringList patterns = PrbsModel::patterns();
    auto *sequences = new QGridLayout;
    auto *words = new QGridLayout;
    for (auto *grid : {sequences, words}) {
        grid->setHorizontalSpacing(2 * Theme::Unit);
        grid->setVerticalSpacing(2 * Theme::Unit);
    }
    int sequenceCount = 0;
    int wordCount = 0;
    for (int i = 0; i < patterns.size(); ++i) {
        const QString &pattern = patterns.at(i);
        CheckButton *button;
        if (pattern.startsWith(QLatin1String("2e"))) {
            button = new SequenceButton(pattern, q);
            sequences->addWidget(button, sequenceCount / 3, sequenceCount % 3);
            ++sequenceCount;
        } else {
            button = new CheckButton(q);
            words->addWidget(button, 0, wordCount++);
        }
        button->setObjectName(QLatin1String("pattern_") + pattern);
        button->setMinimumSize(ChoiceSize);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        group->addButton(button, i);
    }

    sequenceCaption = new LinedLabel(q);
    wordCaption = new LinedLabel(q);
    userCaption = new LinedLabel(q);
    layout->addWidget(sequenceCaption);
    layout->addLayout(sequences);
    layout->addWidget(wordCaption);
    layout->addLayout(words);
    layout->addWidget(userCaption);

    prefix = new QLabel(QStringLiteral("0x"), q);
    userEdit = new QLineEdit(q);
    userEdit->setObjectName(QStringLiteral("userPattern"));
    userEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Fa-f]{1,8}")), userEdit));
    userEdit->setMaxLength(8);
    userEdit->setMinimumHeight(ChoiceSize.height() - 2 * Theme::Unit);
    prefix->setBuddy(userEdit);
    apply = new CheckButton(q);
    apply->setObjectName(QStringLiteral("applyUserPattern"));
    apply->setCheckable(false);
    apply->setMinimumSize(ChoiceSize);
    apply->setEnabled(false);
    auto *user = new QHBoxLayout;
    user->setSpacing(2 * Theme::Unit);
    user->addWidget(prefix);
    user->addWidget(userEdit, 1);
    user->addWidget(apply);
    layout->addLayout(user);

    QObject::connect(group, &QButtonGroup::idClicked, q, [this](int id) { choose(id); });
    QObject::connect(userEdit, &QLineEdit::textChanged, q, [this] { enableControls(); });
    QObject::connect(userEdit, &QLineEdit::returnPressed, q, [this] { applyUserPattern(); });
    QObject::connect(apply, &QAbstractButton::clicked, q, [this] { applyUserPattern(); });
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
        if (!patterns.at(i).startsWith(QLatin1String("2e")))
            group->button(i)->setText(PrbsModel::displayName(patterns.at(i)));
    }
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
    current->setText(pattern.isEmpty()
                         ? QString()
                         : PrbsDialog::tr("In use: %1").arg(PrbsModel::displayName(pattern)));
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
    QObject::disconnect(d->patternConnection);
    QObject::disconnect(d->destroyedConnection);
    delete d;
}

void PrbsDialog::setModel(PrbsModel *model)
{
    if (d->model == model)
        return;
    QObject::disconnect(d->patternConnection);
    QObject::disconnect(d->destroyedConnection);
    d->model = model;
    if (model) {
        d->patternConnection
            = connect(model, &PrbsModel::patternChanged, this, [this] { d->showPattern(); });
        d->destroyedConnection = connect(model, &QObject::destroyed, this, [this] {
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

void PrbsDialog::changeEvent(QEvent *event)
{
    BasePopupWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        d->retranslate();
    else if (event->type() == QEvent::FontChange)
        d->applyFonts();
}
