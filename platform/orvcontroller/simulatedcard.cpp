// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulatedcard.h"

#include "cardcontroller.h"
#include "cardcontroller_p.h"
#include "dataproxy.h"
#include "dataproxy_p.h"
#include "launcherplugin.h"
#include "launcherplugin_p.h"
#include "simulatedcard_p.h"

#include <utility>

namespace {

const char *const VfSignalFeed = "vfsignal";
const int LiveInterval = 250;
const quint32 DefaultSeed = 1;

// Every card that exists, oldest first; the newest of a name is the registered one.
QList<SimulatedCard *> &registry()
{
    static QList<SimulatedCard *> cards;
    return cards;
}

} // namespace

SimulatedCardPrivate::SimulatedCardPrivate(SimulatedCard *card, const QString &cardName)
    : q(card)
    , name(cardName)
{
    restoreFactorySettings();
    generator.seed(DefaultSeed);
    liveTimer.setInterval(LiveInterval);
}

void SimulatedCardPrivate::bind(LauncherPluginPrivate *plugin)
{
    SimulatedCard *card = SimulatedCard::find(plugin->cardName);
    if (!card) {
        card = new SimulatedCard(plugin->cardName);
        card->d->frameworkOwned = true;
    }
    plugin->card = card;
    card->d->plugins.append(plugin);
}

void SimulatedCardPrivate::unbind(LauncherPluginPrivate *plugin)
{
    SimulatedCard *card = plugin->card;
    if (!card)
        return;
    plugin->card = nullptr;
    card->d->plugins.removeOne(plugin);
    if (card->d->frameworkOwned && card->d->plugins.isEmpty())
        delete card;
}

DataProxy *SimulatedCardPrivate::openProxy(const QString &feed)
{
    if (!CardRules::feedNames().contains(feed))
        return nullptr;
    auto *proxy = new DataProxy(feed);
    DataProxyPrivate *proxyData = DataProxyPrivate::get(proxy);
    proxyData->card = q;
    proxyData->running = running.contains(feed);
    proxyData->data = data.value(feed);
    proxies.append(proxy);
    Q_EMIT q->feedOpened(feed);
    return proxy;
}

void SimulatedCardPrivate::closeProxy(DataProxy *proxy)
{
    proxies.removeOne(proxy);
    DataProxyPrivate::get(proxy)->card = nullptr;
}

QVariantMap SimulatedCardPrivate::dataSet(const QString &name) const
{
    for (const QString &feed : CardRules::feedNames()) {
        if (feed.toUpper() == name)
            return data.value(feed);
    }
    return QVariantMap();
}

void SimulatedCardPrivate::restoreFactorySettings()
{
    // Every reset returns to them: their map is formed once.
    static const QVariantMap factory = [] {
        QVariantMap map;
        const CardConfiguration defaults = CardRules::factoryDefaults();
        for (auto it = defaults.constBegin(); it != defaults.constEnd(); ++it)
            map.insert(it.key(), it.value());
        return map;
    }();
    configuration = CardRules::factoryDefaults();
    configurationMap = factory;
    masksCurrent = false;
}

void SimulatedCardPrivate::setValue(const QString &key, const QString &value)
{
    configuration.insert(key, value);
    configurationMap.insert(key, value);
    masksCurrent = false;
}

bool SimulatedCardPrivate::removeValue(const QString &key)
{
    if (!configuration.remove(key))
        return false;
    configurationMap.remove(key);
    masksCurrent = false;
    return true;
}

void SimulatedCardPrivate::applyChanges(const CardConfiguration &changes)
{
    for (auto it = changes.constBegin(); it != changes.constEnd(); ++it) {
        setValue(it.key(), it.value());
        if (it.key() == QLatin1String("vfsource"))
            setValue(QStringLiteral("voice-transmit"), CardRules::voiceTransmitFor(it.value()));
    }
}

void SimulatedCardPrivate::formMasks() const
{
    if (masksCurrent)
        return;
    maskMap = CardRules::derivedMasks(configuration);
    for (auto it = maskOverrides.constBegin(); it != maskOverrides.constEnd(); ++it)
        maskMap.insert(it.key(), it.value());
    masksCurrent = true;
}

void SimulatedCardPrivate::scheduleNotification()
{
    if (notificationPending)
        return;
    notificationPending = true;
    QMetaObject::invokeMethod(q, "deliverNotification", Qt::QueuedConnection);
}

void SimulatedCardPrivate::deliverNotification()
{
    if (!notificationPending)
        return;
    notificationPending = false;
    if (live && configuration.value(QStringLiteral("structure")) == QLatin1String("unstr")) {
        QPointer<SimulatedCard> card(q);
        q->setLiveSignal(false);
        if (!card)
            return;
    }
    const QVariantMap current = q->configuration();
    const QVariantMap masks = q->masks();
    const bool masksChanged = masks != deliveredMasks;
    deliveredMasks = masks;

    QPointer<SimulatedCard> card(q);
    const bool cardLives = notifyPlugins([&](LauncherPlugin *plugin) {
        QVariantMap map = current;
        plugin->configUpdated(map);
        // The plug-in may have been deleted or unbound by its own update.
        if (masksChanged && card && card->d->isBound(plugin))
            plugin->updateMask();
    });
    if (!cardLives)
        return;
    CardController *cardController = controller;
    // Signals are the sender's own in Qt 4: a call by name reaches them from here.
    QMetaObject::invokeMethod(cardController, "configurationChanged");
    if (card)
        emit card->configurationChanged();
}

bool SimulatedCardPrivate::isBound(const LauncherPlugin *plugin) const
{
    if (!plugin)
        return false;
    for (const LauncherPluginPrivate *bound : plugins) {
        if (bound->q == plugin)
            return true;
    }
    return false;
}

bool SimulatedCardPrivate::notifyPlugins(const std::function<void(LauncherPlugin *)> &call)
{
    QPointer<SimulatedCard> card(q);
    QList<QPointer<LauncherPlugin>> targets;
    for (LauncherPluginPrivate *plugin : plugins)
        targets.append(plugin->q);
    for (const QPointer<LauncherPlugin> &plugin : targets) {
        if (!card)
            return false;
        // Skip plug-ins deleted or unbound by an earlier call.
        if (isBound(plugin))
            call(plugin);
    }
    return !card.isNull();
}

void SimulatedCardPrivate::setRunning(QString feed, bool run)
{
    if (!CardRules::feedNames().contains(feed) || running.contains(feed) == run)
        return;
    if (run)
        running.insert(feed);
    else
        running.remove(feed);
    for (DataProxy *proxy : std::as_const(proxies)) {
        if (proxy->measName() == feed)
            DataProxyPrivate::get(proxy)->running = run;
    }
    QPointer<SimulatedCard> card(q);
    const bool cardLives = notifyPlugins([&](LauncherPlugin *plugin) {
        if (run)
            plugin->started(feed);
        else
            plugin->stopped(feed);
    });
    if (cardLives)
        emit card->measurementChanged(feed, run);
}

// The receiver runs "vfsignal" while it has a voice timeslot to listen to.
void SimulatedCardPrivate::liveTick()
{
    const QString feed = QLatin1String(VfSignalFeed);
    const int slot = CardRules::voiceSlot(QStringLiteral("rx"), configuration);
    if (!slot) {
        if (liveStartedFeed) {
            liveStartedFeed = false;
            setRunning(feed, false);
        }
        return;
    }
    QPointer<SimulatedCard> card(q);
    if (!running.contains(feed)) {
        liveStartedFeed = true;
        setRunning(feed, true);
        if (!card)
            return;
    }
    q->publishData(feed, generator.next(configuration, slot));
}

SimulatedCard::SimulatedCard(const QString &name, QObject *parent)
    : QObject(parent)
    , d(new SimulatedCardPrivate(this, name))
{
    auto *controllerData = new CardControllerPrivate;
    controllerData->cardName = name;
    controllerData->card = this;
    d->controller = new CardController(controllerData);
    d->deliveredMasks = masks();
    Compat::connect(&d->liveTimer, SIGNAL(timeout()), this, [this] { d->liveTick(); });
    registry().append(this);
}

SimulatedCard::~SimulatedCard()
{
    registry().removeOne(this);
    for (LauncherPluginPrivate *plugin : std::as_const(d->plugins))
        plugin->card = nullptr;
    for (DataProxy *proxy : std::as_const(d->proxies))
        DataProxyPrivate::get(proxy)->card = nullptr;
    delete d->controller;
    delete d;
}

SimulatedCard *SimulatedCard::find(const QString &name)
{
    const QList<SimulatedCard *> &cards = registry();
    for (int i = cards.size() - 1; i >= 0; --i) {
        if (cards.at(i)->d->name == name)
            return cards.at(i);
    }
    return nullptr;
}

QStringList SimulatedCard::feedNames()
{
    return CardRules::feedNames();
}

QStringList SimulatedCard::structures()
{
    return CardRules::structures();
}

QString SimulatedCard::name() const
{
    return d->name;
}

CardController *SimulatedCard::controller() const
{
    return d->controller;
}

int SimulatedCard::pluginCount() const
{
    return d->plugins.size();
}

bool SimulatedCard::notificationPending() const
{
    return d->notificationPending;
}

QString SimulatedCard::configValue(const QString &key, const QString &def) const
{
    return d->configuration.value(key, def);
}

QVariantMap SimulatedCard::configuration() const
{
    return d->configurationMap;
}

void SimulatedCard::setConfigValue(const QString &key, const QString &value)
{
    if (d->configuration.contains(key) && d->configuration.value(key) == value)
        return;
    CardConfiguration change;
    change.insert(key, value);
    d->applyChanges(change);
    d->scheduleNotification();
}

void SimulatedCard::removeConfigValue(const QString &key)
{
    if (!d->removeValue(key))
        return;
    if (key == QLatin1String("vfsource"))
        d->setValue(QStringLiteral("voice-transmit"), CardRules::voiceTransmitFor(QString()));
    d->scheduleNotification();
}

QString SimulatedCard::maskValue(const QString &key, const QString &def) const
{
    d->formMasks();
    const auto mask = d->maskMap.constFind(key);
    return mask != d->maskMap.constEnd() ? mask.value().toString() : def;
}

QStringList SimulatedCard::maskKeys() const
{
    QStringList keys = CardRules::derivedMaskKeys();
    for (auto it = d->maskOverrides.constBegin(); it != d->maskOverrides.constEnd(); ++it) {
        if (!keys.contains(it.key()))
            keys.append(it.key());
    }
    return keys;
}

QVariantMap SimulatedCard::masks() const
{
    d->formMasks();
    return d->maskMap;
}

void SimulatedCard::setMaskValue(const QString &key, const QString &value)
{
    const auto override = d->maskOverrides.constFind(key);
    if (override != d->maskOverrides.constEnd() && override.value() == value)
        return;
    d->maskOverrides.insert(key, value);
    d->masksCurrent = false;
    d->scheduleNotification();
}

void SimulatedCard::clearMaskOverride(const QString &key)
{
    if (!d->maskOverrides.remove(key))
        return;
    d->masksCurrent = false;
    d->scheduleNotification();
}

bool SimulatedCard::hasMaskOverride(const QString &key) const
{
    return d->maskOverrides.contains(key);
}

bool SimulatedCard::execute(const QString &command, QString *errorText)
{
    const QString text = command;
    d->log.append(text);
    CardRules::Outcome outcome;
    if (d->refusing) {
        d->refusing = false;
        outcome.errorText = d->refusalText;
        d->refusalText.clear();
    } else {
        outcome = CardRules::interpret(text, d->configuration);
        const QString masked = outcome.accepted
            ? CardRules::maskedItemRefusal(outcome.changes,
                                           [this](const QString &key) { return maskValue(key); })
            : QString();
        if (!masked.isEmpty()) {
            outcome.accepted = false;
            outcome.errorText = masked;
        }
    }
    if (outcome.accepted)
        d->applyChanges(outcome.changes);
    // Every command is answered with the configuration, so that a refused choice shows the
    // card's value again wherever a reader shows the user's choice.
    d->scheduleNotification();
    if (errorText)
        *errorText = outcome.errorText;
    emit commandExecuted(text, !outcome.accepted, outcome.errorText);
    return outcome.accepted;
}

QStringList SimulatedCard::commandLog() const
{
    return d->log;
}

void SimulatedCard::clearCommandLog()
{
    d->log.clear();
}

void SimulatedCard::refuseNext(const QString &errorText)
{
    d->refusing = true;
    d->refusalText = errorText;
}

void SimulatedCard::setDataProxyFailure(bool fail)
{
    d->proxyFailure = fail;
}

bool SimulatedCard::dataProxyFailure() const
{
    return d->proxyFailure;
}

void SimulatedCard::startMeasurement(const QString &name)
{
    d->setRunning(name, true);
}

void SimulatedCard::stopMeasurement(const QString &name)
{
    d->setRunning(name, false);
}

bool SimulatedCard::isRunning(const QString &name) const
{
    return d->running.contains(name);
}

void SimulatedCard::publishData(const QString &feed, const QVariantMap &data)
{
    if (!CardRules::feedNames().contains(feed))
        return;
    const QString feedName = feed;
    const QVariantMap published = data;
    d->data.insert(feedName, published);

    QList<QPointer<DataProxy>> readers;
    for (DataProxy *proxy : std::as_const(d->proxies)) {
        if (proxy->measName() == feedName) {
            DataProxyPrivate::get(proxy)->data = published;
            readers.append(proxy);
        }
    }
    QPointer<SimulatedCard> card(this);
    for (const QPointer<DataProxy> &proxy : std::as_const(readers)) {
        if (!proxy)
            continue;
        QVariantMap map = published;
        QMetaObject::invokeMethod(proxy.data(), "updated", Q_ARG(QVariantMap &, map),
                                  Q_ARG(QString, feedName));
    }
    if (!card)
        return;
    const QString dataSet = feedName.toUpper();
    const bool cardLives = d->notifyPlugins([&](LauncherPlugin *plugin) {
        QVariantMap map = published;
        plugin->updated(map, dataSet);
    });
    if (cardLives)
        emit dataPublished(feedName, published);
}

QVariantMap SimulatedCard::latestData(const QString &feed) const
{
    return d->data.value(feed);
}

void SimulatedCard::setLiveSignal(bool on)
{
    if (d->live == on || (on && configValue(QStringLiteral("structure")) == QLatin1String("unstr")))
        return;
    d->live = on;
    QPointer<SimulatedCard> card(this);
    if (on) {
        d->liveTimer.start();
        d->liveTick();
    } else {
        d->liveTimer.stop();
        if (d->liveStartedFeed) {
            d->liveStartedFeed = false;
            d->setRunning(QLatin1String(VfSignalFeed), false);
        }
    }
    if (card)
        emit liveSignalChanged(on);
}

bool SimulatedCard::liveSignal() const
{
    return d->live;
}

int SimulatedCard::listeningSlot() const
{
    return CardRules::voiceSlot(QStringLiteral("rx"), d->configuration);
}

QString SimulatedCard::heardSource() const
{
    const int slot = listeningSlot();
    return slot ? CardRules::heardSource(d->configuration, slot) : QString();
}

void SimulatedCard::setRandomSeed(quint32 seed)
{
    d->generator.seed(seed);
}

void SimulatedCard::reset()
{
    QPointer<SimulatedCard> card(this);
    setLiveSignal(false);
    for (const QString &feed : CardRules::feedNames()) {
        if (!card)
            return;
        d->setRunning(feed, false);
    }
    if (!card)
        return;
    d->maskOverrides.clear();
    d->restoreFactorySettings();
    d->log.clear();
    d->refusing = false;
    d->refusalText.clear();
    d->proxyFailure = false;
    d->data.clear();
    for (DataProxy *proxy : std::as_const(d->proxies))
        DataProxyPrivate::get(proxy)->data.clear();
    d->generator.seed(DefaultSeed);
    d->scheduleNotification();
}

// The private slot needs the private class.
#include "moc_simulatedcard.cpp"
