#include "platform/SafeFile.h"

#include <QFile>

CSafeFileWriter::CSafeFileWriter(const QString& path) : m_file(path)
{
    m_file.setDirectWriteFallback(false);
}

bool CSafeFileWriter::Open()
{
    // Unbuffered, so that a short write (a full disk) shows in Write() instead of vanishing
    // inside the flush on Commit().
    m_failed = !m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return !m_failed;
}

bool CSafeFileWriter::Write(const char* data, qint64 size)
{
    if (m_failed)
        return false;
    if (size > 0 && m_file.write(data, size) != size) {
        m_failed = true;
        m_file.cancelWriting();
    }
    return !m_failed;
}

bool CSafeFileWriter::Commit()
{
    if (m_failed || !m_file.isOpen()) {
        Discard();
        return false;
    }
    return m_file.commit();
}

void CSafeFileWriter::Discard()
{
    if (m_file.isOpen()) {
        m_file.cancelWriting();
        m_file.commit();
    }
    m_failed = true;
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
