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
        const QString known = "2e15=2e15-1 2e15-1=2e15-1 2e23-1=2e23-1 all0=0\u2026 all1=1\u2026 "
                              "55=\u201855\u2019";
        for (const QString &each : known.split(' '))
            if (each.section('=', 0, 0) == pattern)
                return "PRBS: " + each.section('=', 1);
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
    void updateEnds()
    {
        QStringList sent = card.commandLog().mid(commandsAtUpdate);
        for (const QString &allowed : qAsConst(dialEndCommands))
            sent.removeAll(allowed);
        check("update's commands", sent.join(", "), "");
        const QString structure = card.configValue("structure");
        if (structure != "unstr")
            state16 = structure.startsWith("pcm30") ? "CAS off" : " on";
        bool voice = false;
        const QStringList options = QString("none pat voice").split(' ');
        for (const char *side : {"rx", "tx"}) {
            auto *panel = window()->findChild<SwitchPanel *>(side + QString("Slots"));
            for (int slot : {0, 16})
                check(side + QString(" button %1 on ").arg(slot) + structure,
                      panel->buttonLabel(slot) + (panel->isButtonEnabled(slot) ? " on" : " off"),
                      slot ? state16 : "FAS off");
            // Runs after every update, thousands of times a minute under the fuzzer: the keys
            // ("timeslot-rx-1" .. "timeslot-tx-31") are formed once, a text only for a problem.
            static QStringList keys;
            for (int i = keys.size(); i < 62; ++i)
                keys << QString("timeslot-%1-%2").arg(i < 31 ? "rx" : "tx").arg(i % 31 + 1);
            for (int slot = 1; slot <= 31; ++slot) {
                const QString &key = keys.at((*side == 't') * 31 + slot - 1);
                const QString value = card.configValue(key, QStringLiteral("none"));
                voice = voice || (value == QLatin1String("voice") && card.maskValue(key).isEmpty());
                const int option = int(options.indexOf(value));
                if (panel->firstSelectedOption(slot) != option)
                    check(key + " = " + value.left(24), panel->firstSelectedOption(slot), option);
            }
        }
        const QString pattern = card.configValue("pattern", "2e15-1"), vf = voice ? "on" : "off";
        auto *item = qobject_cast<StatusLabel *>(plugin.statusPanelItem());
        auto *row = plugin.button()->findChild<StatusLabel *>();
        for (auto *label : {item, row}) {
            const int line = label == item ? 1 : 0;
            check(label == item ? "status item" : "button",
                  label->cellText(0, line) + ", " + label->cellText(1, line),
                  expectedPrbsText(pattern, label->cellText(0, line)) + ", VF: " + vf);
        }
        ++updates;
        for (const char *name : {"rxSlots", "rxAll", "copyToRx", "txSlots", "txAll", "copyToTx"})
            check(name + QString(" on ") + structure,
                  window()->findChild<QWidget *>(name)->isEnabledTo(window()),
                  structure != "unstr");
    }

    SimulatedCard &card;
    Watcher first{[this] { updateBegins(); }};

public:
    TimeSlots plugin;

private:
    Watcher last{[this] { updateEnds(); }};
    int commandsAtUpdate = 0;
    QStringList dialEndCommands;
    QString state16
        = QStringLiteral("CAS off"); // slot button 16 as the last structured update left it
};
