#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file only after the new contents are completely written and flushed to disk: the
// data goes to a partial file in the same folder, which is renamed over the old one on Commit().
// A crash, a full disk or a failed write leaves the previous file as it was.
//
// A partial file is named after its target and the writing process ("db.wpt.wendrift-partial-
// <pid>-<random>"), so no reader ever takes it for data. One that a killed process left behind
// is removed by the next save of the same file.
class CSafeFileWriter {
public:
    explicit CSafeFileWriter(const QString& path);
    ~CSafeFileWriter();
    CSafeFileWriter(const CSafeFileWriter&) = delete;
    CSafeFileWriter& operator=(const CSafeFileWriter&) = delete;

    bool Open();
    bool Write(const char* data, qint64 size);
    bool Write(const QByteArray& data) { return Write(data.constData(), data.size()); }
    // Renames the finished file into place; false (and the old file untouched) on any error.
    bool Commit();
    void Discard();
    // What failed, as the system said it ("No space left on device").
    QString ErrorString() const { return m_error; }

private:
    bool Fail(int error);

    QString m_target; // the file replaced: a symbolic link's target, not the link
    QString m_partial;
    int m_fd = -1;
    bool m_failed = false;
    QString m_error;
};

// For a writer that makes the file itself (QSettings): the name of a new partial file for
// `target`, once the partials of gone writers are removed; and the step that puts a finished
// partial in place of the target, with the target's permissions. False (the partial removed,
// the target as it was) when that fails; `error` then says why.
QString NewPartialFilePath(const QString& target);
bool ReplaceWithPartial(const QString& partial, const QString& target, QString* error = nullptr);

// Writes `data` as the whole new content of `path`, safely. False when anything failed.
bool WriteFileSafely(const QString& path, const QByteArray& data, QString* error = nullptr);

// Copies `path` to `path` + `suffix` (replacing an older copy) so a file is kept before it is
// rewritten. False when the copy could not be made.
bool KeepCopyBeside(const QString& path, const QString& suffix);
