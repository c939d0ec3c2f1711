#include "waypoints/XmlWaypointFile.h"

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
        if (progress)
            progress(++done, range);
        if (last)
            return outcome;
    }
}
