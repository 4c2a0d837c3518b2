// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one look of the instrument's widget set: palette, font scale and spacing unit. Every
// widget of the library draws with these values, so that the set looks of one piece.

#include <QColor>
#include <QFont>
#include <QString>
#include <QVariant>
#include <QWidget>

namespace Theme {

// Spacing unit in pixels; paddings and gaps are multiples of it.
const int Unit = 4;
// Corner radius of buttons and popups.
const int Radius = 5;

// Base colours.
inline QColor window()
{
    return QColor(0xEE, 0xF0, 0xF2);
}
inline QColor frame()
{
    return QColor(0x8A, 0x93, 0x9E);
}
inline QColor text()
{
    return QColor(0x1E, 0x23, 0x2A);
}
inline QColor disabledText()
{
    return QColor(0x9A, 0xA0, 0xA8);
}
inline QColor button()
{
    return QColor(0xFA, 0xFB, 0xFC);
}
inline QColor buttonDisabled()
{
    return QColor(0xE2, 0xE5, 0xE8);
}
// Selection and keyboard focus.
inline QColor accent()
{
    return QColor(0x1F, 0x6F, 0xB5);
}
inline QColor accentText()
{
    return QColor(0xFF, 0xFF, 0xFF);
}
inline QColor warning()
{
    return QColor(0xC2, 0x7C, 0x0E);
}

// The bottom bar of a screen: a band a shade darker than the window under a rule.
inline QColor band()
{
    return QColor(0xDD, 0xE1, 0xE5);
}
inline QColor rule()
{
    return QColor(0xA9, 0xB1, 0xBA);
}

// Default face colours of the options that slot buttons and switches offer, by option index:
// option 0 is the resting choice ("off") on the plain button face; the others are told apart
// at a glance, even on the small buttons of a compact panel.
inline QColor optionFace(int option)
{
    switch (option) {
    case 1:
        return QColor(0xCF, 0xE2, 0xF6);
    case 2:
        return QColor(0xF7, 0xD8, 0xD0);
    case 3:
        return QColor(0xD8, 0xEE, 0xD2);
    default:
        return QColor();
    }
}

// The quiet tints that the "palette_id" property selects: receive in a cool blue-green,
// transmit in a warm sand. An unknown or missing id gives the plain window colour.
inline QColor tint(const QString &paletteId)
{
    if (paletteId == QLatin1String("rx"))
        return QColor(0xE3, 0xEF, 0xF0);
    if (paletteId == QLatin1String("tx"))
        return QColor(0xF3, 0xEE, 0xE2);
    return window();
}

// The tint of a widget: its own "palette_id", else the nearest ancestor's.
inline QColor tintOf(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        const QVariant id = w->property("palette_id");
        if (id.isValid())
            return tint(id.toString());
    }
    return window();
}

// Font scale: point sizes relative to the widget's own font.
inline QFont scaled(const QFont &base, int steps)
{
    QFont font(base);
    if (font.pointSize() > 0)
        font.setPointSize(qMax(6, font.pointSize() + steps));
    else if (font.pixelSize() > 0)
        font.setPixelSize(qMax(8, font.pixelSize() + steps * 4 / 3));
    return font;
}

} // namespace Theme
