#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

const QString kPartialMarker = QStringLiteral(".wendrift-partial-");

QByteArray Local(const QString& path)
{
    return QFile::encodeName(path);
}

// A partial file of `target` whose writer is gone: a process killed in the middle of a save.
bool IsAbandonedPartial(const QString& fileName, const QString& targetName)
{
    const QString prefix = targetName + kPartialMarker;
    if (!fileName.startsWith(prefix))
        return false;
    bool ok = false;
    const qint64 pid = fileName.mid(prefix.size()).section(u'-', 0, 0).toLongLong(&ok);
    if (!ok || pid <= 0)
        return false;
    return pid != ::getpid() && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

void RemoveAbandonedPartials(const QFileInfo& target)
{
    // Every name is looked at: a name filter would read "[" or "*" in the target's name as a
    // wildcard.
    const QDir dir = target.absoluteDir();
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (IsAbandonedPartial(name, target.fileName()))
            QFile::remove(dir.filePath(name));
}

QString RandomSuffix()
{
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString suffix;
    for (int i = 0; i < 6; ++i)
        suffix += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(62)]);
    return suffix;
}

bool WriteAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// Makes a rename in `dir` survive a power cut.
void SyncFolder(const QString& dir)
{
    const int fd = ::open(Local(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

CSafeFileWriter::CSafeFileWriter(const QString& path) : m_target(path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        m_target = info.symLinkTarget();
}

CSafeFileWriter::~CSafeFileWriter()
{
    Discard();
}

bool CSafeFileWriter::Fail(int error)
{
    m_error = QString::fromLocal8Bit(std::strerror(error));
    Discard();
    return false;
}

bool CSafeFileWriter::Open()
{
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        m_partial = NewPartialFilePath(m_target);
        // 0666 lets the umask decide, as for any file the user creates; a file replaced lends
        // its permissions at once, so the partial is never more open than the old file.
        m_fd = ::open(Local(m_partial).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST)
            return Fail(errno);
    }
    if (m_fd < 0)
        return Fail(EEXIST);
    struct stat old {};
    if (::stat(Local(m_target).constData(), &old) == 0)
        ::fchmod(m_fd, old.st_mode & 07777);
    m_failed = false;
    return true;
}

bool CSafeFileWriter::Write(const char* data, qint64 size)
{
    if (m_failed || m_fd < 0)
        return false;
    return WriteAll(m_fd, data, size) || Fail(errno);
}

bool CSafeFileWriter::Commit()
{
    if (m_failed || m_fd < 0) {
        Discard();
        return false;
    }
    if (::fsync(m_fd) != 0)
        return Fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return Fail(errno);
    const QString partial = std::exchange(m_partial, QString());
    return ReplaceWithPartial(partial, m_target, &m_error);
}

void CSafeFileWriter::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_partial.isEmpty()) {
        ::unlink(Local(m_partial).constData());
        m_partial.clear();
    }
    m_failed = true;
}

QString NewPartialFilePath(const QString& target)
{
    RemoveAbandonedPartials(QFileInfo(target));
    return target + kPartialMarker + QString::number(::getpid()) + u'-' + RandomSuffix();
}

bool ReplaceWithPartial(const QString& partial, const QString& target, QString* error)
{
    struct stat old {};
    if (::stat(Local(target).constData(), &old) == 0)
        ::chmod(Local(partial).constData(), old.st_mode & 07777);
    if (::rename(Local(partial).constData(), Local(target).constData()) != 0) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(errno));
        ::unlink(Local(partial).constData());
        return false;
    }
    SyncFolder(QFileInfo(target).absolutePath());
    return true;
}

bool WriteFileSafely(const QString& path, const QByteArray& data, QString* error)
{
    CSafeFileWriter writer(path);
    const bool ok = writer.Open() && writer.Write(data) && writer.Commit();
    if (!ok && error)
        *error = writer.ErrorString();
    return ok;
}

bool KeepCopyBeside(const QString& path, const QString& suffix)
{
    const QString copy = path + suffix;
    QFile::remove(copy);
    return QFile::copy(path, copy);
}
