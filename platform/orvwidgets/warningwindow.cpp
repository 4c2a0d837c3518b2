// SPDX-License-Identifier: GPL-3.0-or-later
#include "warningwindow.h"

#include "theme.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QSpacerItem>

namespace {

const int SymbolSize = 12 * Theme::Unit;
const int TextWidth = 110 * Theme::Unit;

} // namespace

class WarningWindowPrivate
{
public:
    QLabel *text = nullptr;
    QLabel *text2 = nullptr;
    QPushButton *okButton = nullptr;
    QSpacerItem *symbol = nullptr;
    QEventLoop *loop = nullptr;

    void build(WarningWindow *q);
    void retranslate(WarningWindow *q);
    void place(WarningWindow *q);
    void applyFonts(WarningWindow *q);
};

// The first text a step larger than the window's font, the second in its regular weight.
void WarningWindowPrivate::applyFonts(WarningWindow *q)
{
    QFont regular(q->font());
    regular.setBold(false);
    text2->setFont(regular);
}

void WarningWindowPrivate::build(WarningWindow *q)
{
    auto *grid = new QGridLayout(q);
    grid->setContentsMargins(5 * Theme::Unit, 5 * Theme::Unit, 5 * Theme::Unit, 4 * Theme::Unit);
    grid->setHorizontalSpacing(5 * Theme::Unit);
    grid->setVerticalSpacing(2 * Theme::Unit);

    // The symbol is painted by the window itself into the place this spacer keeps free.
    symbol = new QSpacerItem(SymbolSize, SymbolSize, QSizePolicy::Fixed, QSizePolicy::Fixed);
    grid->addItem(symbol, 0, 0, 2, 1, Qt::AlignTop);

    text = new QLabel(q);
    text->setObjectName(QStringLiteral("text"));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    text->setMinimumWidth(TextWidth / 2);
    text->setMinimumHeight(SymbolSize);
    grid->addWidget(text, 0, 1);

    text2 = new QLabel(q);
    text2->setObjectName(QStringLiteral("text2"));
    text2->setWordWrap(true);
    text2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text2->hide();
    grid->addWidget(text2, 1, 1);

    okButton = new QPushButton(q);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    okButton->setMinimumSize(30 * Theme::Unit, 10 * Theme::Unit);
    QObject::connect(okButton, SIGNAL(clicked()), q, SLOT(close()));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addStretch(1);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
}

void WarningWindowPrivate::retranslate(WarningWindow *q)
{
    q->setWindowTitle(WarningWindow::tr("Warning"));
    q->setAccessibleName(WarningWindow::tr("Warning"));
    okButton->setText(WarningWindow::tr("OK"));
}

// Over the middle of the parent's window, or of the screen without a parent; on screen.
void WarningWindowPrivate::place(WarningWindow *q)
{
    const QWidget *over = q->parentWidget() ? q->parentWidget()->window() : nullptr;
    const QRect available = over ? Compat::availableGeometry(over) : Compat::availableGeometry();
    const QRect area = over ? over->frameGeometry() : available;
    QRect frame(QPoint(), q->size());
    frame.moveCenter(area.center());
    if (available.isValid()) {
        frame.moveLeft(qBound(available.left(), frame.left(),
                              qMax(available.left(), available.right() - frame.width() + 1)));
        frame.moveTop(qBound(available.top(), frame.top(),
                             qMax(available.top(), available.bottom() - frame.height() + 1)));
    }
    q->move(frame.topLeft());
}

WarningWindow::WarningWindow(QWidget *parent)
    : QWidget(parent, Qt::Dialog)
    , d(new WarningWindowPrivate)
{
    setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    d->build(this);
    d->retranslate(this);
    d->applyFonts(this);
    // Take the font of the window it warns about, so the warning reads like the rest of it.
    setAttribute(Qt::WA_WindowPropagation);
}

WarningWindow::~WarningWindow()
{
    // Deleted while shown (with its parent, say): let show() return.
    if (d->loop)
        d->loop->quit();
    delete d;
}

void WarningWindow::show(const QString &text, const QString &text2)
{
    d->text->setText(text);
    d->text2->setText(text2);
    d->text2->setVisible(!text2.isEmpty());
    // Already open: the new texts replace the old ones and the first caller keeps waiting.
    if (d->loop)
        return;

    // A text that needs wrapping is wrapped into lines of about even length.
    const int advance = QFontMetrics(d->text->font()).horizontalAdvance(text);
    const int lines = qMax(1, (advance + TextWidth - 1) / TextWidth);
    const int width = lines == 1 ? advance : advance * 11 / (10 * lines);
    d->text->setMinimumWidth(qBound(TextWidth / 2, width, TextWidth));
    adjustSize();
    d->place(this);
    QWidget::show();
    raise();
    activateWindow();
    d->okButton->setFocus();

    QEventLoop loop;
    d->loop = &loop;
    QPointer<WarningWindow> self(this);
    loop.exec(QEventLoop::DialogExec);
    if (self)
        d->loop = nullptr;
}

void WarningWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (d->loop)
        d->loop->quit();
}

void WarningWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // A hide from the window system is no answer: the window minimised, or X telling late of
    // an earlier showing's end, which Qt 4 passes on while the next showing already waits.
    if (d->loop && !event->spontaneous())
        d->loop->quit();
}

void WarningWindow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        close();
        event->accept();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void WarningWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Theme::window());
    painter.setRenderHint(QPainter::Antialiasing);

    // A warning triangle with rounded corners and an exclamation mark.
    const QRectF box = d->symbol->geometry();
    const qreal side = qMin(box.width(), box.height());
    const QRectF square(box.left(), box.top(), side, side);
    const qreal h = side * 0.87;
    const qreal top = square.top() + (side - h) / 2;
    QPainterPath triangle;
    triangle.moveTo(square.center().x(), top);
    triangle.lineTo(square.right(), top + h);
    triangle.lineTo(square.left(), top + h);
    triangle.closeSubpath();
    painter.setPen(QPen(Theme::warning(), side / 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Theme::warning());
    painter.drawPath(triangle);

    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::accentText());
    const qreal cx = square.center().x();
    const qreal stroke = side * 0.11;
    const QRectF bar(cx - stroke / 2, top + h * 0.30, stroke, h * 0.38);
    painter.drawRoundedRect(bar, stroke / 2, stroke / 2);
    painter.drawEllipse(QPointF(cx, top + h * 0.82), stroke * 0.6, stroke * 0.6);
}

void WarningWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        d->retranslate(this);
    else if (event->type() == QEvent::FontChange)
        d->applyFonts(this);
    QWidget::changeEvent(event);
}
