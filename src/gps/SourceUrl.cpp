#include "gps/SourceUrl.h"

#include <QCoreApplication>
#include <QUrl>

namespace {

const QLatin1String kGpsdScheme("gpsd://");
const QLatin1String kTcpScheme("tcp://");

std::optional<SourceUrl> Reject(QString* problem, const char* text, const QString& device)
{
    if (problem)
        *problem = QCoreApplication::translate("SourceUrl", text).arg(device);
    return std::nullopt;
}

} // namespace

bool IsSourceUrl(const QString& device)
{
    return device.startsWith(kGpsdScheme, Qt::CaseInsensitive) ||
           device.startsWith(kTcpScheme, Qt::CaseInsensitive);
}

std::optional<SourceUrl> ParseSourceUrl(const QString& device, QString* problem)
{
    if (!IsSourceUrl(device))
        return Reject(
            problem,
            QT_TRANSLATE_NOOP("SourceUrl", "%1 is not gpsd://HOST[:PORT] or tcp://HOST:PORT"),
            device);
    const QUrl url(device, QUrl::StrictMode);
    const bool plain = url.isValid() && !url.host().isEmpty() && url.userInfo().isEmpty() &&
                       (url.path().isEmpty() || url.path() == QLatin1String("/")) &&
                       !url.hasQuery() && !url.hasFragment();
    if (!plain)
        return Reject(problem,
                      QT_TRANSLATE_NOOP("SourceUrl", "%1: give a host and a port, nothing else"),
                      device);
    SourceUrl source;
    source.kind = device.startsWith(kGpsdScheme, Qt::CaseInsensitive) ? SourceUrl::Kind::Gpsd
                                                                      : SourceUrl::Kind::Tcp;
    source.host = url.host();
    source.text = device;
    const int port = url.port(source.kind == SourceUrl::Kind::Gpsd ? SourceUrl::kGpsdPort : 0);
    if (port <= 0 || port > 65535)
        return Reject(problem, QT_TRANSLATE_NOOP("SourceUrl", "%1: which port? (tcp://HOST:PORT)"),
                      device);
    source.port = static_cast<uint16_t>(port);
    return source;
}
