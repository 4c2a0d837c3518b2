// SPDX-License-Identifier: GPL-3.0-or-later
#include "optionset.h"

#include "theme.h"

namespace {

// More options than any owner gives; keeps a stray index from growing the list without end.
const int MaxOptions = 16;

// Sets one field of \a option to \a value unless \a same finds it so already or the index is
// out of range; whether it changed.
template<typename T, typename Same>
bool change(QVector<OptionSet::Option> &entries, int option, T OptionSet::Option::*field,
            const T &value, Same same)
{
    if (option < 0 || option >= MaxOptions)
        return false;
    if (option < entries.size() && same(entries.at(option).*field, value))
        return false;
    if (option >= entries.size())
        entries.resize(option + 1);
    entries[option].*field = value;
    return true;
}

} // namespace

bool OptionSet::setName(int option, const QString &name)
{
    return change(entries, option, &Option::name, name,
                  [](const QString &a, const QString &b) { return a == b; });
}

bool OptionSet::setIcon(int option, const QIcon &icon)
{
    return change(entries, option, &Option::icon, icon,
                  [](const QIcon &a, const QIcon &b) { return a.cacheKey() == b.cacheKey(); });
}

bool OptionSet::setColor(int option, const QColor &color)
{
    return change(entries, option, &Option::face, color,
                  [](const QColor &a, const QColor &b) { return a == b; });
}

QString OptionSet::name(int option) const
{
    return contains(option) ? entries.at(option).name : QString();
}

QIcon OptionSet::icon(int option) const
{
    return contains(option) ? entries.at(option).icon : QIcon();
}

QColor OptionSet::color(int option) const
{
    return contains(option) ? entries.at(option).face : QColor();
}

QColor OptionSet::faceOf(int option) const
{
    const QColor own = color(option);
    if (own.isValid())
        return own;
    const QColor standard = Theme::optionFace(option);
    return standard.isValid() ? standard : Theme::button();
}

QSize OptionSet::iconExtent(const QSize &bound) const
{
    QSize extent(0, 0);
    for (const Option &option : entries)
        extent = extent.expandedTo(option.icon.actualSize(bound));
    return extent;
}

void OptionSet::popup(OptionChooser *chooser, int columns, const QBitArray &marked,
                      const QRect &anchor) const
{
    QVector<Option> shown = entries;
    for (int i = 0; i < shown.size(); ++i)
        shown[i].face = faceOf(i);
    chooser->setOptions(shown, columns, cellSize);
    chooser->setMarked(marked);
    chooser->popup(anchor);
}
