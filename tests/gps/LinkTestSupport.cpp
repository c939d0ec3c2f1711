#include "LinkTestSupport.h"

#include "gps/NMEACommandSender.h"
#include "gps/NMEAParser.h"
#include "gps/ReceiverSimulator.h"
#include "platform/Messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char** environ;

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

CChildProcess::~CChildProcess()
{
    if (m_pid > 0 && !m_finished) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    if (m_out >= 0)
        ::close(m_out);
}

bool CChildProcess::Start(const QString& program, const QStringList& args, bool withErrors)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    if (withErrors)
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    QList<QByteArray> texts{program.toLocal8Bit()};
    for (const QString& arg : args)
        texts.append(arg.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    m_pid = pid;
    m_finished = false;
    m_out = pipeFds[0];
    return failed == 0;
}

QByteArray CChildProcess::ReadLine(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!m_buffer.contains('\n') && clock.elapsed() < timeoutMs && Fill(20)) {
    }
    const qsizetype end = m_buffer.indexOf('\n');
    if (end < 0)
        return {};
    const QByteArray line = m_buffer.left(end + 1);
    m_buffer.remove(0, end + 1);
    return line;
}

bool CChildProcess::WaitForFinished(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        const bool open = Fill(20);
        if (!m_finished) {
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_finished = true;
                m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
        }
        if (m_finished && !open)
            return true;
    }
    return false;
}

void CChildProcess::Terminate()
{
    ::kill(m_pid, SIGTERM);
}

bool CChildProcess::Fill(int timeoutMs)
{
    if (m_out < 0)
        return false;
    pollfd waiter{m_out, POLLIN, 0};
    if (::poll(&waiter, 1, timeoutMs) <= 0)
        return true;
    char chunk[4096];
    const ssize_t n = ::read(m_out, chunk, sizeof chunk);
    if (n <= 0) {
        ::close(m_out);
        m_out = -1;
        return false;
    }
    m_buffer.append(chunk, n);
    return true;
}
