// SPDX-License-Identifier: GPL-3.0-or-later
#include "launcherapplication.h"

#include <QAbstractButton>
#include <QEvent>
#include <QMainWindow>
#include <QMessageBox>
#include <exception>

namespace {

QPointer<QMessageBox> message;

// The receiver of an event, in words a user recognises: a button by its text where it has one.
QString describe(QObject *receiver, QEvent *event)
{
    const auto *button = qobject_cast<QAbstractButton *>(receiver);
    QString name = button ? button->text().remove(QLatin1Char('&')) : QString();
    if (name.isEmpty())
        name = receiver->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(receiver->metaObject()->className());
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
        if (button)
            return LauncherApplication::tr("Pressing “%1”").arg(name);
        break;
    default:
        break;
    }
    return LauncherApplication::tr("Handling an event for “%1”").arg(name);
}

// The launcher's main window, which the message belongs to.
QWidget *mainWindow()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (qobject_cast<QMainWindow *>(window) && window->isVisible())
            return window;
    }
    return nullptr;
}

} // namespace

LauncherApplication::LauncherApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{ }

bool LauncherApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportFailure(describe(receiver, event), currentException());
    }
    return false;
}

QString LauncherApplication::currentException()
{
    try {
        throw;
    } catch (const std::exception &exception) {
        return QString::fromLocal8Bit(exception.what());
    } catch (...) {
        return tr("an exception of unknown type");
    }
}

void LauncherApplication::reportFailure(const QString &what, const QString &cause)
{
    const QString text = tr("%1 failed in the plug-in: %2").arg(what, cause);
    qWarning("e1-launcher: %s", qPrintable(text));
    QWidget *window = mainWindow();
    if (!window)
        return;
    if (!message || message->parentWidget() != window) {
        delete message;
        message = new QMessageBox(QMessageBox::Warning, tr("Plug-in failure"), QString(),
                                  QMessageBox::Close, window);
        message->setObjectName(QStringLiteral("failureMessage"));
        message->setAttribute(Qt::WA_DeleteOnClose);
        message->setInformativeText(
            tr("The launcher abandoned what the plug-in was doing and goes on running. The "
               "card's configuration and the command log are kept."));
    }
    message->setText(text);
    // Not exec(): the message must not wait for the user while events go on.
    message->show();
    message->raise();
}

QMessageBox *LauncherApplication::failureMessage()
{
    return message;
}
