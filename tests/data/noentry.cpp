// SPDX-License-Identifier: GPL-3.0-or-later
// A shared library that exports a function but neither of a plug-in's entry points.

extern "C" __attribute__((visibility("default"))) int e1_noentry_answer()
{
    return 42;
}
