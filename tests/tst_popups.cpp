// SPDX-License-Identifier: GPL-3.0-or-later

// The warning that blocks its caller until the user closes it, and the popup base: where it
// opens beside its anchor, that it stays on the screen, its size, and closing on Escape.

#include <basepopupwindow.h>
#include <warningwindow.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

namespace {

WarningWindow *openWarning()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *warning = qobject_cast<WarningWindow *>(widget);
        if (warning && warning->isVisible())
            return warning;
    }
    return nullptr;
}

// Closes the open warning the way \a how says, as a user or the program would.
void closeWarning(WarningWindow *warning, const QString &how)
{
    QWidget *focus = warning->focusWidget() ? warning->focusWidget() : warning;
    if (how == QLatin1String("ok button"))
        QTest::mouseClick(warning->findChild<QPushButton *>(QStringLiteral("okButton")),
                          Qt::LeftButton);
    else if (how == QLatin1String("escape"))
        QTest::keyClick(focus, Qt::Key_Escape);
    else if (how == QLatin1String("return"))
        QTest::keyClick(focus, Qt::Key_Return);
    else if (how == QLatin1String("close"))
        warning->close();
    else if (how == QLatin1String("hide"))
        warning->hide();
}

// A popup with content of a known size hint.
class TestPopup : public BasePopupWindow
{
public:
    explicit TestPopup(QWidget *parent = nullptr)
        : BasePopupWindow(parent)
    {
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(10, 10, 10, 10);
        content = new QWidget(this);
        content->setFixedSize(200, 100);
        layout->addWidget(content);
        edit = new QLineEdit(this);
        edit->setFixedSize(200, 30);
        layout->addWidget(edit);
        layout->setSpacing(0);
    }

    static QSize hint() { return QSize(220, 150); }

    QWidget *content;
    QLineEdit *edit;
};

// A popup that takes every key for itself, as a subclass might.
class KeyEatingPopup : public TestPopup
{
protected:
    void keyPressEvent(QKeyEvent *event) override { event->accept(); }
};

QRect screenArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

} // namespace

class tst_Popups : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void warningShowReturnsAfterEachWayOfClosing_data();
    void warningShowReturnsAfterEachWayOfClosing();
    void warningShowsSecondTextOnlyWhenGiven_data();
    void warningShowsSecondTextOnlyWhenGiven();
    void warningIsModalOverItsParentWindow_data();
    void warningIsModalOverItsParentWindow();
    void warningDeletedWhileOpenLetsShowReturn();

    void placementBesideAnchor_data();
    void placementBesideAnchor();
    void popupStaysOnScreenAtEveryEdge_data();
    void popupStaysOnScreenAtEveryEdge();
    void popupOpensAboveAButtonOfABottomBar();
    void popupTakesSizeHintUnlessItsOwnerResizedIt();
    void escapeClosesPopup_data();
    void escapeClosesPopup();
};

void tst_Popups::warningShowReturnsAfterEachWayOfClosing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("ok button") << QStringLiteral("ok button");
    QTest::newRow("escape") << QStringLiteral("escape");
    QTest::newRow("return") << QStringLiteral("return");
    QTest::newRow("close") << QStringLiteral("close");
    QTest::newRow("hide") << QStringLiteral("hide");
}

void tst_Popups::warningShowReturnsAfterEachWayOfClosing()
{
    QFETCH(QString, how);

    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    WarningWindow warning(&window);

    // Twice: a warning that was closed can be shown again.
    for (int round = 0; round < 2; ++round) {
        WarningWindow *seen = nullptr;
        QTimer::singleShot(0, &warning, [&] {
            seen = openWarning();
            if (seen)
                closeWarning(seen, how);
        });
        warning.show(QStringLiteral("Only one timeslot may be selected for sound reception."),
                     QString());
        QCOMPARE(seen, &warning);
        QVERIFY(!warning.isVisible());
    }
}

void tst_Popups::warningShowsSecondTextOnlyWhenGiven_data()
{
    QTest::addColumn<QString>("text2");
    QTest::newRow("no second text") << QString();
    QTest::newRow("second text") << QStringLiteral("Timeslot 5 carries the voice channel.");
}

void tst_Popups::warningShowsSecondTextOnlyWhenGiven()
{
    QFETCH(QString, text2);

    WarningWindow warning;
    QString shownText;
    bool secondVisible = false;
    QString shownText2;
    QTimer::singleShot(0, &warning, [&] {
        shownText = warning.findChild<QLabel *>(QStringLiteral("text"))->text();
        auto *second = warning.findChild<QLabel *>(QStringLiteral("text2"));
        secondVisible = second->isVisible();
        shownText2 = second->text();
        warning.close();
    });
    warning.show(QStringLiteral("First"), text2);
    QCOMPARE(shownText, QStringLiteral("First"));
    QCOMPARE(secondVisible, !text2.isEmpty());
    if (!text2.isEmpty())
        QCOMPARE(shownText2, text2);
}

void tst_Popups::warningIsModalOverItsParentWindow_data()
{
    QTest::addColumn<bool>("withParent");
    QTest::addColumn<int>("modality");
    QTest::newRow("parent") << true << int(Qt::WindowModal);
    QTest::newRow("no parent") << false << int(Qt::ApplicationModal);
}

void tst_Popups::warningIsModalOverItsParentWindow()
{
    QFETCH(bool, withParent);
    QFETCH(int, modality);

    QWidget window;
    window.resize(543, 398);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget *child = new QWidget(&window);
    WarningWindow warning(withParent ? child : nullptr);

    QWidget *activeModal = nullptr;
    bool overParent = false;
    QTimer::singleShot(0, &warning, [&] {
        activeModal = QApplication::activeModalWidget();
        overParent = window.frameGeometry().contains(warning.frameGeometry().center());
        warning.close();
    });
    warning.show(QStringLiteral("Warning"), QString());
    QCOMPARE(int(warning.windowModality()), modality);
    QCOMPARE(activeModal, &warning);
    if (withParent)
        QVERIFY(overParent);
}

void tst_Popups::warningDeletedWhileOpenLetsShowReturn()
{
    auto *window = new QWidget;
    QPointer<WarningWindow> warning = new WarningWindow(window);
    QTimer::singleShot(0, this, [window] { delete window; });
    warning->show(QStringLiteral("Warning"), QString());
    QVERIFY(warning.isNull());
}

void tst_Popups::placementBesideAnchor_data()
{
    QTest::addColumn<QRect>("anchor");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("expected");

    const QRect screen(0, 0, 800, 600);
    const QSize size(200, 150);
    // Above, centred, 4 pixels away.
    QTest::newRow("button in a bottom bar")
        << QRect(350, 540, 100, 40) << size << screen << QRect(300, 386, 200, 150);
    QTest::newRow("top edge: below instead")
        << QRect(350, 0, 100, 40) << size << screen << QRect(300, 44, 200, 150);
    QTest::newRow("left edge") << QRect(0, 540, 60, 40) << size << screen
                               << QRect(0, 386, 200, 150);
    QTest::newRow("right edge") << QRect(760, 540, 40, 40) << size << screen
                                << QRect(600, 386, 200, 150);
    QTest::newRow("top left corner")
        << QRect(0, 0, 40, 40) << size << screen << QRect(0, 44, 200, 150);
    QTest::newRow("bottom right corner")
        << QRect(760, 560, 40, 40) << size << screen << QRect(600, 406, 200, 150);
    QTest::newRow("anchor partly off the left")
        << QRect(-30, 300, 60, 40) << size << screen << QRect(0, 146, 200, 150);
    QTest::newRow("fits neither side: more room below")
        << QRect(350, 200, 100, 40) << QSize(200, 500) << screen << QRect(300, 100, 200, 500);
    QTest::newRow("fits neither side: more room above")
        << QRect(350, 360, 100, 40) << QSize(200, 500) << screen << QRect(300, 0, 200, 500);
    QTest::newRow("larger than the screen")
        << QRect(350, 540, 100, 40) << QSize(900, 700) << screen << QRect(0, 0, 900, 700);
    QTest::newRow("second screen to the right")
        << QRect(1700, 1040, 100, 40) << size << QRect(1600, 0, 400, 1080)
        << QRect(1650, 886, 200, 150);
    QTest::newRow("no screen: above the anchor as it is")
        << QRect(-500, -20, 100, 40) << size << QRect() << QRect(-550, -174, 200, 150);
}

void tst_Popups::placementBesideAnchor()
{
    QFETCH(QRect, anchor);
    QFETCH(QSize, size);
    QFETCH(QRect, available);
    QFETCH(QRect, expected);

    QCOMPARE(BasePopupWindow::placement(anchor, size, available), expected);
}

void tst_Popups::popupStaysOnScreenAtEveryEdge_data()
{
    QTest::addColumn<QRect>("anchor");
    const QRect area = screenArea();
    const QSize button(120, 45);
    auto at = [&](int x, int y) { return QRect(QPoint(x, y), button); };
    QTest::newRow("top left") << at(area.left(), area.top());
    QTest::newRow("top") << at(area.center().x(), area.top());
    QTest::newRow("top right") << at(area.right() - button.width() + 1, area.top());
    QTest::newRow("left") << at(area.left(), area.center().y());
    QTest::newRow("right") << at(area.right() - button.width() + 1, area.center().y());
    QTest::newRow("bottom left") << at(area.left(), area.bottom() - button.height() + 1);
    QTest::newRow("bottom") << at(area.center().x(), area.bottom() - button.height() + 1);
    QTest::newRow("bottom right") << at(area.right() - button.width() + 1,
                                        area.bottom() - button.height() + 1);
}

void tst_Popups::popupStaysOnScreenAtEveryEdge()
{
    QFETCH(QRect, anchor);

    TestPopup popup;
    popup.show(anchor);
    QVERIFY(popup.isVisible());
    QCOMPARE(popup.size(), TestPopup::hint());
    QVERIFY2(
        screenArea().contains(popup.geometry()),
        qPrintable(
            QStringLiteral("popup at %1,%2").arg(popup.geometry().x()).arg(popup.geometry().y())));
    // Beside the anchor, never over it.
    QVERIFY(!popup.geometry().intersects(anchor));
}

void tst_Popups::popupOpensAboveAButtonOfABottomBar()
{
    QWidget window;
    window.setGeometry(100, 100, 543, 398);
    auto *button = new QPushButton(QStringLiteral("PRBS"), &window);
    button->setGeometry(380, 340, 150, 45);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    TestPopup popup(&window);
    popup.show(static_cast<const QWidget *>(button));
    const QRect anchor(button->mapToGlobal(QPoint(0, 0)), button->size());
    QVERIFY(popup.isVisible());
    QVERIFY(popup.geometry().bottom() < anchor.top());
    QVERIFY(qAbs(popup.geometry().center().x() - anchor.center().x()) <= 1);
}

void tst_Popups::popupTakesSizeHintUnlessItsOwnerResizedIt()
{
    const QRect anchor(300, 500, 120, 45);
    TestPopup popup;
    popup.show(anchor);
    QCOMPARE(popup.size(), TestPopup::hint());
    popup.close();

    // A size for one showing does not stick.
    popup.show(anchor, QSize(300, 250));
    QCOMPARE(popup.size(), QSize(300, 250));
    popup.close();
    popup.show(anchor);
    QCOMPARE(popup.size(), TestPopup::hint());
    popup.close();

    // The owner's size (a form's initial size) does.
    popup.resize(478, 328);
    popup.show(anchor);
    QCOMPARE(popup.size(), QSize(478, 328));
}

void tst_Popups::escapeClosesPopup_data()
{
    QTest::addColumn<bool>("keyEater");
    QTest::addColumn<bool>("fromChild");
    QTest::newRow("popup") << false << false;
    QTest::newRow("line edit inside") << false << true;
    QTest::newRow("subclass taking keys") << true << false;
    QTest::newRow("subclass taking keys, line edit inside") << true << true;
}

void tst_Popups::escapeClosesPopup()
{
    QFETCH(bool, keyEater);
    QFETCH(bool, fromChild);

    QScopedPointer<TestPopup> popup(keyEater ? new KeyEatingPopup : new TestPopup);
    popup->show(QRect(300, 500, 120, 45));
    QVERIFY(popup->isVisible());
    QTest::keyClick(popup->edit, Qt::Key_A);
    QTest::keyClick(fromChild ? static_cast<QWidget *>(popup->edit) : popup.data(), Qt::Key_Escape);
    QVERIFY(!popup->isVisible());
}

QTEST_MAIN(tst_Popups)
#include "tst_popups.moc"
