#include "check_report.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace bz::preview {

namespace {

using json = nlohmann::ordered_json;

// Raised whenever a member's meaning or place changes.
constexpr int schemaVersion = 1;

// As the text shows it (a failure stands out), and as JSON names it.
const char* statusText(CheckStatus status, bool forJson) {
    switch (status) {
    case CheckStatus::Ok:
        return "ok";
    case CheckStatus::Failed:
        return forJson ? "failed" : "FAILED";
    case CheckStatus::NotRun:
        return forJson ? "notRun" : "not run";
    }
    return "";
}

std::size_t nameWidth(const CheckReport& report) {
    std::size_t width = 0;
    for (const CheckLine& line : report.lines)
        width = std::max(width, line.name.size());
    return width;
}

} // namespace

bool CheckReport::passed() const {
    return std::all_of(lines.begin(), lines.end(),
                       [](const CheckLine& line) { return line.status == CheckStatus::Ok; });
}

bool CheckReport::ready(const std::vector<std::string>& needed, const std::string& name) {
    for (const std::string& earlier : needed) {
        const auto line = std::find_if(lines.begin(), lines.end(),
                                       [&](const CheckLine& l) { return l.name == earlier; });
        if (line != lines.end() && line->status != CheckStatus::Ok) {
            lines.push_back({name, CheckStatus::NotRun, "needs the " + earlier + " check", {}});
            return false;
        }
    }
    return true;
}

void printCheckText(std::ostream& out, const CheckReport& report) {
    const std::size_t width = nameWidth(report);
    long failed = 0;
    for (const CheckLine& line : report.lines) {
        out << line.name << std::string(width + 2 - line.name.size(), ' ')
            << statusText(line.status, false) << "  " << line.found;
        if (!line.mend.empty())
            out << "; mend: " << line.mend;
        out << '\n';
        failed += line.status == CheckStatus::Failed;
    }
    if (report.passed())
        out << "every check passed (" << report.bitness << ")\n";
    else
        out << failed << " of " << report.lines.size() << " checks failed (" << report.bitness
            << ")\n";
}

void printCheckJson(std::ostream& out, const CheckReport& report) {
    out << "{\"schemaVersion\":" << schemaVersion
        << ",\"kind\":\"check\",\"bitness\":" << json(report.bitness)
        << ",\"passed\":" << (report.passed() ? "true" : "false") << ",\"checks\":[";
    const char* separator = "\n";
    for (const CheckLine& line : report.lines) {
        json check = {{"name", line.name},
                      {"status", statusText(line.status, true)},
                      {"found", line.found},
                      {"mend", line.mend.empty() ? json() : json(line.mend)}};
        out << separator << check.dump();
        separator = ",\n";
    }
    out << "\n]}\n";
}

} // namespace bz::preview
