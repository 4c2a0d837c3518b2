// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What every fuzz target shares: one offscreen application and fixture for the whole run, and
// the check that turns a broken rule into a finding.

#include <QApplication>
#include <QString>

#include <sanitizer/lsan_interface.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>

// Fonts found and Qt's offscreen platform plug-in stay until the process ends.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\nleak:libqoffscreen.so\n";
}

// Stops the run with \a what when \a holds is false; libFuzzer keeps the input as a finding.
inline void require(bool holds, const QString &what)
{
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n", qPrintable(what));
    std::abort();
}

// Whether \a value is a user test pattern: "0x" and one to eight hexadecimal digits.
inline bool isUserPattern(const QString &value)
{
    if (!value.startsWith(QLatin1String("0x")) || value.size() < 3 || value.size() > 10)
        return false;
    for (const QChar c : value.mid(2)) {
        if (c.unicode() > 127 || !std::isxdigit(c.toLatin1()))
            return false;
    }
    return true;
}

// The objects a target keeps for the whole run, built on the first call after the offscreen
// application. Qt's platform plug-in keeps a few objects until the process ends; what is
// allocated while building does not count as a leak.
template<typename Fixture>
Fixture &fixture()
{
    static Fixture *fixture = nullptr;
    if (!fixture) {
        static int argc = 1;
        static char name[] = "fuzz";
        static char *argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("QT_FONT_DPI", "96");
        __lsan_disable();
        new QApplication(argc, argv);
        fixture = new Fixture;
        __lsan_enable();
    }
    return *fixture;
}
