// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class CardController;
class LauncherPlugin;
class SimulatedCard;

class LauncherPluginPrivate
{
public:
    LauncherPlugin *q = nullptr;
    QString cardName;
    //! The card the plug-in is bound to; cleared when the card goes.
    SimulatedCard *card = nullptr;
    //! Answers for a plug-in that outlived its card, so that controller() is never null.
    CardController *detachedController = nullptr;
};
