// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class SimulatedCard;

class CardControllerPrivate
{
public:
    QString cardName;
    //! Null for the stand-in controller of a plug-in whose card is gone.
    SimulatedCard *card = nullptr;
};
