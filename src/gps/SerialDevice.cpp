#include "gps/SerialDevice.h"

#include "gps/BaudRates.h"
#include "gps/DescriptorSource.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

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

std::unique_ptr<IByteSource> Fail(int fd, const char* text, const char** failure)
{
    if (fd >= 0) {
        ::ioctl(fd, TIOCNXCL);
        ::close(fd);
    }
    *failure = text;
    return nullptr;
}

} // namespace

std::unique_ptr<IByteSource> OpenSerialDevice(const QString& device, uint32_t baud,
                                              const char** failure)
{
    const QByteArray path = device.toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Fail(-1, kOpenPortFailed, failure);
    // No sharing: TIOCEXCL turns away later opens by other programs (except root's), the lock
    // turns away programs that lock the device the same way, root's included.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return Fail(-1, kOpenPortFailed, failure);
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
    if (!configured)
        return Fail(fd, "SetCommTimeouts - Fail", failure);

    speed_t speed = B0;
    configured = SpeedForBaud(baud, &speed);
    if (configured) {
        ApplyLineSettings(tio, speed);
        configured = ::tcsetattr(fd, TCSANOW, &tio) == 0 && ::tcgetattr(fd, &tio) == 0 &&
                     cfgetospeed(&tio) == speed;
    }
    if (!configured)
        return Fail(fd, "SetCommState - Fail", failure);
    // Pseudo-terminals have no modem lines; there the call fails and nothing is lost.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd, TIOCMBIS, &lines);
    // Bytes that came in before the line was set up are noise at some other rate.
    ::tcflush(fd, TCIOFLUSH);
    return std::make_unique<CDescriptorSource>(fd, true);
}
