// SPDX-License-Identifier: GPL-3.0-or-later
// A plug-in library built against a Qt the instrument cannot load: its verification text names
// Qt 5. A launcher that reads the text refuses the library before asking for its object. Built
// with E1_BUILD_KEY, it names the instrument's Qt 4.7.1 and that other build key instead, which
// only Qt 4's own loader compares.

#include <QObject>

#ifdef E1_BUILD_KEY
#define E1_VERSION "4.7.1"
#else
#define E1_VERSION "5.15.8"
#define E1_BUILD_KEY "x86_64 linux g++-4 full-config"
#endif

extern "C" Q_DECL_EXPORT const char *qt_plugin_query_verification_data()
{
    return "pattern=QT_PLUGIN_VERIFICATION_DATA\n"
           "version=" E1_VERSION "\n"
           "debug=false\n"
           "buildkey=" E1_BUILD_KEY;
}

extern "C" Q_DECL_EXPORT QObject *qt_plugin_instance()
{
    return nullptr;
}
