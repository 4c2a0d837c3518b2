// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the plug-in's icons. The PNG files beside this source are its output; run the
// "icons" target after changing the artwork here:
//   cmake --build build --target icons
// Each icon is line art on a transparent ground, drawn in a 100 x 100 logical square (or a
// rectangle of the icon's aspect) and scaled to the icon's pixel size.

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <qmath.h>

namespace {

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(0); // transparent: Qt 4.7 fills an image with a pixel value only
    return image;
}

QPen roundPen(const QColor &color, qreal width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A drawing of line art in \a color with lines \a width wide.
typedef void (*Drawing)(QPainter &p, const QColor &color, qreal width);

// A loudspeaker: magnet box, cone, and three sound arcs to its right.
void drawSpeaker(QPainter &p, const QColor &color, qreal width)
{
    p.setPen(roundPen(color, width));
    p.setBrush(color);
    QPolygonF cone;
    cone << QPointF(10, 38) << QPointF(24, 38) << QPointF(44, 18) << QPointF(44, 82)
         << QPointF(24, 62) << QPointF(10, 62);
    p.drawPolygon(cone);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const qreal r = 14 + i * 13;
        p.drawArc(QRectF(50 - r, 50 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }
}

// One and a half periods of a sine wave.
void drawTone(QPainter &p, const QColor &color, qreal width)
{
    QPainterPath path;
    const int steps = 60;
    for (int i = 0; i <= steps; ++i) {
        const qreal x = 8 + 84.0 * i / steps;
        const qreal y = 50 - 30 * qSin(3 * M_PI * i / steps);
        if (i == 0)
            path.moveTo(x, y);
        else
            path.lineTo(x, y);
    }
    p.setPen(roundPen(color, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

// A hand microphone lying diagonally, its head at the top right.
void drawMicrophone(QPainter &p, const QColor &color, qreal width)
{
    p.save();
    p.translate(50, 50);
    p.rotate(45);
    p.setPen(roundPen(color, width));
    p.setBrush(Qt::NoBrush);
    // Head: a rounded capsule with a grille line.
    p.drawRoundedRect(QRectF(-13, -44, 26, 34), 13, 13);
    p.drawLine(QPointF(-13, -27), QPointF(13, -27));
    // Handle, narrowing towards the end.
    p.setBrush(color);
    QPolygonF handle;
    handle << QPointF(-8, -8) << QPointF(8, -8) << QPointF(5, 40) << QPointF(-5, 40);
    p.drawPolygon(handle);
    p.restore();
}

// A speech waveform: bars of varying height around a centre line.
void drawWaveform(QPainter &p, qreal width, qreal height, const QColor &halo, qreal haloWidth,
                  const QColor &core, qreal coreWidth)
{
    static const qreal heights[] = {0.15, 0.35, 0.7, 0.45, 0.9, 0.55, 0.3, 0.75, 0.4, 0.2};
    const int count = int(sizeof(heights) / sizeof(heights[0]));
    QPainterPath path;
    const qreal step = (width - 2 * haloWidth) / (count - 1);
    for (int i = 0; i < count; ++i) {
        const qreal x = haloWidth + i * step;
        const qreal h = heights[i] * (height / 2 - haloWidth);
        path.moveTo(x, height / 2 - h);
        path.lineTo(x, height / 2 + h);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(halo, haloWidth));
    p.drawPath(path);
    p.setPen(roundPen(core, coreWidth));
    p.drawPath(path);
}

bool save(const QImage &image, const QString &dir, const QString &name)
{
    const QString path = dir + QLatin1Char('/') + name;
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "drawicons: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), image.width(), image.height());
    return true;
}

QImage square(int size, Drawing draw, const QColor &color, qreal width)
{
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 100.0, size / 100.0);
    draw(p, color, width);
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    // Painting into images needs no display.
    QCoreApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    const QColor black(Qt::black);
    const QColor blue(0x10, 0x30, 0x70);
    const QColor brown(0x60, 0x40, 0x00);

    bool ok = true;
    ok &= save(square(27, drawSpeaker, black, 6), dir, QLatin1String("speaker.png"));
    ok &= save(square(27, drawTone, black, 11), dir, QLatin1String("tone.png"));
    ok &= save(square(27, drawMicrophone, black, 6), dir, QLatin1String("microphone.png"));
    ok &= save(square(24, drawSpeaker, blue, 6), dir, QLatin1String("speaker_s.png"));
    ok &= save(square(22, drawTone, brown, 10), dir, QLatin1String("tone_s.png"));
    ok &= save(square(22, drawMicrophone, brown, 6), dir, QLatin1String("microphone_s.png"));

    QImage voice = canvas(32, 26);
    {
        QPainter p(&voice);
        p.setRenderHint(QPainter::Antialiasing);
        drawWaveform(p, 32, 26, Qt::white, 4.5, QColor(0x93, 0x00, 0x00), 2.2);
    }
    ok &= save(voice, dir, QLatin1String("voice.png"));

    QImage voiceSmall = canvas(20, 16);
    {
        QPainter p(&voiceSmall);
        p.setRenderHint(QPainter::Antialiasing);
        drawWaveform(p, 20, 16, Qt::white, 3.2, QColor(0xA5, 0x2B, 0x2B), 1.2);
    }
    ok &= save(voiceSmall, dir, QLatin1String("voice_s.png"));
    return ok ? 0 : 1;
}
