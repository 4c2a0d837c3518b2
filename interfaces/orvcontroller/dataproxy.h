// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

class DataProxyPrivate;

/*!
 * A reader's end of one measurement feed ("base", "vfsignal", "jitter", "jtf" or "mtj").
 *
 * The proxy reports whether its measurement runs and holds the latest data map the measurement
 * published; each new map is announced with updated(). Proxies are handed out by the card
 * controller and owned by whoever asked for them. Everything happens on the GUI thread, so
 * updated() is always delivered directly.
 */
class DataProxy : public QObject
{
    Q_OBJECT

public:
    explicit DataProxy(const QString &measName, QObject *parent = 0);
    ~DataProxy();

    //! The latest data map of the measurement; empty until the first publication.
    const QVariantMap &data() const;
    //! Whether the measurement is running.
    bool running() const;
    //! The measurement name the feed was opened under.
    QString measName() const;

Q_SIGNALS:
    //! New data arrived; \a name is the measurement name.
    void updated(QVariantMap &data, QString name);

private:
    friend class DataProxyPrivate;
    DataProxyPrivate *d;
};
