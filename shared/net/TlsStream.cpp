#include <windows.h>

#include "TlsStream.h"

#define SECURITY_WIN32
#include <schannel.h>
#include <security.h>
#include <wincrypt.h>

#include <algorithm>
#include <cstring>

#include "CodePages.h"

namespace net {

struct TlsStream::Session {
    CredHandle credentials{};
    bool haveCredentials = false;
    CtxtHandle context{};
    bool haveContext = false;
    SecPkgContext_StreamSizes sizes{};

    ~Session() {
        if (haveContext) DeleteSecurityContext(&context);
        if (haveCredentials) FreeCredentialsHandle(&credentials);
    }
};

namespace {

const ULONG kContextFlags = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT |
                            ISC_REQ_CONFIDENTIALITY | ISC_REQ_EXTENDED_ERROR |
                            ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM;

// What Schannel hands out for the other side, freed with the scope.
class OutToken {
public:
    OutToken() : buffer_{0, SECBUFFER_TOKEN, nullptr}, desc_{SECBUFFER_VERSION, 1, &buffer_} {}
    ~OutToken() {
        if (buffer_.pvBuffer) FreeContextBuffer(buffer_.pvBuffer);
    }
    OutToken(const OutToken&) = delete;
    OutToken& operator=(const OutToken&) = delete;
    SecBufferDesc* Desc() { return &desc_; }
    SecBuffer& Buffer() { return buffer_; }

private:
    SecBuffer buffer_;
    SecBufferDesc desc_;
};

}  // namespace

TlsStream::TlsStream(ByteStream& connection)
    : connection_(connection), session_(std::make_unique<Session>()) {}

TlsStream::~TlsStream() = default;

bool TlsStream::Handshake(const std::string& host) {
    host_ = ToWide(host, CP_UTF8);
    SCHANNEL_CRED settings{};
    settings.dwVersion = SCHANNEL_CRED_VERSION;
    // The certificate is checked here, the way for every host alike; no client certificate.
    settings.dwFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
    if (AcquireCredentialsHandleW(nullptr, const_cast<wchar_t*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND,
                                  nullptr, &settings, nullptr, nullptr, &session_->credentials,
                                  nullptr) != SEC_E_OK)
        return false;
    session_->haveCredentials = true;

    OutToken hello;
    ULONG attributes = 0;
    const SECURITY_STATUS status = InitializeSecurityContextW(
        &session_->credentials, nullptr, &host_[0], kContextFlags, 0, 0, nullptr, 0,
        &session_->context, hello.Desc(), &attributes, nullptr);
    if (status != SEC_I_CONTINUE_NEEDED) return false;
    session_->haveContext = true;
    if (!SendToken(hello.Buffer().pvBuffer, hello.Buffer().cbBuffer) || !Negotiate(true))
        return false;
    return QueryContextAttributesW(&session_->context, SECPKG_ATTR_STREAM_SIZES,
                                   &session_->sizes) == SEC_E_OK &&
           CertificateFits();
}

bool TlsStream::Negotiate(bool needMore) {
    for (;;) {
        if (needMore && !ReceiveMore()) return false;
        SecBuffer in[2] = {
            {static_cast<ULONG>(incoming_.size()), SECBUFFER_TOKEN, &incoming_[0]},
            {0, SECBUFFER_EMPTY, nullptr},
        };
        SecBufferDesc inDesc{SECBUFFER_VERSION, 2, in};
        OutToken out;
        ULONG attributes = 0;
        const SECURITY_STATUS status = InitializeSecurityContextW(
            &session_->credentials, &session_->context, &host_[0], kContextFlags, 0, 0, &inDesc, 0,
            nullptr, out.Desc(), &attributes, nullptr);
        if (status == SEC_E_INCOMPLETE_MESSAGE) {
            needMore = true;
            continue;
        }
        // Alerts go out too, so that the host learns why the session ends.
        if (out.Buffer().cbBuffer > 0 && !SendToken(out.Buffer().pvBuffer, out.Buffer().cbBuffer))
            return false;
        if (status != SEC_E_OK && status != SEC_I_CONTINUE_NEEDED) return false;
        if (in[1].BufferType == SECBUFFER_EXTRA && in[1].cbBuffer > 0) {
            incoming_.erase(0, incoming_.size() - in[1].cbBuffer);
        } else {
            incoming_.clear();
        }
        if (status == SEC_E_OK) return true;
        needMore = incoming_.empty();
    }
}

bool TlsStream::ReceiveMore() {
    char buffer[16 * 1024];
    const long received = connection_.Receive(buffer, sizeof buffer);
    if (received <= 0) return false;
    incoming_.append(buffer, static_cast<size_t>(received));
    return true;
}

bool TlsStream::SendToken(void* buffer, unsigned long size) {
    return connection_.SendAll(static_cast<const char*>(buffer), size);
}

bool TlsStream::CertificateFits() const {
    PCCERT_CONTEXT certificate = nullptr;
    if (QueryContextAttributesW(const_cast<CtxtHandle*>(&session_->context),
                                SECPKG_ATTR_REMOTE_CERT_CONTEXT, &certificate) != SEC_E_OK ||
        !certificate)
        return false;
    LPSTR usages[] = {const_cast<LPSTR>(szOID_PKIX_KP_SERVER_AUTH),
                      const_cast<LPSTR>(szOID_SERVER_GATED_CRYPTO),
                      const_cast<LPSTR>(szOID_SGC_NETSCAPE)};
    CERT_CHAIN_PARA chainPara{};
    chainPara.cbSize = sizeof chainPara;
    chainPara.RequestedUsage.dwType = USAGE_MATCH_TYPE_OR;
    chainPara.RequestedUsage.Usage.cUsageIdentifier = 3;
    chainPara.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
    PCCERT_CHAIN_CONTEXT chain = nullptr;
    bool fits = false;
    if (CertGetCertificateChain(nullptr, certificate, nullptr, certificate->hCertStore, &chainPara,
                                0, nullptr, &chain)) {
        std::wstring name = host_;
        SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl{};
        ssl.cbSize = sizeof ssl;
        ssl.dwAuthType = AUTHTYPE_SERVER;
        ssl.pwszServerName = &name[0];
        CERT_CHAIN_POLICY_PARA policy{};
        policy.cbSize = sizeof policy;
        policy.pvExtraPolicyPara = &ssl;
        CERT_CHAIN_POLICY_STATUS result{};
        result.cbSize = sizeof result;
        fits = CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain, &policy, &result) &&
               result.dwError == 0;
        CertFreeCertificateChain(chain);
    }
    CertFreeCertificateContext(certificate);
    return fits;
}

bool TlsStream::SendAll(const char* data, size_t size) {
    const SecPkgContext_StreamSizes& sizes = session_->sizes;
    while (size > 0) {
        const size_t n = std::min<size_t>(size, sizes.cbMaximumMessage);
        std::string message(sizes.cbHeader + n + sizes.cbTrailer, '\0');
        std::memcpy(&message[sizes.cbHeader], data, n);
        SecBuffer buffers[4] = {
            {sizes.cbHeader, SECBUFFER_STREAM_HEADER, &message[0]},
            {static_cast<ULONG>(n), SECBUFFER_DATA, &message[sizes.cbHeader]},
            {sizes.cbTrailer, SECBUFFER_STREAM_TRAILER, &message[sizes.cbHeader + n]},
            {0, SECBUFFER_EMPTY, nullptr},
        };
        SecBufferDesc desc{SECBUFFER_VERSION, 4, buffers};
        if (EncryptMessage(&session_->context, 0, &desc, 0) != SEC_E_OK) return false;
        if (!connection_.SendAll(message.data(),
                                 buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer))
            return false;
        data += n;
        size -= n;
    }
    return true;
}

long TlsStream::Receive(char* buffer, size_t size) {
    while (plain_.empty() && !closed_) {
        SECURITY_STATUS status = SEC_E_INCOMPLETE_MESSAGE;
        std::string extra;
        if (!incoming_.empty()) {
            SecBuffer buffers[4] = {
                {static_cast<ULONG>(incoming_.size()), SECBUFFER_DATA, &incoming_[0]},
                {0, SECBUFFER_EMPTY, nullptr},
                {0, SECBUFFER_EMPTY, nullptr},
                {0, SECBUFFER_EMPTY, nullptr},
            };
            SecBufferDesc desc{SECBUFFER_VERSION, 4, buffers};
            status = DecryptMessage(&session_->context, &desc, 0, nullptr);
            for (const SecBuffer& b : buffers) {
                if (b.BufferType == SECBUFFER_DATA && b.cbBuffer > 0)
                    plain_.append(static_cast<const char*>(b.pvBuffer), b.cbBuffer);
                if (b.BufferType == SECBUFFER_EXTRA && b.cbBuffer > 0)
                    extra.assign(incoming_.end() - b.cbBuffer, incoming_.end());
            }
        }
        switch (status) {
            case SEC_E_OK:
                incoming_.swap(extra);
                // Some Schannels report the host's close of the session as a record without
                // data rather than as an expired context.
                if (plain_.empty() && incoming_.empty()) closed_ = true;
                break;
            case SEC_I_CONTEXT_EXPIRED:  // the host closed the session
                closed_ = true;
                break;
            case SEC_I_RENEGOTIATE:  // handshake messages after the handshake
                // What came with it goes to the handshake first, even nothing: it may ask for
                // more itself.
                incoming_.swap(extra);
                if (!Negotiate(false)) return -1;
                break;
            case SEC_E_INCOMPLETE_MESSAGE: {
                char more[16 * 1024];
                const long received = connection_.Receive(more, sizeof more);
                if (received < 0) return -1;
                if (received == 0) {
                    closed_ = true;
                    break;
                }
                incoming_.append(more, static_cast<size_t>(received));
                break;
            }
            default:
                return -1;
        }
    }
    if (plain_.empty()) return 0;
    const size_t n = std::min(size, plain_.size());
    std::memcpy(buffer, plain_.data(), n);
    plain_.erase(0, n);
    return static_cast<long>(n);
}

}  // namespace net
