// Exchanges with an https service: a loopback TLS server with a certificate
// made for the test. The client takes the answer only when it trusts the
// certificate and the certificate names the host it asked.
#include "platform/fakes/fakes.h"
#include "service/webserviceapi.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

using namespace tarvelo;
namespace fs = std::filesystem;

namespace {

// A self-signed certificate (its own authority) for the given subjectAltName,
// written as cert.pem and key.pem into a folder of its own.
fs::path makeCertificate(const fs::path& folder, const std::string& altName)
{
    fs::create_directories(folder);
    const std::string command = "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=tarvelo-test"
                                " -addext 'subjectAltName=" + altName + "'"
                                " -addext 'basicConstraints=critical,CA:TRUE'"
                                " -keyout '" + (folder / "key.pem").string() + "'"
                                " -out '" + (folder / "cert.pem").string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return {};
    return folder;
}

class TlsService {
public:
    explicit TlsService(const fs::path& certificates)
        : server_((certificates / "cert.pem").c_str(), (certificates / "key.pem").c_str())
    {
        server_.Post("/Service.asmx", [this](const httplib::Request& request, httplib::Response& response) {
            const std::lock_guard lock(mutex_);
            lastBody_ = request.body;
            response.set_content("<r>über TLS</r>", "text/xml; charset=utf-8");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        // stop() only reaches a server that runs.
        while (port_ > 0 && !server_.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~TlsService()
    {
        server_.stop();
        thread_.join();
    }
    bool valid() const { return server_.is_valid() && port_ > 0; }
    std::string endpoint(const std::string& host = "localhost") const
    {
        return "https://" + host + ":" + std::to_string(port_) + "/Service.asmx";
    }
    std::string lastBody() const
    {
        const std::lock_guard lock(mutex_);
        return lastBody_;
    }

private:
    httplib::SSLServer server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::string lastBody_;
};

class Tls : public ::testing::Test {
protected:
    Tls() { fakes.seams.timeouts = {std::chrono::milliseconds(3000), std::chrono::milliseconds(3000)}; }

    void SetUp() override
    {
        certificates = makeCertificate(folder.path() / "certs", "DNS:localhost");
        if (certificates.empty())
            GTEST_SKIP() << "the openssl command could not make a certificate";
        service = std::make_unique<TlsService>(certificates);
        ASSERT_TRUE(service->valid());
    }

    std::string post(const std::string& endpoint, std::string_view body)
    {
        webserviceapi api(fakes.seams);
        api.weburl(endpoint);
        return api.webservice(body);
    }

    testkit::TempFolder folder;
    platform::fakes::FakePlatform fakes{folder.path()};
    fs::path certificates;
    std::unique_ptr<TlsService> service;
};

} // namespace

TEST_F(Tls, TrustedCertificateGivesTheAnswer)
{
    fakes.seams.caFileOverride = (certificates / "cert.pem").string();
    webserviceapi api(fakes.seams);
    api.weburl(service->endpoint());
    const std::string request = api.mdefaut_head();
    EXPECT_EQ(api.webservice(request), "<r>über TLS</r>");
    EXPECT_EQ(service->lastBody(), request);
    EXPECT_TRUE(fakes.messageBox.shown.empty());
}

TEST_F(Tls, UntrustedCertificateIsAFailedExchange)
{
    // The system's authorities: a certificate made a moment ago is not among them.
    fakes.messageBox.answerNext(platform::Choice::Cancel);
    EXPECT_EQ(post(service->endpoint(), "<x/>"), "---");
    EXPECT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_TRUE(service->lastBody().empty());
}

TEST_F(Tls, CertificateOfAnotherAuthorityIsAFailedExchange)
{
    const fs::path other = makeCertificate(folder.path() / "other", "DNS:localhost");
    ASSERT_FALSE(other.empty());
    fakes.seams.caFileOverride = (other / "cert.pem").string();
    fakes.messageBox.answerNext(platform::Choice::Cancel);
    EXPECT_EQ(post(service->endpoint(), "<x/>"), "---");
    EXPECT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_TRUE(service->lastBody().empty());
}

TEST_F(Tls, CertificateForAnotherHostIsAFailedExchange)
{
    // Trusted, but it names localhost only, not the address asked.
    fakes.seams.caFileOverride = (certificates / "cert.pem").string();
    fakes.messageBox.answerNext(platform::Choice::Cancel);
    EXPECT_EQ(post(service->endpoint("127.0.0.1"), "<x/>"), "---");
    EXPECT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_TRUE(service->lastBody().empty());
}
