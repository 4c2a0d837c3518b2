// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The few places where the Qt releases and compilers the plug-in builds with differ. The
// instrument's Qt 4.7 toolchain knows C++98 only.

#include <QFontMetrics>
#include <QString>

// Marks a function that overrides a virtual one, where the compiler knows the keyword.
#if __cplusplus >= 201103L
#define COMPAT_OVERRIDE override
#else
#define COMPAT_OVERRIDE
#endif

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
