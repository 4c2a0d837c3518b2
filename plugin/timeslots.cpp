// SPDX-License-Identifier: GPL-3.0-or-later
#include "timeslots.h"

#include "mainbutton.h"
#include "mainwindow.h"
#include "vocabulary.h"

#include <cardcontroller.h>
#include <dataproxy.h>
#include <statuslabel.h>

using namespace Vocabulary;

TimeSlots::TimeSlots()
    : LauncherPlugin(QLatin1String(CardName))
{
    mainButton = 0;
    mainWindow = 0;
    statusItem = 0;

    foreach (const QString &feed, feedNames())
        createDataProxy(feed);
}

TimeSlots::~TimeSlots()
{
    delete mainButton;
    delete mainWindow;
    delete statusItem;
}

QWidget *TimeSlots::button()
{
    if (!mainButton) {
        mainButton = new MainButton(*this);
        mainButton->configUpdated();
    }
    return mainButton;
}

QWidget *TimeSlots::window()
{
    if (!mainWindow) {
        mainWindow = new MainWindow(*this);
        //: Title of the timeslot window.
        mainWindow->setWindowTitle(tr("Timeslots"));
        mainWindow->configUpdated();
        mainWindow->setEnabled(measStopped());
    }
    return mainWindow;
}

QWidget *TimeSlots::statusPanelItem()
{
    if (!statusItem) {
        statusItem = new StatusLabel;
        buildStatusLabel(true);
    }
    return statusItem;
}

bool TimeSlots::measStopped()
{
    // The voice-frequency measurement runs beside the others and never locks the window.
    foreach (const DataProxy *proxy, dataProxies) {
        if (proxy && proxy->measName() != QLatin1String(FeedVfSignal) && proxy->running())
            return false;
    }
    return true;
}

void TimeSlots::configUpdated(QVariantMap &)
{
    if (mainWindow && mainWindow->isVisible())
        mainWindow->configUpdated();
    if (mainButton && mainButton->isVisible())
        mainButton->configUpdated();
    buildStatusLabel(false);
}

void TimeSlots::stopped(QString measName)
{
    if (measName != QLatin1String(FeedVfSignal) && mainWindow)
        mainWindow->setEnabled(true);
}

void TimeSlots::started(QString measName)
{
    if (measName != QLatin1String(FeedVfSignal) && mainWindow)
        mainWindow->setEnabled(false);
}

void TimeSlots::updated(QVariantMap &, QString dataSet)
{
    if (dataSet == QLatin1String(DataSetVfSignal) && statusItem)
        buildStatusLabel(false);
}

bool TimeSlots::tsSelectedForVoice(QString direction)
{
    const CardController *card = controller();
    if (card->configValue(QLatin1String(KeyStructure), QString())
        == QLatin1String(StructureUnframed))
        return false;
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (card->configValue(timeslotKey(direction, slot), QString()) == QLatin1String(SlotVoice))
            return true;
    }
    return false;
}

int TimeSlots::countSlots(QString const &direction, QString const &value)
{
    int count = 0;
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        const QString key = timeslotKey(direction, slot);
        if (configValue(key, QString()) == value && maskValue(key, QString()).isEmpty())
            ++count;
    }
    return count;
}

void TimeSlots::prbsText(QString &text, QString &exponent, QString const &pattern, bool longForm)
{
    text = QString();
    exponent = QString();
    if (pattern.startsWith(QLatin1String(PatternPrbsPrefix))) {
        text = QLatin1String("2");
        exponent = pattern.section(QLatin1Char('-'), 0, 0).mid(2);
        return;
    }
    // Quotation marks and the ellipsis are typographic characters, not translated words.
    const QChar open(0x2018), close(0x2019), ellipsis(0x2026);
    if (pattern == QLatin1String(PatternAllZeros)) {
        //: Test pattern of one repeated bit; %1 is the bit in quotation marks, ‘0’ or ‘1’.
        text = longForm ? tr("All %1").arg(QString(open) + QLatin1Char('0') + close)
                        : QString(QLatin1Char('0')) + ellipsis;
    } else if (pattern == QLatin1String(PatternAllOnes)) {
        text = longForm ? tr("All %1").arg(QString(open) + QLatin1Char('1') + close)
                        : QString(QLatin1Char('1')) + ellipsis;
    } else if (pattern == QLatin1String(PatternAlternating)) {
        const QString quoted = QString(open) + QLatin1String("55") + close;
        text = longForm ? quoted + QLatin1String(" (0101") + ellipsis + QLatin1Char(')') : quoted;
    } else {
        //: Test pattern entered by hand.
        text = longForm ? tr("Manually") : QLatin1String("***");
    }
}

int TimeSlots::manualPattern(QString const &pattern)
{
    if (pattern.startsWith(QLatin1String(PatternPrbsPrefix))
        || pattern == QLatin1String(PatternAllZeros) || pattern == QLatin1String(PatternAllOnes)
        || pattern == QLatin1String(PatternAlternating))
        return -1;
    bool ok = false;
    const int value = pattern.mid(2).toInt(&ok, 16);
    return ok ? value : 0;
}
