#include "lines.h"

namespace bz::preview {

std::u16string trimmed(const std::u16string& text) {
    const auto first = text.find_first_not_of(u" \t");
    if (first == std::u16string::npos)
        return {};
    const auto last = text.find_last_not_of(u" \t");
    return text.substr(first, last - first + 1);
}

std::vector<NumberedLine> contentLines(const std::u16string& text) {
    std::vector<NumberedLine> lines;
    int number = 0;
    for (std::size_t start = 0; start < text.size();) {
        auto end = text.find(u'\n', start);
        if (end == std::u16string::npos)
            end = text.size();
        std::u16string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == u'\r')
            line.pop_back();
        ++number;
        const std::u16string content = trimmed(line);
        if (!content.empty() && content.front() != u'#')
            lines.push_back({number, std::move(line)});
        start = end + 1;
    }
    return lines;
}

} // namespace bz::preview
