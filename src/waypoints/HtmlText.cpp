#include "waypoints/HtmlText.h"

#include <QString>

namespace {

const char* EntityFor(char c)
{
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    case '\'':
        return "&#39;";
    default:
        return nullptr;
    }
}

void AppendEscaped(QByteArray& out, const QByteArray& utf8, bool breakLines)
{
    out.reserve(out.size() + utf8.size() + utf8.size() / 8);
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (const char* entity = EntityFor(c)) {
            out.append(entity);
        } else if (breakLines && c == '\r') {
            out.append("<br>");
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
        } else if (breakLines && c == '\n') {
            out.append("<br>");
        } else {
            out.append(c);
        }
    }
}

} // namespace

QByteArray HtmlEscaped(QStringView text)
{
    QByteArray out;
    AppendEscaped(out, text.toUtf8(), false);
    return out;
}

QByteArray PlainTextAsHtml(QStringView text)
{
    QByteArray out;
    AppendEscaped(out, text.toUtf8(), true);
    return out;
}

QByteArray SafeLinkTarget(QStringView url)
{
    const QStringView trimmed = url.trimmed();
    const qsizetype colon = trimmed.indexOf(u':');
    const QString scheme = colon > 0 ? trimmed.first(colon).toString().toLower() : QString();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https") &&
        scheme != QLatin1String("ftp") && scheme != QLatin1String("mailto"))
        return {};
    return HtmlEscaped(trimmed);
}
