// Requests a hostile client would send: each gets its status, and the service
// still answers a normal search afterwards.
#include "runningservice.h"
#include "soaphelpers.h"
#include "support/answers.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace tarvelo::testkit {
namespace {

using namespace std::string_view_literals;

// Whether an answer has all of its head and its Content-Length of body. (A
// request the service cannot read leaves the connection open until it times
// out, whatever the request said about closing it.)
bool complete(std::string_view answer)
{
    const size_t head = answer.find("\r\n\r\n");
    if (head == std::string_view::npos)
        return false;
    constexpr std::string_view field = "\r\nContent-Length: ";
    const size_t at = answer.substr(0, head).find(field);
    return at != std::string_view::npos &&
           answer.size() >= head + 4 + std::stoul(std::string(answer.substr(at + field.size(), 20)));
}

// Sends raw bytes on a new loopback connection and reads until the answer is
// complete or the service closes the connection; returns the status of the answer, 0 when none came. The bytes
// are written from a thread of their own, so that an answer sent before the
// whole request was read (413) is still seen.
int exchange(int port, const std::string& request, std::string* answer = nullptr)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (fd >= 0)
            ::close(fd);
        return 0;
    }
    const timeval patience{20, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
    std::jthread writer([fd, &request] {
        for (size_t sent = 0; sent < request.size();) {
            const ssize_t n = ::send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                return;
            sent += static_cast<size_t>(n);
        }
    });
    std::string received;
    char buffer[65536];
    for (ssize_t n; !complete(received) && (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
        received.append(buffer, static_cast<size_t>(n));
    ::shutdown(fd, SHUT_RDWR);
    writer.join();
    ::close(fd);
    if (answer)
        *answer = received;
    if (!received.starts_with("HTTP/1.1 ") || received.size() < 12)
        return 0;
    return std::stoi(received.substr(9, 3));
}

std::string post(std::string_view body, std::string_view extraHeaders = "")
{
    std::string r = "POST /Service.asmx HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: text/xml;charset=utf-8\r\n"
                    "Connection: close\r\nContent-Length: " + std::to_string(body.size()) + "\r\n";
    r += extraHeaders;
    r += "\r\n";
    r += body;
    return r;
}

std::string get(std::string_view target)
{
    return "GET " + std::string(target) + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
}

// levels elements <a> one inside the other around inner: seven bytes a level.
std::string nested(size_t levels, std::string_view inner = "钢")
{
    return repeated("<a>", levels) + std::string(inner) + repeated("</a>", levels);
}

// Deep enough to have overflowed the stack, short enough for the body cap.
constexpr size_t deep = 140'000;

std::string tariff(std::string_view keywordElement)
{
    return soapRequest("Tariff", keywordElement, validToken);
}

std::string withHeader(std::string_view header)
{
    std::string body = tariff("<keyword>钢</keyword>");
    body.insert(body.find("<soap:Body>"), "<soap:Header>" + std::string(header) + "</soap:Header>");
    return body;
}

std::string chunked(std::string_view body, size_t chunk)
{
    std::string r = "POST /Service.asmx HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: text/xml;charset=utf-8\r\n"
                    "Connection: close\r\nTransfer-Encoding: chunked\r\n\r\n";
    for (size_t at = 0; at < body.size(); at += chunk) {
        const std::string_view piece = body.substr(at, chunk);
        char size[32];
        std::snprintf(size, sizeof size, "%zx\r\n", piece.size());
        r += size;
        r += piece;
        r += "\r\n";
    }
    return r + "0\r\n\r\n";
}

std::string entityBomb()
{
    std::string dtd = R"(<!DOCTYPE soap:Envelope [<!ENTITY l0 "lol">)";
    for (int i = 1; i < 10; ++i)
        dtd += "<!ENTITY l" + std::to_string(i) + " \"" + repeated("&l" + std::to_string(i - 1) + ";", 10) + "\">";
    dtd += "]>";
    return dtd + tariff("<keyword>&l9;</keyword>");
}

// A request line past httplib's limit: 0.11 answers 414, 0.18 closes the
// connection without an answer (exchange() gives 0).
constexpr int tooLongOrClosed = -1;

struct Row {
    const char* name;
    std::function<std::string()> request;
    int status;
    const char* neverInAnswer = nullptr;
};

void PrintTo(const Row& row, std::ostream* os)
{
    *os << row.name;
}

const Row rows[] = {
    {"DeepKeyword", [] { return post(tariff("<keyword>" + nested(deep) + "</keyword>")); }, 200},
    {"DeepTaken",
     [] { return post(soapRequest("Tariff", "<keyword>钢</keyword>", nested(deep, validToken))); }, 200},
    {"DeepTakenWithoutToken",
     [] { return post(soapRequest("mdefaut", "", nested(deep, "guess"))); }, 500},
    {"DeepInOperation", [] { return post(tariff("<keyword>钢</keyword>" + nested(deep))); }, 200},
    {"DeepInHeader", [] { return post(withHeader(nested(deep))); }, 200},
    {"DeepInBody",
     [] {
         return post(R"(<soap:Envelope xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/"><soap:Body>)" +
                     nested(deep) + "</soap:Body></soap:Envelope>");
     },
     500},
    {"DeepUpToTheBodyCap",
     [] { return post(tariff("<keyword>" + nested((1u << 20) / 7 - 60) + "</keyword>")); }, 200},
    {"DeepAndUnclosed", [] { return post(tariff("<keyword>" + repeated("<a>", 300'000))); }, 500},
    {"DeepTextCdataAndComments",
     [] {
         return post(tariff("<keyword>" + repeated("<b>钢<![CDATA[x]]><!--c-->", 30'000) + repeated("</b>", 30'000) +
                            "</keyword>"));
     },
     200},
    {"HundredThousandSiblings", [] { return post(tariff("<keyword>" + repeated("<a/>", 100'000) + "</keyword>")); },
     200},
    {"HundredThousandAttributes",
     [] { return post(tariff("<keyword>钢</keyword><x " + repeated("a=\"\" ", 100'000) + "/>")); }, 200},
    {"LongElementName", [] { return post(tariff("<keyword>钢</keyword><" + std::string(500'000, 'n') + "/>")); }, 200},
    {"EntityBomb", [] { return post(entityBomb()); }, 200},
    {"ExternalEntity",
     [] {
         return post(R"(<!DOCTYPE soap:Envelope [<!ENTITY e SYSTEM "file:///etc/passwd">]>)" +
                     tariff("<keyword>&e;</keyword>"));
     },
     200, "root:"},
    {"InvalidUtf8", [] { return post(tariff("<keyword>\xff\xfe\xc0\x80\xed\xa0\x80</keyword>")); }, 200},
    {"NulBytes", [] { return post(tariff("<keyword>钢\0钢</keyword>"sv)); }, 500},
    {"TwoMegabyteBody", [] { return post(tariff("<keyword>" + std::string(2'000'000, 'x') + "</keyword>")); }, 413},
    {"ChunkedBody", [] { return chunked(tariff("<keyword>钢</keyword>"), 7); }, 200},
    {"ChunkedDeepKeyword", [] { return chunked(tariff("<keyword>" + nested(deep) + "</keyword>"), 65536); }, 200},
    {"ChunkedTwoMegabytes",
     [] { return chunked(tariff("<keyword>" + std::string(2'000'000, 'x') + "</keyword>"), 65536); }, 413},
    {"HundredKilobyteHeader",
     [] { return post(tariff("<keyword>钢</keyword>"), "X-Padding: " + std::string(100'000, 'p') + "\r\n"); }, 400},
    {"LongRequestLine", [] { return get("/detail/tariff/" + std::string(100'000, '7')); }, tooLongOrClosed},
    {"DetailDotDot", [] { return get("/detail/tariff/../../../../etc/passwd"); }, 404, "root:"},
    {"DetailEncodedDotDot", [] { return get("/detail/tariff/%2e%2e%2f%2e%2e%2fetc%2fpasswd"); }, 404, "root:"},
    {"DetailAfterCode", [] { return get("/detail/tariff/72193300/../../../etc/passwd"); }, 404, "root:"},
    {"DetailEncodedNul", [] { return get("/detail/tariff/72193300%00"); }, 404},
    {"DetailHugeNumber", [] { return get("/detail/article/99999999999999999999"); }, 404},
    {"DetailLargestNumber", [] { return get("/detail/article/999999999999"); }, 404},
};

class HostileRequest : public ::testing::TestWithParam<Row> {
protected:
    static void SetUpTestSuite() { service = std::make_unique<RunningService>(std::vector<std::string>{"--quiet"}); }
    static void TearDownTestSuite() { service.reset(); }
    static inline std::unique_ptr<RunningService> service;
};

TEST_P(HostileRequest, GetsItsStatusAndTheServiceStaysUp)
{
    const Row& row = GetParam();
    std::string answer;
    const int status = exchange(service->port(), row.request(), &answer);
    if (row.status == tooLongOrClosed)
        EXPECT_TRUE(status == 414 || status == 0) << status;
    else
        EXPECT_EQ(status, row.status) << answer.substr(0, 600);
    if (row.neverInAnswer) {
        EXPECT_EQ(answer.find(row.neverInAnswer), std::string::npos) << answer.substr(0, 600);
    }

    const HttpReply search = httpPost(service->port(), tariff("<keyword>钢</keyword>"));
    ASSERT_EQ(search.status, 200) << "the service is down after " << row.name << "\n" << service->log();
    EXPECT_GT(countElements(search.body, "ArticleID"), 0u);
}

INSTANTIATE_TEST_SUITE_P(Rows, HostileRequest, ::testing::ValuesIn(rows),
                         [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarvelo::testkit
