// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The simulated E1 card's vocabulary and rules: its keys and factory settings, the command
// interpreter that decides what a command changes or why it is refused, and the masks that
// follow from the settings. Pure functions over a configuration; the card applies the result.

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>

using CardConfiguration = QMap<QString, QString>;

namespace CardRules {

constexpr int FirstSlot = 1;
constexpr int LastSlot = 31;
constexpr int MinimumLevel = 0;
constexpr int MaximumLevel = 100;

//! What a command does: the keys it sets when accepted, else why it was refused.
struct Outcome
{
    bool accepted = false;
    QString errorText;
    CardConfiguration changes;
};

//! Parses \a command and checks it against \a configuration; changes nothing itself.
Outcome interpret(const QString &command, const CardConfiguration &configuration);

CardConfiguration factoryDefaults();
QStringList feedNames();
QStringList structures();

//! "timeslot-rx-7" for ("rx", 7).
QString timeslotKey(const QString &direction, int slot);
//! The "voice-transmit" value that follows from a "vfsource" value.
QString voiceTransmitFor(const QString &vfsource);
//! Whether the line structure lets timeslot \a slot carry traffic.
bool slotAvailable(int slot, const QString &structure);
//! The lowest usable timeslot of \a direction set to "voice", or 0 when there is none.
int voiceSlot(const QString &direction, const CardConfiguration &configuration);

//! What receive timeslot \a slot hears on the looped-back line: "tone" or "mic" when transmit
//! timeslot \a slot carries voice from that source, else empty (silence).
QString heardSource(const CardConfiguration &configuration, int slot);

//! Every key whose mask follows from the configuration.
QStringList derivedMaskKeys();
//! The mask of each key of derivedMaskKeys() that follows from \a configuration: empty when
//! the item is available, else the reason.
QVariantMap derivedMasks(const CardConfiguration &configuration);

//! The mask keys that decide whether \a key can be changed: its own, and for the loudspeaker's
//! level, the transmit source and the microphone level also the mask of the item they belong to
//! ("speaker", "voice-transmit").
QStringList governingMasks(const QString &key);
//! Why changing the keys of \a changes is refused while an item they belong to is masked,
//! naming the first masked item and its reason; empty when none is masked. \a maskOf gives the
//! current mask of a key.
QString maskedItemRefusal(const CardConfiguration &changes,
                          const std::function<QString(const QString &)> &maskOf);

} // namespace CardRules
