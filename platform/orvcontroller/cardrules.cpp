// SPDX-License-Identifier: GPL-3.0-or-later
#include "cardrules.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace CardRules {

namespace {

const char *const Rx = "rx";
const char *const Tx = "tx";
const char *const Voice = "voice";
const char *const KeyStructure = "structure";
const char *const Unframed = "unstr";
const char *const Pcm30Prefix = "pcm30";
const int SignallingSlot = 16;

// "timeslot-rx-N", then "timeslot-tx-N", for N = 0..31, and the timeslot of each: every mask
// and every notification asks for these keys, so they are formed once.
struct SlotKeys
{
    SlotKeys()
    {
        for (const char *direction : {Rx, Tx}) {
            for (int slot = 0; slot <= LastSlot; ++slot) {
                keys << QStringLiteral("timeslot-%1-%2").arg(QLatin1String(direction)).arg(slot);
                slotByKey.insert(keys.last(), slot);
            }
        }
    }
    QStringList keys;
    QHash<QString, int> slotByKey;
};

const SlotKeys &slotKeys()
{
    static const SlotKeys keys;
    return keys;
}

Outcome refused(const QString &text)
{
    Outcome outcome;
    outcome.errorText = text;
    return outcome;
}

Outcome accepted(const CardConfiguration &changes = CardConfiguration())
{
    Outcome outcome;
    outcome.accepted = true;
    outcome.changes = changes;
    return outcome;
}

// The offending word of an error text, with its leading blank. Only the refusal of a second
// receive voice timeslot may mention the voice channel, because the plug-in tells that refusal
// apart by the word alone; any other offending word that contains it is left out.
QString quoted(const QString &word)
{
    if (word.contains(QLatin1String(Voice)))
        return QString();
    return QLatin1String(" \"") + word + QLatin1Char('"');
}

QString quotedCommand(const QString &command)
{
    return QLatin1Char('"') + command + QLatin1Char('"');
}

bool isDecimal(const QString &word)
{
    if (word.isEmpty())
        return false;
    for (const QChar c : word) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

bool isHexadecimal(const QString &word)
{
    if (word.isEmpty())
        return false;
    for (const QChar c : word) {
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool lower = c >= QLatin1Char('a') && c <= QLatin1Char('f');
        const bool upper = c >= QLatin1Char('A') && c <= QLatin1Char('F');
        if (!digit && !lower && !upper)
            return false;
    }
    return true;
}

// The timeslot that \a key names in \a direction ("timeslot-rx-7": 7), or 0 when it names none.
int slotOf(const QString &key, const char *direction)
{
    const int slot = slotKeys().slotByKey.value(key);
    return slot && timeslotKey(QLatin1String(direction), slot) == key ? slot : 0;
}

// How an error text names the item of a mask key, never with a word that contains "voice".
QString itemName(const QString &key)
{
    if (const int slot = slotOf(key, Rx))
        return QStringLiteral("receive timeslot %1").arg(slot);
    if (const int slot = slotOf(key, Tx))
        return QStringLiteral("transmit timeslot %1").arg(slot);
    if (key == QLatin1String("speaker"))
        return QStringLiteral("the loudspeaker");
    if (key == QLatin1String("voice-transmit"))
        return QStringLiteral("the transmit source");
    const QString name = quoted(key).trimmed();
    return name.isEmpty() ? QStringLiteral("an item") : name;
}

// Refuses a command that does not have exactly \a count words after its name.
bool wrongCount(const QString &command, const QStringList &args, int count, const QString &needs,
                Outcome *refusal)
{
    if (args.size() < count) {
        *refusal = refused(quotedCommand(command) + QLatin1String(" needs ") + needs);
        return true;
    }
    if (args.size() > count) {
        *refusal = refused(QLatin1String("too many words after ") + quotedCommand(command));
        return true;
    }
    return false;
}

Outcome choice(const QString &command, const QStringList &args, const QString &key,
               const QStringList &allowed)
{
    const QString expected = QLatin1String("one of ") + allowed.join(QLatin1String(", "));
    Outcome refusal;
    if (wrongCount(command, args, 1, expected, &refusal))
        return refusal;
    if (!allowed.contains(args.first())) {
        return refused(QLatin1String("unknown ") + command + QLatin1String(" value")
                       + quoted(args.first()) + QLatin1String(", expected ") + expected);
    }
    CardConfiguration changes;
    changes.insert(key, args.first());
    return accepted(changes);
}

Outcome level(const QString &command, const QStringList &args, const QString &key)
{
    Outcome refusal;
    if (wrongCount(command, args, 1, QLatin1String("a level"), &refusal))
        return refusal;
    const QString &word = args.first();
    const bool negative = word.startsWith(QLatin1Char('-'));
    if (!isDecimal(negative ? word.mid(1) : word)) {
        return refused(QLatin1String("level") + quoted(word) + QLatin1String(" of ")
                       + quotedCommand(command) + QLatin1String(" is not a number"));
    }
    bool ok = false;
    const int value = word.toInt(&ok, 10);
    if (!ok || value < MinimumLevel || value > MaximumLevel) {
        return refused(QLatin1String("level") + quoted(word) + QLatin1String(" of ")
                       + quotedCommand(command)
                       + QStringLiteral(" is outside %1..%2").arg(MinimumLevel).arg(MaximumLevel));
    }
    CardConfiguration changes;
    changes.insert(key, QString::number(value));
    return accepted(changes);
}

Outcome pattern(const QStringList &args)
{
    const QString expected
        = QStringLiteral("2e9, 2e11, 2e15, 2e20, 2e23 (with or without \"-1\"), all0, all1, 55, "
                         "or \"0x\" and one to eight hexadecimal digits");
    Outcome refusal;
    if (wrongCount(QStringLiteral("pattern"), args, 1, QLatin1String("a pattern: ") + expected,
                   &refusal))
        return refusal;
    // "\z", not "$", which would also match before a newline that ends the text.
    static const QRegularExpression valid(
        QStringLiteral("^(2e(9|11|15|20|23)(-1)?|all0|all1|55|0x[0-9a-fA-F]{1,8})\\z"));
    if (!valid.match(args.first()).hasMatch()) {
        return refused(QLatin1String("unknown pattern") + quoted(args.first())
                       + QLatin1String(", expected ") + expected);
    }
    CardConfiguration changes;
    changes.insert(QStringLiteral("pattern"), args.first());
    return accepted(changes);
}

// "timeslot" alone asks for a fresh notification; "timeslot DIR N VALUE" sets one timeslot and
// "timeslot DIR 0xHHHHHHHH VALUE" every timeslot whose bit is set.
Outcome timeslot(const QStringList &args, const CardConfiguration &configuration)
{
    if (args.isEmpty())
        return accepted();
    Outcome refusal;
    if (wrongCount(QStringLiteral("timeslot"), args, 3,
                   QLatin1String("a direction, a timeslot number or mask, and a value"), &refusal))
        return refusal;

    const QString &direction = args.at(0);
    if (direction != QLatin1String(Rx) && direction != QLatin1String(Tx)) {
        return refused(QLatin1String("unknown direction") + quoted(direction)
                       + QLatin1String(", expected \"rx\" or \"tx\""));
    }

    const QString &target = args.at(1);
    quint32 selection = 0;
    if (target.startsWith(QLatin1String("0x"))) {
        const QString digits = target.mid(2);
        if (digits.size() != 8 || !isHexadecimal(digits)) {
            return refused(QLatin1String("slot mask") + quoted(target)
                           + QLatin1String(" is not \"0x\" and eight hexadecimal digits"));
        }
        selection = digits.toUInt(nullptr, 16);
        if (selection & 1u) {
            return refused(QLatin1String("slot mask") + quoted(target)
                           + QLatin1String(" sets bit 0, but timeslot 0 carries the frame "
                                           "alignment signal"));
        }
    } else {
        if (!isDecimal(target)) {
            return refused(QLatin1String("timeslot number") + quoted(target)
                           + QLatin1String(" is not a decimal number"));
        }
        bool ok = false;
        const int slot = target.toInt(&ok, 10);
        if (!ok || slot < FirstSlot || slot > LastSlot) {
            return refused(QLatin1String("timeslot number") + quoted(target)
                           + QStringLiteral(" is outside %1..%2").arg(FirstSlot).arg(LastSlot));
        }
        selection = 1u << slot;
    }

    const QString &value = args.at(2);
    if (value != QLatin1String("none") && value != QLatin1String("pat")
        && value != QLatin1String(Voice))
        return refused(QLatin1String("unknown timeslot value") + quoted(value));

    const QString structure = configuration.value(QLatin1String(KeyStructure));
    if (structure == QLatin1String(Unframed))
        return refused(QStringLiteral("an unstructured line (unstr) has no timeslots to assign"));
    if (structure.startsWith(QLatin1String(Pcm30Prefix)) && (selection & (1u << SignallingSlot))) {
        return refused(QStringLiteral("timeslot 16 carries the signalling on a PCM30 line and "
                                      "cannot be assigned"));
    }

    CardConfiguration changes;
    int selected = 0;
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (selection & (1u << slot)) {
            changes.insert(timeslotKey(direction, slot), value);
            ++selected;
        }
    }

    // The receiver can listen to one timeslot only.
    if (direction == QLatin1String(Rx) && value == QLatin1String(Voice)) {
        if (selected > 1) {
            return refused(QStringLiteral("the receive direction holds only one voice timeslot, "
                                          "but the mask selects %1")
                               .arg(selected));
        }
        for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
            const QString key = timeslotKey(direction, slot);
            if (!changes.contains(key) && configuration.value(key) == QLatin1String(Voice)) {
                return refused(QStringLiteral("the receive direction holds only one voice "
                                              "timeslot, and timeslot %1 is already set to voice")
                                   .arg(slot));
            }
        }
    }
    return accepted(changes);
}

} // namespace

Outcome interpret(const QString &command, const CardConfiguration &configuration)
{
    if (command.isEmpty())
        return refused(QStringLiteral("empty command"));
    const QStringList words = command.split(QLatin1Char(' '));
    if (words.contains(QString()))
        return refused(QStringLiteral("the words of a command are separated by single blanks"));

    const QString &name = words.first();
    const QStringList args = words.mid(1);
    if (name == QLatin1String("timeslot"))
        return timeslot(args, configuration);
    if (name == QLatin1String("vfsource")) {
        return choice(name, args, name,
                      QStringList() << QStringLiteral("tone") << QStringLiteral("mic")
                                    << QStringLiteral("off"));
    }
    if (name == QLatin1String("speaker")) {
        if (!args.isEmpty() && args.first() == QLatin1String("volume"))
            return level(QStringLiteral("speaker volume"), args.mid(1),
                         QStringLiteral("speaker-volume"));
        return choice(name, args, name,
                      QStringList() << QStringLiteral("on") << QStringLiteral("off"));
    }
    if (name == QLatin1String("microphone"))
        return level(name, args, name);
    if (name == QLatin1String("pattern"))
        return pattern(args);
    if (name == QLatin1String("structure"))
        return choice(name, args, name, structures());
    return refused(QLatin1String("unknown command") + quoted(name));
}

CardConfiguration factoryDefaults()
{
    // A mix that shows every state of the timeslot window, formed once: every reset starts
    // from it.
    static const CardConfiguration factory = [] {
        CardConfiguration defaults;
        defaults.insert(QLatin1String(KeyStructure), QStringLiteral("pcm30crc"));
        for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
            const bool rxPattern = slot <= 3 || (slot >= 9 && slot <= 12);
            const bool txPattern = slot <= 3 || (slot >= 20 && slot <= 23);
            const QString none = QStringLiteral("none"), pat = QStringLiteral("pat");
            const QString voice = QLatin1String(Voice);
            defaults.insert(timeslotKey(QLatin1String(Rx), slot),
                            slot == 5       ? voice
                                : rxPattern ? pat
                                            : none);
            defaults.insert(timeslotKey(QLatin1String(Tx), slot),
                            slot == 5       ? voice
                                : txPattern ? pat
                                            : none);
        }
        defaults.insert(QStringLiteral("pattern"), QStringLiteral("2e15"));
        defaults.insert(QStringLiteral("vfsource"), QStringLiteral("tone"));
        defaults.insert(QStringLiteral("voice-transmit"), voiceTransmitFor(QStringLiteral("tone")));
        defaults.insert(QStringLiteral("speaker"), QStringLiteral("on"));
        defaults.insert(QStringLiteral("speaker-volume"), QStringLiteral("60"));
        defaults.insert(QStringLiteral("microphone"), QStringLiteral("40"));
        return defaults;
    }();
    return factory;
}

QStringList feedNames()
{
    static const QStringList feeds = QStringList()
        << QStringLiteral("base") << QStringLiteral("vfsignal") << QStringLiteral("jitter")
        << QStringLiteral("jtf") << QStringLiteral("mtj");
    return feeds;
}

QStringList structures()
{
    static const QStringList structures = QStringList()
        << QStringLiteral("unstr") << QStringLiteral("pcm30") << QStringLiteral("pcm30crc")
        << QStringLiteral("pcm31") << QStringLiteral("pcm31crc");
    return structures;
}

QString timeslotKey(const QString &direction, int slot)
{
    if (slot >= 0 && slot <= LastSlot) {
        if (direction == QLatin1String(Rx))
            return slotKeys().keys.at(slot);
        if (direction == QLatin1String(Tx))
            return slotKeys().keys.at(LastSlot + 1 + slot);
    }
    return QStringLiteral("timeslot-%1-%2").arg(direction).arg(slot);
}

QString voiceTransmitFor(const QString &vfsource)
{
    if (vfsource == QLatin1String("tone"))
        return QStringLiteral("tone");
    if (vfsource == QLatin1String("mic"))
        return QStringLiteral("microphone");
    return QStringLiteral("off");
}

bool slotAvailable(int slot, const QString &structure)
{
    if (slot < FirstSlot || slot > LastSlot || structure == QLatin1String(Unframed))
        return false;
    return slot != SignallingSlot || !structure.startsWith(QLatin1String(Pcm30Prefix));
}

int voiceSlot(const QString &direction, const CardConfiguration &configuration)
{
    const QString structure = configuration.value(QLatin1String(KeyStructure));
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (slotAvailable(slot, structure)
            && configuration.value(timeslotKey(direction, slot)) == QLatin1String(Voice))
            return slot;
    }
    return 0;
}

QString heardSource(const CardConfiguration &configuration, int slot)
{
    if (configuration.value(timeslotKey(QLatin1String(Tx), slot)) != QLatin1String(Voice))
        return QString();
    const QString source = configuration.value(QStringLiteral("vfsource"));
    return source == QLatin1String("tone") || source == QLatin1String("mic") ? source : QString();
}

QStringList derivedMaskKeys()
{
    static const QStringList keys = QStringList()
        << QStringLiteral("speaker") << QStringLiteral("voice-transmit")
        << slotKeys().keys.mid(FirstSlot, LastSlot) << slotKeys().keys.mid(LastSlot + 2, LastSlot);
    return keys;
}

QVariantMap derivedMasks(const CardConfiguration &configuration)
{
    // The masks follow from the kind of line and whether each direction has a voice timeslot:
    // each of those few sets is formed once, when first asked for. The card lives in the
    // thread of the user interface.
    const QString structure = configuration.value(QLatin1String(KeyStructure));
    const int line = structure == QLatin1String(Unframed)  ? 0
        : structure.startsWith(QLatin1String(Pcm30Prefix)) ? 1
                                                           : 2;
    const bool receive = voiceSlot(QLatin1String(Rx), configuration);
    const bool transmit = voiceSlot(QLatin1String(Tx), configuration);
    static QVariantMap formed[3][2][2];
    QVariantMap &masks = formed[line][receive][transmit];
    if (!masks.isEmpty())
        return masks;
    masks.insert(QStringLiteral("speaker"),
                 receive ? QString() : QStringLiteral("no timeslot for sound reception"));
    masks.insert(QStringLiteral("voice-transmit"),
                 transmit ? QString() : QStringLiteral("no timeslot for sound transmission"));
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        const QString mask = line == 0       ? QStringLiteral("unstructured line")
            : slotAvailable(slot, structure) ? QString()
                                             : QStringLiteral("signalling timeslot");
        masks.insert(timeslotKey(QLatin1String(Rx), slot), mask);
        masks.insert(timeslotKey(QLatin1String(Tx), slot), mask);
    }
    return masks;
}

QStringList governingMasks(const QString &key)
{
    QStringList masks(key);
    if (key == QLatin1String("speaker-volume"))
        masks << QStringLiteral("speaker");
    else if (key == QLatin1String("vfsource") || key == QLatin1String("microphone"))
        masks << QStringLiteral("voice-transmit");
    return masks;
}

QString maskedItemRefusal(const CardConfiguration &changes,
                          const std::function<QString(const QString &)> &maskOf)
{
    // Timeslots in rising order, so that a mask command names its lowest masked timeslot.
    QStringList keys = changes.keys();
    std::sort(keys.begin(), keys.end(), [](const QString &a, const QString &b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    for (const QString &changed : std::as_const(keys)) {
        for (const QString &key : governingMasks(changed)) {
            const QString mask = maskOf(key);
            if (!mask.isEmpty())
                return itemName(key) + QLatin1String(" is masked (") + mask
                    + QLatin1String(") and cannot be changed");
        }
    }
    return QString();
}

} // namespace CardRules
