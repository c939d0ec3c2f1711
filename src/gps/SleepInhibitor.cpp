#include "gps/SleepInhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace {

const char kService[] = "org.freedesktop.ScreenSaver";
const char kPath[] = "/org/freedesktop/ScreenSaver";
const char kInterface[] = "org.freedesktop.ScreenSaver";
constexpr int kCallTimeoutMs = 1000; // a missing or hung service must not stall the UI

bool HaveSessionBus()
{
    // Without an address Qt would try to start a bus of its own; there is none to inhibit then.
    return qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS") &&
           QDBusConnection::sessionBus().isConnected();
}

} // namespace

CSleepInhibitor::~CSleepInhibitor()
{
    Release();
}

bool CSleepInhibitor::Hold()
{
    if (m_held || !HaveSessionBus())
        return m_held;
    QDBusMessage call =
        QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                       QString::fromLatin1(kInterface), QStringLiteral("Inhibit"));
    call << QStringLiteral("Wendrift") << QStringLiteral("Receiving GPS data");
    const QDBusMessage reply =
        QDBusConnection::sessionBus().call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
        m_cookie = reply.arguments().first().toUInt();
        m_held = true;
    }
    return m_held;
}

void CSleepInhibitor::Release()
{
    if (!m_held)
        return;
    m_held = false;
    if (!HaveSessionBus())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
        QStringLiteral("UnInhibit"));
    call << m_cookie;
    QDBusConnection::sessionBus().call(call, QDBus::Block, kCallTimeoutMs);
}
