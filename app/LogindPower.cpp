#include "LogindPower.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>

void LogindPower::PowerOff()
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
    call << false; // not interactive
    QDBusConnection::systemBus().asyncCall(call);
}
