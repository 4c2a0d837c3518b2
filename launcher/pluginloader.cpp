// SPDX-License-Identifier: GPL-3.0-or-later
#include "pluginloader.h"

#include "launcherapplication.h"

#include <launcherplugin.h>

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace {

using VerificationFunction = const char *(*)();
using InstanceFunction = QObject *(*)();

const char verificationEntry[] = "qt_plugin_query_verification_data";
const char instanceEntry[] = "qt_plugin_instance";

// The text on one line, with its line feeds shown, so that a bad text can be quoted in a message.
QString quoted(const QByteArray &text)
{
    QString shown = QString::fromLatin1(text);
    shown.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    shown.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

} // namespace

PluginLoader::PluginLoader() = default;

PluginLoader::~PluginLoader()
{
    unload();
}

QString PluginLoader::defaultPath()
{
    return QFileInfo(QCoreApplication::applicationDirPath()
                     + QLatin1String("/../lib/libtimeslots.so"))
        .absoluteFilePath();
}

QString PluginLoader::verificationProblem(const QByteArray &text)
{
    if (text.isEmpty())
        return tr("it is empty");
    const QList<QByteArray> lines = text.split('\n');
    const QList<QByteArray> keys = QList<QByteArray>() << "pattern"
                                                       << "version"
                                                       << "debug"
                                                       << "buildkey";
    if (lines.size() != keys.size())
        return tr("it has %1 lines instead of %2").arg(lines.size()).arg(keys.size());
    QList<QByteArray> values;
    for (int i = 0; i < keys.size(); ++i) {
        const QByteArray prefix = keys.at(i) + '=';
        if (!lines.at(i).startsWith(prefix))
            return tr("line %1 does not begin with \"%2\"").arg(i + 1).arg(QLatin1String(prefix));
        values.append(lines.at(i).mid(prefix.size()));
    }
    if (values.at(0) != "QT_PLUGIN_VERIFICATION_DATA")
        return tr("the pattern is not QT_PLUGIN_VERIFICATION_DATA");
    // The instrument's launcher runs Qt 4 and accepts any plug-in built with a Qt 4.
    static const QRegularExpression qt4Version(QStringLiteral("^4\\.\\d+\\.\\d+$"));
    if (!qt4Version.match(QString::fromLatin1(values.at(1))).hasMatch())
        return tr("\"%1\" is not a Qt 4 version").arg(QString::fromLatin1(values.at(1)));
    if (values.at(2) != "false" && values.at(2) != "true")
        return tr("the debug flag \"%1\" is neither true nor false")
            .arg(QString::fromLatin1(values.at(2)));
    if (values.at(3).trimmed().isEmpty())
        return tr("the build key is empty");
    return QString();
}

bool PluginLoader::load(const QString &path)
{
    unload();
    libraryPath = path;
    failureReason = NoFailure;
    message.clear();

    const QFileInfo info(path);
    if (!info.exists())
        return fail(NoSuchFile, tr("no such file"));
    if (info.isDir())
        return fail(NotALibrary, tr("it is a directory, not a library"));

#if QT_VERSION < 0x050000
    qtLoader.setFileName(info.absoluteFilePath());
    if (!qtLoader.load())
        return diagnoseRefusal(qtLoader.errorString());
#else
    library.setFileName(info.absoluteFilePath());
    if (!library.load())
        return fail(NotALibrary, tr("not a loadable library (%1)").arg(library.errorString()));

    const auto verification
        = reinterpret_cast<VerificationFunction>(library.resolve(verificationEntry));
    if (!verification)
        return fail(MissingEntryPoint,
                    tr("the library does not export %1()").arg(QLatin1String(verificationEntry)));
    const char *text = verification();
    const QByteArray verificationText = text ? QByteArray(text) : QByteArray();
    const QString problem = verificationProblem(verificationText);
    if (!problem.isEmpty())
        return fail(BadVerificationData,
                    tr("the plug-in verification text is malformed, %1: %2")
                        .arg(problem, quoted(verificationText)));

    const auto instance = reinterpret_cast<InstanceFunction>(library.resolve(instanceEntry));
    if (!instance)
        return fail(MissingEntryPoint,
                    tr("the library does not export %1()").arg(QLatin1String(instanceEntry)));
#endif
    QObject *created = nullptr;
    try {
#if QT_VERSION < 0x050000
        created = qtLoader.instance();
#else
        created = instance();
#endif
    } catch (...) {
        return fail(
            NoPluginObject,
            tr("%1() failed: %2")
                .arg(QLatin1String(instanceEntry), LauncherApplication::currentException()));
    }
    return takeObject(created);
}

bool PluginLoader::takeObject(QObject *created)
{
    if (!created)
        return fail(NoPluginObject,
                    tr("%1() returned no object").arg(QLatin1String(instanceEntry)));
    object = qobject_cast<LauncherPlugin *>(created);
    if (!object) {
        const QString className = QLatin1String(created->metaObject()->className());
        // The object's code may live in the library: it goes before the library does.
        delete created;
        return fail(NotALauncherPlugin,
                    tr("its plug-in object is a %1, not a LauncherPlugin").arg(className));
    }
    return true;
}

bool PluginLoader::diagnoseRefusal(const QString &qtReason)
{
    // Qt's loader gives one reason for all; the library opened by hand tells which part it is.
    library.setFileName(QFileInfo(libraryPath).absoluteFilePath());
    if (!library.load())
        return fail(NotALibrary, tr("not a loadable library (%1)").arg(library.errorString()));
    const auto verification
        = reinterpret_cast<VerificationFunction>(library.resolve(verificationEntry));
    const auto instance = reinterpret_cast<InstanceFunction>(library.resolve(instanceEntry));
    if (!verification || !instance)
        return fail(
            MissingEntryPoint,
            tr("the library does not export %1() (Qt: %2)")
                .arg(QLatin1String(verification ? instanceEntry : verificationEntry), qtReason));
    const char *text = verification();
    const QByteArray verificationText = text ? QByteArray(text) : QByteArray();
    const QString problem = verificationProblem(verificationText);
    if (!problem.isEmpty())
        return fail(BadVerificationData,
                    tr("the plug-in verification text is malformed, %1: %2 (Qt: %3)")
                        .arg(problem, quoted(verificationText), qtReason));
    // A well-formed text that this Qt refuses: a newer Qt 4, or another build key.
    const QList<QByteArray> lines = verificationText.split('\n');
    const QString version = QString::fromLatin1(lines.at(1).mid(int(qstrlen("version="))));
    const QString key = QString::fromLatin1(lines.at(3).mid(int(qstrlen("buildkey="))));
    const QStringList parts = version.split(QLatin1Char('.'));
    const int built
        = QT_VERSION_CHECK(parts.at(0).toInt(), parts.at(1).toInt(), parts.at(2).toInt());
    if (built > QT_VERSION)
        return fail(BadVerificationData,
                    tr("it was built with Qt %1, newer than this Qt %2 (Qt: %3)")
                        .arg(version, QLatin1String(QT_VERSION_STR), qtReason));
    if (qtReason.contains(QLatin1String("build key")))
        return fail(
            BadVerificationData,
            tr("its build key \"%1\" is not one this Qt accepts (Qt: %2)").arg(key, qtReason));
    return fail(BadVerificationData, tr("Qt's plug-in loader refuses it (%1)").arg(qtReason));
}

void PluginLoader::unload()
{
    delete object.data();
    object = nullptr;
#if QT_VERSION < 0x050000
    if (qtLoader.isLoaded())
        qtLoader.unload();
#endif
    if (library.isLoaded())
        library.unload();
}

bool PluginLoader::isLoaded() const
{
    return object;
}

QString PluginLoader::path() const
{
    return libraryPath;
}

LauncherPlugin *PluginLoader::plugin() const
{
    return object;
}

PluginLoader::Failure PluginLoader::failure() const
{
    return failureReason;
}

QString PluginLoader::errorString() const
{
    return message;
}

int PluginLoader::exitStatus() const
{
    return failureReason == NoFailure ? 0 : FailureExitStatus;
}

bool PluginLoader::fail(Failure why, const QString &cause)
{
    failureReason = why;
    message = tr("Cannot load the plug-in %1: %2").arg(libraryPath, cause);
    unload();
    return false;
}
