#include "cli/JsonLine.h"

#include <charconv>
#include <cmath>
#include <cstdio>

QByteArray JsonNumber(double value)
{
    if (!std::isfinite(value))
        return "null";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QByteArray(buffer, result.ptr - buffer);
}

QByteArray JsonString(QStringView text)
{
    QByteArray out;
    out.reserve(text.size() + 2);
    out += '"';
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

QByteArray JsonString(const char* text)
{
    return JsonString(QString::fromUtf8(text));
}

CJsonObject& CJsonObject::AddChar(const char* key, char value)
{
    const char text[2] = {value, '\0'};
    return AddRaw(key, JsonString(QString::fromLatin1(text)));
}

CJsonObject& CJsonObject::AddRaw(const char* key, const QByteArray& json)
{
    if (!m_body.isEmpty())
        m_body += ", ";
    m_body += JsonString(key);
    m_body += ": ";
    m_body += json;
    return *this;
}

void CJsonObject::Print() const
{
    const QByteArray line = Text() + '\n';
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
}

CJsonArray& CJsonArray::AddRaw(const QByteArray& json)
{
    if (!m_body.isEmpty())
        m_body += ", ";
    m_body += json;
    return *this;
}
