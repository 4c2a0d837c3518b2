// SPDX-License-Identifier: GPL-3.0-or-later
// The slot switches: the panel of 32 slot buttons and the one-button "all slots" switch.
#include "switch.h"
#include "switchpanel.h"
#include "testsupport.h"

class tst_Switches : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        auto *layout = new QHBoxLayout(top = new QWidget);
        layout->addWidget(allSlots = new Switch(top), 0, Qt::AlignTop);
        layout->addWidget(panel = new SwitchPanel(top), 1);
        QPixmap voice(32, 26);
        voice.fill(Qt::red);
        auto setOptions = [&](auto *owner) {
            for (int option : {0, 1, 2})
                owner->setOptionName(option, QString("off PRBS Voice").split(' ').at(option));
            owner->setOptionIcon(2, QIcon(voice));
            owner->setOptionSize(QSize(54, 54));
        };
        setOptions(panel);
        setOptions(allSlots);
        allSlots->setText("All slots");
        allSlots->selectOptions(QBitArray(3));
        panel->setRows(4);
        panel->setColumns(8);
        panel->setButtonSpacing(4);
        panel->setMargin(5);
        panel->setButton(0, "FAS", QIcon(), QColor(), false);
        for (int slot = 1; slot < 32; ++slot)
            panel->selectOption(slot, 0, true);
        top->resize(600, 240);
        top->show();
        top->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(top));
        panel->setFocus();
        log.clear();
        Compat::connect(panel, SIGNAL(clicked()), this, [this]() { log << "clicked"; });
        Compat::connect(panel, SIGNAL(indexChanged(int, int)), this, [this](int slot, int option) {
            log << QString("%1:%2").arg(slot).arg(option);
        });
        Compat::connect(allSlots, SIGNAL(indexChanged(int)), this,
                        [this](int option) { log << QString("all:%1").arg(option); });
    }
    void cleanup() { delete top; }

    void choosingAnOptionEmitsIndexChanged_data()
    {
        QTest::addColumn<QString>("keys"); // before Return; none: a mouse click on the button
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("option");
        row("mouse, button 5, voice", "", 5, 2);
        row("mouse, button 16, prbs", "", 16, 1);
        row("mouse, button 31, the option it shows", "", 31, 0);
        row("keys start on first enabled button", "Return", 1, 1);
        row("right, right, down", "Right Right Down Return", 11, 2);
        row("stops at bottom", "Down Down Down Down Return", 25, 1);
        row("stops at right", "Right Right Right Right Right Right Right Right Return", 7, 1);
        row("end, up", "End Up Return", 23, 1);
    }

    // The chooser opens beside its button and on the screen, the window being in its corner.
    void choosingAnOptionEmitsIndexChanged()
    {
        QFETCH(QString, keys);
        QFETCH(int, button);
        QFETCH(int, option);
        const QRect area = Compat::availableGeometry(panel);
        top->move(area.bottomRight() - QPoint(top->width(), top->height()));
        QTRY_VERIFY(top->pos().y() > area.center().y());
        const QRect anchor = panel->buttonRect(button);
        if (keys.isEmpty())
            QTest::mouseClick(panel, Qt::LeftButton, {}, anchor.center());
        for (const QString &key : keys.split(' ', Qt::SkipEmptyParts))
            QTest::keyClick(panel, Compat::key(("Key_" + key.toLatin1()).constData()));
        QVERIFY(chooserShown(panel));
        const QRect popup = chooser(panel)->geometry();
        QVERIFY2(area.contains(popup), "the chooser leaves the screen");
        QVERIFY2(!popup.intersects(anchor.translated(panel->mapToGlobal(QPoint()))),
                 "the chooser hides its button");
        QCOMPARE(log, QStringList("clicked"));
        pick(panel, option, keys.isEmpty() ? Qt::Key_unknown : Qt::Key_Enter);
        QVERIFY(!chooserShown(panel));
        QCOMPARE(log, (QStringList() << "clicked" << QString("%1:%2").arg(button).arg(option)));
        QCOMPARE(panel->firstSelectedOption(button), option);
    }

    void pressWithoutChoiceEmitsClickedAtMost_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("input"); // a button, "margin", "keys", or Space and Escape
        const auto row = [](const char *setup, const char *input) {
            QTest::addRow("%s, %s", setup, input) << QString(setup) << QString(input);
        };
        for (const char *input : {"5", "0", "margin", "keys"})
            row("compact", input);
        row("compact on clicked", "5");
        for (const char *setup : {"disabled button", "disabled panel"})
            for (const char *input : {"1", "keys"})
                row(setup, input);
        row("enabled", "escape in the chooser");
        row("enabled", "escape to the panel");
    }

    void pressWithoutChoiceEmitsClickedAtMost()
    {
        QFETCH(QString, setup);
        QFETCH(QString, input);
        if (setup == "compact")
            panel->setCompact(true);
        else if (setup == "compact on clicked")
            Compat::connect(panel, SIGNAL(clicked()), panel, [this]() { panel->setCompact(true); });
        else if (setup == "disabled panel")
            panel->setEnabled(false);
        else if (setup == "disabled button")
            panel->setButton(1, QString(), QIcon(), QColor(), false);
        if (input == "keys") {
            // Buttons 0 and 1 are both disabled: Home lands on button 0, Right on button 1.
            for (Qt::Key key : {Qt::Key_Home, Qt::Key_Right, Qt::Key_Return})
                QTest::keyClick(panel, key);
        } else if (input.startsWith("escape")) {
            QTest::keyClick(panel, Qt::Key_Space);
            QVERIFY(chooserShown(panel));
            QTest::keyClick(input.endsWith("chooser") ? chooser(panel) : panel, Qt::Key_Escape);
        } else {
            QTest::mouseClick(panel, Qt::LeftButton, {},
                              input == "margin" ? QPoint(1, 1)
                                                : panel->buttonRect(input.toInt()).center());
        }
        QCOMPARE(log, setup.startsWith("disabled") ? QStringList() : QStringList("clicked"));
        QCOMPARE(panel->compact(), setup.startsWith("compact"));
        QVERIFY(!chooserShown(panel));
    }

    void switchChooserPicksOrCloses_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("option"); // -1: closed without a choice
        QTest::newRow("mouse, voice") << "mouse" << 2;
        QTest::newRow("keyboard, prbs") << "keyboard" << 1;
        QTest::newRow("keyboard, off") << "keyboard" << 0;
        QTest::newRow("owner clears the selection") << "owner clears" << 1;
        QTest::newRow("escape in the chooser") << "escape in the chooser" << -1;
        QTest::newRow("escape to the switch") << "escape to the switch" << -1;
        QTest::newRow("disabling") << "disabling" << -1;
    }

    void switchChooserPicksOrCloses()
    {
        QFETCH(QString, way);
        QFETCH(int, option);
        // The timeslot window clears the selection again from its indexChanged handler.
        if (way == "owner clears")
            Compat::connect(allSlots, SIGNAL(indexChanged(int)), allSlots,
                            [this]() { allSlots->selectOptions(QBitArray(3)); });
        const Qt::Key enter = way == "owner clears" ? Qt::Key_Enter : Qt::Key_Return;
        const QImage none = Compat::grab(allSlots).toImage();
        allSlots->setFocus();
        if (way == "mouse")
            QTest::mouseClick(allSlots, Qt::LeftButton);
        else
            QTest::keyClick(allSlots, way == "keyboard" ? Qt::Key_Space : enter);
        QVERIFY(chooserShown(allSlots));
        if (way == "disabling")
            allSlots->setEnabled(false);
        else if (way.startsWith("escape"))
            QTest::keyClick(way.endsWith("chooser") ? chooser(allSlots) : allSlots, Qt::Key_Escape);
        else
            pick(allSlots, option, way == "mouse" ? Qt::Key_unknown : enter);
        QVERIFY(!chooserShown(allSlots));
        QCOMPARE(log, option < 0 ? QStringList() : QStringList(QString("all:%1").arg(option)));
        QBitArray selected(3);
        if (option >= 0 && way != "owner clears") {
            selected.setBit(option);
            QVERIFY(Compat::grab(allSlots).toImage() != none);
        }
        QCOMPARE(allSlots->selectedOptions(), selected);
    }

    // Setters emit nothing; the switch repaints only when its selection changes, and an option
    // below "off" on a slot button reads as none chosen.
    void settersAreSilent()
    {
        QCoreApplication::processEvents();
        allSlots->installEventFilter(this);
        QBitArray before(3);
        for (int bits : {0, 1, 6, 6, 7}) { // none as in init(), off, prbs and voice twice, all
            QBitArray selection(3);
            for (int option = 0; option < 3; ++option)
                selection.setBit(option, bits >> option & 1);
            paints = 0;
            allSlots->selectOptions(selection);
            QCoreApplication::processEvents();
            QCOMPARE(allSlots->selectedOptions(), selection);
            QCOMPARE(paints > 0, selection != std::exchange(before, selection));
        }
        for (int button : {9, 10, 11})
            panel->selectOption(button, (QVector<int>() << 2 << -1 << -7).at(button - 9), true);
        QStringList shown;
        for (int button : {9, 10, 11, 12, 32})
            shown << QString::number(panel->firstSelectedOption(button));
        QCOMPARE(shown.join(" "), "2 -1 -1 0 -1");
        QVERIFY(log.isEmpty());
    }

private:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    static QWidget *chooser(QWidget *owner) { return owner->findChild<QWidget *>("optionChooser"); }
    static bool chooserShown(QWidget *w) { return chooser(w) && chooser(w)->isVisible(); }
    // By a click on the option, or by Rights from the shown option, "off", and a confirming key.
    static void pick(QWidget *owner, int option, Qt::Key confirm = Qt::Key_unknown)
    {
        QRect cell;
        QMetaObject::invokeMethod(chooser(owner), "optionRect", Q_RETURN_ARG(QRect, cell),
                                  Q_ARG(int, option));
        QCOMPARE(cell.size(), QSize(54, 54));
        if (confirm == Qt::Key_unknown)
            return QTest::mouseClick(chooser(owner), Qt::LeftButton, {}, cell.center());
        for (int i = 0; i < option; ++i)
            QTest::keyClick(chooser(owner), Qt::Key_Right);
        QTest::keyClick(chooser(owner), confirm);
    }

    QWidget *top = nullptr;
    SwitchPanel *panel = nullptr;
    Switch *allSlots = nullptr;
    QStringList log; // the signals of both, in order
    int paints = 0;
};

QTEST_MAIN(tst_Switches)
#include "tst_switches.moc"
