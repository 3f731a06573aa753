#pragma once

#include "check_report.h"

#include <optional>
#include <string>

namespace bz::preview {

// What an installation check found on the machine, and the check lines it makes: the judgement
// and its mends, apart from the platform calls that gather the facts (tools/com).

enum class Bitness { X86, X64 };

// An HRESULT or other status code as "0x8002801D".
std::string hexCode(long code);

// "32-bit" or "64-bit".
std::string bitnessName(Bitness bitness);

// The component's class as one registry view holds it; empty texts where keys or values are
// missing.
struct ClassRegistration {
    bool classKey = false;      // CLSID\{BCEABCEE-...}
    std::string progIdClass;    // Brenik_Zefa.TembraLinkHelper\CLSID
    std::string serverPath;     // CLSID\{...}\InprocServer32
    std::string threadingModel; // its ThreadingModel
};

// The class, its ProgID, in-process server and threading model in `self`'s view, naming what
// the other view holds (none on 32-bit Windows, which has one view).
CheckLine judgeRegistration(Bitness self, const ClassRegistration& here,
                            const std::optional<ClassRegistration>& other);

// The DLL at the registered path, as its headers and version block tell.
struct ServerFile {
    std::string path;
    bool exists = false;
    std::optional<Bitness> machine; // none: not a Windows DLL of either bitness
    std::string version;            // the fixed file version, "1.0.0.0"; empty without one
    std::string productName;
};
CheckLine judgeFile(Bitness self, const ServerFile& file);

// An Authenticode signature as the platform's trust functions judged it.
struct Signature {
    // CannotTell: signed, and the platform cannot say whether validly or by whom it trusts
    enum class Verdict { NotSigned, Trusted, NotTrusted, Altered, CannotTell };
    Verdict verdict = Verdict::NotSigned;
    std::string signer; // the signing certificate's subject, where it could be read
    std::string reason; // the platform's reason, for NotTrusted and CannotTell
};
CheckLine judgeSignature(const Signature& signature);

// A type library (the component's, or one of the host's) as this view and the other register
// it.
struct TypeLibrary {
    std::string name;         // "TembraLinkHelperIF 1.0"
    std::string path;         // the file registered in this view; empty when not registered
    bool inOtherView = false; // registered in the other view
    bool fileExists = false;
    std::string loadError; // empty when it loads
};
CheckLine judgeComponentLibrary(Bitness self, const TypeLibrary& library);
// A library of the host's, shipped as `fileName` ("ITembraLinkHelper.dll").
CheckLine judgeHostLibrary(Bitness self, const TypeLibrary& library, const std::string& fileName);

} // namespace bz::preview
