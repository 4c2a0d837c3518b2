// SPDX-License-Identifier: GPL-3.0-or-later

// Renders the lined caption, the level dial, the check button, the warning, a popup and the
// PRBS dialog in their states into PNG files for a look by eye (directory E1_ARTIFACTS, else
// e1-gallery in the temporary directory), and checks that every picture was drawn.

#include <basepopupwindow.h>
#include <checkbutton.h>
#include <linedlabel.h>
#include <prbsdialog.h>
#include <prbsmodel.h>
#include <roundslider.h>
#include <simulatedcard.h>
#include <warningwindow.h>

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QString galleryDir()
{
    const QString dir = qEnvironmentVariableIsSet("E1_ARTIFACTS")
        ? qEnvironmentVariable("E1_ARTIFACTS")
        : QDir::tempPath() + QStringLiteral("/e1-gallery");
    QDir().mkpath(dir);
    return dir;
}

// The instrument's screen font, as the timeslot window and its dialogs use it.
QFont screenFont(int points)
{
    QFont font(QStringLiteral("Liberation Sans"), points);
    font.setBold(true);
    return font;
}

// An icon of the plug-in's artwork when the source tree has it, else a drawn stand-in.
QIcon speakerIcon()
{
    const QString file = QStringLiteral(E1_SOURCE_DIR "/plugin/resource/speaker.png");
    if (QFile::exists(file))
        return QIcon(file);
    QPixmap pixmap(27, 27);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::darkGray);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(QPolygonF({QPointF(4, 10), QPointF(10, 10), QPointF(17, 3), QPointF(17, 24),
                                   QPointF(10, 17), QPointF(4, 17)}));
    return QIcon(pixmap);
}

} // namespace

class tst_WidgetGallery2 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void linedLabel_data();
    void linedLabel();
    void linedLabelBreaksTheRuleAroundTheCaption_data();
    void linedLabelBreaksTheRuleAroundTheCaption();
    void roundSlider_data();
    void roundSlider();
    void checkButton_data();
    void checkButton();
    void warningWindow();
    void popup();
    void prbsDialog_data();
    void prbsDialog();

private:
    void save(QWidget *widget, const QString &name);
};

void tst_WidgetGallery2::save(QWidget *widget, const QString &name)
{
    const QImage image = widget->grab().toImage();
    QVERIFY(!image.isNull());
    QVERIFY(image.width() > 0 && image.height() > 0);
    const QString path = galleryDir() + QLatin1Char('/') + name + QStringLiteral(".png");
    QVERIFY2(image.save(path), qPrintable(path));
    qInfo("%s", qPrintable(path));
}

void tst_WidgetGallery2::linedLabel_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("corners");
    QTest::newRow("left") << int(LinedLabel::LabelLeft) << false;
    QTest::newRow("center") << int(LinedLabel::LabelCenter) << false;
    QTest::newRow("right") << int(LinedLabel::LabelRight) << false;
    QTest::newRow("left-corners") << int(LinedLabel::LabelLeft) << true;
    QTest::newRow("center-corners") << int(LinedLabel::LabelCenter) << true;
}

void tst_WidgetGallery2::linedLabel()
{
    QFETCH(int, position);
    QFETCH(bool, corners);
    LinedLabel label;
    label.setFont(screenFont(12));
    label.setLabel(QStringLiteral("Receive"));
    label.setLabelPosition(LinedLabel::LabelPosition(position));
    label.setLeftCorner(corners);
    label.setRightCorner(corners);
    label.setBoundSpacing(12);
    label.setLabelSpacing(4);
    label.resize(300, qMax(24, label.sizeHint().height()));
    save(&label, QStringLiteral("linedlabel-") + QString::fromLatin1(QTest::currentDataTag()));
}

void tst_WidgetGallery2::linedLabelBreaksTheRuleAroundTheCaption_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("leftCorner");
    QTest::addColumn<bool>("rightCorner");
    QTest::newRow("left") << int(LinedLabel::LabelLeft) << false << false;
    QTest::newRow("center, left corner") << int(LinedLabel::LabelCenter) << true << false;
    QTest::newRow("right, right corner") << int(LinedLabel::LabelRight) << false << true;
    QTest::newRow("left, both corners") << int(LinedLabel::LabelLeft) << true << true;
}

void tst_WidgetGallery2::linedLabelBreaksTheRuleAroundTheCaption()
{
    QFETCH(int, position);
    QFETCH(bool, leftCorner);
    QFETCH(bool, rightCorner);

    const int width = 300;
    const int bound = 20;
    const int gap = 6;
    LinedLabel label;
    label.setFont(screenFont(12));
    label.setLabel(QStringLiteral("Transmit"));
    label.setLabelPosition(LinedLabel::LabelPosition(position));
    label.setBoundSpacing(bound);
    label.setLabelSpacing(gap);
    label.setLeftCorner(leftCorner);
    label.setRightCorner(rightCorner);
    label.resize(width, label.sizeHint().height());
    const QImage image = label.grab().toImage();
    const int textWidth = QFontMetrics(label.font()).horizontalAdvance(label.label());

    // The rule is the row with the longest stretch of the colour it has at the left end.
    const QRgb background = image.pixel(0, 0);
    int ruleY = -1;
    int longest = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb colour = image.pixel(1, y);
        if (colour == background)
            continue;
        int count = 0;
        for (int x = 0; x < width; ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
        if (count > longest) {
            longest = count;
            ruleY = y;
        }
    }
    QVERIFY(ruleY >= 0);
    const QRgb rule = image.pixel(1, ruleY);
    int first = 0;
    while (first < width && image.pixel(first, ruleY) == rule)
        ++first;
    int last = width - 1;
    while (last >= 0 && image.pixel(last, ruleY) == rule)
        --last;

    // The break spans the caption and the label spacing on each side of it.
    QVERIFY(first < last);
    QCOMPARE(last - first + 1, textWidth + 2 * gap);
    if (position == LinedLabel::LabelLeft)
        QCOMPARE(first, bound - gap);
    else if (position == LinedLabel::LabelRight)
        QCOMPARE(last, width - 1 - bound + gap);
    else
        QVERIFY(qAbs(first - (width - 1 - last)) <= 1);

    // The corners are ticks down from the ends of the rule.
    const int below = qMin(ruleY + 2, image.height() - 1);
    QVERIFY(below > ruleY);
    QCOMPARE(image.pixel(0, below) == rule, leftCorner);
    QCOMPARE(image.pixel(width - 1, below) == rule, rightCorner);
}

void tst_WidgetGallery2::roundSlider_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("focus");
    QTest::addColumn<int>("side");
    QTest::newRow("0") << 0 << true << false << 140;
    QTest::newRow("40") << 40 << true << false << 140;
    QTest::newRow("100") << 100 << true << false << 140;
    QTest::newRow("60-focus") << 60 << true << true << 140;
    QTest::newRow("40-disabled") << 40 << false << false << 140;
    QTest::newRow("100-small") << 100 << true << false << 66;
}

void tst_WidgetGallery2::roundSlider()
{
    QFETCH(int, position);
    QFETCH(bool, enabled);
    QFETCH(bool, focus);
    QFETCH(int, side);
    QWidget holder;
    holder.setFont(screenFont(16));
    auto *layout = new QVBoxLayout(&holder);
    auto *slider = new RoundSlider(&holder);
    layout->addWidget(slider);
    slider->setPosition(position);
    slider->setEnabled(enabled);
    holder.resize(side, side);
    if (focus) {
        holder.show();
        QVERIFY(QTest::qWaitForWindowExposed(&holder));
        holder.activateWindow();
        slider->setFocus();
        QTRY_VERIFY(slider->hasFocus());
    }
    save(&holder, QStringLiteral("roundslider-") + QString::fromLatin1(QTest::currentDataTag()));
}

void tst_WidgetGallery2::checkButton_data()
{
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("focus");
    QTest::newRow("unchecked") << false << true << false;
    QTest::newRow("checked") << true << true << false;
    QTest::newRow("unchecked-focus") << false << true << true;
    QTest::newRow("unchecked-disabled") << false << false << false;
    QTest::newRow("checked-disabled") << true << false << false;
}

void tst_WidgetGallery2::checkButton()
{
    QFETCH(bool, checked);
    QFETCH(bool, enabled);
    QFETCH(bool, focus);
    QWidget holder;
    holder.setFont(screenFont(16));
    auto *layout = new QVBoxLayout(&holder);
    auto *button = new CheckButton(&holder);
    layout->addWidget(button);
    button->setIcon(speakerIcon());
    button->setIconSize(QSize(27, 27));
    button->setText(QStringLiteral("Loudspeaker"));
    button->setChecked(checked);
    button->setEnabled(enabled);
    holder.resize(holder.sizeHint().expandedTo(QSize(240, 0)));
    if (focus) {
        holder.show();
        QVERIFY(QTest::qWaitForWindowExposed(&holder));
        holder.activateWindow();
        button->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(button->hasFocus());
    }
    save(&holder, QStringLiteral("checkbutton-") + QString::fromLatin1(QTest::currentDataTag()));
}

void tst_WidgetGallery2::warningWindow()
{
    QWidget window;
    window.setFont(screenFont(14));
    window.resize(543, 398);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    WarningWindow warning(&window);
    bool grabbed = false;
    QTimer::singleShot(0, this, [&] {
        QTRY_VERIFY(warning.isVisible());
        save(&warning, QStringLiteral("warningwindow"));
        grabbed = true;
        warning.close();
    });
    warning.show(QStringLiteral("Only one timeslot may be selected for sound reception."),
                 QStringLiteral("Timeslot 5 already carries the voice channel."));
    QVERIFY(grabbed);
}

void tst_WidgetGallery2::popup()
{
    QWidget window;
    window.setFont(screenFont(16));
    window.resize(543, 398);

    BasePopupWindow popup(&window);
    auto *grid = new QGridLayout(&popup);
    grid->setContentsMargins(16, 18, 16, 18);
    grid->setHorizontalSpacing(14);
    auto *caption = new LinedLabel(&popup);
    QFont small;
    small.setPointSize(12);
    caption->setFont(small);
    caption->setLabel(QStringLiteral("Transmit"));
    grid->addWidget(caption, 0, 0, 1, 2);
    auto *microphone = new CheckButton(&popup);
    microphone->setText(QStringLiteral("Microphone"));
    microphone->setIcon(speakerIcon());
    microphone->setChecked(true);
    grid->addWidget(microphone, 1, 0);
    auto *level = new RoundSlider(&popup);
    level->setPosition(40);
    grid->addWidget(level, 1, 1);
    auto *tone = new CheckButton(&popup);
    tone->setText(QStringLiteral("Tone 1 kHz"));
    tone->setIcon(speakerIcon());
    grid->addWidget(tone, 2, 0);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 5);

    popup.show(QRect(300, 500, 120, 45));
    QVERIFY(QTest::qWaitForWindowExposed(&popup));
    save(&popup, QStringLiteral("popup"));
    popup.close();
}

void tst_WidgetGallery2::prbsDialog_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::newRow("2e15") << QStringLiteral("2e15");
    QTest::newRow("55") << QStringLiteral("55");
    QTest::newRow("user") << QStringLiteral("0x1A2B");
}

void tst_WidgetGallery2::prbsDialog()
{
    QFETCH(QString, pattern);
    SimulatedCard card(QStringLiteral("e1"));
    card.setConfigValue(QStringLiteral("pattern"), pattern);
    QWidget window;
    window.setFont(screenFont(14));
    PrbsModel model(card.controller());
    PrbsDialog dialog(&window);
    dialog.setModel(&model);
    dialog.show(QRect(300, 500, 120, 45));
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    save(&dialog, QStringLiteral("prbsdialog-") + QString::fromLatin1(QTest::currentDataTag()));
    dialog.close();
}

QTEST_MAIN(tst_WidgetGallery2)
#include "tst_widgetgallery2.moc"
