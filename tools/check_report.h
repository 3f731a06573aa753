#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace bz::preview {

// The outcome of one check of an installation: what was found, and when something is wrong,
// the command or step that mends it. A check that needs one that failed is not run.
enum class CheckStatus { Ok, Failed, NotRun };

struct CheckLine {
    std::string name; // "registration", "type library", ...
    CheckStatus status = CheckStatus::Ok;
    std::string found; // what the check saw, or what is wrong
    std::string mend;  // empty when nothing is to be done
};

// The installation's checks, in the order they ran, for the bitness named ("64-bit").
struct CheckReport {
    std::string bitness;
    std::vector<CheckLine> lines;

    bool passed() const;
    // A check that needs `needed` (the names of earlier checks): run when they all passed,
    // otherwise listed as not run, naming the first that failed.
    bool ready(const std::vector<std::string>& needed, const std::string& name);
};

// One line per check ("registration  ok  ..."; "file  FAILED  ...; mend: ..."), then one saying
// how many failed.
void printCheckText(std::ostream& out, const CheckReport& report);
// One object (docs/check-v1.schema.json): schemaVersion, kind "check", bitness, passed and
// checks[] of {name, status, found, mend}, one check to a line.
void printCheckJson(std::ostream& out, const CheckReport& report);

} // namespace bz::preview
