// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class CardController;
class SimulatedCardPrivate;

/*!
 * A simulated E1 measurement card: the instrument that the desktop host framework talks to in
 * place of the real one. Used by the launcher and the tests; a plug-in never sees this class,
 * it reaches the card through LauncherPlugin and CardController.
 *
 * \section Registry
 * A card is registered under its name while it exists (the newest card of a name wins). A
 * LauncherPlugin built with a card name binds to the registered card of that name; when there
 * is none, the framework creates one with factory settings and deletes it again when the last
 * plug-in bound to it goes. Create the card before the plug-in to drive it yourself, and delete
 * the plug-ins before their card. A plug-in that outlives its card stays safe to call: it reads
 * the defaults it passes, gets no proxies, and its checked commands are refused.
 *
 * \section Configuration
 * Keys and their values (all plain text):
 * - "structure": "unstr", "pcm30", "pcm30crc", "pcm31" or "pcm31crc";
 * - "timeslot-rx-N", "timeslot-tx-N" (N = 1..31): "none", "pat" or "voice";
 * - "pattern": "2e9", "2e11", "2e15", "2e20", "2e23" (also with "-1" appended), "all0",
 *   "all1", "55", or "0x" and one to eight hexadecimal digits;
 * - "vfsource": "tone", "mic" or "off", and "voice-transmit" derived from it: "tone",
 *   "microphone" or "off";
 * - "speaker": "on" or "off";
 * - "speaker-volume", "microphone": a level, a decimal integer from MinimumLevel (0) to
 *   MaximumLevel (100), the range of the widget library's RoundSlider.
 *
 * Factory settings: structure "pcm30crc"; receive timeslots 1-3 and 9-12 "pat", 5 "voice";
 * transmit timeslots 1-3 and 20-23 "pat", 5 "voice"; every other timeslot "none"; pattern
 * "2e15"; vfsource "tone"; speaker "on" at level 60; microphone level 40.
 *
 * \section Commands
 * Words are case-sensitive and separated by single blanks:
 * - "timeslot": changes nothing, but the card sends a fresh notification;
 * - "timeslot rx|tx N VALUE": N = 1..31 in decimal, VALUE "none", "pat" or "voice";
 * - "timeslot rx|tx 0xHHHHHHHH VALUE": eight hexadecimal digits in either case; VALUE goes to
 *   every timeslot whose bit is set (bit N is timeslot N);
 * - "vfsource tone|mic|off", "speaker on|off", "speaker volume N", "microphone N",
 *   "pattern VALUE", "structure VALUE".
 *
 * A refused command changes nothing. The card refuses malformed text, with an error text that
 * names what was wrong, and:
 * - any timeslot assignment on an "unstr" line;
 * - timeslot 16 on a structure beginning with "pcm30" (a mask with bit 16 is refused whole);
 * - a mask with bit 0 set, a timeslot number outside 1..31, a level outside 0..100;
 * - a second voice timeslot in the receive direction (also a receive voice mask that selects
 *   more than one timeslot);
 * - any change of a masked item (see Masks), even to the value it holds: a mask command that
 *   touches one masked timeslot is refused whole. The error text names the item ("receive
 *   timeslot 3", "the loudspeaker", "the transmit source") and the mask's reason.
 *
 * Of the card's own refusals only the second receive voice timeslot's has an error text
 * containing "voice"; a masked item's contains it only when the mask's reason does, and a
 * refusal injected with refuseNext() carries the text it was given.
 *
 * \section Masks
 * maskValue() is empty while an item is available, else a short reason; an item whose mask is
 * not empty cannot be changed by a command. A key's own mask governs it, and the loudspeaker
 * level ("speaker volume N") also follows "speaker", the transmit source ("vfsource") and the
 * microphone level ("microphone N") also "voice-transmit". Derived masks:
 * "speaker" while the receive direction has no usable voice timeslot, "voice-transmit" while
 * the transmit direction has none, "timeslot-rx-16"/"timeslot-tx-16" on a structure beginning
 * with "pcm30", every timeslot key on "unstr". An explicit setMaskValue() overrides the derived
 * mask until clearMaskOverride().
 *
 * \section Notifications
 * Every command, accepted or refused, and every change made on the card itself, schedules one
 * notification through the event loop; further commands and changes before its delivery join
 * it. So a reader that shows the user's choice before the card has answered (a slot button, a
 * voice dialog button) shows the card's value again once the event loop has run, also after a
 * refusal. The notification itself runs no command, so a reader that only shows what it is told
 * never causes a further one.
 *
 * Delivery calls, on each bound plug-in in the order they were bound,
 * LauncherPlugin::configUpdated() with the whole configuration, then
 * LauncherPlugin::updateMask() when a mask value changed since the last delivery; then
 * CardController::configurationChanged() and configurationChanged() are emitted. Nothing of
 * this is called from inside execute() or a doConfigure().
 *
 * \section Measurements
 * Feeds: "base", "vfsignal", "jitter", "jtf", "mtj". Starting or stopping one sets the running
 * state of its proxies and calls LauncherPlugin::started() / stopped() on the bound plug-ins.
 * publishData() hands a data map to every proxy of the feed (DataProxy::updated()) and to the
 * plug-ins as LauncherPlugin::updated(map, NAME), NAME being the feed name in upper case
 * ("VFSIGNAL"); LauncherPlugin::data(NAME) then returns it. A new proxy starts with the feed's
 * running state and latest map. LauncherPlugin::createDataProxy() keeps one proxy per feed in
 * the plug-in's dataProxies; CardController::dataProxy() hands out a new one each time.
 *
 * \section Live signal
 * While liveSignal() is on and the receive direction has a voice timeslot N, the card runs
 * "vfsignal" and publishes about four times a second what the looped-back line carries in
 * timeslot N: the 1 kHz tone (around -10 dB) when transmit timeslot N is "voice" and vfsource
 * is "tone", a speech-like level (-24..-6 dB) and frequency (300..3400 Hz) for "mic", else
 * silence (level "<-24dB", frequency "0"). Data keys "level" (dB, one decimal) and
 * "frequency" (Hz, integer). Off by default. An unstructured line ("unstr") has no timeslots to
 * loop back: switching to it turns the live signal off (at the notification, before the
 * plug-ins hear of the change), and it cannot be turned on there.
 */
class SimulatedCard : public QObject
{
    Q_OBJECT

public:
    static constexpr int MinimumLevel = 0;
    static constexpr int MaximumLevel = 100;

    explicit SimulatedCard(const QString &name = QStringLiteral("e1"), QObject *parent = nullptr);
    ~SimulatedCard() override;

    //! The registered card named \a name, or null.
    static SimulatedCard *find(const QString &name);
    //! The measurement feeds every card has.
    static QStringList feedNames();
    //! The line structures the card accepts.
    static QStringList structures();

    QString name() const;
    //! The card's controller, the same one its plug-ins get; owned by the card.
    CardController *controller() const;
    //! The number of plug-ins bound to the card.
    int pluginCount() const;
    //! Whether a notification is scheduled and not yet delivered.
    bool notificationPending() const;

    QString configValue(const QString &key, const QString &def = QString()) const;
    QVariantMap configuration() const;
    //! Changes a value on the instrument itself: no rule is checked, derived values and the
    //! notification follow. Setting the value a key holds changes nothing.
    void setConfigValue(const QString &key, const QString &value);
    void removeConfigValue(const QString &key);

    //! The mask of \a key, or \a def when the card knows no mask of that name.
    QString maskValue(const QString &key, const QString &def = QString()) const;
    //! The keys maskValue() knows: the derived ones and those with an override.
    QStringList maskKeys() const;
    QVariantMap masks() const;
    //! Sets the mask of \a key regardless of the configuration.
    void setMaskValue(const QString &key, const QString &value);
    //! Hands the mask of \a key back to the configuration.
    void clearMaskOverride(const QString &key);
    bool hasMaskOverride(const QString &key) const;

    /*!
     * Runs one command, as both doConfigure() paths do. Returns whether it was accepted; on a
     * refusal \a errorText (may be null) receives the reason. commandExecuted() is emitted
     * before it returns.
     */
    bool execute(const QString &command, QString *errorText = nullptr);
    //! Every command received, in order, refused ones too.
    QStringList commandLog() const;
    void clearCommandLog();

    //! Refuses the next command with \a errorText; it is logged and changes nothing.
    void refuseNext(const QString &errorText);
    //! While on, CardController::dataProxy() returns null.
    void setDataProxyFailure(bool fail);
    bool dataProxyFailure() const;

    //! Starts the measurement \a name; unknown names and a running measurement are ignored.
    void startMeasurement(const QString &name);
    //! Stops the measurement \a name; unknown names and a stopped measurement are ignored.
    void stopMeasurement(const QString &name);
    bool isRunning(const QString &name) const;

    //! Publishes \a data on the feed \a feed; unknown feed names are ignored.
    void publishData(const QString &feed, const QVariantMap &data);
    //! The map last published on \a feed, empty before the first.
    QVariantMap latestData(const QString &feed) const;

    //! Turns the live signal on or off; on an unstructured line it stays off.
    void setLiveSignal(bool on);
    bool liveSignal() const;
    //! The receive timeslot the live signal listens to: the lowest usable receive timeslot set
    //! to "voice", or 0 when there is none.
    int listeningSlot() const;
    //! What that timeslot hears on the looped-back line: "tone" or "mic" when transmit sends
    //! voice from that source in the same timeslot, else empty (silence).
    QString heardSource() const;
    //! Seeds the random generator of the live signal (reset() seeds it with 1).
    void setRandomSeed(quint32 seed);

    //! Factory settings, an empty log, no mask overrides, no injected faults, no published
    //! data, every measurement stopped and the live signal off.
    void reset();

Q_SIGNALS:
    //! A notification was delivered to the plug-ins.
    void configurationChanged();
    void measurementChanged(const QString &name, bool running);
    void liveSignalChanged(bool on);
    //! A command was run; emitted from inside execute().
    void commandExecuted(const QString &text, bool refused, const QString &errorText);
    void dataPublished(const QString &feed, const QVariantMap &data);
    //! A reader opened the feed: a plug-in's createDataProxy() or CardController::dataProxy().
    void feedOpened(const QString &feed);
    //! A reader got no proxy for the feed because of setDataProxyFailure().
    void feedFailed(const QString &feed);

private:
    friend class SimulatedCardPrivate;
    SimulatedCardPrivate *d;
    // Plug-ins hear of changes once control returns to the event loop.
    Q_PRIVATE_SLOT(d, void deliverNotification())
};
