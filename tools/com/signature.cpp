#include "signature.h"

#include "runtime/text.h"
#include "utf.h"

// windows.h before the trust headers, which rely on its types.
#include <windows.h>

#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

#include <vector>

namespace bz::preview {

namespace {

// WinVerifyTrust's verdict on the file, without any user interface or revocation lookup.
LONG verifyTrust(const std::wstring& path) {
    WINTRUST_FILE_INFO file{};
    file.cbStruct = sizeof file;
    file.pcwszFilePath = path.c_str();
    WINTRUST_DATA data{};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    const LONG verdict = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    return verdict;
}

// The subject of the certificate that signed the file's embedded signature; empty without one.
std::string signerOf(const std::wstring& path) {
    HCERTSTORE store = nullptr;
    HCRYPTMSG message = nullptr;
    if (!CryptQueryObject(CERT_QUERY_OBJECT_FILE, path.c_str(),
                          CERT_QUERY_CONTENT_FLAG_PKCS7_SIGNED_EMBED, CERT_QUERY_FORMAT_FLAG_BINARY,
                          0, nullptr, nullptr, nullptr, &store, &message, nullptr))
        return {};
    std::string signer;
    DWORD size = 0;
    CryptMsgGetParam(message, CMSG_SIGNER_INFO_PARAM, 0, nullptr, &size);
    std::vector<BYTE> info(size);
    if (size && CryptMsgGetParam(message, CMSG_SIGNER_INFO_PARAM, 0, info.data(), &size)) {
        const auto* signerInfo = reinterpret_cast<const CMSG_SIGNER_INFO*>(info.data());
        CERT_INFO wanted{};
        wanted.Issuer = signerInfo->Issuer;
        wanted.SerialNumber = signerInfo->SerialNumber;
        if (PCCERT_CONTEXT certificate =
                CertFindCertificateInStore(store, X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, 0,
                                           CERT_FIND_SUBJECT_CERT, &wanted, nullptr)) {
            wchar_t name[256] = {};
            CertGetNameStringW(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, name, 256);
            signer = toUtf8(reinterpret_cast<const char16_t*>(name));
            CertFreeCertificateContext(certificate);
        }
    }
    CryptMsgClose(message);
    CertCloseStore(store, 0);
    return signer;
}

// Wine's trust functions do not verify every signature Windows verifies.
bool underWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// WinVerifyTrust's verdict as the check tells it.
Signature::Verdict verdictOf(LONG code) {
    switch (code) {
    case ERROR_SUCCESS:
        return Signature::Verdict::Trusted;
    case TRUST_E_NOSIGNATURE:
    case TRUST_E_SUBJECT_FORM_UNKNOWN:
        return Signature::Verdict::NotSigned;
    case TRUST_E_BAD_DIGEST:
        return Signature::Verdict::Altered;
    case CERT_E_UNTRUSTEDROOT:
    case CERT_E_CHAINING:
    case CERT_E_EXPIRED:
    case CERT_E_UNTRUSTEDTESTROOT:
    case TRUST_E_EXPLICIT_DISTRUST:
        return Signature::Verdict::NotTrusted;
    default:
        return Signature::Verdict::CannotTell;
    }
}

} // namespace

Signature readSignature(const std::string& path) {
    const std::wstring file = pathOf(path).wstring();
    const LONG code = verifyTrust(file);
    Signature signature{verdictOf(code), signerOf(file), {}};
    if (signature.verdict == Signature::Verdict::NotSigned && !signature.signer.empty())
        signature.verdict = Signature::Verdict::CannotTell;
    if (signature.verdict == Signature::Verdict::Trusted && underWine()) {
        signature.verdict = Signature::Verdict::CannotTell;
        signature.reason = "Wine's trust functions check that the file is unaltered, not whether "
                           "its certificate is trusted as Windows does";
    } else if (signature.verdict == Signature::Verdict::CannotTell) {
        signature.reason = std::string(underWine() ? "Wine's" : "the platform's") +
                           " trust functions cannot tell whether it is valid (WinVerifyTrust " +
                           hexCode(code) + ")";
    } else if (signature.verdict != Signature::Verdict::Trusted) {
        signature.reason = "WinVerifyTrust " + hexCode(code);
    }
    return signature;
}

} // namespace bz::preview
