#pragma once
// What the nginx in front of the service tells about a request. A connection
// from loopback (127.0.0.0/8, ::1) is taken to come from that nginx, and only
// then are its headers believed; a client elsewhere could claim anything.
#include <string>
#include <string_view>

namespace tarvelo::server {

// The client's address for the log. A connection from loopback is taken to
// come from the nginx in front of the service, which passes the address it
// was reached from: the last hop of X-Forwarded-For (nginx appends it to
// whatever the client sent), else X-Real-IP. Either must be a plain IPv4 or
// IPv6 address; anything else, and any connection from elsewhere, gives the
// socket's address.
std::string clientAddress(std::string_view socketAddress, std::string_view forwardedFor,
                          std::string_view realIp);

// "https" when a connection from loopback says the client reached nginx over
// TLS (X-Forwarded-Proto: https), else "http": the scheme of the links and
// the WSDL address the service hands out.
std::string_view siteScheme(std::string_view socketAddress, std::string_view forwardedProto);

} // namespace tarvelo::server
