#include "app/SettingsStore.h"

#include "app/IniFile.h"
#include "platform/Prompts.h"
#include "platform/SafeFile.h"
#include "platform/StringTable.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>
#include <memory>

namespace {

const char* const kFileName = "Wendrift.ini";
constexpr int kSettingsNotSaved = 1303;

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
    const QFileInfo info(m_path);
    if (info.exists() && (!info.isFile() || !info.isReadable())) {
        Warn(QStringLiteral("cannot read the settings file %1; using defaults").arg(m_path));
        m_unreadable = true;
        return;
    }
    const IniContents contents = ReadIniFile(m_path);
    m_values = contents.values;
    if (contents.damaged) {
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
    if (m_unreadable)
        return defaultValue;
    const QVariant value = m_values.value(Key(section, key));
    bool ok = false;
    const int result = value.toString().trimmed().toInt(&ok);
    return ok ? result : defaultValue;
}

QString CSettingsStore::ReadTextSetting(const QString& section, const QString& key,
                                        const QString& defaultValue) const
{
    if (m_unreadable)
        return defaultValue;
    const QVariant value = m_values.value(Key(section, key));
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
        // The next file written carries over every value that could still be read.
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
    if (!PrepareForWrite())
        return false;
    IniValues values = m_values;
    values.insert(Key(section, key), text);
    const bool written = WriteIniFile(m_path, values);
    if (written)
        m_values = std::move(values);
    else if (!m_toldNotWritten) // once, not at every setting a dialog stores, until one works
        Prompts().Ask(LoadString(kSettingsNotSaved).arg(QDir::toNativeSeparators(m_path)),
                      QString(), PromptButtons::Ok, PromptIcon::Warning);
    m_toldNotWritten = !written;
    return written;
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
