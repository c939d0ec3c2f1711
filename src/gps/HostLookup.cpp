#include "gps/HostLookup.h"

#include <atomic>
#include <netdb.h>
#include <system_error>
#include <thread>

struct CHostLookup::Answer {
    ~Answer()
    {
        if (addresses)
            ::freeaddrinfo(addresses);
    }

    // getaddrinfo's result, written once before `finished` is set.
    addrinfo* addresses = nullptr;
    int error = 0;
    std::atomic<bool> finished = false;
};

namespace {

int Resolve(const QByteArray& host, const QByteArray& service, int flags, addrinfo** addresses)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV | flags;
    return ::getaddrinfo(host.constData(), service.constData(), &hints, addresses);
}

} // namespace

CHostLookup::CHostLookup(const QByteArray& host, uint16_t port)
    : m_answer(std::make_shared<Answer>())
{
    const QByteArray service = QByteArray::number(port);
    // An address needs no name server.
    if (Resolve(host, service, AI_NUMERICHOST, &m_answer->addresses) == 0) {
        m_answer->finished = true;
        return;
    }
    try {
        std::thread([answer = m_answer, host, service] {
            answer->error = Resolve(host, service, 0, &answer->addresses);
            answer->finished.store(true, std::memory_order_release);
        }).detach();
    } catch (const std::system_error&) {
        m_answer->error = EAI_AGAIN;
        m_answer->finished = true;
    }
}

CHostLookup::~CHostLookup() = default;

CHostLookup::Status CHostLookup::Poll() const
{
    if (!m_answer->finished.load(std::memory_order_acquire))
        return Status::Pending;
    return m_answer->error == 0 ? Status::Done : Status::Failed;
}

const addrinfo* CHostLookup::Addresses() const
{
    return Poll() == Status::Done ? m_answer->addresses : nullptr;
}

QString CHostLookup::Error() const
{
    return QString::fromLocal8Bit(::gai_strerror(m_answer->error));
}
