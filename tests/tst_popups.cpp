// SPDX-License-Identifier: GPL-3.0-or-later
// The warning that blocks its caller until the user closes it, and the popup base.
#include "testsupport.h"

#include <basepopupwindow.h>
#include <warningwindow.h>

namespace {

// A popup whose size hint is 220 x 150, with a line edit that may hold the focus. It takes every
// key for itself, as a subclass may, and must close on Escape all the same.
class TestPopup : public BasePopupWindow
{
public:
    TestPopup()
    {
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(10, 10, 10, 10);
        layout->addWidget(edit = new QLineEdit(this));
        edit->setFixedSize(200, 130);
    }
    QLineEdit *edit;

protected:
    void keyPressEvent(QKeyEvent *event) override { event->accept(); }
};

} // namespace

class tst_Popups : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void warningShowReturnsAfterEachWayOfClosing_data()
    {
        QTest::addColumn<QString>("how");
        for (const char *how : {"ok button", "escape", "return", "close", "hide", "delete"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }

    void warningShowReturnsAfterEachWayOfClosing()
    {
        QFETCH(QString, how);
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QPointer<WarningWindow> warning = new WarningWindow(&window);
        const QString text
            = QStringLiteral("Only one timeslot may be selected for sound reception.");
        // Twice: a warning that was closed can be shown again.
        for (int round = 0; round < 2 && warning; ++round) {
            bool shown = false;
            Compat::singleShot(0, &window, [&] {
                shown = warning->isVisible() && QApplication::activeModalWidget() == warning
                    && warning->findChild<QLabel *>(QStringLiteral("text"))->text() == text;
                QWidget *focus = warning->focusWidget() ? warning->focusWidget() : warning.data();
                if (how == "ok button")
                    QTest::mouseClick(warning->findChild<QPushButton *>("okButton"),
                                      Qt::LeftButton);
                else if (how == "escape" || how == "return")
                    QTest::keyClick(focus, how == "escape" ? Qt::Key_Escape : Qt::Key_Return);
                else if (how == "close")
                    warning->close();
                else if (how == "hide")
                    warning->hide();
                else
                    delete warning;
            });
            warning->show(text, QString());
            QVERIFY(shown);
            QVERIFY(!warning || !warning->isVisible());
        }
        QCOMPARE(warning.isNull(), how == "delete");
    }

    void placementBesideAnchor_data()
    {
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("expected");
        const QRect screen(0, 0, 800, 600);
        const QSize size(200, 150);
        QTest::newRow("above, centred, 4 pixels away")
            << QRect(350, 540, 100, 40) << size << screen << QRect(300, 386, 200, 150);
        QTest::newRow("top edge: below instead")
            << QRect(350, 0, 100, 40) << size << screen << QRect(300, 44, 200, 150);
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

    void placementBesideAnchor()
    {
        QFETCH(QRect, anchor);
        QFETCH(QSize, size);
        QFETCH(QRect, available);
        QFETCH(QRect, expected);
        QCOMPARE(BasePopupWindow::placement(anchor, size, available), expected);
    }

    void popupAtAButtonStaysInsideTheButtonsWindow_data()
    {
        // A window of 543 x 398, alone or as a screen inside a larger window; the popup is 220 x
        // 150 and opens 4 pixels from its button.
        QTest::addColumn<bool>("embedded");
        QTest::addColumn<QRect>("button");
        QTest::addColumn<QPoint>("expected"); // the popup's place in the window
        QTest::newRow("at the right edge") << false << QRect(380, 340, 150, 45) << QPoint(323, 186);
        QTest::newRow("below, in the top right corner")
            << false << QRect(440, 0, 100, 45) << QPoint(323, 49);
        QTest::newRow("embedded, at the right edge")
            << true << QRect(380, 340, 150, 45) << QPoint(323, 186);
        QTest::newRow("embedded, in the top left corner")
            << true << QRect(0, 0, 100, 45) << QPoint(0, 49);
    }

    void popupAtAButtonStaysInsideTheButtonsWindow()
    {
        QFETCH(bool, embedded);
        QFETCH(QRect, button);
        QFETCH(QPoint, expected);

        QWidget window;
        window.setGeometry(50, 50, embedded ? 700 : 543, embedded ? 500 : 398);
        QWidget *area = &window;
        if (embedded) {
            area = new QWidget(&window);
            area->setGeometry(100, 40, 543, 398);
            area->setProperty("popupArea", true);
        }
        auto *anchor = new QPushButton(QStringLiteral("PRBS"), area);
        anchor->setGeometry(button);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        TestPopup popup;
        popup.show(static_cast<const QWidget *>(anchor));
        QVERIFY(popup.isVisible());
        QCOMPARE(popup.geometry(), QRect(area->mapToGlobal(expected), QSize(220, 150)));
        QTest::keyClick(&popup, Qt::Key_Escape);
        QVERIFY(!popup.isVisible());
    }

    void popupOpensAtItsSizeHintUnlessResized()
    {
        // An anchor at the screen's top: the popup opens below it, on the screen.
        const QRect screen = Compat::availableGeometry(), anchor(screen.topLeft(), QSize(150, 45));
        TestPopup popup;
        // A size for one showing does not stick; the owner's size (a form's initial size) does.
        popup.show(anchor, QSize(300, 250));
        QCOMPARE(popup.size(), QSize(300, 250));
        popup.close();
        popup.show(anchor);
        QCOMPARE(popup.geometry(), QRect(screen.topLeft() + QPoint(0, 49), QSize(220, 150)));
        popup.close();
        popup.resize(478, 328);
        popup.show(anchor);
        QCOMPARE(popup.size(), QSize(478, 328));
    }

    void roundedCornersShowTheDesktop_data()
    {
        QTest::addColumn<bool>("compositor");
        QTest::newRow("with a compositor") << true;
        QTest::newRow("without a compositor") << false;
    }

    void roundedCornersShowTheDesktop()
    {
        QFETCH(bool, compositor);
        TestPopup popup;
        popup.show(QRect(300, 400, 120, 45));
        QVERIFY(QTest::qWaitForWindowExposed(&popup));

        // What the screen shows of the popup over a magenta desktop: the desktop outside the
        // window's mask; inside it the window's pixels, blended over the desktop by a compositor,
        // or as they are without one (a see-through pixel shows black).
        QImage screen(popup.size(), QImage::Format_RGB32);
        screen.fill(QColor(Qt::magenta).rgb());
        QPainter painter(&screen);
        if (!popup.mask().isEmpty())
            painter.setClipRegion(popup.mask());
        if (!compositor)
            painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, Compat::grab(&popup).toImage());
        painter.end();

        const QRect r = screen.rect();
        for (const QPoint &corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
            QCOMPARE(QColor(screen.pixel(corner)), QColor(Qt::magenta));
        QVERIFY(QColor(screen.pixel(r.center())) != QColor(Qt::magenta));
    }
};

QTEST_MAIN(tst_Popups)
#include "tst_popups.moc"
