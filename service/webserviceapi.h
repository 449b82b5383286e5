#pragma once
#include "platform/seams.h"

#include <string>
#include <string_view>

namespace tarvelo {

// Client of the customs-data SOAP service: one object per request. The
// builders return the complete request text of one operation; webservice
// posts such a text and returns the answer.
class webserviceapi {
public:
    explicit webserviceapi(platform::Seams& seams);

    // The endpoint: the stored one, else the seams' override, else the build's default.
    std::string weburl() const;
    void weburl(std::string value);

    std::string pe_article_head(std::string_view str) const;
    std::string Commodity_head(std::string_view str) const;
    std::string Export_head(std::string_view str) const;
    std::string Tariff_head(std::string_view str) const;
    std::string mdefaut_head() const;
    std::string mmaopao_head() const;

    // Posts varbody and returns the answer body as UTF-8 text, whatever the
    // HTTP status. When no answer arrives the user is asked whether to quit;
    // OK ends the program, anything else switches the bubble timer off and the
    // result is failureText.
    std::string webservice(std::string_view varbody);

    // Shows the text of the first "title" element of varbody; shows nothing
    // when there is none or varbody is not XML.
    void readxml(std::string_view varbody);

    static constexpr std::string_view failureText = "---";

private:
    void connectionFailed();

    platform::Seams& seams_;
    std::string endpoint_;
};

namespace messages {
inline constexpr std::string_view connectionPrompt =
    " 您的电脑没有连接互联网！  本软件只有在联接互联网时才可使用 ！\r\r    是否退出 Tarvelo 软件";
inline constexpr std::string_view connectionCaption = " Tarvelo ";
inline constexpr std::string_view appTitle = "Tarvelo";
} // namespace messages

} // namespace tarvelo
