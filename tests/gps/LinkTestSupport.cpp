#include "LinkTestSupport.h"

#include "gps/NMEACommandSender.h"
#include "gps/NMEAParser.h"
#include "gps/ReceiverSimulator.h"
#include "platform/Messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>

bool WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return true;
}

void RunEventsFor(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
}

QByteArray Sentence(const QByteArray& body)
{
    return CNMEACommandSender::BuildSentence(body);
}

QByteArray SyntheticEpochs(int seconds, bool allTypes)
{
    QByteArray out;
    for (int s = 0; s < seconds; ++s) {
        const QByteArray time = QString::asprintf("1200%02d.00", s % 60).toLatin1();
        out += Sentence("GPGGA," + time + ",4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
        if (allTypes) {
            out += Sentence("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1");
            out += Sentence("GPGSV,1,1,04,04,40,083,46,05,17,308,41,09,07,231,39,12,62,150,44");
        }
        out += Sentence("GPRMC," + time + ",A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W");
    }
    return out;
}

std::unique_ptr<CReceiverSimulator> StartLoopingReceiver(uint32_t baud, bool allTypes, bool sirf)
{
    CReceiverSimulator::Options options;
    options.log = SyntheticEpochs(60, allTypes);
    options.baud = baud;
    options.loop = true;
    options.sirf = sirf;
    auto receiver = std::make_unique<CReceiverSimulator>(options);
    if (!receiver->Open())
        return nullptr;
    receiver->Start();
    return receiver;
}

void CSentenceRecorder::Post(uint32_t message)
{
    messages.append(message);
    if (message == WM_GPS_UPDATE)
        sentences.append(QByteArray(m_parser.CurrentAddress()) + ',' + m_parser.CurrentData());
}

int OpenDescriptorCount()
{
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd"))
                                .entryList(QDir::NoDotAndDotDot | QDir::System | QDir::AllEntries)
                                .size());
}

int ThreadCount()
{
    return static_cast<int>(QDir(QStringLiteral("/proc/self/task"))
                                .entryList(QDir::NoDotAndDotDot | QDir::Dirs)
                                .size());
}
