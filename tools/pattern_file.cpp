#include "pattern_file.h"

#include "input_error.h"
#include "lines.h"
#include "runtime/text.h"

namespace bz::preview {

std::vector<PatternLine> readPatterns(const std::u16string& text, const std::string& fileName) {
    std::vector<PatternLine> patterns;
    for (const NumberedLine& line : contentLines(text)) {
        const auto first = line.text.find(u'|');
        const auto second = first == std::u16string::npos ? first : line.text.find(u'|', first + 1);
        if (second == std::u16string::npos)
            throw InputError(fileName + ":" + std::to_string(line.number) +
                             ": expected 'resource name|host key|pattern', found '" +
                             toUtf8(line.text) + "'");
        patterns.push_back({trimmed(line.text.substr(0, first)),
                            trimmed(line.text.substr(first + 1, second - first - 1)),
                            line.text.substr(second + 1)});
    }
    return patterns;
}

} // namespace bz::preview
