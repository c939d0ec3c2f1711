#pragma once

#include <QMap>
#include <QString>
#include <QVariant>

// The user's settings: named sections holding named values, kept in one INI file. Every read
// names a default, returned for anything missing or unreadable; every write reaches the disk
// before the call returns, replacing the file whole. Section and key names are used exactly as
// given. A write the disk refuses (full) keeps the file and the value as they were, and is
// reported once.
class CSettingsStore {
public:
    // The store file `Wendrift.ini` in `directory`.
    explicit CSettingsStore(const QString& directory);
    ~CSettingsStore();
    CSettingsStore(const CSettingsStore&) = delete;
    CSettingsStore& operator=(const CSettingsStore&) = delete;

    int ReadIntSetting(const QString& section, const QString& key, int defaultValue) const;
    bool WriteIntSetting(const QString& section, const QString& key, int value);
    QString ReadTextSetting(const QString& section, const QString& key,
                            const QString& defaultValue) const;
    bool WriteTextSetting(const QString& section, const QString& key, const QString& text);

    // A real number kept as decimal text; unparsable text reads as `defaultText` converted.
    double ReadRealSetting(const QString& section, const QString& key,
                           const QString& defaultText) const;

    QString FilePath() const { return m_path; }

    // The folder the store lives in: `overrideDir` when given, else $WENDRIFT_CONFIG_DIR, else
    // $XDG_CONFIG_HOME/ORVS (~/.config/ORVS).
    static QString DefaultDirectory(const QString& overrideDir = {});

private:
    bool WriteValue(const QString& section, const QString& key, const QString& text);
    bool PrepareForWrite();

    QString m_path;
    QMap<QString, QVariant> m_values; // as the file holds them, by "section/key"
    bool m_damaged = false;           // the file on disk could not be parsed or read
    bool m_unreadable = false;
    bool m_toldNotWritten = false; // the user knows the last write failed
};

// The process-wide store that the free functions below use. Opening replaces the previous one.
CSettingsStore& OpenSettingsStore(const QString& directory);
CSettingsStore& AppSettings();

int ReadIntSetting(const QString& section, const QString& key, int defaultValue);
bool WriteIntSetting(const QString& section, const QString& key, int value);
QString ReadTextSetting(const QString& section, const QString& key, const QString& defaultValue);
bool WriteTextSetting(const QString& section, const QString& key, const QString& text);
double ReadRealSetting(const QString& section, const QString& key, const QString& defaultText);
