#pragma once

#include "waypoints/ImportResult.h"

#include <QString>

// What a waypoint file reader does with the events of the XML parser (expat). Names and texts
// are UTF-8; `attributes` is a null-terminated list of name and value pairs.
class IXmlWaypointReader {
public:
    virtual ~IXmlWaypointReader() = default;
    virtual void StartElement(const char* name, const char** attributes) = 0;
    virtual void EndElement(const char* name) = 0;
    virtual void CharacterData(const char* data, int length) = 0;
};

constexpr int kXmlChunkSize = 8192;

struct XmlParseOutcome {
    ImportStatus status = ImportStatus::Completed; // Completed, CannotOpen, ParseError, Cancelled
    QString message;                               // "XML Parse Error: %s at line %d"
};

// Feeds the file to the parser in chunks of kXmlChunkSize bytes, the last one marked as such,
// and reports progress after each chunk (range: file size / kXmlChunkSize + 1). Stops at the
// first syntax error or when the progress callback says so; what the reader did before stands.
XmlParseOutcome ParseXmlWaypointFile(const QString& path, IXmlWaypointReader& reader,
                                     const ImportProgress& progress = {});
