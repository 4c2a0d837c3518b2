// SPDX-License-Identifier: GPL-3.0-or-later

// The plug-in under arbitrary controller state: each input is a series of steps that set or
// remove values and masks of every key the plug-in reads, publish data maps (keys missing, values
// of any type, huge texts), start and stop measurements, refuse commands, deliver the card's
// notification, and press or turn what the timeslot window and its two dialogs offer. Every
// command sent is one the plug-in documents; after every update the widgets show the card.

#include "fuzzing.h"
#include "offscreennotice.h"
#include "plugininvariants.h"

#include <basepopupwindow.h>
#include <roundslider.h>
#include <switch.h>
#include <warningwindow.h>

#include <QAbstractButton>
#include <QLineEdit>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

const char *const Keys[] = {"structure",  "pattern",  "speaker",       "speaker-volume",
                            "microphone", "vfsource", "voice-transmit"};
const char *const Values[]
    = {"none", "pat",        "voice",  "unstr", "pcm30", "pcm30crc", "pcm31", "pcm31crc", "2e9",
       "2e15", "2e23-1",     "all0",   "all1",  "55",    "0x1A2B",   "on",    "off",      "tone",
       "mic",  "microphone", "<-24dB", "-12.5", "1000",  "0",        "100",   "-1",       "101"};
const char *const Buttons[] = {"btnPrbs",      "btnVoiceFunc",  "copyToRx",        "copyToTx",
                               "btnTone",      "btnMicrophone", "btnSpeaker",      "pattern_2e9",
                               "pattern_all1", "pattern_55",    "applyUserPattern"};

struct Fixture : QObject
{
    Fixture()
    {
        dropOffscreenNotices();
        qApp->installEventFilter(this);
    }
    // A warning waits in an event loop of its own until closed: it closes once shown. There the
    // timeslot window is not drawn (its widgets' tests draw it); status item and button are.
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<WarningWindow *>(object))
            QMetaObject::invokeMethod(object, "close", Qt::QueuedConnection);
        return event->type() == QEvent::UpdateRequest && object == invariants.window();
    }
    SimulatedCard card;
    PluginInvariants invariants{card};
};

QString text(FuzzedDataProvider &input)
{
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return QString::fromStdString(input.ConsumeRandomLengthString(32));
    case 1: // a huge text, behind a word the plug-in may test for: up to 4,096 characters, far
        // more than any label holds. With up to 64 Ki, labels breaking Thai text into lines
        // (libthai, its buffers growing by realloc) took a fifth of the whole run's time under
        // AddressSanitizer. tst_badinput hands the plug-in texts of 64 Ki characters.
        return input.PickValueInArray(Values)
            + QString(input.ConsumeIntegralInRange(0, 1 << 12),
                      QChar(input.ConsumeIntegral<ushort>()));
    default:
        return input.PickValueInArray(Values);
    }
}

QString key(FuzzedDataProvider &input)
{
    if (input.ConsumeBool())
        return input.PickValueInArray(Keys);
    const char *side = input.ConsumeBool() ? "rx" : "tx";
    return QString("timeslot-%1-%2").arg(side).arg(input.ConsumeIntegralInRange(0, 32));
}

QVariant variant(FuzzedDataProvider &input)
{
    switch (input.ConsumeIntegralInRange(0, 6)) {
    case 0:
        return QVariant();
    case 1:
        return input.ConsumeIntegral<int>();
    case 2:
        return input.ConsumeFloatingPoint<double>();
    case 3:
        return QStringList{text(input), text(input)};
    case 4:
        return QVariantMap{{"level", text(input)}};
    case 5:
        return QByteArray::fromStdString(input.ConsumeRandomLengthString(16));
    default:
        return text(input);
    }
}

QVariantMap dataMap(FuzzedDataProvider &input)
{
    QVariantMap map;
    for (int entries = input.ConsumeIntegralInRange(0, 3); entries > 0; --entries)
        map.insert(input.PickValueInArray({"level", "frequency", ""}), variant(input));
    return map;
}

void step(FuzzedDataProvider &input, Fixture &fixture)
{
    SimulatedCard &card = fixture.card;
    QWidget *window = fixture.invariants.window();
    const char *side = input.ConsumeBool() ? "rx" : "tx";
    switch (input.ConsumeIntegralInRange(0, 13)) {
    case 0:
        return card.setConfigValue(key(input), text(input));
    case 1:
        return card.removeConfigValue(key(input));
    case 2:
        return card.setMaskValue(key(input), input.ConsumeBool() ? QString() : text(input));
    case 3:
        return card.clearMaskOverride(key(input));
    case 4:
        return card.publishData(input.PickValueInArray({"vfsignal", "base"}), dataMap(input));
    case 5: {
        QVariantMap map = dataMap(input);
        return static_cast<LauncherPlugin &>(fixture.invariants.plugin)
            .updated(map, input.PickValueInArray({"VFSIGNAL", "vfsignal", ""}));
    }
    case 6: {
        const QString feed = input.PickValueInArray({"base", "vfsignal", "jitter", "x"});
        return input.ConsumeBool() ? card.startMeasurement(feed) : card.stopMeasurement(feed);
    }
    case 7:
        return card.refuseNext(input.ConsumeBool() ? "only one voice timeslot" : text(input));
    case 8: // an option chosen on a slot button, or none
        return emit window->findChild<SwitchPanel *>(side + QString("Slots"))
            ->indexChanged(input.ConsumeIntegralInRange(1, 31),
                           input.ConsumeIntegralInRange(-1, 2));
    case 9:
        return emit window->findChild<Switch *>(side + QString("All"))
            ->indexChanged(input.ConsumeIntegralInRange(-1, 2));
    case 10:
        if (auto *button = window->findChild<QAbstractButton *>(input.PickValueInArray(Buttons)))
            button->click();
        return;
    case 11: // a dial turned by the user, or set beyond its range
        if (auto *dial = window->findChild<RoundSlider *>(input.ConsumeBool() ? "sliderMicrophone"
                                                                              : "sliderSpeaker")) {
            const int position = input.ConsumeIntegral<int>();
            input.ConsumeBool() ? dial->setPosition(position)
                                : emit dial->positionChanged(qBound(0, position, 100));
        }
        return;
    case 12: // typed into the PRBS dialog's user pattern, then Return
        if (auto *edit = window->findChild<QLineEdit *>("userPattern")) {
            edit->clear();
            edit->insert(text(input));
            emit edit->returnPressed();
        }
        return;
    default: // the card's notification and any the plug-in's answer to it brings, which must end
        for (int answers = 0; card.notificationPending(); ++answers) {
            require(answers < 4, "notifications without a user action");
            QCoreApplication::sendPostedEvents(&card, QEvent::MetaCall);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QRegularExpression documented(
        "^timeslot( (rx|tx) (([1-9]|[12][0-9]|3[01])|0x[0-9a-fA-F]{8}) (none|pat|voice))?$"
        "|^(vfsource (tone|mic|off)|speaker (on|off))$"
        "|^(speaker volume|microphone) ([0-9]|[1-9][0-9]|100)$"
        "|^pattern (2e(9|11|15|20|23)|all0|all1|55|0x[0-9A-Fa-f]{1,8})$");
    Fixture &fixture = ::fixture<Fixture>();
    SimulatedCard &card = fixture.card;
    FuzzedDataProvider input(data, size);
    while (input.remaining_bytes() > 0) {
        const int logged = card.commandLog().size();
        step(input, fixture);
        for (const QString &command : card.commandLog().mid(logged))
            require(documented.match(command).hasMatch(), "undocumented command: " + command);
        require(fixture.invariants.problems.isEmpty(), fixture.invariants.problems.join("; "));
    }
    // Back to factory settings with closed popups and the receive panel in front. A notification
    // the last steps left pending joins the reset's: an input has its last changes checked by
    // ending in the card's notification, as every seed does; the fuzzer finds that step at once.
    // Delivering it here as well would cost every input a second full update.
    card.reset();
    for (BasePopupWindow *popup : fixture.invariants.window()->findChildren<BasePopupWindow *>())
        popup->hide();
    if (auto *edit = fixture.invariants.window()->findChild<QLineEdit *>("userPattern"))
        edit->clear();
    emit fixture.invariants.window()->findChild<SwitchPanel *>("rxSlots")->clicked();
    QCoreApplication::sendPostedEvents(&card, QEvent::MetaCall);
    fixture.invariants.reset();
    return 0;
}
