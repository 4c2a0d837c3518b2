// SPDX-License-Identifier: GPL-3.0-or-later

// The simulated card's command interpreter under arbitrary text: the input picks the structure
// and a few masked items, then each of its lines is a command. After each the log holds one more
// line, that command; a refusal gives a reason, names the voice channel only for a second receive
// voice timeslot and changes neither configuration nor masks; an acceptance leaves every value
// valid, no timeslot assigned that the structure lacks and at most one receive voice timeslot.

#include "fuzzing.h"

#include <simulatedcard.h>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

// The values a key may hold after accepted commands: each one names what the card can do.
bool validValue(const QString &key, const QString &value)
{
    static const QMap<QString, QStringList> choices
        = {{"structure", SimulatedCard::structures()},
           {"vfsource", {"tone", "mic", "off"}},
           {"voice-transmit", {"tone", "microphone", "off"}},
           {"speaker", {"on", "off"}},
           {"pattern",
            {"2e9", "2e11", "2e15", "2e20", "2e23", "2e9-1", "2e11-1", "2e15-1", "2e20-1", "2e23-1",
             "all0", "all1", "55"}},
           {"timeslot", {"none", "pat", "voice"}}};
    if (key.startsWith(QLatin1String("timeslot-")))
        return choices.value(QStringLiteral("timeslot")).contains(value);
    if (key == QLatin1String("speaker-volume") || key == QLatin1String("microphone"))
        return value == QString::number(qBound(0, value.toInt(), 100));
    return choices.value(key).contains(value)
        || (key == QLatin1String("pattern") && isUserPattern(value));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    SimulatedCard &card = fixture<SimulatedCard>();
    card.reset();
    FuzzedDataProvider input(data, size);
    card.setConfigValue("structure",
                        SimulatedCard::structures().at(input.ConsumeIntegralInRange(0, 4)));
    const QStringList maskKeys = card.maskKeys();
    for (int masked = input.ConsumeIntegralInRange(0, 3); masked > 0; --masked) {
        const int index = input.ConsumeIntegralInRange<int>(0, maskKeys.size() - 1);
        card.setMaskValue(maskKeys.at(index), "in use by another test");
    }

    // Masks follow from the configuration and the overrides, which commands never touch.
    QVariantMap configuration = card.configuration(), masks = card.masks();
    const std::string rest = input.ConsumeRemainingBytesAsString();
    for (const QString &command : QString::fromUtf8(rest.data(), int(rest.size())).split('\n')) {
        const QVariantMap before = configuration;
        const int logged = card.commandLog().size();
        QString error;
        const bool accepted = card.execute(command, &error);
        configuration = card.configuration();
        // Only a broken rule spends the time to say what broke.
        const auto check = [&](bool holds, const char *rule) {
            if (!holds)
                require(false, QString("%1 \"%2\" (%3)").arg(rule, command.left(200), error));
        };
        check(card.commandLog().size() == logged + 1 && card.commandLog().last() == command,
              "log of");
        if (!accepted) {
            check(!error.isEmpty(), "refusal without a reason:");
            check(configuration == before && card.masks() == masks, "refusal changed:");
            check(!error.contains(QLatin1String("voice"))
                      || (command.startsWith(QLatin1String("timeslot rx "))
                          && command.endsWith(QLatin1String(" voice"))),
                  "voice named in an unrelated refusal:");
            continue;
        }
        masks = card.masks();
        const QString structure = before.value("structure").toString();
        int receiveVoice = 0;
        for (auto it = configuration.cbegin(); it != configuration.cend(); ++it) {
            const QString &key = it.key(), value = it.value().toString();
            if (!validValue(key, value))
                check(false, qPrintable(key + " = " + value + " after"));
            receiveVoice += key.startsWith(QLatin1String("timeslot-rx-")) && value == "voice";
            if (!key.startsWith(QLatin1String("timeslot-")) || before.value(key) == it.value())
                continue;
            check(structure != "unstr", "assigned on unstr:");
            check(!structure.startsWith("pcm30") || !key.endsWith("-16"),
                  "timeslot 16 assigned on PCM30:");
        }
        check(receiveVoice <= 1, "two receive voice timeslots after");
    }
    return 0;
}
