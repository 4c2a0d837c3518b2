// SPDX-License-Identifier: GPL-3.0-or-later
#include "switchpanel.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

using KeyList = QVector<int>;

namespace {

QIcon filledIcon(const QSize &size, const QColor &color)
{
    QPixmap pixmap(size);
    pixmap.fill(color);
    return QIcon(pixmap);
}

QRect optionRect(QWidget *chooser, int option)
{
    QRect rect;
    QMetaObject::invokeMethod(chooser, "optionRect", Q_RETURN_ARG(QRect, rect), Q_ARG(int, option));
    return rect;
}

} // namespace

class tst_SwitchPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void choosingAnOptionEmitsIndexChanged_data();
    void choosingAnOptionEmitsIndexChanged();
    void choosingTheShownOptionEmitsAgain();
    void releaseAwayFromTheButtonOpensNothing();
    void compactPanelPressEmitsClickedOnly_data();
    void compactPanelPressEmitsClickedOnly();
    void disabledButtonTakesNoInput_data();
    void disabledButtonTakesNoInput();
    void ownerMayMakeThePanelCompactOnClicked();
    void settersNeverEmit();
    void selectOptionRoundTrip_data();
    void selectOptionRoundTrip();
    void setButtonRoundTrip_data();
    void setButtonRoundTrip();
    void keyboardNavigation_data();
    void keyboardNavigation();
    void escapeClosesTheChooser_data();
    void escapeClosesTheChooser();
    void compactPanelKeyboardEmitsClicked();
    void chooserCellsHaveTheOptionSize();
    void chooserStaysOnScreen_data();
    void chooserStaysOnScreen();
    void buttonsFillTheGridRowByRow_data();
    void buttonsFillTheGridRowByRow();
    void compactFormIsSmaller();
    void paletteIdTintsThePanel();

private:
    QWidget *chooser() const;
    bool chooserOpen() const { return chooser() && chooser()->isVisible(); }
    void click(int button);
    void pick(int option);

    SwitchPanel *panel = nullptr;
};

void tst_SwitchPanel::init()
{
    panel = new SwitchPanel;
    panel->setRows(4);
    panel->setColumns(8);
    panel->setButtonSpacing(4);
    panel->setMargin(5);
    panel->setOptionName(0, QStringLiteral("off"));
    panel->setOptionName(1, QStringLiteral("PRBS"));
    panel->setOptionName(2, QStringLiteral("Voice"));
    panel->setOptionIcon(1, filledIcon(QSize(32, 26), Qt::blue));
    panel->setOptionIcon(2, filledIcon(QSize(32, 26), Qt::red));
    panel->setOptionSize(QSize(54, 54));
    panel->setButton(0, QStringLiteral("FAS"), QIcon(), QColor(), false);
    for (int slot = 1; slot < 32; ++slot)
        panel->selectOption(slot, 0, true);
    panel->resize(400, 240);
    panel->show();
    panel->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(panel));
}

void tst_SwitchPanel::cleanup()
{
    delete panel;
    panel = nullptr;
}

QWidget *tst_SwitchPanel::chooser() const
{
    return panel->findChild<QWidget *>(QStringLiteral("optionChooser"));
}

void tst_SwitchPanel::click(int button)
{
    QTest::mouseClick(panel, Qt::LeftButton, {}, panel->buttonRect(button).center());
}

void tst_SwitchPanel::pick(int option)
{
    QWidget *popup = chooser();
    QVERIFY(popup && popup->isVisible());
    QTest::mouseClick(popup, Qt::LeftButton, {}, optionRect(popup, option).center());
}

void tst_SwitchPanel::choosingAnOptionEmitsIndexChanged_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("option");
    QTest::newRow("button 5, voice") << 5 << 2;
    QTest::newRow("button 1, prbs") << 1 << 1;
    QTest::newRow("button 31, off") << 31 << 0;
    QTest::newRow("button 16, voice") << 16 << 2;
}

void tst_SwitchPanel::choosingAnOptionEmitsIndexChanged()
{
    QFETCH(int, button);
    QFETCH(int, option);
    QSignalSpy chosen(panel, &SwitchPanel::indexChanged);
    QSignalSpy clicked(panel, &SwitchPanel::clicked);

    click(button);
    QVERIFY(chooserOpen());
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(chosen.count(), 0);

    pick(option);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toInt(), button);
    QCOMPARE(chosen.at(0).at(1).toInt(), option);
    QVERIFY(!chooserOpen());
    QCOMPARE(panel->firstSelectedOption(button), option);
    QCOMPARE(clicked.count(), 1);
}

void tst_SwitchPanel::choosingTheShownOptionEmitsAgain()
{
    panel->selectOption(7, 1, true);
    QSignalSpy chosen(panel, &SwitchPanel::indexChanged);
    click(7);
    pick(1);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0), QVariantList({7, 1}));
}

void tst_SwitchPanel::releaseAwayFromTheButtonOpensNothing()
{
    QSignalSpy clicked(panel, &SwitchPanel::clicked);
    QTest::mousePress(panel, Qt::LeftButton, {}, panel->buttonRect(5).center());
    QTest::mouseRelease(panel, Qt::LeftButton, {}, panel->buttonRect(6).center());
    QVERIFY(!chooserOpen());
    QCOMPARE(clicked.count(), 0);
}

void tst_SwitchPanel::compactPanelPressEmitsClickedOnly_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::newRow("enabled button") << QPoint(-1, 5);
    QTest::newRow("disabled button") << QPoint(-1, 0);
    QTest::newRow("margin") << QPoint(1, 1);
}

void tst_SwitchPanel::compactPanelPressEmitsClickedOnly()
{
    QFETCH(QPoint, pos);
    panel->setCompact(true);
    panel->setButtonSpacing(2);
    if (pos.x() < 0)
        pos = panel->buttonRect(pos.y()).center();
    QSignalSpy chosen(panel, &SwitchPanel::indexChanged);
    QSignalSpy clicked(panel, &SwitchPanel::clicked);
    QTest::mouseClick(panel, Qt::LeftButton, {}, pos);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(chosen.count(), 0);
    QVERIFY(!chooserOpen());
}

void tst_SwitchPanel::disabledButtonTakesNoInput_data()
{
    QTest::addColumn<bool>("wholePanel");
    QTest::addColumn<bool>("keyboard");
    QTest::newRow("disabled button, mouse") << false << false;
    QTest::newRow("disabled button, keyboard") << false << true;
    QTest::newRow("disabled panel, mouse") << true << false;
    QTest::newRow("disabled panel, keyboard") << true << true;
}

void tst_SwitchPanel::disabledButtonTakesNoInput()
{
    QFETCH(bool, wholePanel);
    QFETCH(bool, keyboard);
    panel->setFocus();
    if (wholePanel)
        panel->setEnabled(false);
    else
        panel->setButton(1, QString(), QIcon(), QColor(), false);
    QSignalSpy chosen(panel, &SwitchPanel::indexChanged);
    QSignalSpy clicked(panel, &SwitchPanel::clicked);
    if (keyboard) {
        // Buttons 0 and 1 are both disabled: Home lands on button 0, Right on button 1.
        QTest::keyClick(panel, Qt::Key_Home);
        QTest::keyClick(panel, Qt::Key_Right);
        QTest::keyClick(panel, Qt::Key_Return);
    } else {
        click(1);
    }
    QVERIFY(!chooserOpen());
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(chosen.count(), 0);
}

void tst_SwitchPanel::ownerMayMakeThePanelCompactOnClicked()
{
    connect(panel, &SwitchPanel::clicked, panel, [this]() { panel->setCompact(true); });
    click(5);
    QVERIFY(panel->compact());
    QVERIFY(!chooserOpen());
}

void tst_SwitchPanel::settersNeverEmit()
{
    QSignalSpy chosen(panel, &SwitchPanel::indexChanged);
    QSignalSpy clicked(panel, &SwitchPanel::clicked);
    panel->selectOption(3, 2, true);
    panel->selectOption(3, -1, true);
    panel->setButton(16, QStringLiteral("CAS"), QIcon(), QColor(), false);
    panel->setCompact(true);
    panel->setCompact(false);
    panel->setOptionIcon(1, filledIcon(QSize(20, 16), Qt::green));
    panel->setRows(8);
    panel->setColumns(4);
    QCOMPARE(chosen.count(), 0);
    QCOMPARE(clicked.count(), 0);
}

void tst_SwitchPanel::selectOptionRoundTrip_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("shown");
    QTest::newRow("off") << 0 << 0;
    QTest::newRow("voice") << 2 << 2;
    QTest::newRow("none") << -1 << -1;
    QTest::newRow("any negative is none") << -7 << -1;
}

void tst_SwitchPanel::selectOptionRoundTrip()
{
    QFETCH(int, option);
    QFETCH(int, shown);
    panel->selectOption(9, option, true);
    QCOMPARE(panel->firstSelectedOption(9), shown);
    QCOMPARE(panel->firstSelectedOption(10), 0);
    QCOMPARE(panel->firstSelectedOption(32), -1);
}

void tst_SwitchPanel::setButtonRoundTrip_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("withIcon");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("signalling slot") << "CAS" << true << QColor() << false;
    QTest::newRow("coloured") << QString() << false << QColor(Qt::yellow) << true;
    QTest::newRow("plain") << QString() << false << QColor() << true;
}

void tst_SwitchPanel::setButtonRoundTrip()
{
    QFETCH(QString, label);
    QFETCH(bool, withIcon);
    QFETCH(QColor, color);
    QFETCH(bool, enabled);
    const QIcon icon = withIcon ? filledIcon(QSize(1, 26), Qt::transparent) : QIcon();
    panel->setButton(16, QStringLiteral("old"), filledIcon(QSize(4, 4), Qt::black), Qt::red,
                     !enabled);
    panel->setButton(16, label, icon, color, enabled);
    QCOMPARE(panel->buttonLabel(16), label);
    QCOMPARE(panel->buttonIcon(16).isNull(), !withIcon);
    if (withIcon)
        QCOMPARE(panel->buttonIcon(16).cacheKey(), icon.cacheKey());
    QCOMPARE(panel->buttonColor(16), color);
    QCOMPARE(panel->isButtonEnabled(16), enabled);
    QVERIFY(!panel->isButtonEnabled(0));
    QVERIFY(panel->isButtonEnabled(15));
}

void tst_SwitchPanel::keyboardNavigation_data()
{
    QTest::addColumn<KeyList>("keys");
    QTest::addColumn<int>("button");
    QTest::newRow("starts on the first enabled button") << KeyList() << 1;
    QTest::newRow("right, right, down")
        << KeyList({Qt::Key_Right, Qt::Key_Right, Qt::Key_Down}) << 11;
    QTest::newRow("down stops at the last row")
        << KeyList({Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down}) << 25;
    QTest::newRow("right stops at the row's end") << KeyList(8, Qt::Key_Right) << 7;
    QTest::newRow("end, up") << KeyList({Qt::Key_End, Qt::Key_Up}) << 23;
}

void tst_SwitchPanel::keyboardNavigation()
{
    QFETCH(KeyList, keys);
    QFETCH(int, button);
    panel->setFocus();
    QVERIFY(panel->hasFocus());
    QSignalSpy chosen(panel, &SwitchPanel::indexChanged);
    for (int key : keys)
        QTest::keyClick(panel, Qt::Key(key));
    QTest::keyClick(panel, Qt::Key_Return);
    QVERIFY(chooserOpen());

    // The chooser starts on the shown option ("off"); one step right is option 1.
    QTest::keyClick(chooser(), Qt::Key_Right);
    QTest::keyClick(chooser(), Qt::Key_Enter);
    QVERIFY(!chooserOpen());
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0), QVariantList({button, 1}));
}

void tst_SwitchPanel::escapeClosesTheChooser_data()
{
    QTest::addColumn<bool>("toChooser");
    QTest::newRow("escape in the chooser") << true;
    QTest::newRow("escape to the panel") << false;
}

void tst_SwitchPanel::escapeClosesTheChooser()
{
    QFETCH(bool, toChooser);
    panel->setFocus();
    QSignalSpy chosen(panel, &SwitchPanel::indexChanged);
    QTest::keyClick(panel, Qt::Key_Space);
    QVERIFY(chooserOpen());
    QTest::keyClick(toChooser ? chooser() : static_cast<QWidget *>(panel), Qt::Key_Escape);
    QVERIFY(!chooserOpen());
    QCOMPARE(chosen.count(), 0);
}

void tst_SwitchPanel::compactPanelKeyboardEmitsClicked()
{
    panel->setCompact(true);
    panel->setFocus();
    QSignalSpy clicked(panel, &SwitchPanel::clicked);
    QTest::keyClick(panel, Qt::Key_Right);
    QTest::keyClick(panel, Qt::Key_Space);
    QCOMPARE(clicked.count(), 1);
    QVERIFY(!chooserOpen());
}

void tst_SwitchPanel::chooserCellsHaveTheOptionSize()
{
    click(3);
    QWidget *popup = chooser();
    QVERIFY(popup && popup->isVisible());
    QVERIFY(popup->isWindow());
    for (int option = 0; option < 3; ++option) {
        const QRect cell = optionRect(popup, option);
        QCOMPARE(cell.size(), QSize(54, 54));
        QVERIFY(popup->rect().contains(cell));
    }
    QVERIFY(optionRect(popup, 3).isNull());
}

void tst_SwitchPanel::chooserStaysOnScreen_data()
{
    QTest::addColumn<bool>("bottomRight");
    QTest::addColumn<int>("button");
    QTest::newRow("panel in the bottom right corner") << true << 31;
    QTest::newRow("panel in the top left corner") << false << 0 + 8;
}

void tst_SwitchPanel::chooserStaysOnScreen()
{
    QFETCH(bool, bottomRight);
    QFETCH(int, button);
    const QRect area = panel->screen()->availableGeometry();
    panel->move(bottomRight ? area.bottomRight() - QPoint(panel->width(), panel->height())
                            : area.topLeft());
    QTRY_COMPARE(panel->pos().y() > area.center().y(), bottomRight);
    click(button);
    QVERIFY(chooserOpen());
    const QRect popup = chooser()->geometry();
    const QRect anchor(panel->mapToGlobal(panel->buttonRect(button).topLeft()),
                       panel->buttonRect(button).size());
    QVERIFY2(area.contains(popup), "the chooser leaves the screen");
    QVERIFY2(!popup.intersects(anchor), "the chooser hides its button");
}

void tst_SwitchPanel::buttonsFillTheGridRowByRow_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::newRow("4 x 8") << 4 << 8;
    QTest::newRow("8 x 4") << 8 << 4;
    QTest::newRow("2 x 8 shows 16") << 2 << 8;
}

void tst_SwitchPanel::buttonsFillTheGridRowByRow()
{
    QFETCH(int, rows);
    QFETCH(int, columns);
    panel->setRows(rows);
    panel->setColumns(columns);
    const QRect area = panel->rect().adjusted(5, 5, -5, -5);
    const int shown = qMin(32, rows * columns);
    for (int i = 0; i < 32; ++i) {
        const QRect r = panel->buttonRect(i);
        if (i >= shown) {
            QVERIFY(r.isEmpty());
            continue;
        }
        QVERIFY(area.contains(r));
        QCOMPARE(panel->buttonAt(r.center()), i);
        if (i % columns > 0)
            QCOMPARE(r.left() - panel->buttonRect(i - 1).right() - 1, 4);
        if (i >= columns)
            QCOMPARE(r.top() - panel->buttonRect(i - columns).bottom() - 1, 4);
    }
    QCOMPARE(panel->buttonRect(0).topLeft(), area.topLeft());
    QCOMPARE(panel->buttonRect(shown - 1).bottomRight(), area.bottomRight());
    QCOMPARE(panel->buttonAt(QPoint(1, 1)), -1);
}

void tst_SwitchPanel::compactFormIsSmaller()
{
    const QSize full = panel->sizeHint();
    panel->setCompact(true);
    panel->setOptionIcon(1, filledIcon(QSize(20, 16), Qt::blue));
    panel->setOptionIcon(2, filledIcon(QSize(20, 16), Qt::red));
    const QSize compact = panel->sizeHint();
    QVERIFY(compact.width() < full.width());
    QVERIFY(compact.height() < full.height());
    QVERIFY(panel->minimumSizeHint().width() <= compact.width());
    QVERIFY(panel->minimumSizeHint().height() <= compact.height());
}

void tst_SwitchPanel::paletteIdTintsThePanel()
{
    auto bandColour
        = [this]() { return panel->grab().toImage().pixelColor(2, panel->height() / 2); };
    const QColor plain = bandColour();
    panel->setProperty("palette_id", QStringLiteral("rx"));
    const QColor rx = bandColour();
    panel->setProperty("palette_id", QStringLiteral("tx"));
    const QColor tx = bandColour();
    QVERIFY(rx != tx);
    QVERIFY(rx != plain);
    QVERIFY(tx != plain);
}

QTEST_MAIN(tst_SwitchPanel)
#include "tst_switchpanel.moc"
