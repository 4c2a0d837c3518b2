// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabulary.h"

namespace Vocabulary {

namespace {

QString formatTimeslotKey(const QString &direction, int slot)
{
    return QString::fromLatin1(KeyTimeslot).arg(direction).arg(slot);
}

// The keys of timeslots 0 to 31 of both directions.
struct TimeslotKeys
{
    TimeslotKeys()
    {
        for (int slot = 0; slot <= LastSlot; ++slot) {
            rx[slot] = formatTimeslotKey(QLatin1String(Rx), slot);
            tx[slot] = formatTimeslotKey(QLatin1String(Tx), slot);
        }
    }

    QString rx[LastSlot + 1];
    QString tx[LastSlot + 1];
};

const TimeslotKeys &timeslotKeys()
{
    static const TimeslotKeys keys;
    return keys;
}

template<typename Direction>
QString knownKey(const Direction &direction, int slot)
{
    if (slot >= 0 && slot <= LastSlot) {
        if (direction == QLatin1String(Rx))
            return timeslotKeys().rx[slot];
        if (direction == QLatin1String(Tx))
            return timeslotKeys().tx[slot];
    }
    return formatTimeslotKey(direction, slot);
}

} // namespace

QString timeslotKey(QLatin1String direction, int slot)
{
    return knownKey(direction, slot);
}

QString timeslotKey(const QString &direction, int slot)
{
    return knownKey(direction, slot);
}

} // namespace Vocabulary
