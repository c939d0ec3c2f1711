#include "gps/NetworkSource.h"

#include "gps/HostLookup.h"

#include <QCoreApplication>

#include <cerrno>
#include <chrono>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

// Asks gpsd to pass on what its devices send, as it comes.
const char kWatchCommand[] = "?WATCH={\"enable\":true,\"nmea\":true}\n";

QString ErrorText(int error)
{
    return QString::fromStdString(std::generic_category().message(error));
}

} // namespace

CNetworkSource::CNetworkSource(SourceUrl url)
    : m_url(std::move(url)),
      m_lookup(std::make_unique<CHostLookup>(m_url.host.toUtf8(), m_url.port))
{}

CNetworkSource::~CNetworkSource()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QString CNetworkSource::TakeProblem()
{
    return std::exchange(m_problem, QString());
}

void CNetworkSource::Fail(const char* text, const QString& detail)
{
    m_state = State::Failed;
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_problem = QCoreApplication::translate("CNetworkSource", text).arg(m_url.text);
    if (!detail.isEmpty())
        m_problem = m_problem.arg(detail);
}

void CNetworkSource::Advance()
{
    if (m_state == State::LookingUp) {
        switch (m_lookup->Poll()) {
        case CHostLookup::Status::Pending:
            return;
        case CHostLookup::Status::Failed:
            return Fail(QT_TRANSLATE_NOOP("CNetworkSource", "%1: cannot find the host (%2)"),
                        m_lookup->Error());
        case CHostLookup::Status::Done:
            m_nextAddress = m_lookup->Addresses();
            ConnectNext();
            break;
        }
    }
    if (m_state != State::Connecting)
        return;
    pollfd waiter{m_fd, POLLOUT, 0};
    if (::poll(&waiter, 1, 0) <= 0)
        return;
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
        error = errno;
    if (error == 0)
        return Connected();
    m_connectError = error;
    ::close(m_fd);
    m_fd = -1;
    ConnectNext();
}

void CNetworkSource::ConnectNext()
{
    for (; m_nextAddress; m_nextAddress = m_nextAddress->ai_next) {
        const addrinfo& address = *m_nextAddress;
        const int fd = ::socket(address.ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            m_connectError = errno;
            continue;
        }
        if (::connect(fd, address.ai_addr, address.ai_addrlen) == 0 || errno == EINPROGRESS) {
            m_fd = fd;
            m_nextAddress = address.ai_next;
            m_state = State::Connecting;
            return;
        }
        m_connectError = errno;
        ::close(fd);
    }
    Fail(QT_TRANSLATE_NOOP("CNetworkSource", "%1: cannot connect (%2)"), ErrorText(m_connectError));
}

void CNetworkSource::Connected()
{
    m_state = State::Streaming;
    m_lookup.reset();
    m_nextAddress = nullptr;
    if (m_url.kind != SourceUrl::Kind::Gpsd)
        return;
    const ssize_t length = sizeof kWatchCommand - 1;
    if (::send(m_fd, kWatchCommand, length, MSG_NOSIGNAL) != length)
        Fail(QT_TRANSLATE_NOOP("CNetworkSource", "%1: gpsd did not take the request (%2)"),
             ErrorText(errno));
}

int CNetworkSource::KeepNmea(uint8_t* bytes, int count)
{
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        if (m_atLineStart)
            m_inReport = bytes[i] == '{';
        if (!m_inReport)
            bytes[kept++] = bytes[i];
        m_atLineStart = bytes[i] == '\n';
    }
    return kept;
}

int CNetworkSource::Read(uint8_t* buffer, int maxBytes)
{
    Advance();
    while (m_state == State::Streaming && maxBytes > 0) {
        const ssize_t count = ::recv(m_fd, buffer, static_cast<size_t>(maxBytes), MSG_DONTWAIT);
        if (count > 0) {
            const int kept = m_url.kind == SourceUrl::Kind::Gpsd
                                 ? KeepNmea(buffer, static_cast<int>(count))
                                 : static_cast<int>(count);
            if (kept > 0)
                return kept;
        } else if (count == 0) {
            Fail(QT_TRANSLATE_NOOP("CNetworkSource", "%1: the connection was closed"));
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return 0;
        } else if (errno != EINTR) {
            Fail(QT_TRANSLATE_NOOP("CNetworkSource", "%1: the connection broke (%2)"),
                 ErrorText(errno));
        }
    }
    return 0;
}

int CNetworkSource::Write(const uint8_t* buffer, int count)
{
    if (m_state != State::Streaming || m_url.kind != SourceUrl::Kind::Tcp || count <= 0)
        return 0;
    const ssize_t sent =
        ::send(m_fd, buffer, static_cast<size_t>(count), MSG_NOSIGNAL | MSG_DONTWAIT);
    return sent > 0 ? static_cast<int>(sent) : 0;
}

bool CNetworkSource::WaitReadable(int timeoutMs)
{
    Advance();
    if (m_state == State::Streaming) {
        pollfd waiter{m_fd, POLLIN, 0};
        return ::poll(&waiter, 1, timeoutMs) > 0 && (waiter.revents & POLLIN) != 0;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
    return false;
}
