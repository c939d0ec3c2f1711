#include "gps/ReceiverSimulator.h"

#include <QFile>

#include <chrono>

namespace {

constexpr int kStepMs = 10;
constexpr int kDrainMs = 2000;
constexpr uint8_t kPollVersion = 0x84;
constexpr uint8_t kSwitchToNMEA = 0x81;

} // namespace

bool CReceiverSimulator::LoadLog(const QString& path, QByteArray* log, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    log->clear();
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (!line.startsWith('#'))
            log->append(line);
    }
    return true;
}

CReceiverSimulator::CReceiverSimulator(Options options)
    : m_options(std::move(options)),
      m_frames([this](const uint8_t* payload, int length) { TakeBinaryPayload(payload, length); })
{}

CReceiverSimulator::~CReceiverSimulator()
{
    Stop();
}

bool CReceiverSimulator::Open()
{
    return m_pty.Open();
}

void CReceiverSimulator::Start()
{
    m_stop = false;
    m_thread = std::thread([this] { Run(m_stop); });
}

void CReceiverSimulator::Stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

QByteArray CReceiverSimulator::Sent() const
{
    const std::lock_guard lock(m_mutex);
    return m_sent;
}

QList<QByteArray> CReceiverSimulator::Commands() const
{
    const std::lock_guard lock(m_mutex);
    return m_commands;
}

void CReceiverSimulator::Run(const std::atomic<bool>& stop)
{
    using Clock = std::chrono::steady_clock;
    auto last = Clock::now();
    double budget = 0;
    m_finished = m_options.log.isEmpty();
    while (!stop && !m_finished) {
        ServiceInput();
        const auto now = Clock::now();
        budget += std::chrono::duration<double>(now - last).count() * m_options.bytesPerSecond;
        last = now;
        const int due = static_cast<int>(budget);
        budget -= due;
        Emit(due);
        m_pty.WaitReadable(kStepMs);
    }
    // Closing the line discards what the other side has not read yet: let it take the end.
    for (int waited = 0; !stop && waited < kDrainMs && m_pty.PendingForOtherSide() > 0;
         waited += kStepMs)
        m_pty.WaitReadable(kStepMs);
}

void CReceiverSimulator::Emit(int count)
{
    if (count <= 0 || m_binary)
        return; // in binary mode only replies go out
    const uint32_t lineBaud = m_pty.SlaveBaud();
    if (m_options.baud != 0 && lineBaud != m_options.baud) {
        // What a receiver at another speed looks like: bytes that never frame a sentence.
        QByteArray noise(count, '\0');
        for (char& c : noise) {
            m_noise = m_noise * 1664525u + 1013904223u;
            c = static_cast<char>(0x80 | (m_noise >> 24));
        }
        WriteLine(noise);
        return;
    }
    while (count > 0 && !m_finished) {
        const qsizetype n = std::min<qsizetype>(count, m_options.log.size() - m_position);
        WriteLine(m_options.log.mid(m_position, n));
        m_position += n;
        count -= static_cast<int>(n);
        if (m_position >= m_options.log.size()) {
            m_position = 0;
            m_finished = !m_options.loop;
        }
    }
}

void CReceiverSimulator::WriteLine(const QByteArray& bytes)
{
    const int written = m_pty.Write(bytes);
    const std::lock_guard lock(m_mutex);
    m_sent.append(bytes.left(written));
}

void CReceiverSimulator::ServiceInput()
{
    char buffer[512];
    for (;;) {
        const int n = m_pty.Read(buffer, sizeof buffer);
        if (n <= 0)
            return;
        if (!m_options.sirf)
            continue;
        for (int i = 0; i < n; ++i) {
            if (m_binary)
                m_frames.ProcessByte(static_cast<uint8_t>(buffer[i]));
            else
                TakeNMEAByte(buffer[i]);
        }
    }
}

void CReceiverSimulator::TakeNMEAByte(char byte)
{
    if (byte != '\n' && byte != '\r') {
        if (m_line.size() < 256)
            m_line.append(byte);
        return;
    }
    const QByteArray line = m_line;
    m_line.clear();
    const qsizetype star = line.indexOf('*');
    if (!line.startsWith('$') || star < 0)
        return;
    const QByteArray body = line.mid(1, star - 1);
    Record(body);
    if (body.startsWith("PSRF100,0,"))
        m_binary = true;
}

void CReceiverSimulator::TakeBinaryPayload(const uint8_t* payload, int length)
{
    const QByteArray bytes(reinterpret_cast<const char*>(payload), length);
    Record("SiRF " + bytes.toHex(' '));
    if (length < 1)
        return;
    const uint8_t id = payload[0];
    if (id == kPollVersion) {
        WriteLine(BuildSiRFFrame(char(0x06) + m_options.sirfVersion));
    } else if (id == 0x85 || id == 0x8A || id == 0x8F) {
        const char ack[] = {0x0B, static_cast<char>(id)};
        WriteLine(BuildSiRFFrame(QByteArray(ack, sizeof ack)));
    } else if (id == kSwitchToNMEA) {
        m_binary = false;
    }
}

void CReceiverSimulator::Record(const QByteArray& command)
{
    if (m_options.onCommand)
        m_options.onCommand(command);
    const std::lock_guard lock(m_mutex);
    m_commands.append(command);
}
