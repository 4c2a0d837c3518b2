// SPDX-License-Identifier: GPL-3.0-or-later

// The plug-in's summaries: the PRBS and voice row shared by the status panel item and the
// launcher button, the status panel item itself, and the PRBS pattern drawn as a picture.

#include "compat.h"
#include "timeslots.h"
#include "vocabulary.h"

#include <statuslabel.h>

#include <QPainter>
#include <QPen>
#include <QPixmapCache>

using namespace Vocabulary;

namespace {

// The status item is rebuilt on every update and every received level; a picture found in the
// pixmap cache by its path costs no look at the resource's file information, as loading does.
QPixmap statusPicture(const QString &path)
{
    QPixmap picture;
    if (path.isEmpty())
        return picture;
    const QString key = QLatin1String("e1-timeslots:") + path;
    if (!QPixmapCache::find(key, &picture)) {
        picture.load(path);
        QPixmapCache::insert(key, picture);
    }
    return picture;
}

} // namespace

void TimeSlots::configLabelRow(StatusLabel *label, int row)
{
    QString text, exponent;
    prbsText(text, exponent,
             configValue(QLatin1String(KeyPattern), QLatin1String(DefaultStatusPattern)), false);
    //: Begins the status row's test pattern, such as "PRBS: 2e15-1"; keep the blank.
    QString prbs = tr("PRBS: ") + text;
    if (!exponent.isEmpty())
        prbs += QLatin1Char('e') + exponent + QLatin1String("-1");
    const QColor color = label->palette().color(QPalette::Text);
    label->setCell(0, row, Qt::AlignLeft | Qt::AlignBottom, prbs, color, 0, false);

    const bool voiceOn = countSlots(QLatin1String(Rx), QLatin1String(SlotVoice)) != 0
        || countSlots(QLatin1String(Tx), QLatin1String(SlotVoice)) != 0;
    //: Voice frequency: begins the status row's "VF: on" or "VF: off"; keep the blank.
    const QString caption = tr("VF: ");
    const QString state = voiceOn
        //: After "VF: ": a voice timeslot is set.
        ? tr("on")
        //: After "VF: ": no voice timeslot is set.
        : tr("off");
    const QString voice = caption + state;
    label->setCell(1, row, Qt::AlignHCenter | Qt::AlignBottom, voice,
                   label->palette().color(QPalette::Text), 0, false);
}

void TimeSlots::buildStatusLabel(bool fitSize)
{
    if (!statusItem)
        return;

    configLabelRow(statusItem, 1);
    //: Title of the status panel item.
    statusItem->setCell(0, 0, Qt::AlignRight | Qt::AlignTop, tr("Timeslots"),
                        statusItem->palette().color(QPalette::Text), -3, false);

    const bool speakerSetOn
        = configValue(QLatin1String(KeySpeaker), QString()) == QLatin1String(On);
    const bool speakerFree = maskValue(QLatin1String(KeySpeaker), QString()).isEmpty();
    const bool speakerOn = speakerSetOn && speakerFree;
    const QString source = maskValue(QLatin1String(KeyVoiceTransmit), QString()).isEmpty()
        ? configValue(QLatin1String(KeyVoiceTransmit), QString())
        : QString(QLatin1String(Off));

    QString speakerPicture;
    if (speakerOn)
        speakerPicture = QLatin1String(":/main/resource/speaker_s.png");
    QString sourcePicture;
    if (source == QLatin1String(TransmitTone))
        sourcePicture = QLatin1String(":/main/resource/tone_s.png");
    else if (source == QLatin1String(TransmitMicrophone))
        sourcePicture = QLatin1String(":/main/resource/microphone_s.png");

    QString reading;
    if (speakerFree) {
        const QVariantMap signal = data(QLatin1String(DataSetVfSignal));
        QString level = signal.value(QLatin1String(DataLevel)).toString();
        if (level == QLatin1String(LevelBelowRange))
            level = QLatin1String("< -24");
        const QString frequency = signal.value(QLatin1String(DataFrequency)).toString();
        //: Received voice level (%1) and frequency (%2); keep the two leading blanks.
        reading = tr("  %1 dB, %2 Hz").arg(level, frequency);
    }

    statusItem->setCell(0, 2, Qt::AlignLeft | Qt::AlignVCenter, statusPicture(speakerPicture),
                        false);
    QString middle;
    if (speakerFree)
        //: Stands before the received level and frequency while the loudspeaker is off.
        middle = (speakerOn ? QString() : tr("Voice :")) + reading;
    statusItem->setCell(1, 2, Qt::AlignLeft | Qt::AlignVCenter, middle,
                        statusItem->palette().color(QPalette::Text), 0, false);
    statusItem->setCell(2, 2, Qt::AlignRight | Qt::AlignVCenter, statusPicture(sourcePicture),
                        false);

    if (fitSize)
        statusItem->adjustSize();
}

QPixmap TimeSlots::prbsLabel(QFont const &font, QString const &pattern, bool longForm,
                             QPen const &pen)
{
    QString text, exponent;
    prbsText(text, exponent, pattern, longForm);
    if (text.isEmpty())
        return QPixmap();

    const double scale = (exponent.isEmpty() && longForm) ? 1.0 : 1.3;
    QFont mainFont(font);
    mainFont.setPointSize(int(font.pointSize() * scale) - 2);
    QFont exponentFont(font);
    exponentFont.setPointSize(int(mainFont.pointSize() * 0.65) - 2);

    const QFontMetrics mainMetrics(mainFont);
    const QFontMetrics exponentMetrics(exponentFont);
    const int w = Compat::textWidth(mainMetrics, text);
    const int t = Compat::textWidth(exponentMetrics, exponent) + w + 3;
    const int h = exponentMetrics.ascent() / 2;

    const QRect bounds = mainMetrics.boundingRect(text);
    QPixmap pixmap(bounds.width() + t + 3, bounds.height() + h);
    pixmap.fill(QColor(0, 0, 0, 0));

    QPainter painter(&pixmap);
    painter.setPen(pen);
    painter.setFont(mainFont);
    painter.drawText(0, mainMetrics.ascent() + h, text);
    painter.setFont(exponentFont);
    painter.drawText(w, exponentMetrics.ascent(), exponent);
    if (!exponent.isEmpty()) {
        painter.setFont(mainFont);
        painter.drawText(w + 3, mainMetrics.ascent() + h, QLatin1String("-1"));
    }
    return pixmap;
}
