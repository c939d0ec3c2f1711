#include "gps/NMEALog.h"

#include "gps/NMEAParser.h"
#include "platform/Prompts.h"
#include "platform/StringTable.h"

#include <QDir>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr int kNoLogText = 272;
constexpr int kLogNotWritten = 1304;
} // namespace

std::unique_ptr<CNMEALogFile> CNMEALogFile::Create(const QString& path)
{
    const int fd =
        ::open(path.toLocal8Bit().constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return nullptr;
    return std::unique_ptr<CNMEALogFile>(new CNMEALogFile(fd, path));
}

CNMEALogFile::~CNMEALogFile()
{
    ::close(m_fd);
}

void CNMEALogFile::WriteChunk(const uint8_t* bytes, size_t count)
{
    // After a failed write nothing more is written, so the log stays a prefix of what arrived
    // even when the disk has room again.
    if (m_failed)
        return;
    size_t done = 0;
    do {
        const ssize_t n = ::write(m_fd, bytes + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            m_failed = true;
            Prompts().Ask(LoadString(kLogNotWritten)
                              .arg(QDir::toNativeSeparators(m_path),
                                   QString::fromLocal8Bit(std::strerror(errno))),
                          QString(), PromptButtons::Ok, PromptIcon::Warning);
            return;
        }
        done += static_cast<size_t>(n);
    } while (done < count);
}

int StartLogging(CNMEAParser& parser, const QString& path)
{
    // Checked first, so the file of a failed start is never truncated.
    if (parser.HasRawDataSink())
        return 0;
    std::unique_ptr<CNMEALogFile> log = CNMEALogFile::Create(path);
    if (!log)
        return 0;
    return parser.SetRawDataSink(std::move(log));
}

int StopLogging(CNMEAParser& parser)
{
    return parser.ClearRawDataSink();
}

bool IsLogging(const CNMEAParser& parser)
{
    return parser.HasRawDataSink();
}

uint32_t GetLoggedBytes(const CNMEAParser& parser)
{
    return parser.GetLoggedBytes();
}

QString LogSizeText(bool logging, uint32_t loggedBytes)
{
    if (!logging)
        return LoadString(kNoLogText);
    if (loggedBytes < 1000)
        return QStringLiteral("Log:%1").arg(loggedBytes);
    if (loggedBytes < 1000000)
        return QStringLiteral("Log:%1K").arg(loggedBytes / 1000);
    return QString::asprintf("Log:%0.2fM", loggedBytes * 0.000001);
}
