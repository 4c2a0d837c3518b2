// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The few places where the Qt releases and compilers the plug-in builds with differ. The
// instrument's Qt 4.7 toolchain knows C++98 only.

#include <QFontMetrics>
#include <QString>

// ORV_OVERRIDE marks a function that overrides a virtual one, where the compiler knows the
// keyword; the framework's headers define it for every compiler the plug-in builds with.
#include "../interfaces/orvglobal.h"

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
