// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class DataProxy;
class MeasProcessor;
class CardControllerPrivate;

/*!
 * The controller of one measurement card. It holds the card's configuration, takes text
 * commands and hands out the card's measurement feeds.
 */
class CardController : public QObject
{
    Q_OBJECT

public:
    explicit CardController(CardControllerPrivate *d, QObject *parent = 0);
    ~CardController();

    //! The name of the card ("e1").
    QString cardName() const;

    //! The configuration value of \a key, or \a def when the key holds none.
    QString configValue(QString key, QString def) const;

    //! Sends one text command. The outcome is not reported; a refused command changes nothing.
    void doConfigure(QString text);

    /*!
     * A new reader of the measurement feed \a name, owned by the caller. \a processor may be
     * null. Returns null when the card has no feed of that name or cannot open another one.
     */
    DataProxy *dataProxy(QString name, MeasProcessor *processor);

Q_SIGNALS:
    //! The configuration changed; delivered through the event loop, never from a command call.
    void configurationChanged();

private:
    CardControllerPrivate *d;
};
