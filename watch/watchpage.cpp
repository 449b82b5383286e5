#include "watchpage.h"

#include "escape.h"

#include <array>
#include <utility>

namespace tarvelo::watch {

std::string changesFragment(const std::vector<RateChange>& changes)
{
    // The bubble's browser area is 169 pixels wide: small type, no margins.
    std::string html = "<style>body{margin:2px;font-size:12px}ul{margin:0;padding-left:12px}"
                       "li{margin-bottom:3px}.was{color:#808080}.now{color:#c00000;font-weight:bold}</style>"
                       "<div><b>关注的税号税率有变动</b></div><ul>";
    using Field = std::string Rates::*;
    static constexpr std::array<std::pair<const char*, Field>, 6> fields{{{"最惠国", &Rates::mfn},
                                                                          {"普通", &Rates::general},
                                                                          {"消费税", &Rates::consumption},
                                                                          {"增值税", &Rates::vat},
                                                                          {"单位", &Rates::unit},
                                                                          {"监管条件", &Rates::supervision}}};
    for (const RateChange& change : changes) {
        html += "<li class='change'>";
        appendText(html, change.code);
        html += ' ';
        appendText(html, change.name);
        html += change.scheduled ? "（计划调整生效）" : "（数据更新）";
        for (const auto& [label, field] : fields) {
            const std::string& was = change.before.*field;
            const std::string& now = change.after.*field;
            if (was == now)
                continue;
            html += "<br>";
            html += label;
            html += "：<span class='was'>";
            appendText(html, was.empty() ? "无" : was);
            html += "</span> → <span class='now'>";
            appendText(html, now.empty() ? "无" : now);
            html += "</span>";
        }
        html += "</li>";
    }
    html += "</ul>";
    return html;
}

} // namespace tarvelo::watch
