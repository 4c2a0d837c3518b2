// SPDX-License-Identifier: GPL-3.0-or-later
#include "launcherplugin.h"

#include "cardcontroller.h"
#include "cardcontroller_p.h"
#include "controllercommand.h"
#include "dataproxy.h"
#include "launcherplugin_p.h"
#include "simulatedcard.h"
#include "simulatedcard_p.h"

LauncherWidgetProvider::~LauncherWidgetProvider() = default;

MeasurementListener::~MeasurementListener() = default;

LauncherPlugin::LauncherPlugin(QString cardName)
    : d(new LauncherPluginPrivate)
{
    d->q = this;
    d->cardName = cardName;
    SimulatedCardPrivate::bind(d);
}

LauncherPlugin::~LauncherPlugin()
{
    qDeleteAll(dataProxies);
    dataProxies.clear();
    SimulatedCardPrivate::unbind(d);
    delete d->detachedController;
    delete d;
}

QString LauncherPlugin::cardName() const
{
    return d->cardName;
}

void LauncherPlugin::createDataProxy(QString const &name)
{
    // One proxy per feed; opening a feed again keeps the proxy it has.
    if (!d->card || dataProxies.contains(name))
        return;
    if (DataProxy *proxy = SimulatedCardPrivate::get(d->card)->openProxy(name))
        dataProxies.insert(name, proxy);
}

QString LauncherPlugin::configValue(QString const &key, QString const &def) const
{
    return d->card ? d->card->configValue(key, def) : def;
}

QString LauncherPlugin::maskValue(QString const &key, QString const &def) const
{
    return d->card ? d->card->maskValue(key, def) : def;
}

QVariantMap LauncherPlugin::data(QString const &name) const
{
    return d->card ? SimulatedCardPrivate::get(d->card)->dataSet(name) : QVariantMap();
}

CardController *LauncherPlugin::controller() const
{
    if (d->card)
        return d->card->controller();
    if (!d->detachedController) {
        auto *controllerData = new CardControllerPrivate;
        controllerData->cardName = d->cardName;
        d->detachedController = new CardController(controllerData);
    }
    return d->detachedController;
}

void LauncherPlugin::doConfigure(ControllerCommand &command)
{
    QString errorText;
    bool accepted = false;
    if (d->card)
        accepted = d->card->execute(command.text(), &errorText);
    else
        errorText = QStringLiteral("the card is not present");
    // An unchecked command is sent and forgotten: its outcome is not reported.
    if (accepted || !command.isChecked())
        command.clearError();
    else
        command.setError(errorText);
}

void LauncherPlugin::buttonClicked()
{
    emit windowRequested();
}

void LauncherPlugin::configUpdated(QVariantMap &) { }

void LauncherPlugin::updateMask() { }

void LauncherPlugin::started(QString) { }

void LauncherPlugin::stopped(QString) { }

void LauncherPlugin::updated(QVariantMap &, QString) { }

QWidget *LauncherPlugin::button()
{
    return nullptr;
}

QWidget *LauncherPlugin::window()
{
    return nullptr;
}

QWidget *LauncherPlugin::statusPanelItem()
{
    return nullptr;
}
