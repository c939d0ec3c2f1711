#include "gps/HostLookup.h"

#include <atomic>
#include <csignal>
#include <netdb.h>

// Shared by the lookup and the resolver's completion, freed by whichever lets go last.
struct CHostLookup::Request {
    QByteArray host;
    QByteArray service;
    addrinfo hints{};
    gaicb block{};
    sigevent completion{};
    std::atomic<int> holders{2};
    int startError = 0;

    static void Release(Request* request)
    {
        if (request->holders.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            if (request->block.ar_result)
                ::freeaddrinfo(request->block.ar_result);
            delete request;
        }
    }
    static void Completed(sigval value) { Release(static_cast<Request*>(value.sival_ptr)); }
};

CHostLookup::CHostLookup(const QByteArray& host, uint16_t port) : m_request(new Request)
{
    Request& request = *m_request;
    request.host = host;
    request.service = QByteArray::number(port);
    request.hints.ai_family = AF_UNSPEC;
    request.hints.ai_socktype = SOCK_STREAM;
    request.hints.ai_flags = AI_NUMERICSERV;
    request.block.ar_name = request.host.constData();
    request.block.ar_service = request.service.constData();
    request.block.ar_request = &request.hints;
    request.completion.sigev_notify = SIGEV_THREAD;
    request.completion.sigev_value.sival_ptr = m_request;
    request.completion.sigev_notify_function = &Request::Completed;
    gaicb* list[] = {&request.block};
    request.startError = ::getaddrinfo_a(GAI_NOWAIT, list, 1, &request.completion);
    if (request.startError != 0)
        request.holders = 1; // no completion will come
}

CHostLookup::~CHostLookup()
{
    Request::Release(m_request);
}

CHostLookup::Status CHostLookup::Poll() const
{
    if (m_request->startError != 0)
        return Status::Failed;
    const int error = ::gai_error(&m_request->block);
    if (error == EAI_INPROGRESS)
        return Status::Pending;
    return error == 0 ? Status::Done : Status::Failed;
}

const addrinfo* CHostLookup::Addresses() const
{
    return Poll() == Status::Done ? m_request->block.ar_result : nullptr;
}

QString CHostLookup::Error() const
{
    const int error =
        m_request->startError != 0 ? m_request->startError : ::gai_error(&m_request->block);
    return QString::fromLocal8Bit(::gai_strerror(error));
}
