// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shared by the headers of the three libraries, which compile with C++98 compilers as well as
// newer ones.

// Marks a function that overrides a virtual one, where the compiler knows the keyword.
#if __cplusplus >= 201103L
#define ORV_OVERRIDE override
#else
#define ORV_OVERRIDE
#endif
