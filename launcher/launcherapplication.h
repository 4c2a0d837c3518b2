// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QPointer>

class QMessageBox;

/*!
 * The launcher's application object. The launcher survives its plug-in: an exception that
 * escapes plug-in code, from an event handler or from a call the launcher makes, abandons only
 * what it was doing. The user is told in one message what failed; the card, its configuration
 * and its command log stay as they are, and the launcher goes on running.
 */
class LauncherApplication : public QApplication
{
    Q_OBJECT

public:
    LauncherApplication(int &argc, char **argv);

    //! Delivers \a event as QApplication does; an exception from its handlers is reported.
    bool notify(QObject *receiver, QEvent *event) override;

    //! Runs \a call, a call into the plug-in; an exception from it is reported as a failure of
    //! \a what. Returns whether the call returned normally.
    template<class Call>
    static bool guard(const QString &what, Call call)
    {
        try {
            call();
            return true;
        } catch (...) {
            reportFailure(what, currentException());
        }
        return false;
    }

    //! What the exception being handled says. Call only inside a catch block.
    static QString currentException();

    /*!
     * Tells the user that \a what failed because of \a cause: on the standard error, and in a
     * message window of the launcher's main window when there is one. The message does not
     * wait for the user; a further failure while it is shown replaces its text.
     */
    static void reportFailure(const QString &what, const QString &cause);

    //! The message window shown for the last failure; null when none is open.
    static QMessageBox *failureMessage();
};
