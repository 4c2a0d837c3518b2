// SPDX-License-Identifier: GPL-3.0-or-later
#include "dataproxy.h"

#include "dataproxy_p.h"
#include "simulatedcard_p.h"

DataProxy::DataProxy(const QString &measName, QObject *parent)
    : QObject(parent)
    , d(new DataProxyPrivate)
{
    d->measName = measName;
}

DataProxy::~DataProxy()
{
    if (d->card)
        SimulatedCardPrivate::get(d->card)->closeProxy(this);
    delete d;
}

const QVariantMap &DataProxy::data() const
{
    return d->data;
}

bool DataProxy::running() const
{
    return d->running;
}

QString DataProxy::measName() const
{
    return d->measName;
}
