#pragma once

#include "app/SettingsStore.h"

#include <QTemporaryDir>

// An empty settings store for the lifetime of the object; the test program's own store is
// opened again afterwards.
class CFreshSettings {
public:
    CFreshSettings() { OpenSettingsStore(m_dir.path()); }
    ~CFreshSettings() { OpenSettingsStore(CSettingsStore::DefaultDirectory()); }
    CFreshSettings(const CFreshSettings&) = delete;
    CFreshSettings& operator=(const CFreshSettings&) = delete;

    QString Directory() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};
