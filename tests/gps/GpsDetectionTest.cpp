// Receiver detection against simulated receivers on pseudo-terminals, ticking at the real
// 100 ms pace so the receivers' bytes arrive as they would.

#include "LinkTestSupport.h"
#include "support/ScriptedPrompts.h"

#include "app/SettingsStore.h"
#include "gps/GpsDetection.h"
#include "gps/GpsLink.h"
#include "gps/NMEAParser.h"
#include "gps/PortNames.h"
#include "gps/PseudoTerminal.h"
#include "gps/ReceiverSimulator.h"
#include "gps/SerialPort.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kSection = QString::fromLatin1(kSerialSection);

class GpsDetectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteIntSetting(kSection, QStringLiteral("Auto Reconnect"), 1);
        WriteIntSetting(kSection, QStringLiteral("Baud"), 1200);
        WriteTextSetting(kSection, QStringLiteral("Device"), QString());
    }

    // Runs the search to its end; the statuses it showed, in order, without repeats.
    QStringList Run(CGpsDetection& detection)
    {
        QStringList statuses;
        QObject::connect(&detection, &CGpsDetection::StatusChanged, [&](const QString& text) {
            if (statuses.isEmpty() || statuses.last() != text)
                statuses.append(text);
        });
        detection.Start();
        EXPECT_FALSE(m_link.AutoReconnect());
        for (int tick = 0; tick < 2000 && !detection.IsFinished(); ++tick) {
            detection.Tick();
            RunEventsFor(CGpsDetection::kTickMs);
        }
        EXPECT_TRUE(detection.IsFinished());
        return statuses;
    }

    CScriptedPrompts m_prompts;
    CNMEAParser m_parser;
    CSerialPort m_port;
    CGpsLink m_link{m_port, m_parser, nullptr};
};

TEST_F(GpsDetectionTest, SkipsASilentPortAndFindsAReceiverAt4800)
{
    CPseudoTerminal silent;
    ASSERT_TRUE(silent.Open());
    auto receiver = StartLoopingReceiver(4800);
    ASSERT_TRUE(receiver);
    {
        CGpsDetection detection(m_link, {silent.SlavePath(), receiver->DevicePath()});
        const QStringList statuses = Run(detection);
        EXPECT_EQ(detection.Result(), CGpsDetection::Outcome::Found);
        EXPECT_EQ(detection.CurrentDevice(), receiver->DevicePath());
        EXPECT_EQ(detection.Baud(), 4800);
        EXPECT_EQ(detection.PassMask(), 0xFu);
        for (int s = CGpsDetection::GGA; s <= CGpsDetection::RMC; ++s)
            EXPECT_EQ(detection.ResultText(static_cast<CGpsDetection::Sentence>(s)),
                      QStringLiteral("PASS"));
        EXPECT_EQ(detection.Progress(), 1);
        // The silent port was tried at all four rates before moving on.
        EXPECT_EQ(statuses.count(QStringLiteral("Changing baud...")), 3);
        EXPECT_EQ(statuses.last(), QStringLiteral("Validating NMEA..."));
    }
    ASSERT_EQ(m_prompts.Asked().size(), 1);
    EXPECT_EQ(m_prompts.Asked()[0].text, QStringLiteral("GPS found, tested and ready to use"));
    EXPECT_EQ(m_prompts.Asked()[0].icon, PromptIcon::Information);
    EXPECT_EQ(ReadTextSetting(kSection, QStringLiteral("Device"), {}), receiver->DevicePath());
    EXPECT_EQ(ReadIntSetting(kSection, QStringLiteral("Baud"), 0), 4800);
    EXPECT_EQ(ReadIntSetting(kSection, QStringLiteral("Port"), -1), 0);
    // The link stays on the receiver, and the caller's reconnection setting comes back.
    EXPECT_TRUE(m_port.IsOpen());
    EXPECT_EQ(m_port.Device(), receiver->DevicePath());
    EXPECT_TRUE(m_link.AutoReconnect());
}

TEST_F(GpsDetectionTest, FindsAReceiverAt57600AfterTheSlowerRates)
{
    auto receiver = StartLoopingReceiver(57600);
    ASSERT_TRUE(receiver);
    CGpsDetection detection(m_link, {receiver->DevicePath()});
    const QStringList statuses = Run(detection);
    EXPECT_EQ(detection.Result(), CGpsDetection::Outcome::Found);
    EXPECT_EQ(detection.Baud(), 57600);
    EXPECT_EQ(statuses.count(QStringLiteral("Changing baud...")), 3);
    EXPECT_EQ(ReadIntSetting(kSection, QStringLiteral("Baud"), 0), 57600);
}

TEST_F(GpsDetectionTest, GivesUpOnAReceiverAt38400)
{
    auto receiver = StartLoopingReceiver(38400);
    ASSERT_TRUE(receiver);
    CGpsDetection detection(m_link, {receiver->DevicePath()});
    Run(detection);
    EXPECT_EQ(detection.Result(), CGpsDetection::Outcome::NotFound);
    // Its noise at the other rates never made a sentence.
    EXPECT_EQ(m_parser.GetSentenceCount(), 0u);
    EXPECT_FALSE(m_port.IsOpen());
    ASSERT_EQ(m_prompts.Asked().size(), 1);
    EXPECT_EQ(m_prompts.Asked()[0].text, QStringLiteral("GPS Reciver not found"));
    EXPECT_EQ(ReadIntSetting(kSection, QStringLiteral("Baud"), 0), 1200);
}

TEST_F(GpsDetectionTest, AReceiverWithoutGsvAndGsaIsFoundButNotSupported)
{
    auto receiver = StartLoopingReceiver(4800, false);
    ASSERT_TRUE(receiver);
    CGpsDetection detection(m_link, {receiver->DevicePath()});
    Run(detection);
    EXPECT_EQ(detection.Result(), CGpsDetection::Outcome::Unsupported);
    EXPECT_EQ(detection.ResultText(CGpsDetection::GGA), QStringLiteral("PASS"));
    EXPECT_EQ(detection.ResultText(CGpsDetection::RMC), QStringLiteral("PASS"));
    EXPECT_EQ(detection.ResultText(CGpsDetection::GSV), QStringLiteral("---"));
    EXPECT_EQ(detection.ResultText(CGpsDetection::GSA), QStringLiteral("---"));
    ASSERT_EQ(m_prompts.Asked().size(), 1);
    EXPECT_EQ(m_prompts.Asked()[0].text,
              QStringLiteral("The GPS has been found, however it does not support all of the "
                             "necessary NMEA sentences. Wendrift requires these NMEA sentences to "
                             "function properly: GPGGA, GPGSV, GPGSA and GPRMC. Check with your "
                             "GPS manufacturer to make sure these sentences are supported. See "
                             "help for more information. "));
    EXPECT_EQ(ReadIntSetting(kSection, QStringLiteral("Baud"), 0), 4800);
    EXPECT_EQ(ReadTextSetting(kSection, QStringLiteral("Device"), {}), receiver->DevicePath());
}

TEST_F(GpsDetectionTest, NoCandidatesMeansNotFoundAtOnce)
{
    CGpsDetection detection(m_link, {});
    Run(detection);
    EXPECT_EQ(detection.Result(), CGpsDetection::Outcome::NotFound);
    EXPECT_EQ(detection.Progress(), 1);
}

} // namespace
