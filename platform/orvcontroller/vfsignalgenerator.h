// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the simulated card's receiver measures in its voice timeslot. The line is looped back,
// so receive timeslot N hears what transmit sends in timeslot N: the 1 kHz test tone, the
// microphone (a speech-like level and pitch) or silence.

#include "cardrules.h"

#include <QRandomGenerator>
#include <QVariantMap>

class VfSignalGenerator
{
public:
    void seed(quint32 value);
    //! The next "vfsignal" data map ("level", "frequency") for receive timeslot \a slot.
    QVariantMap next(const CardConfiguration &configuration, int slot);

private:
    QVariantMap tone();
    QVariantMap speech();
    static QVariantMap reading(const QString &level, const QString &frequency);

    QRandomGenerator random{1};
    double speechLevel = -15.0;
    int speechFrequency = 800;
};
