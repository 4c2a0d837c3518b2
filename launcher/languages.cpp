// SPDX-License-Identifier: GPL-3.0-or-later
#include "languages.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <utility>

namespace {

const char *const English = "en";
const char *const German = "de";

// The catalogues embedded in the plug-in, the widget library and the launcher.
const char *const EmbeddedFolder = ":/i18n";
const char *const EmbeddedCatalogues[] = {"timeslots", "orvplatform", "e1launcher"};

QString qtTranslationsPath()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

} // namespace

// Outside any namespace, as the resource's registration function is.
static void initLauncherCatalogue()
{
#ifdef E1_TRANSLATIONS_EMBEDDED
    // The launcher's catalogue sits in a static library, whose resources register on request.
    Q_INIT_RESOURCE(e1launcher_i18n);
#endif
}

Languages::Languages(QObject *parent)
    : QObject(parent)
    , language(QLatin1String(English))
{
    initLauncherCatalogue();
}

Languages::~Languages()
{
    removeTranslators();
}

QStringList Languages::codes()
{
    return QStringList() << QLatin1String(English) << QLatin1String(German);
}

QString Languages::nativeName(const QString &code)
{
    // Each language by its own name, so that whoever reads only one of them finds it.
    if (code == QLatin1String(German))
        return QStringLiteral("Deutsch");
    if (code == QLatin1String(English))
        return QStringLiteral("English");
    return code;
}

bool Languages::setLanguage(const QString &code)
{
    if (!codes().contains(code))
        return false;
    removeTranslators();
    if (code != QLatin1String(English)) {
        for (const char *name : EmbeddedCatalogues)
            installTranslator(QLatin1String(name) + QLatin1Char('_') + code,
                              QLatin1String(EmbeddedFolder));
        installTranslator(QLatin1String("qtbase_") + code, qtTranslationsPath());
    }
    const bool changed = code != language;
    language = code;
    if (changed)
        emit languageChanged(language);
    return true;
}

void Languages::removeTranslators()
{
    for (QTranslator *translator : std::as_const(translators)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    translators.clear();
    catalogues.clear();
}

void Languages::installTranslator(const QString &name, const QString &folder)
{
    // A catalogue that is not there (no plug-in loaded, Qt's own not installed) is left out.
    auto *translator = new QTranslator;
    if (!translator->load(name, folder)) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    translators.append(translator);
    catalogues.append(name + QLatin1String(".qm"));
}
