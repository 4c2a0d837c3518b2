// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

/*!
 * The launcher's command line:
 *   -h, --help            the help text (helpText()) and exit 0
 *   -v, --version         the name and version and exit 0
 *   --plugin <path>       the plug-in library (default: PluginLoader::defaultPath())
 *   --screen-size <WxH>   the instrument's screen, 320x240 to 3840x2160 (default: 640x480)
 *   --screenshots <dir>   render the screens into PNG files in <dir> and exit
 *   --lang <code>         the language of the screens, one of Languages::codes() (default: en)
 * Options take their value as the next argument or after "=", short options may be written
 * together ("-hv"), "--" ends the options, and the last of a repeated option counts.
 */
struct CommandLine
{
    enum Request { Run, ShowHelp, ShowVersion };

    Request request = Run;
    QString pluginPath;
    QSize screenSize;
    QString screenshotFolder; //!< empty: run the launcher
    QString language;
    //! Why the arguments were refused, one or more lines; empty when they are good.
    QString error;
};

/*!
 * Reads \a arguments, the program's name first. A request for help or the version wins over every
 * error but a malformed or unknown option; the other fields are valid when error is empty.
 */
CommandLine parseCommandLine(const QStringList &arguments);

//! The text --help prints, \a program being the name the launcher was started with.
QString commandLineHelp(const QString &program);
