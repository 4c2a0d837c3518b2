// SPDX-License-Identifier: GPL-3.0-or-later
#include "prbsmodel.h"

#include "cardcontroller.h"

#include <QPointer>
#include <QRegularExpression>

namespace {

const QString PatternKey = QStringLiteral("pattern");
// What the card uses when its configuration holds no pattern.
const QString FactoryPattern = QStringLiteral("2e15");

} // namespace

class PrbsModelPrivate
{
public:
    QPointer<CardController> controller;
    // The pattern last reported, so that unrelated configuration changes stay quiet.
    QString pattern;
};

PrbsModel::PrbsModel(CardController *controller, QObject *parent)
    : QObject(parent)
    , d(new PrbsModelPrivate)
{
    d->controller = controller;
    d->pattern = pattern();
    if (controller) {
        Compat::connect(controller, SIGNAL(configurationChanged()), this, [this] {
            const QString now = pattern();
            if (now == d->pattern)
                return;
            d->pattern = now;
            Q_EMIT patternChanged(now);
        });
    }
}

PrbsModel::~PrbsModel()
{
    delete d;
}

CardController *PrbsModel::controller() const
{
    return d->controller;
}

QStringList PrbsModel::patterns()
{
    return QStringList() << QStringLiteral("2e9") << QStringLiteral("2e11")
                         << QStringLiteral("2e15") << QStringLiteral("2e20")
                         << QStringLiteral("2e23") << QStringLiteral("all0")
                         << QStringLiteral("all1") << QStringLiteral("55");
}

QString PrbsModel::sequenceExponent(const QString &pattern)
{
    if (!pattern.startsWith(QLatin1String("2e")))
        return QString();
    return pattern.mid(2).section(QLatin1Char('-'), 0, 0);
}

QString PrbsModel::canonical(const QString &value)
{
    // "2e15-1" names the same sequence as "2e15"; the length is 2^15 - 1 either way.
    if (value.startsWith(QLatin1String("2e")))
        return QLatin1String("2e") + sequenceExponent(value);
    return value;
}

QString PrbsModel::displayName(const QString &pattern)
{
    const QString value = canonical(pattern);
    if (value.startsWith(QLatin1String("2e")))
        return QStringLiteral("2^%1-1").arg(sequenceExponent(value));
    if (value == QLatin1String("all0"))
        return tr("All zeros");
    if (value == QLatin1String("all1"))
        return tr("All ones");
    if (value == QLatin1String("55"))
        return tr("Alternating 0101");
    if (isUserPattern(value))
        return tr("User pattern %1", "%1 is the pattern in hexadecimal, 0x1A2B").arg(value);
    return value;
}

bool PrbsModel::isUserPattern(const QString &text)
{
    // "\z", not "$", which would also match before a newline that ends the text.
    static const QRegularExpression user(QStringLiteral("^0x[0-9A-Fa-f]{1,8}\\z"));
    return user.match(text).hasMatch();
}

QString PrbsModel::pattern() const
{
    if (!d->controller)
        return QString();
    return canonical(d->controller->configValue(PatternKey, FactoryPattern));
}

bool PrbsModel::setPattern(const QString &pattern)
{
    const QString value = canonical(pattern);
    if (!d->controller || !(patterns().contains(value) || isUserPattern(value)))
        return false;
    if (value != this->pattern())
        d->controller->doConfigure(QStringLiteral("pattern %1").arg(value));
    return true;
}
