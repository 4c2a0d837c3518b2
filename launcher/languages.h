// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

class QTranslator;

/*!
 * The launcher's language: English, the language the texts are written in, or German. Choosing
 * German installs the translations of the plug-in, the platform libraries, the launcher and Qt's
 * own texts (when Qt's German catalogue is installed on the machine); choosing English removes
 * them again. Qt then sends every widget a LanguageChange event, so open windows, the plug-in's
 * among them, follow at once.
 *
 * The plug-in's catalogue lives in the plug-in library: choose the language again after loading a
 * plug-in, and destroy this object (or choose English) before unloading it.
 */
class Languages : public QObject
{
    Q_OBJECT

public:
    explicit Languages(QObject *parent = nullptr);
    ~Languages() override;

    //! The languages offered: "en" and "de".
    static QStringList codes();
    //! The name of a language in that language ("English", "Deutsch").
    static QString nativeName(const QString &code);

    //! The language chosen last; "en" at first.
    QString current() const { return language; }
    //! Switches to \a code; false, and nothing changes, for a language not offered.
    bool setLanguage(const QString &code);
    //! The catalogues installed for the current language, by file name.
    QStringList installedCatalogues() const { return catalogues; }

Q_SIGNALS:
    void languageChanged(const QString &code);

private:
    void removeTranslators();
    void installTranslator(const QString &name, const QString &folder);

    QList<QTranslator *> translators;
    QStringList catalogues;
    QString language;
};
