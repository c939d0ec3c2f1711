#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// Replaces a file only after the new contents are completely written and flushed to disk: the
// data goes to a temporary file in the same folder, which is renamed over the old one on
// Commit(). A crash, a full disk or a failed write leaves the previous file as it was.
class CSafeFileWriter {
public:
    explicit CSafeFileWriter(const QString& path);

    bool Open();
    bool Write(const char* data, qint64 size);
    bool Write(const QByteArray& data) { return Write(data.constData(), data.size()); }
    // Renames the finished file into place; false (and the old file untouched) on any error.
    bool Commit();
    void Discard();
    QString ErrorString() const { return m_file.errorString(); }

private:
    QSaveFile m_file;
    bool m_failed = false;
};

// Writes `data` as the whole new content of `path`, safely. False when anything failed.
bool WriteFileSafely(const QString& path, const QByteArray& data, QString* error = nullptr);

// Copies `path` to `path` + `suffix` (replacing an older copy) so a file is kept before it is
// rewritten. False when the copy could not be made.
bool KeepCopyBeside(const QString& path, const QString& suffix);
