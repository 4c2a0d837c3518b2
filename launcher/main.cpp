// SPDX-License-Identifier: GPL-3.0-or-later

// e1-launcher: the instrument's launcher on the desktop. Loads the timeslot plug-in library by
// path, through its exported entry points, and runs it over a simulated E1 card.

#include "commandline.h"
#include "languages.h"
#include "launcherapplication.h"
#include "launcherwindow.h"
#include "pluginloader.h"
#include "screenshots.h"

#include <simulatedcard.h>

#include <QApplication>
#include <QFileInfo>
#include <QStyleFactory>
#include <QTextStream>

namespace {

const char *const defaultScreenshotFolder = "screenshots";

// Whether the launcher has somewhere to show its window. Without a display, an explicit platform
// or a -platform argument it runs offscreen.
bool hasDisplay(int argc, char *argv[])
{
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!qEnvironmentVariableIsEmpty(name))
            return true;
    }
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "-platform") == 0 || qstrcmp(argv[i], "--platform") == 0)
            return true;
    }
    return false;
}

// Qt's own arguments include "--plugin NAME" (generic input plug-ins), which QApplication would
// take for itself; the launcher's --plugin is moved out of argv before Qt sees it.
QStringList takePluginArguments(int &argc, char *argv[])
{
    QStringList taken;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--plugin") {
            taken.append(QString::fromLocal8Bit(argument));
            if (i + 1 < argc)
                taken.append(QString::fromLocal8Bit(argv[++i]));
        } else if (argument.startsWith("--plugin=")) {
            taken.append(QString::fromLocal8Bit(argument));
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return taken;
}

#if QT_VERSION >= 0x050000
QtMessageHandler qtMessages = nullptr;

// The offscreen platform reports every window operation it cannot perform (raising, resizing
// hints, keyboard grabs); none of them matters for rendering, so they are not passed on.
void offscreenMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    qtMessages(type, context, message);
}
#endif

} // namespace

int main(int argc, char *argv[])
{
    Compat::useUtf8Sources();
    const bool headless = !hasDisplay(argc, argv);
#if QT_VERSION >= 0x050000
    if (headless)
        qputenv("QT_QPA_PLATFORM", "offscreen");
#else
    if (headless) {
        // Qt 4 would end the process on its own, with less of a reason.
        QTextStream(stderr) << "e1-launcher: no display; Qt 4 has no offscreen platform (try "
                               "xvfb-run e1-launcher)\n";
        return PluginLoader::FailureExitStatus;
    }
#endif

    const QStringList pluginArguments = takePluginArguments(argc, argv);
    LauncherApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("e1-launcher"));
    QApplication::setApplicationVersion(QStringLiteral(E1_VERSION));
#if QT_VERSION >= 0x050000
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (QApplication::platformName() == QLatin1String("offscreen"))
        qtMessages = qInstallMessageHandler(offscreenMessages);
#else
    // Qt 4 has no Fusion; Plastique is the style it grew from.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Plastique")));
#endif
    QTextStream out(stdout);
    QTextStream err(stderr);

    const CommandLine line = parseCommandLine(QApplication::arguments() + pluginArguments);
    if (!line.error.isEmpty()) {
        err << "e1-launcher: " << line.error << '\n';
        return PluginLoader::FailureExitStatus;
    }
    if (line.request == CommandLine::ShowHelp) {
        out << commandLineHelp(QApplication::arguments().first());
        return 0;
    }
    if (line.request == CommandLine::ShowVersion) {
        out << QApplication::applicationName() << ' ' << QApplication::applicationVersion() << '\n';
        return 0;
    }
    QString screenshotFolder = line.screenshotFolder;
    if (headless && screenshotFolder.isEmpty()) {
        screenshotFolder = QLatin1String(defaultScreenshotFolder);
        out << QApplication::translate("main",
                                       "No display: rendering the screenshots into "
                                       "./%1 instead of opening the launcher.")
                   .arg(screenshotFolder)
            << '\n';
        out.flush();
    }

    // The card exists before the plug-in object, so that the plug-in binds to it.
    SimulatedCard card(QStringLiteral("e1"));
    PluginLoader loader;
    if (!loader.load(line.pluginPath)) {
        err << "e1-launcher: " << loader.errorString() << '\n';
        return loader.exitStatus();
    }

    int status = 0;
    {
        // Chosen once the plug-in is loaded, whose catalogue is in its library; removed with this
        // block, before the library goes.
        Languages languages;
        languages.setLanguage(line.language);
        LauncherWindow window(*loader.plugin(), card, line.screenSize);
        window.setPluginPath(QFileInfo(line.pluginPath).absoluteFilePath());
        window.setLanguages(&languages);
        if (!screenshotFolder.isEmpty()) {
            Screenshots screenshots(window, card);
            const bool complete = screenshots.render(screenshotFolder);
            for (const QString &path : screenshots.writtenFiles())
                out << QFileInfo(path).absoluteFilePath() << '\n';
            out.flush();
            for (const QString &problem : screenshots.errors())
                err << "e1-launcher: " << problem << '\n';
            status = complete ? 0 : 1;
        } else {
            window.restoreLayout();
            window.show();
            status = app.exec();
        }
        // The window hands the plug-in's widgets back as it goes.
    }
    // Stop: the plug-in object goes, with its widgets, and then its library.
    loader.unload();
    return status;
}
