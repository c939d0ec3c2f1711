#include "waypoints/XmlWaypointFile.h"

#include <QByteArray>
#include <QFile>

#include <expat.h>

#include <memory>

namespace {

void XMLCALL OnStart(void* reader, const XML_Char* name, const XML_Char** attributes)
{
    static_cast<IXmlWaypointReader*>(reader)->StartElement(name, attributes);
}

void XMLCALL OnEnd(void* reader, const XML_Char* name)
{
    static_cast<IXmlWaypointReader*>(reader)->EndElement(name);
}

void XMLCALL OnCharacters(void* reader, const XML_Char* data, int length)
{
    static_cast<IXmlWaypointReader*>(reader)->CharacterData(data, length);
}

// Windows programs write GPX as windows-1252, which expat does not know by itself. Bytes
// 0x80-0x9F carry the characters of that code page (-1: unassigned); the rest are Latin-1.
int XMLCALL OnUnknownEncoding(void*, const XML_Char* name, XML_Encoding* info)
{
    static constexpr int kHigh[32] = {
        0x20AC, -1,     0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, -1,     0x017D, -1,     -1,     0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, -1,     0x017E, 0x0178};
    const QByteArray encoding = QByteArray(name).toLower();
    if (encoding != "windows-1252" && encoding != "cp1252")
        return XML_STATUS_ERROR;
    for (int i = 0; i < 256; ++i)
        info->map[i] = i >= 0x80 && i < 0xA0 ? kHigh[i - 0x80] : i;
    info->data = nullptr;
    info->convert = nullptr;
    info->release = nullptr;
    return XML_STATUS_OK;
}

struct ParserRelease {
    void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

} // namespace

XmlParseOutcome ParseXmlWaypointFile(const QString& path, IXmlWaypointReader& reader,
                                     const ImportProgress& progress)
{
    XmlParseOutcome outcome;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        outcome.status = ImportStatus::CannotOpen;
        return outcome;
    }
    const std::unique_ptr<XML_ParserStruct, ParserRelease> parser(XML_ParserCreate(nullptr));
    if (!parser) {
        outcome.status = ImportStatus::CannotOpen;
        return outcome;
    }
    XML_SetUserData(parser.get(), &reader);
    XML_SetElementHandler(parser.get(), &OnStart, &OnEnd);
    XML_SetCharacterDataHandler(parser.get(), &OnCharacters);
    XML_SetUnknownEncodingHandler(parser.get(), &OnUnknownEncoding, nullptr);

    const int range = static_cast<int>(file.size() / kXmlChunkSize + 1);
    int done = 0;
    if (progress)
        progress(done, range);
    char chunk[kXmlChunkSize];
    for (;;) {
        const qint64 length = file.read(chunk, kXmlChunkSize);
        if (length < 0) {
            outcome.status = ImportStatus::CannotOpen;
            return outcome;
        }
        const bool last = length < kXmlChunkSize;
        if (XML_Parse(parser.get(), chunk, static_cast<int>(length), last) == XML_STATUS_ERROR) {
            outcome.status = ImportStatus::ParseError;
            outcome.message =
                QStringLiteral("XML Parse Error: %1 at line %2")
                    .arg(QString::fromUtf8(XML_ErrorString(XML_GetErrorCode(parser.get()))))
                    .arg(XML_GetCurrentLineNumber(parser.get()));
            return outcome;
        }
        ++done;
        if (progress && !progress(done, range) && !last) {
            outcome.status = ImportStatus::Cancelled;
            return outcome;
        }
        if (last)
            return outcome;
    }
}
