// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

/*!
 * The outcome of an operation of the host framework. An operation that fails sets \c error and
 * puts the controller's reason into \c errorText; a successful one leaves both cleared.
 */
class GenericError
{
public:
    GenericError();
    virtual ~GenericError();

    //! Marks the operation as failed with \a text as the reason.
    void setError(const QString &text);
    //! Marks the operation as successful.
    void clearError();

    bool error;
    QString errorText;
};
