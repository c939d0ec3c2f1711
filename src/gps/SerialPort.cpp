#include "gps/SerialPort.h"

#include "gps/BaudRates.h"
#include "gps/ChunkHandoff.h"
#include "gps/PortNames.h"
#include "gps/ReaderThread.h"
#include "platform/Prompts.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <system_error>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

const char kOpenFailed[] =
    "Unable to open port. Please close the application accessing the communication port";
const char kCaption[] = "Communication Error";

void ShowError(const QString& text, const QString& caption)
{
    Prompts().Ask(text, caption, PromptButtons::Ok, PromptIcon::Error);
}

// Raw 8N1 at `speed`, receiver on, modem lines ignored, no flow control of either kind, no
// translation of any byte.
void ApplyLineSettings(termios& tio, speed_t speed)
{
    tio.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR |
                                          ICRNL | IXON | IXOFF | IXANY | INPCK | IUCLC);
    tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
}

} // namespace

CSerialPort::CSerialPort() = default;

CSerialPort::~CSerialPort()
{
    Close();
}

int CSerialPort::Fail(bool showErrors, const char* message)
{
    if (showErrors)
        ShowError(QString::fromLatin1(message), QString::fromLatin1(kCaption));
    return 0;
}

int CSerialPort::Open(const QString& device, uint32_t baud, bool showErrors)
{
    Close();
    const QByteArray path = device.toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Fail(showErrors, kOpenFailed);
    // No sharing: TIOCEXCL turns away later opens by other programs (except root's), the lock
    // turns away programs that lock the device the same way, root's included.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return Fail(showErrors, kOpenFailed);
    }
    ::ioctl(fd, TIOCEXCL);

    // Reads return at once with what is buffered.
    termios tio{};
    bool configured = ::tcgetattr(fd, &tio) == 0;
    if (configured) {
        tio.c_cc[VMIN] = 0;
        tio.c_cc[VTIME] = 0;
        configured = ::tcsetattr(fd, TCSANOW, &tio) == 0;
    }
    if (!configured) {
        ::close(fd);
        return Fail(showErrors, "SetCommTimeouts - Fail");
    }

    speed_t speed = B0;
    configured = SpeedForBaud(baud, &speed);
    if (configured) {
        ApplyLineSettings(tio, speed);
        configured = ::tcsetattr(fd, TCSANOW, &tio) == 0 && ::tcgetattr(fd, &tio) == 0 &&
                     cfgetospeed(&tio) == speed;
    }
    if (!configured) {
        ::ioctl(fd, TIOCNXCL);
        ::close(fd);
        return Fail(showErrors, "SetCommState - Fail");
    }
    // Pseudo-terminals have no modem lines; there the call fails and nothing is lost.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd, TIOCMBIS, &lines);
    // Bytes that came in before the line was set up are noise at some other rate.
    ::tcflush(fd, TCIOFLUSH);

    m_fd = fd;
    m_baud = baud;
    m_device = device;
    return 1;
}

int CSerialPort::OpenFile(const QString& path)
{
    Close();
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        ShowError(QStringLiteral("File Error!"), QString());
        return 0;
    }
    m_fd = fd;
    m_device = path;
    m_path = path;
    return 1;
}

int CSerialPort::Close()
{
    StopReaderThread();
    if (m_fd < 0)
        return 0;
    const int fd = m_fd;
    m_fd = -1;
    m_device.clear();
    m_path.clear();
    // Lift the exclusive mode, which would otherwise outlive us while another holder (such as
    // a simulator keeping the other side of a pseudo-terminal) still has the device open.
    ::ioctl(fd, TIOCNXCL);
    return ::close(fd) == 0 ? 1 : 0;
}

int CSerialPort::Read(uint8_t* buffer, int maxBytes)
{
    if (m_fd < 0 || maxBytes <= 0)
        return 0;
    const ssize_t count = ::read(m_fd, buffer, static_cast<size_t>(maxBytes));
    // Nothing buffered (EAGAIN), a hang-up or a line error all read as an empty chunk; a lasting
    // silence is the watchdog's business.
    return count > 0 ? static_cast<int>(count) : 0;
}

int CSerialPort::Write(const uint8_t* buffer, int count)
{
    if (m_fd < 0 || count <= 0)
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

bool CSerialPort::WaitReadable(int timeoutMs) const
{
    if (m_fd < 0)
        return false;
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

int CSerialPort::EnumeratePorts()
{
    m_portList.clear();
    if (!SerialDriverListReadable())
        return 0;
    for (const SerialPortEntry& entry : ListSerialPorts())
        m_portList.append(entry.Text());
    return 1;
}

int CSerialPort::StartReaderThread(CChunkHandoff& handoff)
{
    StopReaderThread();
    if (m_fd < 0)
        return 0;
    try {
        m_reader = std::make_unique<CReaderThread>(
            [this](uint8_t* buffer, int maxBytes) { return Read(buffer, maxBytes); }, handoff,
            m_readerPaused);
    } catch (const std::system_error&) {
        ShowError(QStringLiteral("Unable to create the read thread"), QString());
        return 0;
    }
    m_handoff = &handoff;
    return 1;
}

void CSerialPort::SetReaderPaused(bool paused)
{
    m_readerPaused = paused;
    if (m_reader)
        m_reader->SetPaused(paused);
}

void CSerialPort::StopReaderThread()
{
    m_reader.reset();
    // Chunks read before the close belong to the old connection.
    if (m_handoff)
        m_handoff->Discard();
    m_handoff = nullptr;
}
