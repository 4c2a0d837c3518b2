// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

// The accessible name a widget of the set gives itself, kept in the language of the moment:
// set() names the widget when it is built and again after each language change, unless the
// widget's user has named it otherwise in between.
class OwnAccessibleName
{
public:
    void set(QWidget *widget, const QString &name)
    {
        if (!given.isNull() && widget->accessibleName() != given)
            return;
        given = name;
        widget->setAccessibleName(name);
    }

private:
    QString given;
};
