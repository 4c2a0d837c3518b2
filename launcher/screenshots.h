// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QPixmap>
#include <QString>
#include <QStringList>

class LauncherWindow;
class SimulatedCard;
class QWidget;

/*!
 * Renders the launcher and the plug-in's screens into PNG files: the whole launcher, the
 * timeslot window in its receive and transmit views, the voice and PRBS dialogs, the voice
 * warning, the launcher button and the status item. The plug-in is driven as a user would drive
 * it: its buttons are pressed and its panels report their choices.
 */
class Screenshots
{
    Q_DECLARE_TR_FUNCTIONS(Screenshots)

public:
    Screenshots(LauncherWindow &launcher, SimulatedCard &card);

    //! The file names render() writes, in the order it writes them.
    static QStringList fileNames();

    //! Writes every picture into \a directory (created when missing). Returns false when one
    //! could not be taken or written; errors() then says which and why.
    bool render(const QString &directory);

    QStringList writtenFiles() const { return written; }
    QStringList errors() const { return problems; }

private:
    void save(const QString &name, const QPixmap &picture, const QString &why = QString());
    void fail(const QString &name, const QString &why);
    QPixmap grabPopup(QWidget *window, const char *buttonName, const char *className, QString *why);
    QPixmap grabVoiceWarning(QWidget *window, QString *why);

    LauncherWindow &launcher;
    SimulatedCard &card;
    QString directory;
    QStringList written;
    QStringList problems;
    bool writeFailed = false;
};
