#include "warning.h"

namespace bz::preview {

void WarningList::add(Warning warning, std::optional<std::size_t> resource) {
    const auto [found, added] = index_.try_emplace(warning.message, groups_.size());
    if (added)
        groups_.push_back({std::move(warning.message), std::move(warning.detail), {}, 0});
    WarningGroup& group = groups_[found->second];
    if (group.places.size() < placesKept)
        group.places.push_back({std::move(warning.where), resource});
    ++group.count;
}

std::string messageText(const WarningGroup& group) {
    if (group.detail.empty())
        return group.message;
    return group.message + (group.count > 1 ? " (the first: " : " (") + group.detail + ")";
}

std::string placesText(const WarningGroup& group,
                       const std::function<std::string(const WarningPlace&)>& shown) {
    if (group.count == 1)
        return shown(group.places.front());
    std::string text = std::to_string(group.count) + " lines (";
    for (std::size_t i = 0; i < group.places.size(); ++i)
        text += (i ? ", " : "") + shown(group.places[i]);
    return text + (group.count > static_cast<long>(group.places.size()) ? ", ...)" : ")");
}

} // namespace bz::preview
