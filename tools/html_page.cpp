#include "html_page.h"

namespace bz::preview {

const char* const htmlStyle = R"(body { font: 14px sans-serif; margin: 16px; }
table.grid { border-collapse: collapse; margin-bottom: 16px; }
table.grid td { width: 12px; height: 12px; padding: 0; border: 1px solid #ffffff; }
table.grid th { font-weight: normal; font-size: 11px; padding: 0 4px; text-align: left; }
table.grid th.p { writing-mode: vertical-rl; padding: 2px 0; }
.a { background: #0072b2; } .u { background: #e69f00; } .n { background: #e0e0e0; }
.legend span { display: inline-block; width: 12px; height: 12px; margin: 0 4px 0 12px; }
ol.contents { columns: 12em; }
)";

std::string escaped(const std::string& text) {
    std::string html;
    for (char c : text) {
        switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '"':
            html += "&quot;";
            break;
        default:
            html += c;
        }
    }
    return html;
}

} // namespace bz::preview
