// SPDX-License-Identifier: GPL-3.0-or-later

// e1-launcher: the instrument's launcher on the desktop. Loads the timeslot plug-in library by
// path, through its exported entry points, and runs it over a simulated E1 card.

#include "languages.h"
#include "launcherwindow.h"
#include "pluginloader.h"
#include "screenshots.h"

#include <simulatedcard.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
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

QtMessageHandler qtMessages = nullptr;

// The offscreen platform reports every window operation it cannot perform (raising, resizing
// hints, keyboard grabs); none of them matters for rendering, so they are not passed on.
void offscreenMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    qtMessages(type, context, message);
}

bool parseScreenSize(const QString &text, QSize *size)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    *size = QSize(match.captured(1).toInt(), match.captured(2).toInt());
    return size->width() >= 320 && size->height() >= 240;
}

} // namespace

int main(int argc, char *argv[])
{
    const bool headless = !hasDisplay(argc, argv);
    if (headless)
        qputenv("QT_QPA_PLATFORM", "offscreen");

    const QStringList pluginArguments = takePluginArguments(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("e1-launcher"));
    QApplication::setApplicationVersion(QStringLiteral(E1_VERSION));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (QApplication::platformName() == QLatin1String("offscreen"))
        qtMessages = qInstallMessageHandler(offscreenMessages);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QApplication::translate(
        "main",
        "Runs the E1 timeslot plug-in as the instrument's launcher does, over a "
        "simulated E1 card."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption pluginOption(
        QStringLiteral("plugin"),
        QApplication::translate("main", "The plug-in library to load (default: %1).")
            .arg(PluginLoader::defaultPath()),
        QStringLiteral("path"), PluginLoader::defaultPath());
    const QCommandLineOption screenSizeOption(
        QStringLiteral("screen-size"),
        QApplication::translate("main",
                                "The size of the instrument's screen in pixels "
                                "(default: 640x480)."),
        QStringLiteral("WxH"), QStringLiteral("640x480"));
    const QCommandLineOption screenshotsOption(
        QStringLiteral("screenshots"),
        QApplication::translate("main",
                                "Render the launcher and the plug-in's screens "
                                "offscreen into PNG files in <dir>, print their "
                                "paths and exit."),
        QStringLiteral("dir"));
    const QCommandLineOption languageOption(
        QStringLiteral("lang"),
        QApplication::translate("main", "The language of the screens: %1 (default: en).")
            .arg(Languages::codes().join(QLatin1Char('|'))),
        QStringLiteral("code"), QStringLiteral("en"));
    parser.addOption(pluginOption);
    parser.addOption(screenSizeOption);
    parser.addOption(screenshotsOption);
    parser.addOption(languageOption);

    if (!parser.parse(QApplication::arguments() + pluginArguments)) {
        err << "e1-launcher: " << parser.errorText() << '\n'
            << QApplication::translate("main", "Try 'e1-launcher --help' for the options.") << '\n';
        return PluginLoader::FailureExitStatus;
    }
    if (parser.isSet(help))
        parser.showHelp(0);
    if (parser.isSet(version))
        parser.showVersion();
    if (!parser.positionalArguments().isEmpty()) {
        err << "e1-launcher: "
            << QApplication::translate("main", "unexpected argument '%1'")
                   .arg(parser.positionalArguments().first())
            << '\n';
        return PluginLoader::FailureExitStatus;
    }
    QSize screenSize;
    if (!parseScreenSize(parser.value(screenSizeOption), &screenSize)) {
        err << "e1-launcher: "
            << QApplication::translate("main",
                                       "bad screen size '%1': give WIDTHxHEIGHT, at "
                                       "least 320x240")
                   .arg(parser.value(screenSizeOption))
            << '\n';
        return PluginLoader::FailureExitStatus;
    }

    const QString language = parser.value(languageOption);
    if (!Languages::codes().contains(language)) {
        err << "e1-launcher: "
            << QApplication::translate("main", "unknown language '%1': give one of %2")
                   .arg(language, Languages::codes().join(QLatin1String(", ")))
            << '\n';
        return PluginLoader::FailureExitStatus;
    }

    QString screenshotFolder = parser.value(screenshotsOption);
    if (parser.isSet(screenshotsOption) && screenshotFolder.isEmpty()) {
        err << "e1-launcher: " << QApplication::translate("main", "--screenshots needs a folder")
            << '\n';
        return PluginLoader::FailureExitStatus;
    }
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
    const QString pluginPath = parser.value(pluginOption);
    if (!loader.load(pluginPath)) {
        err << "e1-launcher: " << loader.errorString() << '\n';
        return loader.exitStatus();
    }

    int status = 0;
    {
        // Chosen once the plug-in is loaded, whose catalogue is in its library; removed with this
        // block, before the library goes.
        Languages languages;
        languages.setLanguage(language);
        LauncherWindow window(*loader.plugin(), card, screenSize);
        window.setPluginPath(QFileInfo(pluginPath).absoluteFilePath());
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
            window.show();
            status = app.exec();
        }
        // The window hands the plug-in's widgets back as it goes.
    }
    // Stop: the plug-in object goes, with its widgets, and then its library.
    loader.unload();
    return status;
}
