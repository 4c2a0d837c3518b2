// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTableWidgetItem;
class QTreeWidget;
class QTreeWidgetItem;
class SimulatedCard;

/*!
 * The desktop's stand-in for the instrument itself: sets the simulated card's line structure,
 * starts and stops its measurements and its live voice-frequency signal, makes it refuse a
 * command or fail to open feeds, edits its configuration and masks, and logs every command it
 * receives. Whatever is changed here reaches the plug-in as the instrument's changes do, through
 * the card's notifications.
 *
 * While the live signal is on, a line under it tells what the receive voice timeslot hears on
 * the looped-back line. The log keeps its entries, across a reset too, until the user clears
 * it; each entry's tooltip holds the whole command and result, and a double click copies the
 * entry to the clipboard.
 */
class CardPanel : public QWidget
{
    Q_OBJECT

public:
    explicit CardPanel(SimulatedCard &card, QWidget *parent = nullptr);
    ~CardPanel() override;

    //! Sends "structure VALUE" to the card, as the instrument's line setup does.
    void setStructure(const QString &structure);
    //! Runs \a command on the card; the log shows the outcome.
    void sendCommand(const QString &command);

public Q_SLOTS:
    //! Factory settings and every measurement stopped; the log notes the reset.
    void resetCard();

protected:
    void changeEvent(QEvent *event) override;

private Q_SLOTS:
    void refreshMeasurements();
    void refreshLiveSignal();
    void noteFailedFeed(const QString &feed);
    void copyLogEntry(QTreeWidgetItem *entry);
    void clearLog();

private:
    void retranslate();
    QWidget *createLineGroup();
    QWidget *createMeasurementGroup();
    QWidget *createFaultGroup();
    QWidget *createLogPage();
    QWidget *createConfigurationPage();
    QWidget *createMaskPage();

private Q_SLOTS:
    void refresh();
    void refreshStructure();
    void refreshConfiguration();
    void refreshMasks();
    void refreshRefusal();
    void appendLogEntry(const QString &text, bool refused, const QString &errorText);
    QTreeWidgetItem *newLogEntry(const QString &command, const QString &result);
    void addLogEntry(QTreeWidgetItem *entry);
    void orderTabs();
    void configurationEdited(QTableWidgetItem *item);
    void maskEdited(QTableWidgetItem *item);
    void clearSelectedOverrides();
    void removeSelectedValues();
    void armRefusal();

private:
    SimulatedCard &card;
    QLabel *title = nullptr;
    QTabWidget *tabs = nullptr;
    QPushButton *resetButton = nullptr;
    QGroupBox *lineGroup = nullptr;
    QLabel *structureLabel = nullptr;
    QGroupBox *measurementGroup = nullptr;
    QGroupBox *faultGroup = nullptr;
    QPushButton *clearLogButton = nullptr;
    QAction *removeValueAction = nullptr;
    QLabel *configurationHint = nullptr;
    QLabel *maskHint = nullptr;
    QPushButton *clearOverrideButton = nullptr;
    QComboBox *structure = nullptr;
    QList<QCheckBox *> measurements;
    QCheckBox *liveSignal = nullptr;
    QLabel *loopback = nullptr;
    QCheckBox *proxyFailure = nullptr;
    QLineEdit *refusalText = nullptr;
    QPushButton *refuseNext = nullptr;
    QLabel *refusalState = nullptr;
    QTreeWidget *log = nullptr;
    QLineEdit *commandLine = nullptr;
    QTableWidget *configTable = nullptr;
    QTableWidget *maskTable = nullptr;
    bool refusalArmed = false;
    bool refreshing = false;
    int logCount = 0;
};
