// The serial port on real pseudo-terminals: line settings, exclusivity, failures, the reader
// thread and what closing leaves behind.

#include "LinkTestSupport.h"
#include "support/ScriptedPrompts.h"

#include "gps/ChunkHandoff.h"
#include "gps/PseudoTerminal.h"
#include "gps/SerialPort.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

const char kOpenFailed[] =
    "Unable to open port. Please close the application accessing the communication port";

QByteArray ReadAll(CSerialPort& port)
{
    QByteArray got;
    WaitUntil(
        [&] {
            uint8_t buffer[256];
            const int n = port.Read(buffer, sizeof buffer);
            got.append(reinterpret_cast<const char*>(buffer), n);
            return n == 0 && !got.isEmpty();
        },
        1000);
    return got;
}

TEST(SerialPort, OpensRawAtTheRequestedBaudAndPassesEveryByteUnchanged)
{
    CPseudoTerminal pty;
    ASSERT_TRUE(pty.Open());
    CSerialPort port;
    ASSERT_EQ(port.Open(pty.SlavePath(), 9600, false), 1);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.BaudRate(), 9600u);
    EXPECT_EQ(pty.SlaveBaud(), 9600u);

    // No CR/NL translation, no stripping of the eighth bit, no flow-control characters.
    const QByteArray bytes("$GP\r\n\x11\x13\xff\x80*\r", 11);
    ASSERT_EQ(pty.Write(bytes), bytes.size());
    EXPECT_EQ(ReadAll(port), bytes);

    const QByteArray out("A\nB\r\x13", 5);
    EXPECT_EQ(port.Write(reinterpret_cast<const uint8_t*>(out.constData()), 5), 5);
    ASSERT_TRUE(pty.WaitReadable(1000));
    char echo[16];
    EXPECT_EQ(QByteArray(echo, pty.Read(echo, sizeof echo)), out);
}

TEST(SerialPort, ReadsNothingWhenClosedOrSilent)
{
    CPseudoTerminal pty;
    ASSERT_TRUE(pty.Open());
    CSerialPort port;
    uint8_t buffer[16];
    EXPECT_EQ(port.Read(buffer, sizeof buffer), 0);
    EXPECT_EQ(port.Close(), 0);
    ASSERT_EQ(port.Open(pty.SlavePath(), 4800, false), 1);
    EXPECT_EQ(port.Read(buffer, sizeof buffer), 0);
    EXPECT_EQ(port.Close(), 1);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.Write(buffer, 4), 0);
}

TEST(SerialPort, ADeviceHeldByAnotherOpenIsRefusedAndFreedOnClose)
{
    CPseudoTerminal pty;
    ASSERT_TRUE(pty.Open());
    CScriptedPrompts prompts;
    CSerialPort first;
    CSerialPort second;
    ASSERT_EQ(first.Open(pty.SlavePath(), 4800, true), 1);

    EXPECT_EQ(second.Open(pty.SlavePath(), 4800, false), 0);
    EXPECT_TRUE(prompts.Asked().isEmpty());
    EXPECT_EQ(second.Open(pty.SlavePath(), 4800, true), 0);
    ASSERT_EQ(prompts.Asked().size(), 1);
    EXPECT_EQ(prompts.Asked()[0].text, QString::fromLatin1(kOpenFailed));
    EXPECT_EQ(prompts.Asked()[0].caption, QStringLiteral("Communication Error"));
    EXPECT_FALSE(second.IsOpen());

    first.Close();
    EXPECT_EQ(second.Open(pty.SlavePath(), 4800, true), 1);
}

TEST(SerialPort, ReportsEachKindOfOpenFailure)
{
    CScriptedPrompts prompts;
    CSerialPort port;
    EXPECT_EQ(port.Open(QStringLiteral("/dev/wendrift-no-such-device"), 4800, true), 0);

    // A plain file is no line: its time-outs cannot be set.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("not-a-tty"));
    QFile(file).open(QIODevice::WriteOnly);
    EXPECT_EQ(port.Open(file, 4800, true), 0);

    CPseudoTerminal pty;
    ASSERT_TRUE(pty.Open());
    EXPECT_EQ(port.Open(pty.SlavePath(), 12345, true), 0);
    EXPECT_FALSE(port.IsOpen());

    ASSERT_EQ(prompts.Asked().size(), 3);
    EXPECT_EQ(prompts.Asked()[0].text, QString::fromLatin1(kOpenFailed));
    EXPECT_EQ(prompts.Asked()[1].text, QStringLiteral("SetCommTimeouts - Fail"));
    EXPECT_EQ(prompts.Asked()[2].text, QStringLiteral("SetCommState - Fail"));
    for (const auto& question : prompts.Asked())
        EXPECT_EQ(question.caption, QStringLiteral("Communication Error"));

    // A failed open leaves the port free for the next one.
    EXPECT_EQ(port.Open(pty.SlavePath(), 4800, false), 1);
}

TEST(SerialPort, OpensAPlaybackFileOrSaysFileError)
{
    CScriptedPrompts prompts;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("drive.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("$GPGGA,1*00\r\n");
    file.close();

    CSerialPort port;
    ASSERT_EQ(port.OpenFile(path), 1);
    EXPECT_EQ(port.Path(), path);
    uint8_t buffer[64];
    EXPECT_EQ(port.Read(buffer, sizeof buffer), 13);
    EXPECT_EQ(port.Read(buffer, sizeof buffer), 0);
    port.Close();
    EXPECT_TRUE(port.Path().isEmpty());

    EXPECT_EQ(port.OpenFile(dir.filePath(QStringLiteral("missing.txt"))), 0);
    EXPECT_FALSE(port.IsOpen());
    ASSERT_EQ(prompts.Asked().size(), 1);
    EXPECT_EQ(prompts.Asked()[0].text, QStringLiteral("File Error!"));
}

TEST(SerialPort, ReaderTakesEverythingBufferedInOneCycleIn128ByteChunks)
{
    CPseudoTerminal pty;
    ASSERT_TRUE(pty.Open());
    CSerialPort port;
    ASSERT_EQ(port.Open(pty.SlavePath(), 38400, false), 1);
    QList<QByteArray> chunks;
    CChunkHandoff handoff([&](const QByteArray& chunk) { chunks.append(chunk); });

    // What a 38,400-baud receiver sends in most of a second, waiting when the reader starts.
    const QByteArray burst = SyntheticEpochs(12);
    ASSERT_GT(burst.size(), 3000);
    ASSERT_EQ(pty.Write(burst), burst.size());
    RunEventsFor(100);
    ASSERT_EQ(port.StartReaderThread(handoff), 1);
    // One 128-byte read per 100 ms would need well over two seconds for this.
    ASSERT_TRUE(WaitUntil([&] { return chunks.join().size() == burst.size(); }, 1200));
    EXPECT_EQ(chunks.join(), burst);
    for (const QByteArray& chunk : chunks)
        EXPECT_LE(chunk.size(), 128);
}

TEST(SerialPort, PausedReaderLeavesTheBytesToSomeoneElse)
{
    CPseudoTerminal pty;
    ASSERT_TRUE(pty.Open());
    CSerialPort port;
    ASSERT_EQ(port.Open(pty.SlavePath(), 4800, false), 1);
    int delivered = 0;
    CChunkHandoff handoff([&](const QByteArray& chunk) { delivered += chunk.size(); });
    ASSERT_EQ(port.StartReaderThread(handoff), 1);
    port.SetReaderPaused(true);
    pty.Write(QByteArray("reply"));
    RunEventsFor(300);
    EXPECT_EQ(delivered, 0);
    uint8_t buffer[16];
    EXPECT_EQ(port.Read(buffer, sizeof buffer), 5);
    port.SetReaderPaused(false);
    pty.Write(QByteArray("nmea"));
    EXPECT_TRUE(WaitUntil([&] { return delivered == 4; }));
}

TEST(SerialPort, ClosingDropsChunksNotYetDelivered)
{
    CPseudoTerminal pty;
    ASSERT_TRUE(pty.Open());
    CSerialPort port;
    ASSERT_EQ(port.Open(pty.SlavePath(), 4800, false), 1);
    int delivered = 0;
    CChunkHandoff handoff([&](const QByteArray& chunk) { delivered += chunk.size(); });
    ASSERT_EQ(port.StartReaderThread(handoff), 1);
    pty.Write(QByteArray("old connection"));
    // Give the reader time to take the bytes, but do not let the event loop deliver them.
    QThread::msleep(300);
    port.Close();
    RunEventsFor(200);
    EXPECT_EQ(delivered, 0);
}

TEST(SerialPort, AThousandOpenCloseCyclesLeaveNoThreadOrDescriptorBehind)
{
    CPseudoTerminal pty;
    ASSERT_TRUE(pty.Open());
    CChunkHandoff handoff([](const QByteArray&) {});
    CSerialPort port;
    // One cycle first, so helper threads a runtime starts on first use (a sanitizer's, say) are
    // already in the baseline.
    ASSERT_EQ(port.Open(pty.SlavePath(), 4800, false), 1);
    ASSERT_EQ(port.StartReaderThread(handoff), 1);
    ASSERT_EQ(port.Close(), 1);
    const int descriptors = OpenDescriptorCount();
    const int threads = ThreadCount();
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(port.Open(pty.SlavePath(), 4800, false), 1);
        ASSERT_EQ(port.StartReaderThread(handoff), 1);
        ASSERT_EQ(port.Close(), 1);
    }
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
    EXPECT_EQ(ThreadCount(), threads);
}

} // namespace
