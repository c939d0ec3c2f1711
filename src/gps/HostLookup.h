#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

struct addrinfo;

// Looks a host name up on the C library's resolver threads, so the asking thread never waits
// for a name server: it polls until the addresses are there. The lookup may be dropped at any
// time; the resolver then frees it when it is done.
class CHostLookup {
public:
    enum class Status { Pending, Done, Failed };

    // Starts looking up the stream sockets of `host` at `port`.
    CHostLookup(const QByteArray& host, uint16_t port);
    ~CHostLookup();
    CHostLookup(const CHostLookup&) = delete;
    CHostLookup& operator=(const CHostLookup&) = delete;

    Status Poll() const;
    // The addresses, in the order to try them; null unless Poll() said Done.
    const addrinfo* Addresses() const;
    // Why the lookup failed.
    QString Error() const;

private:
    struct Request;
    Request* m_request;
};
