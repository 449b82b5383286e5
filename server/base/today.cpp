#include "today.h"

#include <ctime>

namespace tarvelo::server {

bool isDate(std::string_view text)
{
    constexpr std::string_view shape = "dddd-dd-dd";
    if (text.size() != shape.size())
        return false;
    for (size_t i = 0; i < shape.size(); ++i)
        if (shape[i] == 'd' ? (text[i] < '0' || text[i] > '9') : text[i] != shape[i])
            return false;
    const int year = (text[0] - '0') * 1000 + (text[1] - '0') * 100 + (text[2] - '0') * 10 + (text[3] - '0');
    const int month = (text[5] - '0') * 10 + (text[6] - '0');
    const int day = (text[8] - '0') * 10 + (text[9] - '0');
    if (month < 1 || month > 12 || day < 1)
        return false;
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= days[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::string dateToday(std::string_view fixed)
{
    return fixed.empty() ? localTimeText("%Y-%m-%d") : std::string(fixed);
}

std::string localTimeText(const char* format)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    return std::string(text, std::strftime(text, sizeof text, format, &local));
}

} // namespace tarvelo::server
