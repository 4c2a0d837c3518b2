// SPDX-License-Identifier: GPL-3.0-or-later
// Every widget of the library in its main states as PNG files, for a look by eye.
#include <bottompanel.h>
#include <checkbutton.h>
#include <linedlabel.h>
#include <prbsdialog.h>
#include <prbsmodel.h>
#include <roundslider.h>
#include <simulatedcard.h>
#include <statuslabel.h>
#include <switch.h>
#include <switchpanel.h>
#include <warningwindow.h>

#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QIcon artwork(const char *name)
{
    return QIcon(QStringLiteral(E1_SOURCE_DIR "/plugin/resource/") + QLatin1String(name));
}

template<class Owner>
void setOptions(Owner *owner)
{
    owner->setOptionName(0, QStringLiteral("off"));
    owner->setOptionName(1, QStringLiteral("PRBS"));
    owner->setOptionName(2, QStringLiteral("Voice"));
    owner->setOptionIcon(2, artwork("voice.png"));
    owner->setOptionSize(QSize(54, 54));
}

void save(QWidget *widget)
{
    QString dir = qEnvironmentVariable("E1_ARTIFACTS");
    if (dir.isEmpty())
        dir = QDir::tempPath() + QStringLiteral("/e1-gallery");
    QVERIFY(QDir().mkpath(dir));
    const QImage image = widget->grab().toImage();
    QVERIFY(!image.isNull());
    const QString path = dir + QLatin1Char('/') + QTest::currentDataTag() + QStringLiteral(".png");
    QVERIFY2(image.save(path), qPrintable(path));
    qInfo("%s", qPrintable(path));
}

} // namespace

class tst_WidgetGallery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void render_data();
    void render();
};

void tst_WidgetGallery::render_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("state");
    const QString tags = QStringLiteral(
        "switchpanel-full switchpanel-compact switchpanel-disabled switchpanel-focus "
        "switchpanel-chooser switch-none switch-voice switch-disabled switch-chooser "
        "statuslabel-cells bottompanel-buttons linedlabel-left linedlabel-center linedlabel-right "
        "roundslider-0 roundslider-60 roundslider-focus roundslider-disabled checkbutton-unchecked "
        "checkbutton-checked checkbutton-focus checkbutton-disabled warningwindow-shown "
        "prbsdialog-2e15 prbsdialog-0x1A2B");
    for (const QString &tag : tags.split(QLatin1Char(' ')))
        QTest::newRow(qPrintable(tag)) << tag.section('-', 0, 0) << tag.section('-', 1);
}

void tst_WidgetGallery::render()
{
    QFETCH(QString, kind);
    QFETCH(QString, state);
    QWidget window;
    window.setFont(QFont(QStringLiteral("Liberation Sans"), 14));
    window.setProperty("palette_id", QStringLiteral("rx"));
    window.setEnabled(state != "disabled");
    QWidget *widget = nullptr;
    PrbsDialog *dialog = nullptr;
    SimulatedCard card;
    card.setConfigValue(QStringLiteral("pattern"), state);
    PrbsModel model(card.controller());

    if (kind == "switchpanel") {
        auto *panel = new SwitchPanel(&window);
        setOptions(panel);
        panel->setCompact(state == "compact");
        panel->setButton(0, QStringLiteral("FAS"), QIcon(), QColor(), false);
        for (int slot = 1; slot < 31; ++slot)
            panel->selectOption(slot, slot % 7 == 3 ? 1 : slot == 12 ? 2 : 0, true);
        widget = panel;
    } else if (kind == "switch") {
        auto *allSlots = new Switch(&window);
        setOptions(allSlots);
        allSlots->setText(QStringLiteral("All slots"));
        allSlots->setOptionColumns(2);
        allSlots->selectOptions(state == "voice" ? QBitArray::fromBits("\4", 3) : QBitArray(3));
        widget = allSlots;
    } else if (kind == "statuslabel") {
        auto *label = new StatusLabel(&window);
        label->setCell(0, 0, Qt::AlignRight | Qt::AlignTop, "Timeslots", QColor(), -3);
        label->setCell(0, 2, Qt::AlignLeft, artwork("speaker.png").pixmap(22, 22));
        label->setCell(1, 2, Qt::AlignLeft, "  -12 dB, 1020 Hz", QColor(), 0);
        widget = label;
    } else if (kind == "bottompanel") {
        widget = new BottomPanel(&window);
        (new QHBoxLayout(widget))->addWidget(new QPushButton(QStringLiteral("PRBS"), widget));
    } else if (kind == "linedlabel") {
        auto *label = new LinedLabel(&window);
        label->setLabel(QStringLiteral("Receive"));
        const int position = QStringList({"left", "center", "right"}).indexOf(state);
        label->setLabelPosition(LinedLabel::LabelPosition(position));
        label->setLeftCorner(state != "right");
        label->setRightCorner(state != "left");
        widget = label;
    } else if (kind == "roundslider") {
        auto *slider = new RoundSlider(&window);
        slider->setPosition(state == "0" ? 0 : 60);
        widget = slider;
    } else if (kind == "checkbutton") {
        auto *button = new CheckButton(&window);
        button->setText(QStringLiteral("Loudspeaker"));
        button->setIcon(artwork("speaker.png"));
        button->setChecked(state == "checked");
        widget = button;
    } else if (kind == "prbsdialog") {
        dialog = new PrbsDialog(&window);
        dialog->setModel(&model);
    }
    if (widget)
        (new QVBoxLayout(&window))->addWidget(widget);
    window.resize(window.sizeHint().expandedTo(QSize(240, kind == "roundslider" ? 160 : 60)));
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    if (kind == "warningwindow") {
        WarningWindow warning(&window);
        QTimer::singleShot(0, &warning, [&] {
            save(&warning);
            warning.close();
        });
        warning.show(QStringLiteral("Only one timeslot may be selected for sound reception."),
                     QStringLiteral("Timeslot 5 already carries the voice channel."));
    } else if (dialog) {
        dialog->show(QRect(300, 500, 120, 45));
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        save(dialog);
    } else if (state == "chooser") {
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(widget->width() / 3, 20));
        QWidget *chooser = widget->findChild<QWidget *>(QStringLiteral("optionChooser"));
        QVERIFY(chooser && chooser->isVisible());
        save(chooser);
    } else {
        if (state == "focus") {
            widget->setFocus();
            QTest::keyClick(widget, Qt::Key_Right); // the focus frame shows for the keyboard
        }
        save(&window);
    }
}

QTEST_MAIN(tst_WidgetGallery)
#include "tst_widgetgallery.moc"
