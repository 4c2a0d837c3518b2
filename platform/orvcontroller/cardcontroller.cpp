// SPDX-License-Identifier: GPL-3.0-or-later
#include "cardcontroller.h"

#include "cardcontroller_p.h"
#include "simulatedcard.h"
#include "simulatedcard_p.h"

CardController::CardController(CardControllerPrivate *d, QObject *parent)
    : QObject(parent)
    , d(d)
{ }

CardController::~CardController()
{
    delete d;
}

QString CardController::cardName() const
{
    return d->cardName;
}

QString CardController::configValue(QString key, QString def) const
{
    return d->card ? d->card->configValue(key, def) : def;
}

void CardController::doConfigure(QString text)
{
    // Sent and forgotten: the outcome shows only in the next notification.
    if (d->card)
        d->card->execute(text);
}

DataProxy *CardController::dataProxy(QString name, MeasProcessor *processor)
{
    Q_UNUSED(processor)
    if (!d->card)
        return nullptr;
    SimulatedCardPrivate *card = SimulatedCardPrivate::get(d->card);
    if (card->proxyFailure) {
        // Signals are the sender's own in Qt 4: a call by name reaches them from here.
        QMetaObject::invokeMethod(d->card, "feedFailed", Q_ARG(QString, name));
        return nullptr;
    }
    return card->openProxy(name);
}
