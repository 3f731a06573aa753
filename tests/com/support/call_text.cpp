#include "call_text.h"

#include "runtime/text.h"

#include <cstdio>

namespace bz::test {

namespace {

std::string kindText(InvokeKind kind) {
    switch (kind) {
    case InvokeKind::Method:
        return "call";
    case InvokeKind::PropertyGet:
        return "get";
    case InvokeKind::MethodOrPropertyGet:
        return "call|get";
    case InvokeKind::PropertyPut:
        return "let";
    case InvokeKind::PropertyPutRef:
        return "set";
    }
    return "?";
}

std::string valueText(const hostsim::ReceivedArgument& argument) {
    if (argument.object) {
        const auto* object = dynamic_cast<const hostsim::SimObject*>(argument.object);
        return object ? toUtf8(object->label()) : "(foreign object)";
    }
    const Variant& value = argument.value;
    if (value.holds<std::int16_t>())
        return std::to_string(value.get<std::int16_t>());
    if (value.holds<std::int32_t>())
        return std::to_string(value.get<std::int32_t>());
    if (value.holds<Boolean>())
        return value.get<Boolean>().value ? "True" : "False";
    if (value.holds<std::u16string>())
        return '"' + toUtf8(value.get<std::u16string>()) + '"';
    if (value.holds<Empty>())
        return "Empty";
    return "(value)";
}

std::string argumentText(const hostsim::ReceivedArgument& argument) {
    char type[8];
    std::snprintf(type, sizeof type, "%X", static_cast<unsigned>(argument.variantType));
    return std::string(type) + ' ' + valueText(argument);
}

} // namespace

std::vector<std::string> callText(const hostsim::CallLog& calls) {
    std::vector<std::string> lines;
    for (const hostsim::Call& call : calls) {
        std::string line = kindText(call.kind) + ' ' + toUtf8(call.object) + '.';
        if (const auto* name = std::get_if<std::u16string>(&call.member))
            line += toUtf8(*name);
        else
            line += std::to_string(std::get<std::int32_t>(call.member));
        if (!call.args.empty()) {
            const std::size_t firstNamed = call.args.size() - call.namedArgs.size();
            line += '(';
            for (std::size_t i = 0; i < call.args.size(); ++i) {
                if (i > 0)
                    line += ", ";
                if (i >= firstNamed)
                    line += toUtf8(call.namedArgs[i - firstNamed]) + ":=";
                line += argumentText(call.args[i]);
            }
            line += ')';
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace bz::test
