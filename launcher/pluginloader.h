// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QLibrary>
#include <QPluginLoader>
#include <QPointer>
#include <QString>

class LauncherPlugin;

/*!
 * Loads a launcher plug-in library the way the instrument's launcher does: opens the library by
 * path, checks its Qt plug-in verification text, takes the one object of qt_plugin_instance() and
 * uses it as a LauncherPlugin. Unloading deletes the object and closes the library.
 *
 * Built with Qt 4, it leaves the loading to Qt's own QPluginLoader, as the instrument does: Qt
 * reads the verification text from the file, compares version and build key with its own, and
 * only then calls qt_plugin_instance(). When Qt refuses, the library is opened once more to say
 * which part is wrong, with Qt's reason beside it. Newer Qts know nothing of Qt 4 plug-ins: there
 * the launcher reads the text itself through QLibrary.
 */
class PluginLoader
{
    Q_DECLARE_TR_FUNCTIONS(PluginLoader)

public:
    //! Why a load failed.
    enum Failure {
        NoFailure,
        NoSuchFile,
        NotALibrary,
        MissingEntryPoint,
        BadVerificationData,
        NoPluginObject,
        NotALauncherPlugin,
    };

    //! The exit status of a launcher that could not load its plug-in.
    static constexpr int FailureExitStatus = 2;

    PluginLoader();
    ~PluginLoader();
    PluginLoader(const PluginLoader &) = delete;
    PluginLoader &operator=(const PluginLoader &) = delete;

    //! The plug-in installed beside the launcher: ../lib/libtimeslots.so from its binary.
    static QString defaultPath();

    /*!
     * Checks the text of qt_plugin_query_verification_data(): the four lines "pattern=", "version="
     * (a Qt 4 version), "debug=" and "buildkey=". Returns an empty string when it is good, else
     * what is wrong with it.
     */
    static QString verificationProblem(const QByteArray &text);

    //! Loads the plug-in library at \a path; on failure, failure() and errorString() tell why.
    bool load(const QString &path);
    //! Deletes the plug-in object and unloads the library.
    void unload();

    bool isLoaded() const;
    QString path() const;
    LauncherPlugin *plugin() const;
    Failure failure() const;
    QString errorString() const;
    //! 0 while loaded or never tried, FailureExitStatus after a failed load.
    int exitStatus() const;

private:
    bool fail(Failure why, const QString &cause);
    bool takeObject(QObject *created);
    bool diagnoseRefusal(const QString &qtReason);

#if QT_VERSION < 0x050000
    QPluginLoader qtLoader;
#endif
    QLibrary library;
    QString libraryPath;
    QPointer<LauncherPlugin> object;
    Failure failureReason = NoFailure;
    QString message;
};
