// Recording the received bytes and playing a recording back in the port's place.

#include "LinkTestSupport.h"
#include "support/ScriptedPrompts.h"

#include "gps/GpsLink.h"
#include "gps/NMEALog.h"
#include "gps/NMEAParser.h"
#include "gps/PseudoTerminal.h"
#include "gps/SerialPort.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(NMEALog, RecordsExactlyWhatWasReceivedAndPlaysItBackToTheSameSentences)
{
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("drive.txt"));
    // Good sentences, one with a wrong checksum, a cut-off one and line noise: all recorded.
    const QByteArray stream = SyntheticEpochs(8) + "$GPGGA,120009.00,4807.038,N*00\r\n" +
                              QByteArray("\x80\xff\x13garbage\r\n$GPRMC,12") + SyntheticEpochs(3);

    CPseudoTerminal pty;
    ASSERT_TRUE(pty.Open());
    CNMEAParser live;
    CSentenceRecorder heard(live);
    live.SetMessageSink(&heard);
    CSerialPort port;
    CGpsLink link(port, live, nullptr);
    ASSERT_EQ(link.StartReaderOnDevice(pty.SlavePath(), 4800, false), 1);
    ASSERT_EQ(StartLogging(live, log), 1);
    EXPECT_TRUE(IsLogging(live));
    ASSERT_EQ(pty.Write(stream), stream.size());
    ASSERT_TRUE(WaitUntil([&] { return GetLoggedBytes(live) == stream.size(); }));
    EXPECT_EQ(StopLogging(live), 1);
    EXPECT_EQ(StopLogging(live), 0);
    link.Close();
    EXPECT_EQ(FileBytes(log), stream);
    // The cut-off RMC swallows the GGA after it (a "$" does not restart a pending sentence).
    ASSERT_EQ(heard.sentences.size(), 11 * 4 - 1);

    CNMEAParser replayed;
    CSentenceRecorder played(replayed);
    replayed.SetMessageSink(&played);
    CSerialPort file;
    CGpsLink playback(file, replayed, nullptr);
    ASSERT_EQ(playback.StartPlayback(log), 1);
    EXPECT_TRUE(playback.IsPlaybackActive());
    EXPECT_TRUE(playback.IsPlaybackTimerRunning());
    // 128 bytes per 100 ms tick.
    const int ticks = static_cast<int>(stream.size() + 127) / 128;
    for (int i = 0; i < ticks; ++i)
        playback.ReadChunk();
    EXPECT_EQ(played.sentences, heard.sentences);
    EXPECT_EQ(played.messages, heard.messages);
}

TEST(NMEALog, PlaybackIsLostSixSecondsAfterTheFileEndsAndReopensFromTheStart)
{
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("short.txt"));
    QFile out(log);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(SyntheticEpochs(1));
    out.close();

    CNMEAParser parser;
    CSerialPort port;
    CGpsLink link(port, parser, nullptr);
    ASSERT_EQ(link.StartPlayback(log), 1);
    for (int i = 0; i < 10; ++i)
        link.ReadChunk();
    EXPECT_EQ(parser.Gga().count, 1u);
    for (int i = 0; i <= CGpsLink::kLossTicks; ++i)
        link.OnWatchdogTick();
    EXPECT_TRUE(link.IsConnectionLost());
    EXPECT_FALSE(port.IsOpen());

    // Connect while playback is still selected: the file again, from its beginning.
    link.ConnectDisconnect();
    EXPECT_EQ(port.Path(), log);
    for (int i = 0; i < 10; ++i)
        link.ReadChunk();
    EXPECT_EQ(parser.Gga().count, 1u);
    EXPECT_FALSE(link.IsConnectionLost());
}

TEST(NMEALog, APlaybackFileThatCannotBeOpenedSaysSoAndReadsNothing)
{
    CScriptedPrompts prompts;
    CNMEAParser parser;
    CSerialPort port;
    CGpsLink link(port, parser, nullptr);
    EXPECT_EQ(link.StartPlayback(QStringLiteral("/nonexistent/drive.txt")), 0);
    ASSERT_EQ(prompts.Asked().size(), 1);
    EXPECT_EQ(prompts.Asked()[0].text, QStringLiteral("File Error!"));
    link.ReadChunk();
    EXPECT_EQ(parser.GetSentenceCount(), 0u);
}

TEST(NMEALog, StartingReplacesAnExistingFileButNeverWhileALogIsOpen)
{
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first.txt"));
    const QString second = dir.filePath(QStringLiteral("second.txt"));
    QFile old(first);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older recording");
    old.close();
    QFile keep(second);
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.write("keep me");
    keep.close();

    CNMEAParser parser;
    ASSERT_EQ(StartLogging(parser, first), 1);
    EXPECT_TRUE(FileBytes(first).isEmpty());
    EXPECT_EQ(StartLogging(parser, second), 0);
    EXPECT_EQ(FileBytes(second), QByteArray("keep me"));
    const QByteArray chunk = Sentence("GPGGA,120000.00,,,,,0,00,,,M,,M,,");
    parser.ProcessBytes(reinterpret_cast<const uint8_t*>(chunk.constData()), chunk.size());
    StopLogging(parser);
    EXPECT_EQ(FileBytes(first), chunk);
    EXPECT_FALSE(IsLogging(parser));

    EXPECT_EQ(StartLogging(parser, dir.filePath(QStringLiteral("no/such/folder/log.txt"))), 0);
    EXPECT_FALSE(IsLogging(parser));
}

TEST(NMEALog, SizeTextFollowsTheByteCount)
{
    EXPECT_EQ(LogSizeText(false, 5000), QStringLiteral("Log가 없음"));
    EXPECT_EQ(LogSizeText(true, 0), QStringLiteral("Log:0"));
    EXPECT_EQ(LogSizeText(true, 999), QStringLiteral("Log:999"));
    EXPECT_EQ(LogSizeText(true, 1000), QStringLiteral("Log:1K"));
    EXPECT_EQ(LogSizeText(true, 2500), QStringLiteral("Log:2K"));
    EXPECT_EQ(LogSizeText(true, 999999), QStringLiteral("Log:999K"));
    EXPECT_EQ(LogSizeText(true, 1000000), QStringLiteral("Log:1.00M"));
    EXPECT_EQ(LogSizeText(true, 1234567), QStringLiteral("Log:1.23M"));
}

} // namespace
