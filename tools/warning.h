#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace bz::preview {

struct Warning {
    std::string where; // "FILE:LINE", or the setting it concerns
    std::string message;
    std::string detail = {}; // what differs from line to line, such as the value read
};

// A place a warning was given for, with the resource its line writes (an index into the run's
// resources) when it concerns one.
struct WarningPlace {
    std::string where;
    std::optional<std::size_t> resource;
};

// One warning message and the places it was given for: the first few, and how many in all;
// the detail of the first.
struct WarningGroup {
    std::string message;
    std::string detail;
    std::vector<WarningPlace> places;
    long count = 0;
};

// A run's warnings, each message once, in the order it first came: a file whose every line
// draws the same warning makes one line, not one per line.
class WarningList {
  public:
    static constexpr std::size_t placesKept = 3;

    void add(Warning warning, std::optional<std::size_t> resource = std::nullopt);
    const std::vector<WarningGroup>& groups() const { return groups_; }
    bool empty() const { return groups_.empty(); }

  private:
    std::vector<WarningGroup> groups_;
    std::unordered_map<std::string, std::size_t> index_; // message to its group
};

// The message with the first place's detail: "first date read with day and month swapped, ...
// ('09/20/2024' is read as 20/09/2024)", "(the first: ...)" when there are more places.
std::string messageText(const WarningGroup& group);

// "patterns.csv:2" for one place; "3 lines (patterns.csv:2, patterns.csv:7, patterns.csv:9)"
// or "100000 lines (patterns.csv:2, patterns.csv:3, patterns.csv:4, ...)" for more, each place
// shown by `shown`.
std::string
placesText(const WarningGroup& group,
           const std::function<std::string(const WarningPlace&)>& shown = &WarningPlace::where);

} // namespace bz::preview
