// SPDX-License-Identifier: GPL-3.0-or-later

// The two entry points through which the instrument's launcher, built with Qt 4, loads the
// plug-in: the verification text it compares with its own Qt build, and the one plug-in object.

#include "timeslots.h"

#include <QPointer>

extern "C" Q_DECL_EXPORT const char *qt_plugin_query_verification_data()
{
    static const char verificationData[] = "pattern=QT_PLUGIN_VERIFICATION_DATA\n"
                                           "version=4.7.1\n"
                                           "debug=false\n"
                                           "buildkey=arm linux oe-g++ full-config";
    return verificationData;
}

extern "C" Q_DECL_EXPORT QObject *qt_plugin_instance()
{
    // The pointer clears itself when the host deletes the object, so the next call builds a
    // fresh one.
    static QPointer<QObject> instance;
    if (!instance)
        instance = new TimeSlots;
    return instance;
}
