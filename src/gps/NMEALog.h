#pragma once

#include "gps/RawDataSink.h"

#include <QString>

#include <cstdint>
#include <memory>

class CNMEAParser;

// The NMEA log: a plain file holding exactly the bytes received, in order, nothing added.
class CNMEALogFile : public IRawDataSink {
public:
    // Creates (or truncates) `path`; null when it cannot be created.
    static std::unique_ptr<CNMEALogFile> Create(const QString& path);
    ~CNMEALogFile() override;
    CNMEALogFile(const CNMEALogFile&) = delete;
    CNMEALogFile& operator=(const CNMEALogFile&) = delete;

    // Each chunk goes straight to the file, so a crash loses nothing already received. A write
    // that fails (a full disk) is reported once and ends the writing.
    void WriteChunk(const uint8_t* bytes, size_t count) override;

private:
    CNMEALogFile(int fd, QString path) : m_fd(fd), m_path(std::move(path)) {}

    int m_fd;
    QString m_path;
    bool m_failed = false; // a write failed: the log holds what arrived before it
};

// Recording through the parser's raw-data sink. StartLogging fails (0) while a log is open or
// when the file cannot be created; an existing file is replaced.
int StartLogging(CNMEAParser& parser, const QString& path);
// 1 when a log was closed, 0 when none was open.
int StopLogging(CNMEAParser& parser);
bool IsLogging(const CNMEAParser& parser);
uint32_t GetLoggedBytes(const CNMEAParser& parser);

// The status bar's log-size text: "Log가 없음" while not logging, else "Log:999", "Log:2K",
// "Log:1.23M".
QString LogSizeText(bool logging, uint32_t loggedBytes);
