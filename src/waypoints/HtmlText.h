#pragma once

#include <QByteArray>
#include <QStringView>

// Text for HTML pages, as UTF-8.

// The text with the HTML markup characters (& < > " ') written as character references, so it
// shows as written and cannot open a tag or leave an attribute value.
QByteArray HtmlEscaped(QStringView text);
// Plain text as page content: escaped, with its line breaks kept as <br>.
QByteArray PlainTextAsHtml(QStringView text);
// A link target that can only lead to a web page or a mail address: the URL escaped for an
// attribute value when its scheme is http, https, ftp or mailto, else empty.
QByteArray SafeLinkTarget(QStringView url);
