#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

class CGpsLink;
enum class PromptIcon;

// Finds the device and baud rate of a receiver and checks that it sends GGA, GSV, GSA and RMC.
// It opens each candidate through the link (its reader thread and the parser do the work) and
// watches the parser's counters, one step per 100 ms tick. The "Find GPS" dialog owns the timer
// and shows what the signals report.
class CGpsDetection : public QObject {
    Q_OBJECT
public:
    enum Step {
        StartPort = 0,
        OpenPort = 1,
        WaitForData = 2,
        Listen = 3,
        NextPort = 4,
        Validate = 5
    };
    enum class Outcome { Searching, Found, NotFound, Unsupported };
    // Result fields, in the order of the pass mask bits.
    enum Sentence { GGA = 0, GSV = 1, GSA = 2, RMC = 3 };

    static constexpr int kTickMs = 100;
    static constexpr std::array<int, 4> kBauds{4800, 9600, 19200, 57600};
    static constexpr int kListenTicks = 20;    // two seconds per baud rate
    static constexpr int kValidateTicks = 100; // ten seconds for all four sentences

    // `devices` are tried in order; the port index counts them from 0.
    CGpsDetection(CGpsLink& link, QStringList devices, QObject* parent = nullptr);
    // Gives the link back its "Auto Reconnect" setting.
    ~CGpsDetection() override;

    // The dialog's start: lists the ports, closes the link, resets the search. Automatic
    // reconnection stays off while the search runs, so the watchdog opens nothing behind it.
    void Start();
    // One 100 ms step.
    void Tick();

    Step State() const { return m_state; }
    Outcome Result() const { return m_outcome; }
    bool IsFinished() const { return m_outcome != Outcome::Searching; }
    QString StatusText() const { return m_status; }
    // The message shown at the end (empty while searching).
    QString Message() const { return m_message; }
    int PortIndex() const { return m_portIndex; }
    QString CurrentDevice() const;
    int Baud() const { return m_baud; }
    uint32_t PassMask() const { return m_passMask; }
    // "---" until the sentence was seen during validation, then "PASS".
    QString ResultText(Sentence sentence) const;
    int Progress() const { return m_progress; }
    int ProgressRange() const { return static_cast<int>(m_devices.size()); }

    static const char* SentenceName(Sentence sentence); // "GPGGA" ...

Q_SIGNALS:
    void StatusChanged(const QString& text);
    void PortShown(int portIndex, const QString& device, int baud);
    void SentencePassed(CGpsDetection::Sentence sentence);
    void ProgressStepped(int value);
    // The search ended (the dialog stops its timer and closes).
    void Finished(CGpsDetection::Outcome outcome);

private:
    void SetStatus(const char* text);
    void OpenCurrent();
    void ListenForData();
    void NextCandidate();
    void ValidateSentences();
    void Finish(Outcome outcome, const char* message, PromptIcon icon);
    std::array<uint32_t, 4> SentenceCounts() const;

    CGpsLink& m_link;
    QStringList m_devices;
    Step m_state = StartPort;
    Outcome m_outcome = Outcome::Searching;
    QString m_status;
    QString m_message;
    int m_portIndex = 0;
    int m_baud = kBauds[0];
    size_t m_baudIndex = 0;
    uint32_t m_sentenceSnapshot = 0;
    int m_ticks = 0;
    std::array<uint32_t, 4> m_countSnapshots{};
    uint32_t m_passMask = 0;
    int m_progress = 0;
};
