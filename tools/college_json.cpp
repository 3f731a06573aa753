#include "college_json.h"

#include "file_line.h"
#include "input_error.h"
#include "runtime/text.h"
#include "utf.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>

namespace bz::preview {

namespace {

using nlohmann::json;

constexpr std::array<const char*, 6> memberNames = {"startDate",     "startTime",    "endTime",
                                                    "PeriodsPerDay", "WeeksPerYear", "DaysOfWeek"};

int lineAt(const std::string& text, std::size_t offset) {
    offset = std::min(offset, text.size());
    return 1 + static_cast<int>(
                   std::count(text.begin(), text.begin() + static_cast<long>(offset), '\n'));
}

// The line of the first "member": key in the text.
int lineOf(const std::string& text, const std::string& member) {
    return lineAt(text, text.find('"' + member + '"'));
}

// "syntax error while parsing ..." out of the library's "[json...] parse error at line 2,
// column 3: syntax error while parsing ...".
std::string reasonOf(const json::parse_error& error) {
    const std::string what = error.what();
    const auto column = what.find("column ");
    const auto colon = what.find(": ", column == std::string::npos ? 0 : column);
    return colon == std::string::npos ? what : what.substr(colon + 2);
}

Variant scalarOf(const json& value, const std::string& where, const std::string& member) {
    if (value.is_number_integer() && value >= INT32_MIN && value <= INT32_MAX)
        return value.get<std::int32_t>();
    if (value.is_number())
        return value.get<double>();
    if (value.is_string())
        return fromUtf8Input(value.get<std::string>(), where);
    if (value.is_boolean())
        return Boolean{value.get<bool>()};
    throw InputError(where + ": '" + member + "' must be a number or a text, not " +
                     value.type_name());
}

Variant valueOf(const json& value, const std::string& where, const std::string& member) {
    if (!value.is_array())
        return scalarOf(value, where, member);
    Array list(VarType::Variant, {{0, static_cast<std::uint32_t>(value.size())}});
    for (std::size_t i = 0; i < value.size(); ++i)
        list.elements()[i] = scalarOf(value[i], where, member);
    return list;
}

} // namespace

std::string CollegeFile::where(const std::u16string& member) const {
    const auto line = lines.find(member);
    return line == lines.end() ? fileName : fileLine(fileName, line->second);
}

CollegeFile parseCollege(const std::string& text, const std::string& fileName) {
    json document;
    try {
        document = json::parse(text);
    } catch (const json::parse_error& error) {
        throw InputError(located(fileName, lineAt(text, error.byte - 1), reasonOf(error)));
    }
    if (!document.is_object())
        throw InputError(located(fileName, 1, "expected an object with the college's members"));
    CollegeFile college{fileName, {}, {}};
    for (const auto& [member, value] : document.items()) {
        const std::string at = fileLine(fileName, lineOf(text, member));
        if (std::find(memberNames.begin(), memberNames.end(), member) == memberNames.end())
            throw InputError(at + ": '" + member +
                             "' is not a college member (startDate, startTime, endTime, "
                             "PeriodsPerDay, WeeksPerYear, DaysOfWeek)");
        const std::u16string name = fromUtf8Input(member, at);
        college.members.emplace(name, valueOf(value, at, member));
        college.lines.emplace(name, lineOf(text, member));
    }
    for (const char* member : memberNames)
        if (!college.members.contains(fromUtf8Input(member, fileName)))
            throw InputError(fileName + ": '" + member + "' is missing");
    return college;
}

} // namespace bz::preview
