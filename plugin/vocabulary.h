// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The words the plug-in exchanges with the E1 card's controller: configuration and mask keys,
// measurement feeds and their data keys, slot values and every command text. Nothing here is
// ever translated.

#include <QLatin1String>
#include <QString>
#include <QStringList>

namespace Vocabulary {

// The card this plug-in is built for.
const char *const CardName = "e1";

// Configuration keys.
const char *const KeyStructure = "structure";
const char *const KeyPattern = "pattern";
const char *const KeySpeaker = "speaker";
const char *const KeySpeakerVolume = "speaker-volume";
const char *const KeyMicrophone = "microphone";
const char *const KeyVfSource = "vfsource";
const char *const KeyVoiceTransmit = "voice-transmit";

// Timeslot keys: "timeslot-tx-7", "timeslot-rx-7".
const char *const KeyTimeslotTx = "timeslot-tx-%1";
const char *const KeyTimeslotRx = "timeslot-rx-%1";
const char *const KeyTimeslot = "timeslot-%1-%2";

// Direction words.
const char *const Rx = "rx";
const char *const Tx = "tx";

// Values.
const char *const StructureUnframed = "unstr";
const char *const StructurePcm30Prefix = "pcm30";
const char *const PatternPrbsPrefix = "2e";
const char *const PatternAllZeros = "all0";
const char *const PatternAllOnes = "all1";
const char *const PatternAlternating = "55";
const char *const On = "on";
const char *const Off = "off";
const char *const SourceTone = "tone";
const char *const SourceMic = "mic";
const char *const TransmitTone = "tone";
const char *const TransmitMicrophone = "microphone";
const char *const LevelBelowRange = "<-24dB";

// Defaults the readers pass.
const char *const DefaultWindowPattern = "2e15";
const char *const DefaultStatusPattern = "2e15-1";
const char *const DefaultSlotValue = "none";

// Slot values by option index: 0 "none", 1 "pat", 2 "voice".
const char *const SlotNone = "none";
const char *const SlotPattern = "pat";
const char *const SlotVoice = "voice";
enum SlotOption { OptionNone = 0, OptionPattern = 1, OptionVoice = 2 };

// Timeslots: 0 carries frame alignment, 16 the signalling of a PCM30 line.
const int FirstSlot = 1;
const int LastSlot = 31;
const int SignallingSlot = 16;

// Measurement feeds, opened in this order, and the data set name of the voice-frequency one.
const char *const FeedBase = "base";
const char *const FeedVfSignal = "vfsignal";
const char *const FeedJitter = "jitter";
const char *const FeedJtf = "jtf";
const char *const FeedMtj = "mtj";
const char *const DataSetVfSignal = "VFSIGNAL";
const char *const DataLevel = "level";
const char *const DataFrequency = "frequency";

// Commands.
const char *const CmdTimeslot = "timeslot";
const char *const CmdSlotTx = "timeslot tx %1 %2";
const char *const CmdSlotRx = "timeslot rx %1 %2";
const char *const CmdAllTx = "timeslot tx 0xFFFFFFFE";
const char *const CmdAllTxNo16 = "timeslot tx 0xFFFEFFFE";
const char *const CmdAllRx = "timeslot rx 0xFFFFFFFE";
const char *const CmdAllRxNo16 = "timeslot rx 0xFFFEFFFE";
const char *const CmdMaskTx = "timeslot tx 0x%1 %2";
const char *const CmdMaskRx = "timeslot rx 0x%1 %2";
const char *const CmdVfSource = "vfsource ";
const char *const CmdSpeaker = "speaker ";
const char *const CmdMicrophoneLevel = "microphone %1";
const char *const CmdSpeakerVolume = "speaker volume %1";

inline QStringList feedNames()
{
    return QStringList() << QLatin1String(FeedBase) << QLatin1String(FeedVfSignal)
                         << QLatin1String(FeedJitter) << QLatin1String(FeedJtf)
                         << QLatin1String(FeedMtj);
}

inline QStringList slotValues()
{
    return QStringList() << QLatin1String(SlotNone) << QLatin1String(SlotPattern)
                         << QLatin1String(SlotVoice);
}

// "timeslot-rx-7": the direction word first, then the slot number. Every update reads the keys
// of all 62 timeslots, some several times, so the keys of "rx" and "tx" are formed only once.
QString timeslotKey(QLatin1String direction, int slot);
QString timeslotKey(const QString &direction, int slot);

// A computed slot mask: eight lower-case hexadecimal digits, without the "0x".
inline QString maskDigits(quint32 mask)
{
    return QString::fromLatin1("%1").arg(mask, 8, 16, QLatin1Char('0'));
}

} // namespace Vocabulary
