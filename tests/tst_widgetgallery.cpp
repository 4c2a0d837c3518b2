// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the slot panels, the switch, the status label and the bottom bar in their states into
// PNG files, for a person to look at. The directory is $E1_ARTIFACTS, else e1-gallery in the
// temporary directory.

#include "bottompanel.h"
#include "statuslabel.h"
#include "switch.h"
#include "switchpanel.h"

#include <QBitArray>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

QString artifactDir()
{
    QString dir = qEnvironmentVariable("E1_ARTIFACTS");
    if (dir.isEmpty())
        dir = QDir::tempPath() + QStringLiteral("/e1-gallery");
    QDir().mkpath(dir);
    return dir;
}

QFont screenFont()
{
    QFont font(QStringLiteral("Liberation Sans"), 14);
    font.setBold(true);
    return font;
}

// A PRBS option icon: the pattern's base with its exponent raised, as the instrument draws it.
QIcon prbsIcon(const QSize &size)
{
    QPixmap canvas(size);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont base = screenFont();
    base.setPointSize(int(size.height() * 0.58));
    QFont exponent = base;
    exponent.setPointSize(qMax(5, int(base.pointSize() * 0.65)));
    painter.setPen(Qt::black);
    painter.setFont(base);
    const QFontMetrics metrics(base);
    const int baseline = size.height() - metrics.descent();
    painter.drawText(0, baseline, QStringLiteral("2"));
    painter.setFont(exponent);
    painter.drawText(metrics.horizontalAdvance(QStringLiteral("2")),
                     QFontMetrics(exponent).ascent(), QStringLiteral("15"));
    return QIcon(canvas);
}

// A voice option icon: a speech waveform in dark red with a white halo.
QIcon voiceIcon(const QSize &size)
{
    QPixmap canvas(size);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath wave;
    const double mid = size.height() / 2.0;
    const double heights[] = {0.2, 0.5, 0.9, 0.6, 0.3, 0.8, 0.45, 0.2};
    const double step = (size.width() - 4.0) / 8;
    for (int i = 0; i < 8; ++i) {
        const double x = 2 + step * (i + 0.5);
        const double h = heights[i] * (size.height() / 2.0 - 2);
        wave.moveTo(x, mid - h);
        wave.lineTo(x, mid + h);
    }
    painter.setPen(QPen(Qt::white, size.height() > 20 ? 5 : 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(wave);
    painter.setPen(
        QPen(QColor(0x93, 0x00, 0x00), size.height() > 20 ? 2.5 : 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(wave);
    return QIcon(canvas);
}

QIcon blankIcon()
{
    QPixmap blank(1, 26);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

QPixmap symbol(const QColor &color, bool speaker)
{
    QPixmap canvas(22, 22);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, 2));
    if (speaker) {
        painter.setBrush(color);
        painter.drawPolygon(QPolygon({{3, 8}, {7, 8}, {12, 3}, {12, 19}, {7, 14}, {3, 14}}));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRect(10, 6, 6, 10), -60 * 16, 120 * 16);
        painter.drawArc(QRect(10, 3, 10, 16), -60 * 16, 120 * 16);
    } else {
        QPainterPath sine;
        sine.moveTo(1, 11);
        sine.cubicTo(5, 0, 7, 0, 11, 11);
        sine.cubicTo(15, 22, 17, 22, 21, 11);
        painter.drawPath(sine);
    }
    return canvas;
}

void setUpPanel(SwitchPanel *panel, bool compact, const char *direction)
{
    panel->setProperty("palette_id", QString::fromLatin1(direction));
    panel->setRows(4);
    panel->setColumns(8);
    panel->setMargin(5);
    panel->setCompact(compact);
    panel->setButtonSpacing(compact ? 2 : 5);
    panel->setOptionName(0, QStringLiteral("off"));
    panel->setOptionName(1, QStringLiteral("PRBS"));
    panel->setOptionName(2, QStringLiteral("Voice"));
    panel->setOptionIcon(1, prbsIcon(compact ? QSize(20, 16) : QSize(32, 26)));
    panel->setOptionIcon(2, voiceIcon(compact ? QSize(20, 16) : QSize(32, 26)));
    panel->setOptionSize(QSize(54, 54));
    panel->setButton(0, QStringLiteral("FAS"), blankIcon(), QColor(), false);
    panel->setButton(16, QStringLiteral("CAS"), blankIcon(), QColor(), false);
    for (int slot = 1; slot < 32; ++slot)
        panel->selectOption(slot, 0, true);
    for (int slot : {3, 4, 5, 9, 10, 20, 21, 22, 23})
        panel->selectOption(slot, 1, true);
    panel->selectOption(12, 2, true);
    panel->selectOption(30, -1, true);
}

void setUpSwitch(Switch *allSlots)
{
    allSlots->setText(QStringLiteral("All slots"));
    allSlots->setOptionName(0, QStringLiteral("off"));
    allSlots->setOptionName(1, QStringLiteral("PRBS"));
    allSlots->setOptionName(2, QStringLiteral("Voice"));
    allSlots->setOptionIcon(1, prbsIcon(QSize(32, 26)));
    allSlots->setOptionIcon(2, voiceIcon(QSize(32, 26)));
    allSlots->setOptionSize(QSize(54, 54));
    allSlots->selectOptions(QBitArray(3));
}

void fillStatus(StatusLabel *label)
{
    const QColor ink = label->palette().color(QPalette::Text);
    label->setCell(0, 0, Qt::AlignRight | Qt::AlignTop, QStringLiteral("Timeslots"), ink, -3);
    label->setCell(0, 1, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("PRBS: 2e15-1"), ink, 0);
    label->setCell(1, 1, Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("VF: on"), ink, 0);
    label->setCell(0, 2, Qt::AlignLeft | Qt::AlignVCenter, symbol(QColor(0x10, 0x30, 0x70), true));
    label->setCell(1, 2, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("  -12 dB, 1020 Hz"), ink,
                   0);
    label->setCell(2, 2, Qt::AlignRight | Qt::AlignVCenter,
                   symbol(QColor(0x60, 0x40, 0x00), false));
}

QPushButton *functionButton(const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    QFont font = screenFont();
    font.setPointSize(16);
    button->setFont(font);
    button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

BottomPanel *bottomBar(QWidget *parent)
{
    auto *bar = new BottomPanel(parent);
    bar->setMinimumHeight(70);
    bar->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    bar->setAutoFillBackground(true);
    auto *layout = new QHBoxLayout(bar);
    layout->setSpacing(6);
    layout->setContentsMargins(6, 8, 6, 6);
    layout->addWidget(functionButton(QStringLiteral("Voice"), bar), 3);
    layout->addStretch(2);
    layout->addWidget(functionButton(QStringLiteral("PRBS"), bar), 3);
    return bar;
}

} // namespace

class tst_WidgetGallery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void slotPanels_data();
    void slotPanels();
    void panelChooser();
    void switches_data();
    void switches();
    void switchChooser();
    void statusLabel();
    void bottomPanel();
    void screen();

private:
    void save(QWidget *widget, const QString &name);
    QString dir;
    QWidget *top = nullptr;
};

void tst_WidgetGallery::initTestCase()
{
    dir = artifactDir();
}

void tst_WidgetGallery::cleanup()
{
    delete top;
    top = nullptr;
}

void tst_WidgetGallery::save(QWidget *widget, const QString &name)
{
    const QPixmap image = widget->grab();
    QVERIFY(!image.isNull());
    const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".png");
    QVERIFY2(image.save(path), qPrintable(path));
    qInfo("%s", qPrintable(path));
}

void tst_WidgetGallery::slotPanels_data()
{
    QTest::addColumn<bool>("compact");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("direction");
    QTest::newRow("switchpanel-full") << false << true << QSize(380, 232) << "rx";
    QTest::newRow("switchpanel-compact") << true << true << QSize(160, 112) << "tx";
    QTest::newRow("switchpanel-full-disabled") << false << false << QSize(380, 232) << "tx";
    QTest::newRow("switchpanel-full-hint") << false << true << QSize() << "rx";
}

void tst_WidgetGallery::slotPanels()
{
    QFETCH(bool, compact);
    QFETCH(bool, enabled);
    QFETCH(QSize, size);
    QFETCH(QString, direction);
    auto *panel = new SwitchPanel;
    top = panel;
    panel->setFont(screenFont());
    setUpPanel(panel, compact, direction.toLatin1().constData());
    panel->setEnabled(enabled);
    panel->resize(size.isValid() ? size : panel->sizeHint());
    panel->show();
    if (enabled && !compact) {
        // The keyboard's focus frame on button 2.
        panel->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(panel));
        panel->setFocus();
        QTest::keyClick(panel, Qt::Key_Right);
    }
    save(panel, QString::fromLatin1(QTest::currentDataTag()));
}

void tst_WidgetGallery::panelChooser()
{
    auto *panel = new SwitchPanel;
    top = panel;
    panel->setFont(screenFont());
    setUpPanel(panel, false, "rx");
    panel->resize(380, 232);
    panel->show();
    QTest::mouseClick(panel, Qt::LeftButton, {}, panel->buttonRect(5).center());
    auto *chooser = panel->findChild<QWidget *>(QStringLiteral("optionChooser"));
    QVERIFY(chooser && chooser->isVisible());
    QTest::keyClick(chooser, Qt::Key_Right);
    save(chooser, QStringLiteral("switchpanel-chooser"));
}

void tst_WidgetGallery::switches_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("switch-none") << -1 << true;
    QTest::newRow("switch-prbs") << 1 << true;
    QTest::newRow("switch-voice") << 2 << true;
    QTest::newRow("switch-off") << 0 << true;
    QTest::newRow("switch-disabled") << 1 << false;
}

void tst_WidgetGallery::switches()
{
    QFETCH(int, selected);
    QFETCH(bool, enabled);
    top = new QWidget;
    top->setProperty("palette_id", QStringLiteral("tx"));
    top->setFont(screenFont());
    auto *layout = new QHBoxLayout(top);
    auto *allSlots = new Switch(top);
    setUpSwitch(allSlots);
    QBitArray bits(3);
    if (selected >= 0)
        bits.setBit(selected);
    allSlots->selectOptions(bits);
    allSlots->setEnabled(enabled);
    layout->addWidget(allSlots);
    top->show();
    save(top, QString::fromLatin1(QTest::currentDataTag()));
}

void tst_WidgetGallery::switchChooser()
{
    top = new QWidget;
    top->setProperty("palette_id", QStringLiteral("rx"));
    top->setFont(screenFont());
    auto *layout = new QHBoxLayout(top);
    auto *allSlots = new Switch(top);
    setUpSwitch(allSlots);
    allSlots->setOptionColumns(2);
    layout->addWidget(allSlots);
    top->show();
    allSlots->setFocus();
    QTest::keyClick(allSlots, Qt::Key_Space);
    auto *chooser = allSlots->findChild<QWidget *>(QStringLiteral("optionChooser"));
    QVERIFY(chooser && chooser->isVisible());
    save(chooser, QStringLiteral("switch-chooser"));
}

void tst_WidgetGallery::statusLabel()
{
    auto *label = new StatusLabel;
    top = label;
    fillStatus(label);
    label->adjustSize();
    label->show();
    save(label, QStringLiteral("statuslabel"));
}

void tst_WidgetGallery::bottomPanel()
{
    top = new QWidget;
    top->setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(top);
    layout->setContentsMargins(0, 30, 0, 0);
    layout->addWidget(bottomBar(top));
    top->resize(543, 100);
    top->show();
    save(top, QStringLiteral("bottompanel"));
}

// The widgets together as the timeslot screen arranges them: receive full, transmit compact.
void tst_WidgetGallery::screen()
{
    top = new QWidget;
    top->setFont(screenFont());
    top->setAutoFillBackground(true);
    auto *main = new QVBoxLayout(top);
    main->setSpacing(9);
    main->setContentsMargins(0, 0, 0, 0);
    auto *columns = new QHBoxLayout;
    columns->setSpacing(15);
    columns->setContentsMargins(8, 6, 8, 0);
    main->addLayout(columns);

    for (const char *direction : {"rx", "tx"}) {
        const bool rx = qstrcmp(direction, "rx") == 0;
        auto *column = new QVBoxLayout;
        column->setSpacing(0);
        auto *title = new QLabel(rx ? QStringLiteral(" Receive") : QStringLiteral("Transmit"), top);
        QFont titleFont = screenFont();
        titleFont.setPointSize(18);
        title->setFont(titleFont);
        title->setMinimumHeight(30);
        title->setAlignment(rx ? Qt::AlignLeft | Qt::AlignVCenter
                               : Qt::AlignRight | Qt::AlignVCenter);
        column->addWidget(title);
        auto *panel = new SwitchPanel(top);
        setUpPanel(panel, !rx, direction);
        column->addWidget(panel, 6);
        auto *holder = new QWidget(top);
        holder->setProperty("palette_id", QString::fromLatin1(direction));
        holder->setMinimumHeight(56);
        holder->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        auto *holderLayout = new QHBoxLayout(holder);
        holderLayout->setContentsMargins(0, 0, 0, 6);
        if (rx) {
            auto *allSlots = new Switch(holder);
            setUpSwitch(allSlots);
            holderLayout->addStretch(1);
            holderLayout->addWidget(allSlots, 1);
            holderLayout->addStretch(1);
        } else {
            auto *copy = new QPushButton(QStringLiteral("Copy"), holder);
            copy->setMinimumSize(160, 45);
            copy->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
            holderLayout->addWidget(copy, 0, Qt::AlignCenter);
        }
        column->addWidget(holder, rx ? 0 : 9);
        columns->addLayout(column, rx ? 5 : 2);
    }
    main->addWidget(bottomBar(top));
    // The timeslot window opens at 543 x 398, or larger where its contents need more room.
    top->resize(top->minimumSizeHint().expandedTo(QSize(543, 398)));
    top->show();
    save(top, QStringLiteral("screen"));
    top->resize(800, 480);
    save(top, QStringLiteral("screen-800x480"));
}

QTEST_MAIN(tst_WidgetGallery)
#include "tst_widgetgallery.moc"
