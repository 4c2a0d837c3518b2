// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

class CardController;
class PrbsModelPrivate;

/*!
 * The test pattern of a card, read from its "pattern" setting and changed with one
 * "pattern VALUE" command: the pseudo-random sequences "2e9", "2e11", "2e15", "2e20", "2e23",
 * the fixed words "all0", "all1" and "55", or a user pattern of up to 32 bits written "0x" and
 * hexadecimal digits.
 *
 * A sequence is named "2e" and its exponent; the card may hold it with "-1" appended
 * ("2e15-1"), which the model reads as the same choice ("2e15"). The model holds no copy of
 * the setting: every read asks the card's controller, with "2e15" for a card that holds none.
 */
class PrbsModel : public QObject
{
    Q_OBJECT

public:
    explicit PrbsModel(CardController *controller, QObject *parent = 0);
    ~PrbsModel();

    CardController *controller() const;

    //! The pattern values offered besides the user pattern, in display order.
    static QStringList patterns();
    //! A readable name of a pattern value: "2^15-1", "All zeros", "All ones",
    //! "Alternating 0101", "User pattern 0x1A2B"; any other text as it is.
    static QString displayName(const QString &pattern);
    //! The model's form of a pattern value: a sequence without its "-1" ("2e15-1" gives
    //! "2e15"), any other value unchanged.
    static QString canonical(const QString &value);
    //! The exponent of a sequence value ("15" for "2e15" and "2e15-1"), empty for other values.
    static QString sequenceExponent(const QString &pattern);
    //! Whether \a text is a valid user pattern: "0x" and one to eight hexadecimal digits.
    static bool isUserPattern(const QString &text);

    //! The pattern the card uses now, in the model's form (see canonical()). A value the card
    //! holds that is none of the known forms comes back unchanged. Empty without a controller.
    QString pattern() const;
    //! Sends \a pattern (in any form canonical() reads) to the card as the one command
    //! "pattern VALUE" and returns true. Sends nothing and returns true when the card already
    //! uses that pattern; sends nothing and returns false for an invalid value or without a
    //! controller. The card's answer comes back as a configuration change.
    bool setPattern(const QString &pattern);

Q_SIGNALS:
    //! The card's pattern changed to \a pattern (in the model's form). Emitted from the
    //! controller's configurationChanged(), only when the pattern differs from the one the
    //! model last saw, never from setPattern() itself.
    void patternChanged(const QString &pattern);

private:
    PrbsModelPrivate *d;
};
