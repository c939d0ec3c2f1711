#pragma once

#include "platform/UrlOpener.h"

#include <QList>
#include <QUrl>

// Stands in for the browser: records every page the program opens. Installed for the lifetime
// of the object.
class CRecordingUrlOpener : public IUrlOpener {
public:
    CRecordingUrlOpener() { SetUrlOpener(this); }
    ~CRecordingUrlOpener() override { SetUrlOpener(nullptr); }
    CRecordingUrlOpener(const CRecordingUrlOpener&) = delete;
    CRecordingUrlOpener& operator=(const CRecordingUrlOpener&) = delete;

    bool Open(const QUrl& url) override
    {
        opened.append(url);
        return true;
    }

    QList<QUrl> opened;
};
