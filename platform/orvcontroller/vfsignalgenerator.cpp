// SPDX-License-Identifier: GPL-3.0-or-later
#include "vfsignalgenerator.h"

#include <QtGlobal>

namespace {

const double ToneLevel = -10.0;
const double ToneLevelJitter = 0.3;
const int ToneFrequency = 1000;
const int ToneFrequencyJitter = 2;
const double SpeechLowest = -24.0;
const double SpeechHighest = -6.0;
const int SpeechLowestFrequency = 300;
const int SpeechHighestFrequency = 3400;

} // namespace

void VfSignalGenerator::seed(quint32 value)
{
    random.seed(value);
    speechLevel = -15.0;
    speechFrequency = 800;
}

QVariantMap VfSignalGenerator::next(const CardConfiguration &configuration, int slot)
{
    const QString source = CardRules::heardSource(configuration, slot);
    if (source == QLatin1String("tone"))
        return tone();
    if (source == QLatin1String("mic"))
        return speech();
    return reading(QStringLiteral("<-24dB"), QStringLiteral("0"));
}

QVariantMap VfSignalGenerator::tone()
{
    const double level = ToneLevel + (random.generateDouble() * 2.0 - 1.0) * ToneLevelJitter;
    const int frequency
        = ToneFrequency + random.bounded(-ToneFrequencyJitter, ToneFrequencyJitter + 1);
    return reading(QString::number(level, 'f', 1), QString::number(frequency));
}

QVariantMap VfSignalGenerator::speech()
{
    // A voice wanders in level and pitch rather than jumping about at random.
    speechLevel
        = qBound(SpeechLowest, speechLevel + (random.generateDouble() * 8.0 - 4.0), SpeechHighest);
    speechFrequency = qBound(SpeechLowestFrequency, speechFrequency + random.bounded(-400, 401),
                             SpeechHighestFrequency);
    return reading(QString::number(speechLevel, 'f', 1), QString::number(speechFrequency));
}

QVariantMap VfSignalGenerator::reading(const QString &level, const QString &frequency)
{
    QVariantMap map;
    map.insert(QStringLiteral("level"), level);
    map.insert(QStringLiteral("frequency"), frequency);
    return map;
}
