#include "answers.h"

namespace tarvelo::testkit {

std::string soapAnswer(std::string_view operation, std::string_view inner)
{
    std::string s = R"(<?xml version="1.0" encoding="utf-8"?>)"
                    R"(<soap:Envelope xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/"><soap:Body>)";
    s += "<" + std::string(operation) + R"(Response xmlns="http://127.0.0.1:8936/"><)" + std::string(operation) + "Result>";
    s += inner;
    s += "</" + std::string(operation) + "Result></" + std::string(operation) + "Response></soap:Body></soap:Envelope>";
    return s;
}

std::string record(const std::vector<std::pair<std::string, std::string>>& fields)
{
    std::string s = "<Table>";
    for (const auto& [name, value] : fields)
        s += "<" + name + ">" + value + "</" + name + ">";
    return s + "</Table>";
}

std::size_t characters(std::string_view utf8)
{
    std::size_t n = 0;
    for (const char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

std::size_t occurrences(std::string_view text, std::string_view needle)
{
    std::size_t n = 0;
    for (auto pos = text.find(needle); pos != std::string_view::npos; pos = text.find(needle, pos + needle.size()))
        ++n;
    return n;
}

std::string repeated(std::string_view piece, std::size_t times)
{
    std::string s;
    s.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        s += piece;
    return s;
}

} // namespace tarvelo::testkit
