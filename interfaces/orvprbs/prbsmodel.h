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
 */
class PrbsModel : public QObject
{
    Q_OBJECT

public:
    explicit PrbsModel(CardController *controller, QObject *parent = nullptr);
    ~PrbsModel() override;

    CardController *controller() const;

    //! The pattern values offered besides the user pattern, in display order.
    static QStringList patterns();
    //! A readable name of a pattern value.
    static QString displayName(const QString &pattern);
    //! Whether \a text is a valid user pattern: "0x" and one to eight hexadecimal digits.
    static bool isUserPattern(const QString &text);

    //! The pattern the card uses now.
    QString pattern() const;
    //! Sends \a pattern to the card; returns false, sending nothing, for an invalid value.
    bool setPattern(const QString &pattern);

Q_SIGNALS:
    //! The card's pattern may have changed.
    void patternChanged(const QString &pattern);

private:
    PrbsModelPrivate *d;
};
