#include "waypoints/GeocachePage.h"

#include "app/SettingsStore.h"
#include "platform/Clock.h"
#include "platform/Locations.h"
#include "platform/Prompts.h"
#include "platform/SafeFile.h"
#include "platform/UrlOpener.h"
#include "waypoints/GeocachePageValues.h"
#include "waypoints/HtmlTemplate.h"
#include "waypoints/WaypointDB.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kLastPageKey = QStringLiteral("Last GC HTML FIle");
const QString kFirstPage = QStringLiteral("\\HTML\\gc.htm");
const QString kSecondPage = QStringLiteral("\\HTML\\gc2.htm");

// The last part of a handheld-style name such as "\HTML\gc.htm".
QString FileNameOf(const QString& handheldName)
{
    return handheldName.mid(handheldName.lastIndexOf(u'\\') + 1);
}

struct PageChoice {
    QString page;         // "gc.htm" or "gc2.htm"
    QString hintTemplate; // its hint template, which links back to it
};

// Takes the page name not used last time and records it as used now.
PageChoice NextPage()
{
    const QString last = ReadTextSetting(kSection, kLastPageKey, kFirstPage);
    const bool second = last == kFirstPage;
    WriteTextSetting(kSection, kLastPageKey, second ? kSecondPage : kFirstPage);
    if (second)
        return {FileNameOf(kSecondPage), QStringLiteral("hinttpl2.htm")};
    return {FileNameOf(kFirstPage), QStringLiteral("hinttpl.htm")};
}

// Copies the images and style sheet beside the pages where they are missing or differ.
void ProvideAssets(const QDir& templates, const QDir& out)
{
    const QFileInfoList assets = templates.entryInfoList(QDir::Files);
    for (const QFileInfo& asset : assets) {
        if (asset.suffix() == QLatin1String("htm"))
            continue;
        const QFileInfo placed(out.filePath(asset.fileName()));
        if (placed.exists() && placed.size() == asset.size())
            continue;
        QFile::remove(placed.filePath());
        QFile::copy(asset.filePath(), placed.filePath());
    }
}

// Fills one template into one page; false when either file fails.
bool FillInto(const QString& templatePath, const QString& pagePath, const CWaypoint& wp,
              int64_t now, int& linesCut)
{
    QFile source(templatePath);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray templateText = source.readAll();
    const FilledTemplate filled = FillTemplate(
        templateText, [&](QByteArrayView name) { return GeocachePlaceholderValue(wp, name, now); });
    linesCut += filled.linesCut;
    return WriteFileSafely(pagePath, filled.text);
}

} // namespace

QString GeocacheTemplateDir()
{
    return QDir(Locations::ShareDir()).filePath(QStringLiteral("html"));
}

QString GeocachePageDir()
{
    return QDir(Locations::UserCacheDir()).filePath(QStringLiteral("HTML"));
}

std::optional<GeocachePageFiles> BuildGeocachePage(const CWaypoint& wp, const QString& outDir)
{
    const QDir templates(GeocacheTemplateDir());
    const QDir out(outDir);
    if (!out.mkpath(QStringLiteral(".")))
        return std::nullopt;
    const PageChoice choice = NextPage();
    const QString pageTemplate = wp.geocache.strPlacedBy.isEmpty() ? QStringLiteral("wptpl.htm")
                                                                   : QStringLiteral("cachetpl.htm");
    GeocachePageFiles files;
    files.page = out.filePath(choice.page);
    files.hint = out.filePath(QStringLiteral("hint.htm"));
    const int64_t now = Clock::Now();
    if (!FillInto(templates.filePath(pageTemplate), files.page, wp, now, files.linesCut) ||
        !FillInto(templates.filePath(choice.hintTemplate), files.hint, wp, now, files.linesCut))
        return std::nullopt;
    ProvideAssets(templates, out);
    return files;
}

bool ShowGeocachePage(const CWaypointDB& db, int id)
{
    CWaypoint wp;
    db.GetByID(id, wp);
    const std::optional<GeocachePageFiles> files = BuildGeocachePage(wp);
    if (!files) {
        Prompts().Ask(QStringLiteral("ERROR\nCould not show Geocache information"), QString(),
                      PromptButtons::Ok, PromptIcon::Error);
        return false;
    }
    if (files->linesCut > 0)
        Prompts().Beep();
    OpenUrl(QUrl::fromLocalFile(files->page));
    return true;
}
