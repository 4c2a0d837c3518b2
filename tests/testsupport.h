// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the tests share: data rows written in one call, and settings put on the simulated card.

#include <simulatedcard.h>

#include <QtTest>
#include <QtWidgets>

namespace TestSupport {

inline QString cell(const char *text)
{
    return QString::fromUtf8(text);
}
template<typename T>
T cell(const T &value)
{
    return value;
}

} // namespace TestSupport

// A data row; C strings go to columns of QString.
template<typename... Values>
void row(const char *name, const Values &...values)
{
    (QTest::newRow(name) << ... << TestSupport::cell(values));
}

// "key=value ..." as a map; "key=" holds the empty text.
inline QVariantMap pairs(const QString &text)
{
    QVariantMap map;
    for (const QString &item : text.split(' ', Qt::SkipEmptyParts))
        map.insert(item.section('=', 0, 0), item.section('=', 1));
    return map;
}

// Space-separated "key=value" on the card, where no value removes the key; "!key=reason" masks
// the item and "!key=" frees it; "rx" and "tx" give the option of each timeslot from 1 on as a
// digit (0 none, 1 pat, 2 voice), the rest none.
inline void configure(SimulatedCard &card, const QString &settings)
{
    for (const QString &setting : settings.split(' ', Qt::SkipEmptyParts)) {
        const QString key = setting.section('=', 0, 0), value = setting.section('=', 1);
        for (int slot = 1; key.size() == 2 && slot <= 31; ++slot) {
            const int option = value.mid(slot - 1, 1).toInt();
            card.setConfigValue(QString("timeslot-%1-%2").arg(key).arg(slot),
                                QString("none pat voice").section(' ', option, option));
        }
        if (key.startsWith('!'))
            card.setMaskValue(key.mid(1), value);
        else if (key.size() != 2)
            value.isEmpty() ? card.removeConfigValue(key) : card.setConfigValue(key, value);
    }
}
