#include "gps/SerialPort.h"

#include "gps/ByteSource.h"
#include "gps/ChunkHandoff.h"
#include "gps/DescriptorSource.h"
#include "gps/NetworkSource.h"
#include "gps/PortNames.h"
#include "gps/ReaderThread.h"
#include "gps/SerialDevice.h"
#include "gps/SourceUrl.h"
#include "platform/Prompts.h"

#include <fcntl.h>
#include <system_error>

namespace {

const char kCaption[] = "Communication Error";

void ShowError(const QString& text, const QString& caption)
{
    Prompts().Ask(text, caption, PromptButtons::Ok, PromptIcon::Error);
}

} // namespace

CSerialPort::CSerialPort() = default;

CSerialPort::~CSerialPort()
{
    Close();
}

int CSerialPort::Fail(bool showErrors, const char* message)
{
    if (showErrors)
        ShowError(QString::fromLatin1(message), QString::fromLatin1(kCaption));
    return 0;
}

int CSerialPort::Open(const QString& device, uint32_t baud, bool showErrors)
{
    Close();
    if (IsSourceUrl(device)) {
        const std::optional<SourceUrl> url = ParseSourceUrl(device);
        if (!url)
            return Fail(showErrors, kOpenPortFailed);
        m_source = std::make_unique<CNetworkSource>(*url);
    } else {
        const char* failure = nullptr;
        m_source = OpenSerialDevice(device, baud, &failure);
        if (!m_source)
            return Fail(showErrors, failure);
    }
    m_baud = baud;
    m_device = device;
    return 1;
}

int CSerialPort::OpenFile(const QString& path)
{
    Close();
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        ShowError(QStringLiteral("File Error!"), QString());
        return 0;
    }
    m_source = std::make_unique<CDescriptorSource>(fd, false);
    m_device = path;
    m_path = path;
    return 1;
}

int CSerialPort::Close()
{
    StopReaderThread();
    if (!m_source)
        return 0;
    m_source.reset();
    m_device.clear();
    m_path.clear();
    return 1;
}

int CSerialPort::Read(uint8_t* buffer, int maxBytes)
{
    return m_source ? m_source->Read(buffer, maxBytes) : 0;
}

int CSerialPort::Write(const uint8_t* buffer, int count)
{
    return m_source ? m_source->Write(buffer, count) : 0;
}

bool CSerialPort::WaitReadable(int timeoutMs) const
{
    return m_source && m_source->WaitReadable(timeoutMs);
}

int CSerialPort::EnumeratePorts()
{
    m_portList.clear();
    if (!SerialDriverListReadable())
        return 0;
    for (const SerialPortEntry& entry : ListSerialPorts())
        m_portList.append(entry.Text());
    return 1;
}

int CSerialPort::StartReaderThread(CChunkHandoff& handoff)
{
    StopReaderThread();
    if (!m_source)
        return 0;
    try {
        m_reader = std::make_unique<CReaderThread>(*m_source, handoff, m_readerPaused);
    } catch (const std::system_error&) {
        ShowError(QStringLiteral("Unable to create the read thread"), QString());
        return 0;
    }
    m_handoff = &handoff;
    return 1;
}

void CSerialPort::SetReaderPaused(bool paused)
{
    m_readerPaused = paused;
    if (m_reader)
        m_reader->SetPaused(paused);
}

void CSerialPort::StopReaderThread()
{
    m_reader.reset();
    // Chunks read before the close belong to the old connection.
    if (m_handoff)
        m_handoff->Discard();
    m_handoff = nullptr;
}
