// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "compat.h"

#include <launcherplugin.h>

#include <QPixmap>

class MainButton;
class MainWindow;
class StatusLabel;
class QFont;
class QPen;

// The timeslot plug-in of the E1 card: builds the launcher button, the timeslot window and the
// status panel item on request and keeps them in step with the card.
class TimeSlots : public LauncherPlugin
{
    Q_OBJECT

public:
    TimeSlots();
    ~TimeSlots() COMPAT_OVERRIDE;

    QWidget *button() COMPAT_OVERRIDE;
    QWidget *window() COMPAT_OVERRIDE;
    QWidget *statusPanelItem() COMPAT_OVERRIDE;

    bool measStopped();

    // Whether the direction ("rx" or "tx") has a voice timeslot on a structured line.
    bool tsSelectedForVoice(QString direction);
    // How many unmasked timeslots 1 to 31 of the direction hold the value.
    int countSlots(QString const &direction, QString const &value);
    // The display text of a pattern value: main text and the exponent of a 2^n-1 sequence.
    static void prbsText(QString &text, QString &exponent, QString const &pattern, bool longForm);
    // The value of a pattern entered by hand, -1 for a named pattern, 0 when unreadable.
    static int manualPattern(QString const &pattern);

    // Writes the PRBS and voice texts into one row of a status label.
    void configLabelRow(StatusLabel *label, int row);
    // Fills the status panel item; fits its size when asked to.
    void buildStatusLabel(bool fitSize);
    // The pattern as a picture with a raised exponent.
    static QPixmap prbsLabel(QFont const &font, QString const &pattern, bool longForm,
                             QPen const &pen);

protected Q_SLOTS:
    void configUpdated(QVariantMap &configuration) COMPAT_OVERRIDE;
    void stopped(QString measName) COMPAT_OVERRIDE;
    void started(QString measName) COMPAT_OVERRIDE;
    void updated(QVariantMap &data, QString dataSet) COMPAT_OVERRIDE;

private:
    MainButton *mainButton;
    MainWindow *mainWindow;
    StatusLabel *statusItem;
};
