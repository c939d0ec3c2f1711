#include "gps/DescriptorSource.h"

#include <cerrno>
#include <chrono>
#include <poll.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

CDescriptorSource::CDescriptorSource(int fd, bool terminal) : m_fd(fd), m_terminal(terminal)
{}

CDescriptorSource::~CDescriptorSource()
{
    // Lift the exclusive mode, which would otherwise outlive us while another holder (such as
    // a simulator keeping the other side of a pseudo-terminal) still has the device open.
    if (m_terminal)
        ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
}

int CDescriptorSource::Read(uint8_t* buffer, int maxBytes)
{
    if (maxBytes <= 0)
        return 0;
    const ssize_t count = ::read(m_fd, buffer, static_cast<size_t>(maxBytes));
    // Nothing buffered (EAGAIN), a hang-up or a line error all read as an empty chunk; a lasting
    // silence is the watchdog's business.
    return count > 0 ? static_cast<int>(count) : 0;
}

int CDescriptorSource::Write(const uint8_t* buffer, int count)
{
    if (count <= 0)
        return 0;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(10LL * count + 1000);
    int written = 0;
    while (written < count) {
        const ssize_t n = ::write(m_fd, buffer + written, static_cast<size_t>(count - written));
        if (n > 0) {
            written += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            break;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            break;
        pollfd waiter{m_fd, POLLOUT, 0};
        ::poll(&waiter, 1, static_cast<int>(left.count()));
    }
    return written;
}

bool CDescriptorSource::WaitReadable(int timeoutMs)
{
    pollfd waiter{m_fd, POLLIN, 0};
    if (::poll(&waiter, 1, timeoutMs) <= 0)
        return false;
    if ((waiter.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0)
        return (waiter.revents & POLLIN) != 0;
    // A hung-up line reports itself at once, over and over: wait out the time all the same so
    // nobody spins on it.
    std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
    return false;
}
