#include "FuzzHarness.h"

#include "waypoints/WaypointDB.h"

#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

std::span<const uint8_t> CFuzzInput::Bytes(size_t count)
{
    const size_t taken = std::min(count, m_size - m_at);
    const std::span<const uint8_t> bytes(m_data + m_at, taken);
    m_at += taken;
    return bytes;
}

QString FuzzScratchFile(const QString& name, std::span<const uint8_t> bytes)
{
    static const QTemporaryDir scratch;
    const QString path = scratch.filePath(name);
    // Plain POSIX calls, as this runs for every input: a new file each time, since truncating
    // and rewriting one makes some file systems flush it to disk on close.
    const QByteArray local = path.toLocal8Bit();
    ::unlink(local.constData());
    const int fd = ::open(local.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    FuzzCheck(fd >= 0, "cannot create the scratch file");
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        FuzzCheck(n > 0, "cannot write the scratch file");
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    return path;
}

CWaypointDB& EmptyWaypointStore()
{
    static CWaypointDB store;
    store.Load(QString()); // no such file: the store is emptied and stays so
    return store;
}

void FuzzCheck(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}
