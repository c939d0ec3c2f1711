#include "app/SettingsStore.h"

#include "platform/SafeFile.h"
#include "platform/VectorState.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <cstdio>

namespace {

const char* const kFileName = "Wendrift.ini";

void Warn(const QString& text)
{
    std::fprintf(stderr, "wendrift: %s\n", qUtf8Printable(text));
}

QString Key(const QString& section, const QString& key)
{
    return section + u'/' + key;
}

std::unique_ptr<CSettingsStore> g_store;

} // namespace

CSettingsStore::CSettingsStore(const QString& directory)
    : m_path(QDir(directory).filePath(QString::fromLatin1(kFileName)))
{
    const CUpperVectorStateGuard cleanVectorState; // QSettings hashes its keys
    const QFileInfo info(m_path);
    if (info.exists() && (!info.isFile() || !info.isReadable())) {
        Warn(QStringLiteral("cannot read the settings file %1; using defaults").arg(m_path));
        m_unreadable = true;
    }
    m_settings = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
    if (!m_unreadable && m_settings->status() != QSettings::NoError) {
        Warn(QStringLiteral("the settings file %1 is damaged; using defaults for what cannot be "
                            "read (the file is kept as it is until a setting is changed, then "
                            "a copy is kept beside it)")
                 .arg(m_path));
        m_damaged = true;
    }
}

CSettingsStore::~CSettingsStore() = default;

QString CSettingsStore::DefaultDirectory(const QString& overrideDir)
{
    if (!overrideDir.isEmpty())
        return overrideDir;
    const QString fromEnvironment = qEnvironmentVariable("WENDRIFT_CONFIG_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("ORVS"));
}

int CSettingsStore::ReadIntSetting(const QString& section, const QString& key,
                                   int defaultValue) const
{
    const CUpperVectorStateGuard cleanVectorState; // QSettings hashes its keys
    if (m_unreadable)
        return defaultValue;
    const QVariant value = m_settings->value(Key(section, key));
    bool ok = false;
    const int result = value.toString().trimmed().toInt(&ok);
    return ok ? result : defaultValue;
}

QString CSettingsStore::ReadTextSetting(const QString& section, const QString& key,
                                        const QString& defaultValue) const
{
    const CUpperVectorStateGuard cleanVectorState; // QSettings hashes its keys
    if (m_unreadable)
        return defaultValue;
    const QVariant value = m_settings->value(Key(section, key));
    return value.isValid() ? value.toString() : defaultValue;
}

double CSettingsStore::ReadRealSetting(const QString& section, const QString& key,
                                       const QString& defaultText) const
{
    bool ok = false;
    const double value = ReadTextSetting(section, key, defaultText).trimmed().toDouble(&ok);
    return ok ? value : defaultText.toDouble();
}

bool CSettingsStore::WriteIntSetting(const QString& section, const QString& key, int value)
{
    return WriteValue(section, key, QString::number(value));
}

bool CSettingsStore::WriteTextSetting(const QString& section, const QString& key,
                                      const QString& text)
{
    return WriteValue(section, key, text);
}

bool CSettingsStore::PrepareForWrite()
{
    if (m_unreadable) {
        Warn(QStringLiteral("not writing settings: %1 cannot be read").arg(m_path));
        return false;
    }
    if (m_damaged) {
        // Keep what the user had before the first write replaces the damaged file.
        const QString suffix =
            QStringLiteral(".damaged-%1").arg(QDateTime::currentSecsSinceEpoch());
        if (!KeepCopyBeside(m_path, suffix)) {
            Warn(QStringLiteral("not writing settings: cannot keep a copy of the damaged %1")
                     .arg(m_path));
            return false;
        }
        Warn(QStringLiteral("the damaged settings file was kept as %1%2").arg(m_path, suffix));
        // Start a clean file that carries over every value that could still be read.
        QList<std::pair<QString, QVariant>> readable;
        for (const QString& key : m_settings->allKeys())
            readable.append({key, m_settings->value(key)});
        m_settings.reset();
        QFile::remove(m_path);
        m_settings = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
        for (const auto& [key, value] : readable)
            m_settings->setValue(key, value);
        m_damaged = false;
    }
    const QString directory = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(directory)) {
        Warn(QStringLiteral("cannot create the settings folder %1").arg(directory));
        return false;
    }
    return true;
}

bool CSettingsStore::WriteValue(const QString& section, const QString& key, const QString& text)
{
    const CUpperVectorStateGuard cleanVectorState; // QSettings hashes its keys
    if (!PrepareForWrite())
        return false;
    m_settings->setValue(Key(section, key), text);
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError) {
        Warn(QStringLiteral("cannot write the settings file %1").arg(m_path));
        return false;
    }
    return true;
}

CSettingsStore& OpenSettingsStore(const QString& directory)
{
    g_store = std::make_unique<CSettingsStore>(directory);
    return *g_store;
}

CSettingsStore& AppSettings()
{
    if (!g_store)
        OpenSettingsStore(CSettingsStore::DefaultDirectory());
    return *g_store;
}

int ReadIntSetting(const QString& section, const QString& key, int defaultValue)
{
    return AppSettings().ReadIntSetting(section, key, defaultValue);
}

bool WriteIntSetting(const QString& section, const QString& key, int value)
{
    return AppSettings().WriteIntSetting(section, key, value);
}

QString ReadTextSetting(const QString& section, const QString& key, const QString& defaultValue)
{
    return AppSettings().ReadTextSetting(section, key, defaultValue);
}

bool WriteTextSetting(const QString& section, const QString& key, const QString& text)
{
    return AppSettings().WriteTextSetting(section, key, text);
}

double ReadRealSetting(const QString& section, const QString& key, const QString& defaultText)
{
    return AppSettings().ReadRealSetting(section, key, defaultText);
}
