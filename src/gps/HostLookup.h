#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>

struct addrinfo;

// Looks a host up without making the asking thread wait for a name server: a numeric address
// at once, a name on a thread of its own while the asker polls. The lookup may be dropped at
// any time; its thread then frees what it found when it is done.
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
    struct Answer;
    std::shared_ptr<Answer> m_answer; // shared with the lookup's thread
};
