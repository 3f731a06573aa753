#include "report_view.h"

#include "runtime/text.h"

namespace bz::preview {

void printReports(std::ostream& out, const std::vector<std::u16string>& reports) {
    if (reports.empty()) {
        out << "Error report: none\n";
        return;
    }
    for (const std::u16string& report : reports) {
        out << "Error report, as the transfer object received it:\n";
        std::size_t start = report.starts_with(u"\r\n") ? 2 : 0;
        while (true) {
            const auto end = report.find(u"\r\n", start);
            out << toUtf8(report.substr(start, end - start)) << '\n';
            if (end == std::u16string::npos)
                break;
            start = end + 2;
        }
    }
}

} // namespace bz::preview
