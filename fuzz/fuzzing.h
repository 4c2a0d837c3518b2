// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What every fuzz target shares: one offscreen application and fixture for the whole run, and
// the check that turns a broken rule into a finding.

#include <QApplication>
#include <QRegularExpression>

#include <sanitizer/lsan_interface.h>

#include <cstdio>
#include <cstdlib>

// Fonts found and Qt's offscreen platform plug-in stay until the process ends.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\nleak:libqoffscreen.so\n";
}

// The call stacks that allocate and free each heap block go unrecorded: every input allocates and
// frees thousands, and recording them cost 8 % of the run. A report still shows where the bad
// access happened; replaying its input with ASAN_OPTIONS=malloc_context_size=30 adds where the
// block was allocated and freed.
extern "C" const char *__asan_default_options()
{
    return "malloc_context_size=0";
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
    static const QRegularExpression pattern("^0x[0-9A-Fa-f]{1,8}\\z");
    return pattern.match(value).hasMatch();
}

// The objects a target keeps for the whole run, built on the first call after the offscreen
// application; they and what Qt builds for them do not count as leaks.
template<typename Fixture>
Fixture &fixture()
{
    static Fixture *fixture = nullptr;
    if (!fixture) {
        static int argc = 1;
        static char name[] = "fuzz", *argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("QT_FONT_DPI", "96");
        __lsan_disable();
        new QApplication(argc, argv);
        fixture = new Fixture;
        __lsan_enable();
    }
    return *fixture;
}
