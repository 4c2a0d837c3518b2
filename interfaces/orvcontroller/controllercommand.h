// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "genericerror.h"

/*!
 * One text command for the card controller, handed to LauncherPlugin::doConfigure(). After the
 * call the GenericError members tell whether the controller refused it, and why.
 *
 * The flag asks for a checked command: the framework waits for the controller's answer and
 * reports a refusal. An unchecked command is sent and forgotten.
 */
class ControllerCommand : public GenericError
{
public:
    ControllerCommand(const QString &text, bool checked);
    ~ControllerCommand();

    QString text() const { return commandText; }
    bool isChecked() const { return checkedFlag; }

private:
    QString commandText;
    bool checkedFlag;
};
