#include "gps/PseudoTerminal.h"

#include "gps/BaudRates.h"

#include <QByteArray>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

CPseudoTerminal::~CPseudoTerminal()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool CPseudoTerminal::Open()
{
    char name[PATH_MAX] = {};
    termios raw{};
    cfmakeraw(&raw);
    cfsetispeed(&raw, B4800);
    cfsetospeed(&raw, B4800);
    if (::openpty(&m_master, &m_slave, name, &raw, nullptr) != 0)
        return false;
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_slavePath = QString::fromLocal8Bit(name);
    return true;
}

int CPseudoTerminal::Write(const char* bytes, int count)
{
    if (m_master < 0 || count <= 0)
        return 0;
    const ssize_t n = ::write(m_master, bytes, static_cast<size_t>(count));
    return n > 0 ? static_cast<int>(n) : 0;
}

int CPseudoTerminal::Write(const QByteArray& bytes)
{
    return Write(bytes.constData(), static_cast<int>(bytes.size()));
}

int CPseudoTerminal::Read(char* buffer, int maxBytes)
{
    if (m_master < 0)
        return 0;
    const ssize_t n = ::read(m_master, buffer, static_cast<size_t>(maxBytes));
    return n > 0 ? static_cast<int>(n) : 0;
}

bool CPseudoTerminal::WaitReadable(int timeoutMs) const
{
    pollfd waiter{m_master, POLLIN, 0};
    return ::poll(&waiter, 1, timeoutMs) > 0 && (waiter.revents & POLLIN) != 0;
}

int CPseudoTerminal::PendingForOtherSide() const
{
    int pending = 0;
    if (m_slave < 0 || ::ioctl(m_slave, FIONREAD, &pending) != 0)
        return 0;
    return pending;
}

uint32_t CPseudoTerminal::SlaveBaud() const
{
    termios tio{};
    if (m_slave < 0 || ::tcgetattr(m_slave, &tio) != 0)
        return 0;
    return BaudForSpeed(cfgetospeed(&tio));
}
