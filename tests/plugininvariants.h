// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What holds after every configuration update, however odd the card's values: each slot button
// shows its key's option, timeslots 0 and 16 and the editing widgets follow the structure, the
// status item and the launcher button show the configured pattern and voice state, and the
// update sent no command but the end of a voice dial whose level lies beyond that dial. Two
// watchers bound before and after the plug-in hear of each update first and last.

#include "timeslots.h"
#include <simulatedcard.h>
#include <statuslabel.h>
#include <switchpanel.h>

#include <QVariant>

#include <algorithm>
#include <functional>

class PluginInvariants
{
    // A plug-in of the same card that only hears of updates.
    struct Watcher : LauncherPlugin
    {
        explicit Watcher(std::function<void()> onUpdate)
            : LauncherPlugin(QStringLiteral("e1"))
            , onUpdate(std::move(onUpdate))
        { }
        void configUpdated(QVariantMap &) override { onUpdate(); }
        std::function<void()> onUpdate;
    };

public:
    //! Builds the plug-in over \a card, which must outlive this, and shows its widgets.
    explicit PluginInvariants(SimulatedCard &card)
        : card(card)
    {
        for (QWidget *widget : {plugin.window(), plugin.button(), plugin.statusPanelItem()})
            widget->show();
    }
    //! Forgets the problems and the state of timeslot 16, as for factory settings.
    void reset()
    {
        problems.clear();
        updates = 0;
        state16 = QStringLiteral("CAS off");
    }
    QWidget *window() { return plugin.window(); }
    //! Notes a problem when \a is differs from \a want.
    void check(const QString &what, const QVariant &is, const QVariant &want)
    {
        if (is != want && problems.size() < 8)
            problems << what.left(60) + ": " + is.toString().left(40) + ", not " + want.toString();
    }

    QStringList problems; //!< the first few found, each saying what differed
    int updates = 0;

private:
    // The status row's pattern, written out for the patterns the card offers; of any other text
    // one beginning with "2e" shows as a sequence, "PRBS: 2...", the rest as entered by hand.
    static QString expectedPrbsText(const QString &pattern, const QString &shown)
    {
        static const char *const known[][2]
            = {{"2e15", "2e15-1"},  {"2e15-1", "2e15-1"}, {"2e23-1", "2e23-1"},
               {"all0", "0\u2026"}, {"all1", "1\u2026"},  {"55", "\u201855\u2019"}};
        for (const auto &each : known)
            if (pattern == QLatin1String(each[0]))
                return "PRBS: " + QString::fromUtf8(each[1]);
        return pattern.startsWith("2e") && shown.startsWith("PRBS: 2") ? shown : "PRBS: ***";
    }
    // The command a voice dial sends for a level beyond its end: the one an update may cause.
    QString dialEndCommand(const char *key, const char *command) const
    {
        const int level = card.configValue(QLatin1String(key)).toInt(nullptr, 10);
        const int end = qBound(0, level, 100);
        return end == level ? QString() : QString::fromLatin1(command).arg(end);
    }
    void updateBegins()
    {
        commandsAtUpdate = card.commandLog().size();
        dialEndCommands = (QStringList() << dialEndCommand("microphone", "microphone %1")
                                         << dialEndCommand("speaker-volume", "speaker volume %1"));
    }
    // Runs after every update, thousands of times a minute under the fuzzer: what it compares is
    // found or formed once, the text saying what differed only for a problem.
    void updateEnds()
    {
        if (card.commandLog().size() > commandsAtUpdate) {
            QStringList sent = card.commandLog().mid(commandsAtUpdate);
            for (const QString &allowed : qAsConst(dialEndCommands))
                sent.removeAll(allowed);
            check("update's commands", sent.join(", "), "");
        }
        const QString structure = card.configValue("structure");
        if (structure != QLatin1String("unstr"))
            state16 = structure.startsWith(QLatin1String("pcm30")) ? "CAS off" : " on";
        static const QString options[] = {"none", "pat", "voice"};
        static QString keys[2][32];
        bool voice = false;
        for (int side = 0; side < 2; ++side) {
            SwitchPanel *panel = widgets.panels[side];
            for (int slot : {0, 16}) {
                const QString label = panel->buttonLabel(slot)
                    + QLatin1String(panel->isButtonEnabled(slot) ? " on" : " off");
                const QString want = slot ? state16 : QStringLiteral("FAS off");
                if (label != want)
                    check(QString("%1 button %2 on %3")
                              .arg(side ? "tx" : "rx")
                              .arg(slot)
                              .arg(structure),
                          label, want);
            }
            for (int slot = 1; slot <= 31; ++slot) {
                QString &key = keys[side][slot];
                if (key.isEmpty())
                    key = QString("timeslot-%1-%2").arg(side ? "tx" : "rx").arg(slot);
                const QString value = card.configValue(key, options[0]);
                voice = voice || (value == options[2] && card.maskValue(key).isEmpty());
                const int found = int(std::find(options, options + 3, value) - options);
                const int option = found < 3 ? found : -1;
                if (panel->firstSelectedOption(slot) != option)
                    check(key + " = " + value.left(24), panel->firstSelectedOption(slot), option);
            }
        }
        const QString pattern = card.configValue("pattern", "2e15-1");
        for (int line = 0; line < 2; ++line) {
            StatusLabel *label = widgets.labels[line];
            const QString prbs = label->cellText(0, line), vf = label->cellText(1, line);
            const QString want = expectedPrbsText(pattern, prbs);
            if (prbs != want || vf != QLatin1String(voice ? "VF: on" : "VF: off"))
                check(line ? "status item" : "button", prbs + ", " + vf,
                      want + ", VF: " + (voice ? "on" : "off"));
        }
        ++updates;
        const bool structured = structure != QLatin1String("unstr");
        for (int i = 0; i < 6; ++i)
            if (widgets.editing[i]->isEnabledTo(window()) != structured)
                check(widgets.editing[i]->objectName() + " on " + structure, !structured,
                      structured);
    }

    // The widgets checked, found once the plug-in stands.
    struct Widgets
    {
        explicit Widgets(TimeSlots &plugin)
        {
            QWidget *window = plugin.window();
            for (int side = 0; side < 2; ++side)
                panels[side] = window->findChild<SwitchPanel *>(side ? "txSlots" : "rxSlots");
            int i = 0;
            for (const char *name :
                 {"rxSlots", "rxAll", "copyToRx", "txSlots", "txAll", "copyToTx"})
                editing[i++] = window->findChild<QWidget *>(name);
            labels[0] = plugin.button()->findChild<StatusLabel *>();
            labels[1] = qobject_cast<StatusLabel *>(plugin.statusPanelItem());
        }
        SwitchPanel *panels[2];
        QWidget *editing[6];
        StatusLabel *labels[2]; //!< the launcher button's row, the status item
    };

    SimulatedCard &card;
    Watcher first{[this] { updateBegins(); }};

public:
    TimeSlots plugin;

private:
    Widgets widgets{plugin};
    Watcher last{[this] { updateEnds(); }};
    int commandsAtUpdate = 0;
    QStringList dialEndCommands;
    QString state16
        = QStringLiteral("CAS off"); // slot button 16 as the last structured update left it
};
