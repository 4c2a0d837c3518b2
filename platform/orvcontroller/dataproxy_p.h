// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dataproxy.h"

class SimulatedCard;

class DataProxyPrivate
{
public:
    static DataProxyPrivate *get(DataProxy *proxy) { return proxy->d; }

    QString measName;
    QVariantMap data;
    bool running = false;
    //! The card that feeds the proxy; cleared when the card goes.
    SimulatedCard *card = nullptr;
};
