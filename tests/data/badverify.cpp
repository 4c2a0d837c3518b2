// SPDX-License-Identifier: GPL-3.0-or-later
// A plug-in library built against a Qt the instrument cannot load: its verification text names
// Qt 5. A launcher that reads the text refuses the library before asking for its object.

#include <QObject>

extern "C" Q_DECL_EXPORT const char *qt_plugin_query_verification_data()
{
    return "pattern=QT_PLUGIN_VERIFICATION_DATA\n"
           "version=5.15.8\n"
           "debug=false\n"
           "buildkey=x86_64 linux g++-4 full-config";
}

extern "C" Q_DECL_EXPORT QObject *qt_plugin_instance()
{
    return nullptr;
}
