// SPDX-License-Identifier: GPL-3.0-or-later
// A library with both entry points and a verification text the instrument's Qt accepts, whose
// object is a plain QObject rather than a launcher plug-in.

#include <QObject>
#include <QPointer>

extern "C" Q_DECL_EXPORT const char *qt_plugin_query_verification_data()
{
    return "pattern=QT_PLUGIN_VERIFICATION_DATA\n"
           "version=4.7.1\n"
           "debug=true\n"
           "buildkey=arm linux oe-g++ full-config";
}

extern "C" Q_DECL_EXPORT QObject *qt_plugin_instance()
{
    static QPointer<QObject> instance;
    if (!instance) {
        instance = new QObject;
        instance->setObjectName(QStringLiteral("notaplugin"));
    }
    return instance;
}
