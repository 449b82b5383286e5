#pragma once
// Small helpers for reading answers and talking raw HTTP in the service tests.
#include "accesstoken.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::testkit {

// Texts of every element with that tag name, in document order; empty when
// the text is not XML.
std::vector<std::string> elementTexts(std::string_view xml, std::string_view tag);
// Number of elements with that tag name.
size_t countElements(std::string_view xml, std::string_view tag);

struct HttpReply {
    int status = 0; // 0: no answer
    std::string contentType;
    std::string body;
    std::string cacheStatus; // X-Cache-Status, from nginx's cache of the polls
};
HttpReply httpGet(int port, const std::string& path);
HttpReply httpPost(int port, const std::string& body,
                   const std::map<std::string, std::string>& headers = {});
// A path on this service from an absolute link into it; empty when the link
// points elsewhere.
std::string pathOnService(std::string_view link, int port);

// A SOAP request as the program writes it, with any operation, token and namespace.
std::string soapRequest(std::string_view operation, std::string_view keywordElement, std::string_view token,
                        std::string_view ns = "http://127.0.0.1:8936/");

// The token the service expects unless started with --token: the build's.
inline constexpr std::string_view validToken = builtInAccessToken;

} // namespace tarvelo::testkit
