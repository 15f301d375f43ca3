#pragma once

#include <QString>

// The network's way to the program clients attached for one user.
class PeerUserLink {
public:
    virtual ~PeerUserLink() = default;
    // An unasked text for every attached client, sent after any reply still being prepared.
    virtual void Notify(const QString& text) = 0;
    // The protocol the clients asked for; 1 until a PROTOCOL command raises it.
    virtual int Protocol() const = 0;
    // Forget every client (the user logged out).
    virtual void DetachAll() = 0;
};
