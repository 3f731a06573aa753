#include "installation_check.h"

#include "com_link_helper.h"
#include "locale_sample.h"
#include "preview_platform.h"
#include "registry_view.h"
#include "runtime/text.h"
#include "server_file.h"
#include "short_transfer.h"
#include "signature.h"
#include "type_libraries.h"
#include "utf.h"

#include <windows.h>

namespace bz::preview {

namespace {

const LibraryIdentity componentLibrary{L"{713D986C-EFA1-4D23-BF02-780AB398302D}", 5, 0,
                                       "Brenik_Zefa 5.0"};
const LibraryIdentity linkHelperLibrary{L"{4B00BD6B-FB3C-4AEA-97E7-5192DD2F177B}", 1, 0,
                                        "TembraLinkHelperIF 1.0"};
const LibraryIdentity transferLibrary{L"{29D51A03-A8D3-43EF-AF89-49ED3102F723}", 1, 0,
                                      "PrePostTrans 1.0"};

// The class in this view, its file and the file's signature; the registered file's path.
std::string checkServer(CheckReport& report, const std::optional<RegistryView>& other) {
    const RegistryView own = ownView();
    const ClassRegistration here = readClassRegistration(own);
    std::optional<ClassRegistration> there;
    if (other)
        there = readClassRegistration(*other);
    report.lines.push_back(judgeRegistration(own.bitness, here, there));
    if (report.ready({"registration"}, "file"))
        report.lines.push_back(judgeFile(own.bitness, readServerFile(here.serverPath)));
    if (report.ready({"file"}, "signature"))
        report.lines.push_back(judgeSignature(readSignature(here.serverPath)));
    return here.serverPath;
}

// The type libraries; the component's, carried in its DLL, not again when the file check
// found the DLL missing.
void checkLibraries(CheckReport& report, const std::optional<RegistryView>& other,
                    const std::string& serverPath) {
    const Bitness self = ownView().bitness;
    const TypeLibrary library = findTypeLibrary(componentLibrary, other);
    const bool inMissingDll =
        !library.path.empty() && !library.fileExists &&
        CompareStringOrdinal(pathOf(library.path).c_str(), -1, pathOf(serverPath).c_str(), -1,
                             TRUE) == CSTR_EQUAL;
    if (!inMissingDll || report.ready({"file"}, "type library"))
        report.lines.push_back(judgeComponentLibrary(self, library));
    report.lines.push_back(
        judgeHostLibrary(self, findTypeLibrary(linkHelperLibrary, other), "ITembraLinkHelper.dll"));
    report.lines.push_back(
        judgeHostLibrary(self, findTypeLibrary(transferLibrary, other), "PrePostTransfer.dll"));
}

// The account's locale as the component reads under it.
CheckLine checkLocale() {
    const PreviewLocale locale = previewLocale(Options{});
    wchar_t format[LOCALE_NAME_MAX_LENGTH * 2] = {};
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTDATE, format,
                    LOCALE_NAME_MAX_LENGTH * 2);
    return describeLocale(*locale.locale, locale.name,
                          toUtf8(reinterpret_cast<const char16_t*>(format)));
}

} // namespace

int checkInstallation(const Options& options, std::ostream& out) {
    CheckReport report{bitnessName(ownView().bitness), {}};
    const std::optional<RegistryView> other = otherView();
    checkLibraries(report, other, checkServer(report, other));
    const std::vector<std::string> needed = {"registration", "file",
                                             "host library " + linkHelperLibrary.name,
                                             "host library " + transferLibrary.name};
    if (report.ready(needed, "transfer"))
        report.lines.push_back(checkShortTransfer([] { return comLinkHelper(std::nullopt); },
                                                  "created by ProgID (CoCreateInstance)"));
    report.lines.push_back(checkLocale());
    if (options.format == Format::Json)
        printCheckJson(out, report);
    else
        printCheckText(out, report);
    return report.passed() ? 0 : 1;
}

} // namespace bz::preview
