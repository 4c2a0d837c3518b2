// SPDX-License-Identifier: GPL-3.0-or-later

// The plug-in under odd input, in a seeded random walk: the card holds any text under every key
// the plug-in reads (empty, 64 KiB long, non-ASCII, a letter's case off, numbers out of range or
// none at all), masks come and go, data maps lack keys or carry values of any type, commands are
// refused, measurements start and stop, and the user picks options, switches panels, copies,
// opens the dialogs and works their buttons and dials. Nothing may crash or trip a sanitizer,
// and after every update the window, the button and the status item show what the card holds,
// and no update sends a command (but for a level the voice dialog's dial cannot show).
//
// Each run walks a few fixed seeds, so that a run is repeatable; a failure names its seed, and
// E1_FUZZ_SEED=<seed> walks any other seed alone.

#include "timeslots.h"

#include <checkbutton.h>
#include <roundslider.h>
#include <simulatedcard.h>
#include <statuslabel.h>
#include <switch.h>
#include <switchpanel.h>
#include <warningwindow.h>

#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

#include <functional>

namespace {

const int StepsPerSeed = 400;

QString slotKey(const char *direction, int slot)
{
    return QStringLiteral("timeslot-%1-%2").arg(QLatin1String(direction)).arg(slot);
}

// A plug-in of the card that only watches: bound before the timeslot plug-in it hears of each
// update first, bound after it last.
class Watcher : public LauncherPlugin
{
public:
    explicit Watcher(std::function<void()> onUpdate)
        : LauncherPlugin(QStringLiteral("e1"))
        , onUpdate(std::move(onUpdate))
    { }

    void configUpdated(QVariantMap &) override { onUpdate(); }

private:
    std::function<void()> onUpdate;
};

// Closes each warning as soon as it is up, as a user would, and counts them.
class WarningCloser : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<WarningWindow *>(watched)) {
            ++count;
            QTimer::singleShot(0, static_cast<QWidget *>(watched), &QWidget::close);
        }
        return false;
    }
};

QtMessageHandler defaultHandler = nullptr;

// The offscreen platform says so each time a popup asks for what it cannot do.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    defaultHandler(type, context, message);
}

// The texts the status item and the launcher button must show for the card's state.
QString expectedPrbsText(const QString &pattern)
{
    const QString prefix = QStringLiteral("PRBS: ");
    if (pattern.startsWith(QLatin1String("2e"))) {
        const QString exponent = pattern.section(QLatin1Char('-'), 0, 0).mid(2);
        return prefix + QLatin1Char('2')
            + (exponent.isEmpty() ? QString() : QLatin1Char('e') + exponent + QLatin1String("-1"));
    }
    if (pattern == QLatin1String("all0"))
        return prefix + QStringLiteral("0\u2026");
    if (pattern == QLatin1String("all1"))
        return prefix + QStringLiteral("1\u2026");
    if (pattern == QLatin1String("55"))
        return prefix + QStringLiteral("\u201855\u2019");
    return prefix + QStringLiteral("***");
}

} // namespace

class tst_BadInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void randomWalkKeepsEverythingConsistent_data();
    void randomWalkKeepsEverythingConsistent();
    void levelBeyondTheDialsRangeIsSentAtItsEnd_data();
    void levelBeyondTheDialsRangeIsSentAtItsEnd();

private:
    // Odd input.
    QString oddText();
    QString valueFor(const QString &key);
    QVariant oddVariant();
    QString randomKey();

    // One random step, described in the log.
    void step();
    void changeConfiguration();
    void changeMask();
    void publishData();
    void userAction();
    void voiceDialogAction();
    void deliver();

    // What must hold after each update.
    QString dialEndCommand(const char *key, const char *command) const;
    void updateBegins();
    void updateEnds();
    void checkWindow();
    void checkStatusTexts();
    void problem(const QString &text);

    template<typename T>
    T *child(QWidget *parent, const char *name)
    {
        return parent->findChild<T *>(QLatin1String(name));
    }

    QRandomGenerator random;
    quint32 seed = 0;
    int stepNumber = 0;
    QStringList log;
    QStringList problems;

    SimulatedCard *card = nullptr;
    Watcher *first = nullptr;
    TimeSlots *plugin = nullptr;
    Watcher *last = nullptr;
    QWidget *window = nullptr;
    WarningCloser warnings;
    int commandsAtUpdate = 0;
    QStringList dialEndCommands;
    int updates = 0;
    int windowUpdates = 0;
    // Slot button 16 as the last structured update left it.
    QString label16;
    bool enabled16 = true;
};

void tst_BadInput::initTestCase()
{
    defaultHandler = qInstallMessageHandler(quietHandler);
    qApp->installEventFilter(&warnings);
}

void tst_BadInput::init()
{
    card = new SimulatedCard(QStringLiteral("e1"));
    first = new Watcher([this] { updateBegins(); });
    plugin = new TimeSlots;
    last = new Watcher([this] { updateEnds(); });
    log.clear();
    problems.clear();
    label16.clear();
    enabled16 = true;
    stepNumber = 0;
    updates = 0;
    windowUpdates = 0;
}

void tst_BadInput::cleanup()
{
    if (QTest::currentTestFailed())
        qWarning("walk again with E1_FUZZ_SEED=%u", seed);
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
    delete last;
    delete plugin;
    delete first;
    delete card;
    window = nullptr;
    QCoreApplication::processEvents();
}

void tst_BadInput::randomWalkKeepsEverythingConsistent_data()
{
    QTest::addColumn<quint32>("seed");
    bool fixed = false;
    const quint32 replay = qEnvironmentVariableIntValue("E1_FUZZ_SEED", &fixed);
    if (fixed) {
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(replay))) << replay;
        return;
    }
    for (quint32 seed : {1u, 2u, 3u})
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

void tst_BadInput::randomWalkKeepsEverythingConsistent()
{
    QFETCH(quint32, seed);
    this->seed = seed;
    random.seed(seed);

    // The host builds everything and shows it.
    window = plugin->window();
    label16 = child<SwitchPanel>(window, "txSlots")->buttonLabel(16);
    enabled16 = child<SwitchPanel>(window, "txSlots")->isButtonEnabled(16);
    window->show();
    plugin->button()->show();
    plugin->statusPanelItem()->show();
    QCoreApplication::processEvents();

    for (stepNumber = 1; stepNumber <= StepsPerSeed; ++stepNumber) {
        step();
        if (!problems.isEmpty()) {
            QFAIL(qPrintable(
                QStringLiteral("seed %1, step %2: %3\nlast steps:\n  %4")
                    .arg(seed)
                    .arg(stepNumber)
                    .arg(problems.join(QLatin1String("; ")),
                         log.mid(qMax(0, log.size() - 12)).join(QLatin1String("\n  ")))));
        }
    }
    qInfo("seed %u: %d steps, %d updates checked (%d in the window), %d commands", seed,
          StepsPerSeed, updates, windowUpdates, int(card->commandLog().size()));
    QVERIFY(windowUpdates > StepsPerSeed / 4);
}

// A level the dial cannot show: the dial stops at its end, and the end it reports differs from
// the configured level, so the dialog sends it once; the next update then sends nothing.
void tst_BadInput::levelBeyondTheDialsRangeIsSentAtItsEnd_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("sent");
    QTest::newRow("microphone above") << "microphone"
                                      << "104"
                                      << "microphone 100";
    QTest::newRow("microphone below") << "microphone"
                                      << "-5"
                                      << "microphone 0";
    QTest::newRow("loudspeaker above") << "speaker-volume"
                                       << "2147483647"
                                       << "speaker volume 100";
    QTest::newRow("loudspeaker below") << "speaker-volume"
                                       << "-1"
                                       << "speaker volume 0";
}

void tst_BadInput::levelBeyondTheDialsRangeIsSentAtItsEnd()
{
    QFETCH(QString, key);
    QFETCH(QString, level);
    QFETCH(QString, sent);
    window = plugin->window();
    window->show();
    child<QPushButton>(window, "btnVoiceFunc")->click();
    QCoreApplication::processEvents();
    card->clearCommandLog();
    updates = 0;

    card->setConfigValue(key, level);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCOMPARE(card->commandLog(), QStringList{sent});
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1String("; "))));

    // A real turn of the dial still goes out.
    auto *slider = child<RoundSlider>(window->findChild<QWidget *>(QStringLiteral("VoiceDialog")),
                                      key == QLatin1String("microphone") ? "sliderMicrophone"
                                                                         : "sliderSpeaker");
    slider->setPosition(50);
    QCOMPARE(card->commandLog().size(), 2);
}

QString tst_BadInput::oddText()
{
    static const QStringList odd = {
        QString(),
        QStringLiteral(" "),
        QStringLiteral("Voice"),
        QStringLiteral("VOICE"),
        QStringLiteral("voice "),
        QStringLiteral(" pat"),
        QStringLiteral("None"),
        QStringLiteral("PCM30"),
        QStringLiteral("pcm3"),
        QStringLiteral("pcm30\n"),
        QStringLiteral("Unstr"),
        QStringLiteral("unstr "),
        QStringLiteral("ON"),
        QStringLiteral("Tone"),
        QStringLiteral("MIC"),
        QStringLiteral("Microphone"),
        QStringLiteral("2E15"),
        QStringLiteral("2e"),
        QStringLiteral("2e-"),
        QStringLiteral("2e--1"),
        QStringLiteral("0x"),
        QStringLiteral("0xZZ"),
        QStringLiteral("0xFFFFFFFFFF"),
        QStringLiteral("<-24dB"),
        QStringLiteral("-"),
        QStringLiteral("-2147483649"),
        QStringLiteral("2147483648"),
        QStringLiteral("99999999999999999999"),
        QStringLiteral("-1"),
        QStringLiteral("101"),
        QStringLiteral("1e3"),
        QStringLiteral("+5"),
        QStringLiteral(" 7"),
        QStringLiteral("12abc"),
        QStringLiteral("NaN"),
        QStringLiteral("v\u00f6ice"),
        QStringLiteral("\u0432\u043e\u0438\u0441"),
        QStringLiteral("\uff56\uff4f\uff49\uff43\uff45"),
        QStringLiteral("\u0663\u0664"),
        QStringLiteral("\u202evoice"),
        QStringLiteral("\U0001F3B5"),
        QString(QChar(0xd800)),
        QString::fromUtf16(u"vo\u0000ice", 6),
        QStringLiteral("<b>bold</b>&amp;"),
        QStringLiteral("%1 %2"),
    };
    switch (random.bounded(8)) {
    case 0: {
        // 64 KiB of text, sometimes behind a prefix the plug-in tests for.
        static const QStringList prefixes
            = {QString(), QStringLiteral("pcm30"), QStringLiteral("2e"), QStringLiteral("voice")};
        const QString prefix = prefixes.at(random.bounded(prefixes.size()));
        return prefix + QString(32768 - prefix.size(), QChar(0x20 + random.bounded(0x5e)))
            + QString(16384, QChar(0x4e00 + random.bounded(0x100)));
    }
    case 1: {
        QString text;
        const int length = random.bounded(12);
        for (int i = 0; i < length; ++i)
            text += QChar(ushort(1 + random.bounded(0xfffe)));
        return text;
    }
    default:
        return odd.at(random.bounded(odd.size()));
    }
}

// Mostly a value the key can hold, often an odd one.
QString tst_BadInput::valueFor(const QString &key)
{
    if (random.bounded(3) == 0)
        return oddText();
    QStringList values;
    if (key.startsWith(QLatin1String("timeslot-")))
        values
            = QStringList{QStringLiteral("none"), QStringLiteral("pat"), QStringLiteral("voice")};
    else if (key == QLatin1String("structure"))
        values = SimulatedCard::structures();
    else if (key == QLatin1String("pattern"))
        values = QStringList{QStringLiteral("2e15"), QStringLiteral("2e23-1"),
                             QStringLiteral("all0"), QStringLiteral("all1"),
                             QStringLiteral("55"),   QStringLiteral("0x1A2B")};
    else if (key == QLatin1String("speaker"))
        values = QStringList{QStringLiteral("on"), QStringLiteral("off")};
    else if (key == QLatin1String("vfsource"))
        values = QStringList{QStringLiteral("tone"), QStringLiteral("mic"), QStringLiteral("off")};
    else if (key == QLatin1String("voice-transmit"))
        values = QStringList{QStringLiteral("tone"), QStringLiteral("microphone"),
                             QStringLiteral("off")};
    else
        return QString::number(random.bounded(-50, 150));
    return values.at(random.bounded(values.size()));
}

QVariant tst_BadInput::oddVariant()
{
    switch (random.bounded(10)) {
    case 0:
        return QVariant();
    case 1:
        return QVariant(random.bounded(-100, 100));
    case 2:
        return QVariant(std::numeric_limits<double>::quiet_NaN());
    case 3:
        return QVariant(QStringList{QStringLiteral("-12"), QStringLiteral("dB")});
    case 4:
        return QVariant(QVariantMap{{QStringLiteral("level"), QStringLiteral("-3")}});
    case 5:
        return QVariant(QByteArray("\xff\xfe-7\x00", 5));
    case 6:
        return QVariant(true);
    case 7:
        return QStringLiteral("<-24dB");
    default:
        return oddText();
    }
}

QString tst_BadInput::randomKey()
{
    static const QStringList keys = {
        QStringLiteral("structure"),      QStringLiteral("pattern"),    QStringLiteral("speaker"),
        QStringLiteral("speaker-volume"), QStringLiteral("microphone"), QStringLiteral("vfsource"),
        QStringLiteral("voice-transmit"),
    };
    if (random.bounded(2))
        return keys.at(random.bounded(keys.size()));
    return slotKey(random.bounded(2) ? "rx" : "tx", random.bounded(32));
}

void tst_BadInput::step()
{
    switch (random.bounded(12)) {
    case 0:
    case 1:
    case 2:
        changeConfiguration();
        break;
    case 3:
        changeMask();
        break;
    case 4:
        publishData();
        break;
    case 5: {
        static const QStringList names = {QStringLiteral("base"), QStringLiteral("vfsignal"),
                                          QStringLiteral("jtf"), QStringLiteral("nonesuch")};
        const QString name = names.at(random.bounded(names.size()));
        const bool start = random.bounded(2);
        log << QStringLiteral("%1 measurement %2").arg(start ? "start" : "stop", name);
        if (start)
            card->startMeasurement(name);
        else
            card->stopMeasurement(name);
        break;
    }
    case 6: {
        const QString text
            = random.bounded(2) ? QStringLiteral("only one voice timeslot") : oddText().left(40);
        log << QStringLiteral("refuse next: %1").arg(text.left(40));
        card->refuseNext(text);
        break;
    }
    default:
        userAction();
        break;
    }
    deliver();
}

void tst_BadInput::changeConfiguration()
{
    // A few keys at once, as one update.
    const int count = 1 + random.bounded(random.bounded(4) ? 3 : 40);
    for (int i = 0; i < count; ++i) {
        const QString key = randomKey();
        if (random.bounded(10) == 0) {
            log << QStringLiteral("remove %1").arg(key);
            card->removeConfigValue(key);
        } else {
            const QString value = valueFor(key);
            log << QStringLiteral("set %1 = \"%2\" (%3 characters)")
                       .arg(key, value.left(24))
                       .arg(value.size());
            card->setConfigValue(key, value);
        }
    }
}

void tst_BadInput::changeMask()
{
    const QString key = random.bounded(3)
        ? slotKey(random.bounded(2) ? "rx" : "tx", random.bounded(32))
        : (random.bounded(2) ? QStringLiteral("speaker") : QStringLiteral("voice-transmit"));
    if (random.bounded(3) == 0) {
        log << QStringLiteral("mask %1 back to the card's").arg(key);
        card->clearMaskOverride(key);
    } else {
        const QString mask = random.bounded(2) ? QString() : oddText();
        log << QStringLiteral("mask %1 = \"%2\"").arg(key, mask.left(24));
        card->setMaskValue(key, mask);
    }
}

// Maps with and without the two keys, of any type; no data map may lead to a command.
void tst_BadInput::publishData()
{
    QVariantMap map;
    if (random.bounded(4))
        map.insert(QStringLiteral("level"),
                   random.bounded(3) ? QVariant(valueFor(QString())) : oddVariant());
    if (random.bounded(4))
        map.insert(QStringLiteral("frequency"), oddVariant());
    if (random.bounded(4) == 0)
        map.insert(oddText(), oddVariant());
    const int commands = card->commandLog().size();
    if (random.bounded(5) == 0) {
        static const QStringList names = {QStringLiteral("VFSIGNAL"), QStringLiteral("vfsignal"),
                                          QStringLiteral("VFSIGNAL "), QString()};
        const QString name = names.at(random.bounded(names.size()));
        log << QStringLiteral("host reports data set \"%1\"").arg(name);
        static_cast<LauncherPlugin *>(plugin)->updated(map, name);
    } else {
        log << QStringLiteral("publish %1 entries on vfsignal").arg(map.size());
        card->publishData(QStringLiteral("vfsignal"), map);
    }
    if (card->commandLog().size() != commands)
        problem(QStringLiteral("a data update sent %1")
                    .arg(card->commandLog().mid(commands).join(QLatin1String(", "))));
}

void tst_BadInput::userAction()
{
    auto *rxSlots = child<SwitchPanel>(window, "rxSlots");
    auto *txSlots = child<SwitchPanel>(window, "txSlots");
    SwitchPanel *panel = random.bounded(2) ? rxSlots : txSlots;
    const char *side = panel == rxSlots ? "rx" : "tx";
    switch (random.bounded(12)) {
    case 0:
    case 1:
    case 2: {
        const int button = random.bounded(8) ? 1 + random.bounded(31) : random.bounded(-2, 34);
        const int option = random.bounded(8) ? random.bounded(3) : random.bounded(-3, 5);
        log << QStringLiteral("user picks option %1 on %2 button %3")
                   .arg(option)
                   .arg(side)
                   .arg(button);
        emit panel->indexChanged(button, option);
        break;
    }
    case 3: {
        auto *all = child<Switch>(window, random.bounded(2) ? "rxAll" : "txAll");
        const int option = random.bounded(-2, 4);
        log << QStringLiteral("user picks option %1 on %2").arg(option).arg(all->objectName());
        emit all->indexChanged(option);
        break;
    }
    case 4: {
        const char *copy = random.bounded(2) ? "copyToRx" : "copyToTx";
        log << QStringLiteral("user presses %1").arg(QLatin1String(copy));
        if (random.bounded(2))
            child<QPushButton>(window, copy)->click();
        else // the handler itself, whatever the button's state
            QMetaObject::invokeMethod(window, QByteArray("on_").append(copy).append("_clicked"));
        break;
    }
    case 5:
        log << QStringLiteral("user clicks the %1 panel").arg(QLatin1String(side));
        emit panel->clicked();
        break;
    case 6:
        log << QStringLiteral("user presses PRBS");
        child<QPushButton>(window, "btnPrbs")->click();
        break;
    case 7:
    case 8:
        voiceDialogAction();
        break;
    case 9:
        log << QStringLiteral("popups closed");
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        break;
    case 10: {
        log << QStringLiteral("window hidden and shown again");
        window->hide();
        QCoreApplication::processEvents();
        window->show();
        break;
    }
    default: {
        log << QStringLiteral("language change");
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window, &change);
        break;
    }
    }
}

void tst_BadInput::voiceDialogAction()
{
    auto *dialog = window->findChild<QWidget *>(QStringLiteral("VoiceDialog"));
    if (!dialog || random.bounded(4) == 0) {
        log << QStringLiteral("user presses Voice");
        child<QPushButton>(window, "btnVoiceFunc")->click();
        return;
    }
    switch (random.bounded(3)) {
    case 0: {
        static const char *const buttons[] = {"btnTone", "btnMicrophone", "btnSpeaker"};
        const char *name = buttons[random.bounded(3)];
        log << QStringLiteral("user clicks %1").arg(QLatin1String(name));
        child<CheckButton>(dialog, name)->click();
        break;
    }
    case 1: {
        auto *slider
            = child<RoundSlider>(dialog, random.bounded(2) ? "sliderMicrophone" : "sliderSpeaker");
        const int position = random.bounded(4) ? random.bounded(101)
                                               : int(random.generate()) / (1 + random.bounded(3));
        log << QStringLiteral("user turns %1 to %2").arg(slider->objectName()).arg(position);
        slider->setPosition(position);
        break;
    }
    default: {
        auto *slider
            = child<RoundSlider>(dialog, random.bounded(2) ? "sliderMicrophone" : "sliderSpeaker");
        const int position = int(random.generate());
        log << QStringLiteral("%1 reports position %2").arg(slider->objectName()).arg(position);
        emit slider->positionChanged(position);
        break;
    }
    }
}

// Mostly only the card's notification; now and then everything due, paints included.
void tst_BadInput::deliver()
{
    if (random.bounded(8) == 0)
        QCoreApplication::processEvents();
    else
        QCoreApplication::sendPostedEvents(card, QEvent::MetaCall);
}

// The voice dialog shows a level beyond its dial's range at the dial's end; the end it reports
// differs from the configured level and goes out as the level to use. That is the one command
// a configuration update may cause.
QString tst_BadInput::dialEndCommand(const char *key, const char *command) const
{
    const int level = card->configValue(QLatin1String(key)).toInt(nullptr, 10);
    const int end = qBound(0, level, 100);
    return end == level ? QString() : QString::fromLatin1(command).arg(end);
}

void tst_BadInput::updateBegins()
{
    commandsAtUpdate = card->commandLog().size();
    dialEndCommands = QStringList{dialEndCommand("microphone", "microphone %1"),
                                  dialEndCommand("speaker-volume", "speaker volume %1")};
}

void tst_BadInput::updateEnds()
{
    QStringList sent = card->commandLog().mid(commandsAtUpdate);
    for (const QString &allowed : qAsConst(dialEndCommands))
        sent.removeAll(allowed);
    if (!sent.isEmpty())
        problem(QStringLiteral("the update sent %1").arg(sent.join(QLatin1String(", "))));
    ++updates;
    if (window && window->isVisible()) {
        ++windowUpdates;
        checkWindow();
    }
    checkStatusTexts();
}

void tst_BadInput::checkWindow()
{
    for (const char *direction : {"rx", "tx"}) {
        auto *panel = child<SwitchPanel>(window, direction[0] == 'r' ? "rxSlots" : "txSlots");
        for (int slot = 1; slot <= 31; ++slot) {
            const QString value = card->configValue(slotKey(direction, slot), "none");
            const int expected = QStringList({"none", "pat", "voice"}).indexOf(value);
            if (panel->firstSelectedOption(slot) != expected)
                problem(QStringLiteral("%1 button %2 shows option %3 for \"%4\"")
                            .arg(QLatin1String(direction))
                            .arg(slot)
                            .arg(panel->firstSelectedOption(slot))
                            .arg(value.left(24)));
        }
        if (panel->buttonLabel(0) != QLatin1String("FAS") || panel->isButtonEnabled(0))
            problem(QStringLiteral("%1 button 0 is no longer the disabled FAS")
                        .arg(QLatin1String(direction)));
    }

    const QString structure = card->configValue(QStringLiteral("structure"), QString());
    const bool structured = structure != QLatin1String("unstr");
    if (structured) {
        const bool pcm30 = structure.startsWith(QLatin1String("pcm30"));
        label16 = pcm30 ? QStringLiteral("CAS") : QString();
        enabled16 = !pcm30;
    }
    for (const char *name : {"rxSlots", "rxAll", "copyToRx", "txSlots", "txAll", "copyToTx"}) {
        if (child<QWidget>(window, name)->isEnabledTo(window) != structured)
            problem(QStringLiteral("%1 %2 on structure \"%3\"")
                        .arg(QLatin1String(name),
                             structured ? QStringLiteral("disabled") : QStringLiteral("enabled"),
                             structure.left(24)));
    }
    for (const char *name : {"rxSlots", "txSlots"}) {
        auto *panel = child<SwitchPanel>(window, name);
        if (panel->buttonLabel(16) != label16 || panel->isButtonEnabled(16) != enabled16)
            problem(QStringLiteral("%1 button 16 reads \"%2\", %3, on structure \"%4\"")
                        .arg(QLatin1String(name), panel->buttonLabel(16),
                             panel->isButtonEnabled(16) ? QStringLiteral("enabled")
                                                        : QStringLiteral("disabled"),
                             structure.left(24)));
    }
}

void tst_BadInput::checkStatusTexts()
{
    const QString prbs
        = expectedPrbsText(card->configValue(QStringLiteral("pattern"), QStringLiteral("2e15-1")));
    bool voice = false;
    for (const char *direction : {"rx", "tx"}) {
        for (int slot = 1; slot <= 31; ++slot) {
            const QString key = slotKey(direction, slot);
            voice = voice
                || (card->configValue(key) == QLatin1String("voice")
                    && card->maskValue(key, QString()).isEmpty());
        }
    }
    const QString vf = voice ? QStringLiteral("VF: on") : QStringLiteral("VF: off");

    auto *status = qobject_cast<StatusLabel *>(plugin->statusPanelItem());
    if (status->cellText(0, 1) != prbs || status->cellText(1, 1) != vf)
        problem(
            QStringLiteral("status item reads \"%1\", \"%2\" instead of \"%3\", \"%4\"")
                .arg(status->cellText(0, 1).left(40), status->cellText(1, 1), prbs.left(40), vf));
    QWidget *button = plugin->button();
    auto *row = button->findChild<StatusLabel *>();
    if (button->isVisible() && (row->cellText(0, 0) != prbs || row->cellText(1, 0) != vf))
        problem(QStringLiteral("button reads \"%1\", \"%2\" instead of \"%3\", \"%4\"")
                    .arg(row->cellText(0, 0).left(40), row->cellText(1, 0), prbs.left(40), vf));
}

void tst_BadInput::problem(const QString &text)
{
    if (problems.size() < 8)
        problems << text;
}

QTEST_MAIN(tst_BadInput)
#include "tst_badinput.moc"
