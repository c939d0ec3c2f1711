#pragma once

#include "gps/PseudoTerminal.h"
#include "gps/SiRFFrame.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

// A GPS receiver on a pseudo-terminal: plays an NMEA log into the line at a receiver's pace.
// It can insist on a line speed (sending noise while the other side's speed differs) and can
// answer as a SiRF receiver (PSRF100 to binary, the version poll, acknowledgements, back to
// NMEA on 0x81). Runs on the calling thread (Run) or on a thread of its own (Start/Stop).
class CReceiverSimulator {
public:
    struct Options {
        QByteArray log;
        double bytesPerSecond = 480; // what a receiver at 4800 baud can send
        uint32_t baud = 0;           // 0: sentences at any line speed
        bool loop = false;
        bool sirf = false;
        QByteArray sirfVersion = "GSW3.2.4_3.1.00.12-SDK003P1.00a (simulated)";
        // Each command received (an NMEA body, or "SiRF" and the payload in hex); called on the
        // simulator's thread.
        std::function<void(const QByteArray& command)> onCommand;
    };

    // The bytes of an NMEA log file without its comment lines (those starting with "#", as in
    // the gpsd captures). False with `error` set when the file cannot be read.
    static bool LoadLog(const QString& path, QByteArray* log, QString* error);

    explicit CReceiverSimulator(Options options);
    ~CReceiverSimulator();
    CReceiverSimulator(const CReceiverSimulator&) = delete;
    CReceiverSimulator& operator=(const CReceiverSimulator&) = delete;

    // Makes the pseudo-terminal; false when none could be made.
    bool Open();
    QString DevicePath() const { return m_pty.SlavePath(); }

    // Plays until the log has been sent (forever when looping) or `stop` becomes true.
    void Run(const std::atomic<bool>& stop);
    void Start();
    void Stop();

    // Everything written to the line so far, sentences and noise.
    QByteArray Sent() const;
    QList<QByteArray> Commands() const;
    bool InBinaryMode() const { return m_binary; }
    bool IsFinished() const { return m_finished; }

private:
    void ServiceInput();
    void TakeNMEAByte(char byte);
    void TakeBinaryPayload(const uint8_t* payload, int length);
    void Record(const QByteArray& command);
    void Emit(int count);
    void WriteLine(const QByteArray& bytes);

    Options m_options;
    CPseudoTerminal m_pty;
    CSiRFFrameReader m_frames;
    QByteArray m_line;
    qsizetype m_position = 0;
    uint32_t m_noise = 0x2545F491;
    std::atomic<bool> m_binary = false;
    std::atomic<bool> m_finished = false;

    mutable std::mutex m_mutex;
    QByteArray m_sent;
    QList<QByteArray> m_commands;

    std::atomic<bool> m_stop = false;
    std::thread m_thread;
};
