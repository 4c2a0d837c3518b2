// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cardrules.h"
#include "simulatedcard.h"
#include "vfsignalgenerator.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QVariantMap>

#include <functional>

class DataProxy;
class LauncherPlugin;
class LauncherPluginPrivate;

// The card's state and the framework's side of it: the plug-ins bound to the card and the
// proxies it feeds.
class SimulatedCardPrivate
{
public:
    explicit SimulatedCardPrivate(SimulatedCard *card, const QString &cardName);

    static SimulatedCardPrivate *get(SimulatedCard *card) { return card->d; }

    //! Binds \a plugin to the registered card of its name, creating one when there is none.
    static void bind(LauncherPluginPrivate *plugin);
    //! Unbinds \a plugin; a card the framework created goes with its last plug-in.
    static void unbind(LauncherPluginPrivate *plugin);

    //! A new proxy of \a feed fed by this card, or null for an unknown feed.
    DataProxy *openProxy(const QString &feed);
    void closeProxy(DataProxy *proxy);
    //! The latest map of the data set \a name (a feed name in upper case).
    QVariantMap dataSet(const QString &name) const;

    //! Sets the factory settings, or one value, or removes one, in both forms of the
    //! configuration.
    void restoreFactorySettings();
    void setValue(const QString &key, const QString &value);
    bool removeValue(const QString &key);
    void applyChanges(const CardConfiguration &changes);
    //! Forms maskMap again when the configuration or an override changed.
    void formMasks() const;
    void scheduleNotification();
    void deliverNotification();
    void setRunning(QString feed, bool run);
    void liveTick();

    bool isBound(const LauncherPlugin *plugin) const;
    //! Calls \a call on each bound plug-in; false when a call deleted the card.
    bool notifyPlugins(const std::function<void(LauncherPlugin *)> &call);

    SimulatedCard *q;
    QString name;
    CardController *controller = nullptr;
    bool frameworkOwned = false;

    CardConfiguration configuration;
    // The configuration as readers get it, and every mask: every notification, and a plug-in
    // for each of its widgets, asks for them. The masks are formed again only when asked for
    // after a change.
    QVariantMap configurationMap;
    mutable QVariantMap maskMap;
    mutable bool masksCurrent = false;
    QMap<QString, QString> maskOverrides;
    QVariantMap deliveredMasks;
    bool notificationPending = false;

    QStringList log;
    bool refusing = false;
    QString refusalText;
    bool proxyFailure = false;

    QSet<QString> running;
    QMap<QString, QVariantMap> data;
    QList<DataProxy *> proxies;
    QList<LauncherPluginPrivate *> plugins;

    QTimer liveTimer;
    bool live = false;
    bool liveStartedFeed = false;
    VfSignalGenerator generator;
};
