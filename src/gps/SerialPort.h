#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

class CChunkHandoff;
class CReaderThread;
class IByteSource;

// The link to the receiver: a serial device in raw 8N1 with non-blocking reads, a network
// source (gpsd://HOST[:PORT], tcp://HOST:PORT) or, for log playback, a file, all read through
// the same calls. At most one reader thread reads it; closing stops and joins that thread
// before the source is released.
class CSerialPort {
public:
    CSerialPort();
    ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Opens `device` (see DeviceForPort for port numbers) exclusively at `baud`, 8N1, raw, DTR and
    // RTS up, no flow control; or starts connecting to the network source it names. On failure
    // (a malformed source included) shows the reason when `showErrors` is set and returns 0.
    int Open(const QString& device, uint32_t baud, bool showErrors);
    // Opens a file for reading in the port's place; "File Error!" when it cannot be opened.
    int OpenFile(const QString& path);
    // 1 when an open source was closed, 0 when nothing was open.
    int Close();
    bool IsOpen() const { return m_source != nullptr; }

    // Whatever is buffered, at most `maxBytes`; 0 when closed, nothing arrived or the read failed.
    int Read(uint8_t* buffer, int maxBytes);
    // Writes with a time-out of 10 ms per byte plus one second; returns the bytes written.
    int Write(const uint8_t* buffer, int count);
    // Waits up to `timeoutMs` for bytes to read; false on time-out or when closed.
    bool WaitReadable(int timeoutMs) const;

    // Fills the port list ("%s - %s": device path and friendly name). 1 when the system's list
    // of serial drivers could be read.
    int EnumeratePorts();
    const QStringList& PortList() const { return m_portList; }

    uint32_t BaudRate() const { return m_baud; }
    // The device or file open now; empty when closed.
    const QString& Device() const { return m_device; }
    // The playback file while one is open; empty otherwise.
    const QString& Path() const { return m_path; }

    // Starts the thread that reads every 100 ms and pushes the chunks (and the source's
    // problems) to `handoff`; they are dropped from it when the port closes. 1 on success ("Unable
    // to create the read thread" otherwise, and the port stays open but unread).
    int StartReaderThread(CChunkHandoff& handoff);
    bool HasReaderThread() const { return m_reader != nullptr; }
    // While paused the reader thread reads nothing (someone else talks to the receiver). Takes
    // effect before the call returns and also applies to a reader started later.
    void SetReaderPaused(bool paused);
    bool IsReaderPaused() const { return m_readerPaused; }

private:
    int Fail(bool showErrors, const char* message);
    void StopReaderThread();

    std::unique_ptr<IByteSource> m_source;
    uint32_t m_baud = 4800;
    QString m_device;
    QString m_path;
    QStringList m_portList;
    bool m_readerPaused = false;
    CChunkHandoff* m_handoff = nullptr;
    std::unique_ptr<CReaderThread> m_reader;
};
