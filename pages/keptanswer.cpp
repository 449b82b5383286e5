#include "keptanswer.h"

#include <pugixml.hpp>

#include <cstring>
#include <ctime>

namespace tarvelo::pages {

bool worthKeeping(std::string_view answer)
{
    pugi::xml_document document;
    if (!document.load_buffer(answer.data(), answer.size()))
        return false;
    const pugi::xml_node fault = document.find_node([](const pugi::xml_node& node) {
        const char* name = node.name();
        const char* colon = std::strrchr(name, ':');
        return std::strcmp(colon ? colon + 1 : name, "Fault") == 0;
    });
    return !fault;
}

std::string keptNotice(std::chrono::system_clock::time_point saved)
{
    const std::time_t time = std::chrono::system_clock::to_time_t(saved);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &time);
#else
    localtime_r(&time, &local);
#endif
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &local);
    return std::string("<div style='background:#FFF4D0;border:1px solid #E2C46B;padding:3px 8px;margin:4px 0;"
                       "font-size:12px;'>无法连接服务，以下是 ") +
           when + " 保存的结果。</div>";
}

} // namespace tarvelo::pages
