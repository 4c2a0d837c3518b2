// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QObject>
#include <QString>
#include <QVariantMap>

class CardController;
class ControllerCommand;
class DataProxy;
class QWidget;
class LauncherPluginPrivate;

/*!
 * The widgets a plug-in gives the launcher: the entry button, the main window and the item for
 * the status panel. Each may be built on first request.
 */
class LauncherWidgetProvider
{
public:
    virtual ~LauncherWidgetProvider();
    virtual QWidget *button() = 0;
    virtual QWidget *window() = 0;
    virtual QWidget *statusPanelItem() = 0;
};

/*!
 * What a plug-in hears of the card's measurements: a measurement started or stopped, and new
 * data of a data set.
 */
class MeasurementListener
{
public:
    virtual ~MeasurementListener();
    virtual void started(QString measName) = 0;
    virtual void stopped(QString measName) = 0;
    virtual void updated(QVariantMap &data, QString dataSet) = 0;
};

/*!
 * Base of every launcher plug-in. A plug-in is built for one card, named in the constructor,
 * and reaches that card's configuration, masks, commands and measurement feeds through this
 * class. The framework calls the virtual slots when the card's state changes; all calls run on
 * the GUI thread.
 */
class LauncherPlugin : public QObject, public LauncherWidgetProvider, public MeasurementListener
{
    Q_OBJECT

public:
    explicit LauncherPlugin(QString cardName);
    ~LauncherPlugin();

    //! The name of the card this plug-in was built for.
    QString cardName() const;

    //! Opens the measurement feed \a name; the proxy is kept in dataProxies.
    void createDataProxy(QString const &name);

    //! The configuration value of \a key, or \a def when the key holds none.
    QString configValue(QString const &key, QString const &def) const;
    //! The mask of \a key: empty while the item is available, else why it is not; \a def when
    //! the card knows no such mask.
    QString maskValue(QString const &key, QString const &def) const;
    //! A copy of the latest data map of the data set \a name ("VFSIGNAL").
    QVariantMap data(QString const &name) const;
    //! The card's controller; never null.
    CardController *controller() const;

    //! Executes \a command and returns when the controller has answered; a refusal is reported
    //! in the command's GenericError members.
    void doConfigure(ControllerCommand &command);

public Q_SLOTS:
    //! The plug-in's button was pressed: the framework asks the launcher to open the window.
    void buttonClicked();

    virtual void configUpdated(QVariantMap &configuration);
    virtual void updateMask();
    void started(QString measName);
    void stopped(QString measName);
    void updated(QVariantMap &data, QString dataSet);
    QWidget *button();
    QWidget *window();
    QWidget *statusPanelItem();

Q_SIGNALS:
    //! Emitted by buttonClicked(): the launcher shows window().
    void windowRequested();

protected:
    QMap<QString, DataProxy *> dataProxies;

private:
    LauncherPluginPrivate *d;
};
