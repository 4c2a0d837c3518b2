// SPDX-License-Identifier: GPL-3.0-or-later
// The slot switches: the panel of 32 slot buttons and the one-button "all slots" switch.
#include "switch.h"
#include "switchpanel.h"

#include <QHBoxLayout>
#include <QScreen>
#include <QTest>

using KeyList = QVector<int>;

class tst_Switches : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void choosingAnOptionOnAButtonEmitsIndexChanged_data();
    void choosingAnOptionOnAButtonEmitsIndexChanged();
    void compactPanelPressEmitsClickedOnly_data();
    void compactPanelPressEmitsClickedOnly();
    void disabledButtonTakesNoInput_data();
    void disabledButtonTakesNoInput();
    void ownerMayMakeThePanelCompactOnClicked();
    void panelKeyboard_data();
    void panelKeyboard();
    void selectOptionIsSilent();
    void setButtonIsSilentAndReadsBack();
    void chooserStaysOnScreenBesideItsButton();
    void switchPickSelectsShowsAndEmits_data();
    void switchPickSelectsShowsAndEmits();
    void switchOwnerClearingTheSelectionEndsThere();
    void switchSelectOptionsIsSilentAndNoOpWhenUnchanged_data();
    void switchSelectOptionsIsSilentAndNoOpWhenUnchanged();
    void switchChooserClosesWithoutChoice();

private:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    static QWidget *chooser(QWidget *owner) { return owner->findChild<QWidget *>("optionChooser"); }
    static bool chooserShown(QWidget *w) { return chooser(w) && chooser(w)->isVisible(); }
    void click(int button)
    {
        QTest::mouseClick(panel, Qt::LeftButton, {}, panel->buttonRect(button).center());
    }
    static void pick(QWidget *owner, int option)
    {
        QRect cell;
        QMetaObject::invokeMethod(chooser(owner), "optionRect", Q_RETURN_ARG(QRect, cell),
                                  Q_ARG(int, option));
        QCOMPARE(cell.size(), QSize(54, 54));
        QTest::mouseClick(chooser(owner), Qt::LeftButton, {}, cell.center());
    }

    QWidget *top = nullptr;
    SwitchPanel *panel = nullptr;
    Switch *allSlots = nullptr;
    QStringList log; // the signals of both, in order
    int paints = 0;
};

void tst_Switches::init()
{
    top = new QWidget;
    auto *layout = new QHBoxLayout(top);
    allSlots = new Switch(top);
    panel = new SwitchPanel(top);
    layout->addWidget(allSlots, 0, Qt::AlignTop);
    layout->addWidget(panel, 1);
    QPixmap voice(32, 26);
    voice.fill(Qt::red);
    auto setOptions = [&](auto *owner) {
        owner->setOptionName(0, QStringLiteral("off"));
        owner->setOptionName(1, QStringLiteral("PRBS"));
        owner->setOptionName(2, QStringLiteral("Voice"));
        owner->setOptionIcon(2, QIcon(voice));
        owner->setOptionSize(QSize(54, 54));
    };
    setOptions(panel);
    setOptions(allSlots);
    allSlots->setText(QStringLiteral("All slots"));
    allSlots->selectOptions(QBitArray(3));
    panel->setRows(4);
    panel->setColumns(8);
    panel->setButtonSpacing(4);
    panel->setMargin(5);
    panel->setButton(0, QStringLiteral("FAS"), QIcon(), QColor(), false);
    for (int slot = 1; slot < 32; ++slot)
        panel->selectOption(slot, 0, true);
    top->resize(600, 240);
    top->show();
    top->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(top));
    panel->setFocus();
    log.clear();
    paints = 0;
    connect(panel, &SwitchPanel::clicked, this, [this]() { log << "clicked"; });
    connect(panel, &SwitchPanel::indexChanged, this, [this](int button, int option) {
        log << QStringLiteral("%1:%2").arg(button).arg(option);
    });
    connect(allSlots, &Switch::indexChanged, this,
            [this](int option) { log << QStringLiteral("all:%1").arg(option); });
}

void tst_Switches::cleanup()
{
    delete top;
    top = nullptr;
}

void tst_Switches::choosingAnOptionOnAButtonEmitsIndexChanged_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("option");
    QTest::newRow("button 5, voice") << 5 << 2;
    QTest::newRow("button 16, prbs") << 16 << 1;
    QTest::newRow("button 31, the option it shows") << 31 << 0;
}

void tst_Switches::choosingAnOptionOnAButtonEmitsIndexChanged()
{
    QFETCH(int, button);
    QFETCH(int, option);
    click(button);
    QVERIFY(chooserShown(panel));
    QCOMPARE(log, QStringList("clicked"));
    pick(panel, option);
    QVERIFY(!chooserShown(panel));
    QCOMPARE(log, QStringList({"clicked", QStringLiteral("%1:%2").arg(button).arg(option)}));
    QCOMPARE(panel->firstSelectedOption(button), option);
}

void tst_Switches::compactPanelPressEmitsClickedOnly_data()
{
    QTest::addColumn<int>("button"); // -1: the margin, -2: the keyboard
    QTest::newRow("enabled button") << 5;
    QTest::newRow("disabled button") << 0;
    QTest::newRow("margin") << -1;
    QTest::newRow("keyboard") << -2;
}

void tst_Switches::compactPanelPressEmitsClickedOnly()
{
    QFETCH(int, button);
    panel->setCompact(true);
    if (button >= 0)
        click(button);
    else if (button == -1)
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(1, 1));
    else
        QTest::keyClick(panel, Qt::Key_Space);
    QCOMPARE(log, QStringList("clicked"));
    QVERIFY(!chooserShown(panel));
}

void tst_Switches::disabledButtonTakesNoInput_data()
{
    QTest::addColumn<bool>("wholePanel");
    QTest::addColumn<bool>("keyboard");
    QTest::newRow("disabled button, mouse") << false << false;
    QTest::newRow("disabled button, keyboard") << false << true;
    QTest::newRow("disabled panel, mouse") << true << false;
    QTest::newRow("disabled panel, keyboard") << true << true;
}

void tst_Switches::disabledButtonTakesNoInput()
{
    QFETCH(bool, wholePanel);
    QFETCH(bool, keyboard);
    if (wholePanel)
        panel->setEnabled(false);
    else
        panel->setButton(1, QString(), QIcon(), QColor(), false);
    if (keyboard) {
        // Buttons 0 and 1 are both disabled: Home lands on button 0, Right on button 1.
        QTest::keyClick(panel, Qt::Key_Home);
        QTest::keyClick(panel, Qt::Key_Right);
        QTest::keyClick(panel, Qt::Key_Return);
    } else {
        click(1);
    }
    QVERIFY(!chooserShown(panel));
    QVERIFY(log.isEmpty());
}

void tst_Switches::ownerMayMakeThePanelCompactOnClicked()
{
    connect(panel, &SwitchPanel::clicked, panel, [this]() { panel->setCompact(true); });
    click(5);
    QVERIFY(panel->compact());
    QVERIFY(!chooserShown(panel));
}

void tst_Switches::panelKeyboard_data()
{
    QTest::addColumn<KeyList>("moves");
    QTest::addColumn<int>("button");
    QTest::newRow("starts on the first enabled button") << KeyList() << 1;
    QTest::newRow("right, right, down")
        << KeyList({Qt::Key_Right, Qt::Key_Right, Qt::Key_Down}) << 11;
    QTest::newRow("down stops at the last row") << KeyList(4, Qt::Key_Down) << 25;
    QTest::newRow("right stops at the row's end") << KeyList(8, Qt::Key_Right) << 7;
    QTest::newRow("end, up") << KeyList({Qt::Key_End, Qt::Key_Up}) << 23;
}

void tst_Switches::panelKeyboard()
{
    QFETCH(KeyList, moves);
    QFETCH(int, button);
    for (int key : moves)
        QTest::keyClick(panel, Qt::Key(key));
    QTest::keyClick(panel, Qt::Key_Return);
    QVERIFY(chooserShown(panel));
    // The chooser starts on the shown option ("off"); one step right is option 1.
    QTest::keyClick(chooser(panel), Qt::Key_Right);
    QTest::keyClick(chooser(panel), Qt::Key_Enter);
    QVERIFY(!chooserShown(panel));
    const QStringList expected({"clicked", QStringLiteral("%1:1").arg(button)});
    QCOMPARE(log, expected);

    // Space opens as well; Escape closes, in the chooser or given to the panel.
    for (bool inChooser : {true, false}) {
        QTest::keyClick(panel, Qt::Key_Space);
        QVERIFY(chooserShown(panel));
        QTest::keyClick(inChooser ? chooser(panel) : panel, Qt::Key_Escape);
        QVERIFY(!chooserShown(panel));
    }
    QCOMPARE(log, expected + QStringList({"clicked", "clicked"}));
}

void tst_Switches::selectOptionIsSilent()
{
    panel->selectOption(9, 2, true);
    panel->selectOption(10, -1, true);
    panel->selectOption(11, -7, true);
    QCOMPARE(panel->firstSelectedOption(9), 2);
    QCOMPARE(panel->firstSelectedOption(10), -1);
    QCOMPARE(panel->firstSelectedOption(11), -1);
    QCOMPARE(panel->firstSelectedOption(12), 0);
    QCOMPARE(panel->firstSelectedOption(32), -1);
    QVERIFY(log.isEmpty());
}

void tst_Switches::setButtonIsSilentAndReadsBack()
{
    const QIcon icon(QPixmap(1, 26));
    panel->setButton(16, QStringLiteral("CAS"), icon, Qt::red, false);
    QCOMPARE(panel->buttonLabel(16), QStringLiteral("CAS"));
    QCOMPARE(panel->buttonIcon(16).cacheKey(), icon.cacheKey());
    QCOMPARE(panel->buttonColor(16), QColor(Qt::red));
    QVERIFY(!panel->isButtonEnabled(16));
    QVERIFY(panel->isButtonEnabled(15));
    panel->setButton(16, QString(), QIcon(), QColor(), true);
    QVERIFY(panel->buttonLabel(16).isEmpty());
    QVERIFY(panel->buttonIcon(16).isNull());
    QVERIFY(!panel->buttonColor(16).isValid());
    QVERIFY(log.isEmpty());
    click(16);
    QVERIFY(chooserShown(panel));
}

void tst_Switches::chooserStaysOnScreenBesideItsButton()
{
    const QRect area = panel->screen()->availableGeometry();
    top->move(area.bottomRight() - QPoint(top->width(), top->height()));
    QTRY_VERIFY(top->pos().y() > area.center().y());
    click(31);
    QVERIFY(chooserShown(panel));
    const QRect popup = chooser(panel)->geometry();
    const QRect anchor(panel->mapToGlobal(panel->buttonRect(31).topLeft()),
                       panel->buttonRect(31).size());
    QVERIFY2(area.contains(popup), "the chooser leaves the screen");
    QVERIFY2(!popup.intersects(anchor), "the chooser hides its button");
}

void tst_Switches::switchPickSelectsShowsAndEmits_data()
{
    QTest::addColumn<bool>("keyboard");
    QTest::addColumn<int>("option");
    QTest::newRow("mouse, voice") << false << 2;
    QTest::newRow("keyboard, prbs") << true << 1;
    QTest::newRow("keyboard, off") << true << 0;
}

void tst_Switches::switchPickSelectsShowsAndEmits()
{
    QFETCH(bool, keyboard);
    QFETCH(int, option);
    const QImage none = allSlots->grab().toImage();
    if (keyboard) {
        allSlots->setFocus();
        QTest::keyClick(allSlots, Qt::Key_Space);
        QVERIFY(chooserShown(allSlots));
        for (int i = 0; i < option; ++i)
            QTest::keyClick(chooser(allSlots), Qt::Key_Right);
        QTest::keyClick(chooser(allSlots), Qt::Key_Return);
    } else {
        QTest::mouseClick(allSlots, Qt::LeftButton);
        QVERIFY(chooserShown(allSlots));
        pick(allSlots, option);
    }
    QVERIFY(!chooserShown(allSlots));
    QCOMPARE(log, QStringList(QStringLiteral("all:%1").arg(option)));
    QBitArray selected(3);
    selected.setBit(option);
    QCOMPARE(allSlots->selectedOptions(), selected);
    QVERIFY(allSlots->grab().toImage() != none);
}

// The timeslot window clears the selection again from its indexChanged handler.
void tst_Switches::switchOwnerClearingTheSelectionEndsThere()
{
    connect(allSlots, &Switch::indexChanged, allSlots,
            [this]() { allSlots->selectOptions(QBitArray(3)); });
    allSlots->setFocus();
    QTest::keyClick(allSlots, Qt::Key_Enter);
    QTest::keyClick(chooser(allSlots), Qt::Key_Right);
    QTest::keyClick(chooser(allSlots), Qt::Key_Enter);
    QCOMPARE(log, QStringList("all:1"));
    QCOMPARE(allSlots->selectedOptions(), QBitArray(3));
}

void tst_Switches::switchSelectOptionsIsSilentAndNoOpWhenUnchanged_data()
{
    QTest::addColumn<QBitArray>("selection");
    QTest::newRow("none") << QBitArray(3);
    QTest::newRow("prbs and voice") << QBitArray(3, true);
}

void tst_Switches::switchSelectOptionsIsSilentAndNoOpWhenUnchanged()
{
    QFETCH(QBitArray, selection);
    selection.clearBit(0);
    allSlots->selectOptions(selection);
    QCOMPARE(allSlots->selectedOptions(), selection);
    QCoreApplication::processEvents();
    allSlots->installEventFilter(this);
    allSlots->selectOptions(selection);
    QCoreApplication::processEvents();
    QCOMPARE(paints, 0);
    selection.toggleBit(0);
    allSlots->selectOptions(selection);
    QCoreApplication::processEvents();
    QVERIFY(paints > 0);
    QVERIFY(log.isEmpty());
}

void tst_Switches::switchChooserClosesWithoutChoice()
{
    allSlots->setFocus();
    const char *ways[] = {"escape in the chooser", "escape to the switch", "disabling"};
    for (int how = 0; how < 3; ++how) {
        QTest::keyClick(allSlots, Qt::Key_Return);
        QVERIFY(chooserShown(allSlots));
        if (how == 2)
            allSlots->setEnabled(false);
        else
            QTest::keyClick(how == 0 ? chooser(allSlots) : allSlots, Qt::Key_Escape);
        QVERIFY2(!chooserShown(allSlots), ways[how]);
    }
    QVERIFY(log.isEmpty());
    QCOMPARE(allSlots->selectedOptions(), QBitArray(3));
}

QTEST_MAIN(tst_Switches)
#include "tst_switches.moc"
