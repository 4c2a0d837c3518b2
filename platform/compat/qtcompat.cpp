// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtcompat.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPixmap>
#include <QTextDocument>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>

#include <cstdlib>

#if QT_VERSION >= 0x050000
#include <QScreen>
#else
#include <QDesktopWidget>
#include <QTextCodec>
#endif

namespace Compat {

FunctorSlot::FunctorSlot(const QObject *sender, QObject *context)
    : QObject(context)
    , sender(sender)
{
    // The connection goes with either end.
    if (sender != context)
        QObject::connect(sender, SIGNAL(destroyed()), this, SLOT(deleteLater()));
}

bool FunctorSlot::attach(const char *signal, bool withArguments)
{
    // "2name(a,b)" from SIGNAL() becomes "1call(a,b)" for SLOT(), or "1call(a)" where the
    // function takes only the first.
    QList<QByteArray> arguments;
    if (withArguments) {
        const QByteArray text = QMetaObject::normalizedSignature(signal + 1);
        const int open = text.indexOf('(');
        const QByteArray list = text.mid(open + 1, text.lastIndexOf(')') - open - 1);
        if (!list.isEmpty())
            arguments = list.split(',');
    }
    for (; !arguments.isEmpty(); arguments.removeLast()) {
        QByteArray slot = "call(";
        for (int i = 0; i < arguments.size(); ++i)
            slot += (i ? "," : "") + arguments.at(i);
        slot += ')';
        if (metaObject()->indexOfSlot(slot.constData()) >= 0)
            return QObject::connect(sender, signal, this, ("1" + slot).constData()) || drop();
    }
    return QObject::connect(sender, signal, this, SLOT(call())) || drop();
}

bool FunctorSlot::drop()
{
    delete this;
    return false;
}

void singleShot(int msec, QObject *context, const std::function<void()> &function)
{
    auto *timer = new QTimer(context);
    timer->setSingleShot(true);
    connect(timer, SIGNAL(timeout()), timer, [timer, function] {
        timer->deleteLater();
        function();
    });
    timer->start(msec);
}

QRect availableGeometry(const QPoint &point)
{
#if QT_VERSION >= 0x050000
    const QScreen *screen = QGuiApplication::screenAt(point);
    return screen ? screen->availableGeometry() : QRect();
#else
    const QDesktopWidget *desktop = QApplication::desktop();
    for (int i = 0; i < desktop->screenCount(); ++i) {
        if (desktop->screenGeometry(i).contains(point))
            return desktop->availableGeometry(i);
    }
    return QRect();
#endif
}

QRect availableGeometry(const QWidget *widget)
{
#if QT_VERSION >= 0x050000
    return widget->screen()->availableGeometry();
#else
    return QApplication::desktop()->availableGeometry(widget);
#endif
}

QRect availableGeometry()
{
#if QT_VERSION >= 0x050000
    return QGuiApplication::primaryScreen()->availableGeometry();
#else
    return QApplication::desktop()->availableGeometry();
#endif
}

QPixmap grab(QWidget *widget)
{
#if QT_VERSION >= 0x050000
    return widget->grab();
#else
    return QPixmap::grabWidget(widget);
#endif
}

QPointF position(const QMouseEvent *event)
{
#if QT_VERSION >= 0x060000
    return event->position();
#elif QT_VERSION >= 0x050000
    return event->localPos();
#else
    return event->posF();
#endif
}

QPoint angleDelta(const QWheelEvent *event)
{
#if QT_VERSION >= 0x050000
    return event->angleDelta();
#else
    return event->orientation() == Qt::Vertical ? QPoint(0, event->delta())
                                                : QPoint(event->delta(), 0);
#endif
}

void setSectionResizeMode(QHeaderView *header, int section, int mode)
{
#if QT_VERSION >= 0x050000
    header->setSectionResizeMode(section, QHeaderView::ResizeMode(mode));
#else
    header->setResizeMode(section, QHeaderView::ResizeMode(mode));
#endif
}

QString htmlEscaped(const QString &text)
{
#if QT_VERSION >= 0x050000
    return text.toHtmlEscaped();
#else
    return Qt::escape(text);
#endif
}

void useUtf8Sources()
{
#if QT_VERSION < 0x050000
    QTextCodec *utf8 = QTextCodec::codecForName("UTF-8");
    QTextCodec::setCodecForCStrings(utf8);
    QTextCodec::setCodecForTr(utf8);
#endif
}

qreal pixelRatio(const QPixmap &pixmap)
{
#if QT_VERSION >= 0x050000
    return pixmap.devicePixelRatio();
#else
    Q_UNUSED(pixmap);
    return 1;
#endif
}

#if QT_VERSION >= QT_VERSION_CHECK(5, 15, 0)
const char *const buttonGroupIdClicked = SIGNAL(idClicked(int));
#else
const char *const buttonGroupIdClicked = SIGNAL(buttonClicked(int));
#endif

} // namespace Compat

#if QT_VERSION < 0x050000
QTemporaryDir::QTemporaryDir()
{
    const QString base = QDir::tempPath() + QLatin1String("/e1-XXXXXX");
    QByteArray name = QFile::encodeName(base);
    if (mkdtemp(name.data()))
        folder = QFile::decodeName(name);
}

QTemporaryDir::~QTemporaryDir()
{
    if (folder.isEmpty())
        return;
    // Depth first: a folder goes once it is empty.
    std::function<void(const QString &)> remove = [&remove](const QString &path) {
        const QDir dir(path);
        foreach (const QFileInfo &entry,
                 dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System
                                   | QDir::NoDotAndDotDot)) {
            if (entry.isDir() && !entry.isSymLink())
                remove(entry.filePath());
            else
                QFile::remove(entry.filePath());
        }
        QDir().rmdir(path);
    };
    remove(folder);
}
#endif
