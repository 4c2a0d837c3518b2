// SPDX-License-Identifier: GPL-3.0-or-later
#include "genericerror.h"

GenericError::GenericError()
    : error(false)
{ }

GenericError::~GenericError() = default;

void GenericError::setError(const QString &text)
{
    error = true;
    errorText = text;
}

void GenericError::clearError()
{
    error = false;
    errorText.clear();
}
