// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// Qt's offscreen platform notes, for every window it shows, what it cannot do (size hints,
// raising, keyboard grabs). Tests that open hundreds of windows drop those notes and keep every
// other message.
// Qt 4 has no offscreen platform: its tests run on a virtual X display.
inline void dropOffscreenNotices()
{
#if QT_VERSION >= 0x050000
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (!message.startsWith(QLatin1String("This plugin does not support")))
                previous(type, context, message);
        });
#endif
}
