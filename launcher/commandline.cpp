// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include "languages.h"
#include "pluginloader.h"

#include <QCoreApplication>

namespace {

struct Option
{
    const char *names; // as the help lists them
    const char *longName;
    char shortName; // or 0
    const char *valueName; // 0 for a switch
};

const Option Options[] = {
    {"-h, --help", "help", 'h', nullptr},
    {"-v, --version", "version", 'v', nullptr},
    {"--plugin <path>", "plugin", 0, "path"},
    {"--screen-size <WxH>", "screen-size", 0, "WxH"},
    {"--screenshots <dir>", "screenshots", 0, "dir"},
    {"--lang <code>", "lang", 0, "code"},
};
enum { Help, Version, Plugin, ScreenSize, Screenshots, Language, OptionCount };

QString description(int option)
{
    switch (option) {
    case Help:
        return QLatin1String("Displays help on commandline options.");
    case Version:
        return QLatin1String("Displays version information.");
    case Plugin:
        return QCoreApplication::translate("main", "The plug-in library to load (default: %1).")
            .arg(PluginLoader::defaultPath());
    case ScreenSize:
        return QCoreApplication::translate(
            "main", "The size of the instrument's screen in pixels (default: 640x480).");
    case Screenshots:
        return QCoreApplication::translate(
            "main",
            "Render the launcher and the plug-in's screens offscreen into PNG files in "
            "<dir>, print their paths and exit.");
    default:
        return QCoreApplication::translate("main", "The language of the screens: %1 (default: en).")
            .arg(Languages::codes().join(QLatin1String("|")));
    }
}

int findOption(const QString &name)
{
    for (int option = 0; option < OptionCount; ++option) {
        const char shortName = Options[option].shortName;
        if (name == QLatin1String(Options[option].longName)
            || (shortName && name == QString(QLatin1Char(shortName))))
            return option;
    }
    return -1;
}

// WIDTHxHEIGHT in decimal digits, one to five each, from 320x240 to 3840x2160.
bool parseScreenSize(const QString &text, QSize *size)
{
    const int x = text.indexOf(QLatin1Char('x'));
    const QString parts[] = {text.left(x), text.mid(x + 1)};
    for (const QString &part : parts) {
        if (x < 0 || part.isEmpty() || part.size() > 5)
            return false;
        for (const QChar c : part) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        }
    }
    *size = QSize(parts[0].toInt(), parts[1].toInt());
    return size->width() >= 320 && size->height() >= 240 && size->width() <= 3840
        && size->height() <= 2160;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QString values[OptionCount];
    bool given[OptionCount] = {};
    QStringList unknown, positional;
    QString malformed;
    bool optionsEnded = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || argument == QLatin1String("-")
            || !argument.startsWith(QLatin1Char('-'))) {
            positional.append(argument);
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const int assign = argument.indexOf(QLatin1Char('='));
        QStringList names;
        if (argument.startsWith(QLatin1String("--"))) {
            names.append(argument.mid(2, assign < 0 ? -1 : assign - 2));
        } else {
            // Short options written together; an "=" ends them.
            for (int pos = 1; pos < argument.size() && argument.at(pos) != QLatin1Char('='); ++pos)
                names.append(argument.mid(pos, 1));
        }
        const QString written = assign < 0 ? argument : argument.left(assign);
        for (const QString &name : names) {
            const int option = findOption(name);
            if (option < 0) {
                unknown.append(name);
                continue;
            }
            given[option] = true;
            if (!Options[option].valueName) {
                if (assign >= 0)
                    malformed = QString::fromLatin1("Unexpected value after '%1'.").arg(written);
            } else if (assign >= 0) {
                values[option] = argument.mid(assign + 1);
            } else if (i + 1 < arguments.size()) {
                values[option] = arguments.at(++i);
            } else {
                malformed = QString::fromLatin1("Missing value after '%1'.").arg(written);
            }
        }
    }
    if (malformed.isEmpty() && unknown.size() == 1)
        malformed = QString::fromLatin1("Unknown option '%1'.").arg(unknown.first());
    else if (malformed.isEmpty() && !unknown.isEmpty())
        malformed
            = QString::fromLatin1("Unknown options: %1.").arg(unknown.join(QLatin1String(", ")));

    CommandLine line;
    line.pluginPath = given[Plugin] ? values[Plugin] : PluginLoader::defaultPath();
    line.language = given[Language] ? values[Language] : QString::fromLatin1("en");
    line.screenshotFolder = values[Screenshots];
    const QString screenSize
        = given[ScreenSize] ? values[ScreenSize] : QString::fromLatin1("640x480");
    if (!malformed.isEmpty())
        line.error = malformed + QLatin1Char('\n')
            + QCoreApplication::translate("main", "Try 'e1-launcher --help' for the options.");
    else if (given[Help])
        line.request = CommandLine::ShowHelp;
    else if (given[Version])
        line.request = CommandLine::ShowVersion;
    else if (!positional.isEmpty())
        line.error = QCoreApplication::translate("main", "unexpected argument '%1'")
                         .arg(positional.first());
    else if (!parseScreenSize(screenSize, &line.screenSize))
        line.error
            = QCoreApplication::translate(
                  "main", "bad screen size '%1': give WIDTHxHEIGHT, from 320x240 to 3840x2160")
                  .arg(screenSize);
    else if (!Languages::codes().contains(line.language))
        line.error = QCoreApplication::translate("main", "unknown language '%1': give one of %2")
                         .arg(line.language, Languages::codes().join(QLatin1String(", ")));
    else if (given[Screenshots] && line.screenshotFolder.isEmpty())
        line.error = QCoreApplication::translate("main", "--screenshots needs a folder");
    else if (line.pluginPath.isEmpty())
        line.error = QCoreApplication::translate("main", "--plugin needs a path");
    return line;
}

QString commandLineHelp(const QString &program)
{
    const int nameWidth = 20;
    const int width = 79 - 2 - nameWidth - 1;
    QString text
        = QLatin1String("Usage: ") + program + QLatin1String(" [options]\n")
        + QCoreApplication::translate(
              "main",
              "Runs the E1 timeslot plug-in as the instrument's launcher does, over a simulated E1 "
              "card.")
        + QLatin1String("\n\nOptions:\n");
    for (int option = 0; option < OptionCount; ++option) {
        // The description broken at blanks into lines of at most width characters, one more
        // after the first, as Qt's own help texts do.
        QStringList lines;
        QString line;
        for (const QString &word : description(option).split(QLatin1Char(' '))) {
            if (!line.isEmpty() && line.size() + 1 + word.size() > width + !lines.isEmpty()) {
                lines.append(line);
                line.clear();
            }
            line += (line.isEmpty() ? QString() : QString(QLatin1Char(' '))) + word;
            while (line.size() > width + !lines.isEmpty()) {
                lines.append(line.left(width + !lines.isEmpty()));
                line.remove(0, lines.last().size());
            }
        }
        lines.append(line);
        QString names = QLatin1String(Options[option].names);
        for (const QString &each : lines) {
            text += QLatin1String("  ") + names.leftJustified(nameWidth) + QLatin1Char(' ') + each
                + QLatin1Char('\n');
            names.clear();
        }
    }
    return text;
}
