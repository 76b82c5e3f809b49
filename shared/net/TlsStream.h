// TLS over a connection through the platform's Schannel: the handshake names the host, whose
// certificate must chain to a root the machine trusts and carry the host's name; every byte
// still goes through the connection and so keeps to its limits and its stop.
#pragma once

#include <memory>
#include <string>

#include "TcpConnection.h"

namespace net {

class TlsStream : public ByteStream {
public:
    explicit TlsStream(ByteStream& connection);
    ~TlsStream() override;
    TlsStream(const TlsStream&) = delete;
    TlsStream& operator=(const TlsStream&) = delete;

    // Negotiates the session with `host` and checks its certificate; false on any failure.
    bool Handshake(const std::string& host);
    bool SendAll(const char* data, size_t size) override;
    // The host's close of the session, or of the connection under it, reads as 0: whether the
    // reply was whole is for its framing to tell.
    long Receive(char* buffer, size_t size) override;

private:
    struct Session;
    // Handshake messages until the session stands, starting from what `incoming_` holds, or
    // from what arrives next when `needMore`.
    bool Negotiate(bool needMore);
    bool ReceiveMore();
    bool SendToken(void* buffer, unsigned long size);
    bool CertificateFits() const;

    ByteStream& connection_;
    std::unique_ptr<Session> session_;
    std::wstring host_;
    std::string incoming_;  // received and not yet decrypted
    std::string plain_;     // decrypted and not yet given out
    bool closed_ = false;
};

}  // namespace net
