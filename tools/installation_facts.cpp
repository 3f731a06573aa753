#include "installation_facts.h"

#include <cstdio>

namespace bz::preview {

namespace {

constexpr const char* classId = "{BCEABCEE-073F-4073-B82E-FF90BE15E444}";
constexpr const char* progId = "Brenik_Zefa.TembraLinkHelper";
constexpr const char* fileVersion = "1.0.0.0";

Bitness otherOf(Bitness bitness) {
    return bitness == Bitness::X86 ? Bitness::X64 : Bitness::X86;
}

std::string packageOf(Bitness bitness) {
    return std::string("Brenik_Zefa-" BZ_VERSION "-") + (bitness == Bitness::X86 ? "x86" : "x64") +
           ".msi";
}

std::string install(Bitness bitness) {
    return "install the " + std::string(bitness == Bitness::X86 ? "x86" : "x64") +
           " package as administrator: msiexec /i " + packageOf(bitness) +
           " (where it is installed, repair it: msiexec /fam " + packageOf(bitness) + ")";
}

std::string repair(Bitness bitness) {
    return "repair the installation as administrator: msiexec /fam " + packageOf(bitness);
}

CheckLine ok(std::string name, std::string found) {
    return {std::move(name), CheckStatus::Ok, std::move(found), {}};
}

CheckLine failed(std::string name, std::string found, std::string mend) {
    return {std::move(name), CheckStatus::Failed, std::move(found), std::move(mend)};
}

// What the other view holds, for a host of the other bitness.
std::string otherView(Bitness self, const std::optional<ClassRegistration>& other) {
    if (!other)
        return "32-bit Windows has no other view";
    const std::string view = "the " + bitnessName(otherOf(self)) + " view ";
    return other->classKey
               ? view + "has the class too (" + other->serverPath + ")"
               : view + "has no class: a " + bitnessName(otherOf(self)) + " host will not find it";
}

} // namespace

std::string hexCode(long code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
    return text;
}

std::string bitnessName(Bitness bitness) {
    return bitness == Bitness::X86 ? "32-bit" : "64-bit";
}

CheckLine judgeRegistration(Bitness self, const ClassRegistration& here,
                            const std::optional<ClassRegistration>& other) {
    const std::string name = "registration";
    const std::string view = " in the " + bitnessName(self) + " view";
    if (!here.classKey && other && other->classKey)
        return failed(name,
                      "the " + bitnessName(otherOf(self)) + " view has the class; a " +
                          bitnessName(self) + " host will not see it",
                      install(self));
    if (!here.classKey)
        return failed(name, "the class " + std::string(classId) + " is not registered" + view,
                      install(self));
    if (here.progIdClass != classId)
        return failed(name,
                      "the ProgID " + std::string(progId) +
                          (here.progIdClass.empty() ? " is missing"
                                                    : " names another class, " + here.progIdClass) +
                          view,
                      repair(self));
    if (here.serverPath.empty())
        return failed(name, "the class has no in-process server (InprocServer32)" + view,
                      repair(self));
    if (here.threadingModel != "Apartment")
        return failed(name,
                      "the in-process server's ThreadingModel is '" + here.threadingModel +
                          "', not 'Apartment'" + view,
                      repair(self));
    return ok(name, std::string(progId) + " " + classId + view + ": " + here.serverPath +
                        ", Apartment; " + otherView(self, other));
}

CheckLine judgeFile(Bitness self, const ServerFile& file) {
    const std::string name = "file";
    if (!file.exists)
        return failed(name, file.path + " is not there (moved or deleted after it was registered)",
                      repair(self) + ", or put Brenik_Zefa.dll back there");
    if (file.machine != self)
        return failed(name,
                      file.path + " is " +
                          (file.machine ? "a " + bitnessName(*file.machine) + " DLL"
                                        : std::string("no Windows DLL")) +
                          ", registered for " + bitnessName(self) + " hosts",
                      install(self));
    if (file.productName != "Brenik_Zefa" || file.version != fileVersion)
        return failed(name,
                      file.path + " is " + (file.productName.empty() ? "?" : file.productName) +
                          " " + (file.version.empty() ? "without a version" : file.version) +
                          ", not Brenik_Zefa " + fileVersion,
                      repair(self));
    return ok(name, file.path + ": Brenik_Zefa " + fileVersion + ", " + bitnessName(self));
}

CheckLine judgeSignature(const Signature& signature) {
    const std::string name = "signature";
    const std::string by = "signed by " + (signature.signer.empty() ? "?" : signature.signer);
    switch (signature.verdict) {
    case Signature::Verdict::NotSigned:
        return ok(name, "not signed (a release built without a certificate)");
    case Signature::Verdict::Trusted:
        return ok(name, by + ", valid and trusted");
    case Signature::Verdict::NotTrusted:
        return ok(name, by + ", unaltered; this machine does not trust the certificate (" +
                            signature.reason + ")");
    case Signature::Verdict::CannotTell:
        return ok(name, by + "; " + signature.reason);
    case Signature::Verdict::Altered:
        return failed(name,
                      by + ", but the file was changed after signing (" + signature.reason + ")",
                      "install the DLL again from the release you verified");
    }
    return {};
}

namespace {

// A type library's check: registered in this view, its file there and loading as the library.
CheckLine judgeLibrary(const std::string& check, Bitness self, const TypeLibrary& library,
                       const std::string& mend) {
    if (library.path.empty())
        return failed(check,
                      library.name + " is not registered in the " + bitnessName(self) + " view" +
                          (library.inOtherView
                               ? " (the " + bitnessName(otherOf(self)) + " view has it)"
                               : ""),
                      mend);
    if (!library.fileExists)
        return failed(check,
                      library.name + " is registered as " + library.path + ", which is not there",
                      mend);
    if (!library.loadError.empty())
        return failed(check,
                      library.name + " at " + library.path + " does not load: " + library.loadError,
                      mend);
    return ok(check, library.name + ": " + library.path);
}

} // namespace

CheckLine judgeComponentLibrary(Bitness self, const TypeLibrary& library) {
    return judgeLibrary("type library", self, library, repair(self));
}

CheckLine judgeHostLibrary(Bitness self, const TypeLibrary& library, const std::string& fileName) {
    CheckLine line = judgeLibrary("host library " + library.name, self, library,
                                  "repair the host's installation, which registers " + fileName +
                                      "; or, as administrator, the " + bitnessName(self) +
                                      " regsvr32 on the host's " + fileName);
    if (line.status == CheckStatus::Failed && library.path.empty())
        line.found += ": the host's calls through it fail with 0x8002801D";
    return line;
}

} // namespace bz::preview
