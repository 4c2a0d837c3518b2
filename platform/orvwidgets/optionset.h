// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "optionchooser.h"

#include <QBitArray>
#include <QColor>
#include <QIcon>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>

/*
 * The options that a Switch or a SwitchPanel offers: a name, an icon and a face colour each,
 * and the size of their cells in the chooser. Setting any of them for an index beyond the last
 * adds options up to it; an index outside 0 to 15 is ignored. The setters tell whether anything
 * changed, so that the owner repaints (and lays out anew) only then.
 */
class OptionSet
{
public:
    using Option = OptionChooser::Option;

    bool setName(int option, const QString &name);
    bool setIcon(int option, const QIcon &icon);
    //! \a color is kept as given; invalid stands for the library's default face.
    bool setColor(int option, const QColor &color);

    //! As set; empty, null or invalid for an unknown option.
    QString name(int option) const;
    QIcon icon(int option) const;
    QColor color(int option) const;
    //! The face \a option is drawn on, for any index: its own colour, else the library's
    //! default for it, else the plain button face.
    QColor faceOf(int option) const;

    int count() const { return entries.size(); }
    bool isEmpty() const { return entries.isEmpty(); }
    bool contains(int option) const { return option >= 0 && option < entries.size(); }
    //! The option \a option, which must exist.
    const Option &at(int option) const { return entries.at(option); }
    //! The largest size any option's icon takes within \a bound.
    QSize iconExtent(const QSize &bound) const;

    //! Shows the options, each on its face, in \a chooser's \a columns columns (0: one row) with
    //! \a marked as the present choice, and opens it beside \a anchor (global coordinates).
    void popup(OptionChooser *chooser, int columns, const QBitArray &marked,
               const QRect &anchor) const;

    //! Size of one option's cell in the chooser; invalid: as large as the options need.
    QSize cellSize;

private:
    QVector<Option> entries;
};
