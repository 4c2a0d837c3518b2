// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The few places where the Qt releases the plug-in builds with differ.

#include <QFontMetrics>
#include <QString>

namespace Compat {

// Advance width of a text.
inline int textWidth(const QFontMetrics &metrics, const QString &text)
{
#if QT_VERSION >= QT_VERSION_CHECK(5, 11, 0)
    return metrics.horizontalAdvance(text);
#else
    return metrics.width(text);
#endif
}

} // namespace Compat
