#include "customsservice.h"

#include "answers.h"
#include "calculator.h"
#include "cataloguepool.h"
#include "keyword.h"
#include "livesearch.h"
#include "log.h"
#include "newsfeed.h"
#include "pages.h"
#include "provenance.h"
#include "rates.h"
#include "forwarded.h"
#include "requestlog.h"
#include "soapendpoint.h"
#include "today.h"
#include "utf8.h"
#include "wsdl.h"

#include <httplib.h>
#include <sys/socket.h>

#include <algorithm>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <type_traits>

namespace tarvelo::server {
namespace {

// httplib's thread pool. Where the library can bound the connections that
// wait for a thread (ThreadPool(threads, queued), newer releases), one beyond
// the bound is closed at once; older releases queue every accepted connection.
template <class Pool = httplib::ThreadPool>
httplib::TaskQueue* newThreadPool(size_t threads, size_t queued)
{
    if constexpr (std::is_constructible_v<Pool, size_t, size_t>)
        return new Pool(threads, queued);
    else
        return new Pool(threads);
}

// httplib listens with a backlog of 5; a burst of new connections beyond that
// waits for SYN retransmission (a second or more). httplib hands its sockets
// to the socket options callback, the listening one while binding; listening
// again on it widens the backlog.
void widenBacklog(int socket)
{
    int accepting = 0;
    socklen_t length = sizeof accepting;
    if (socket >= 0 && ::getsockopt(socket, SOL_SOCKET, SO_ACCEPTCONN, &accepting, &length) == 0 && accepting)
        ::listen(socket, SOMAXCONN);
}

bool hostCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
           c == ':' || c == '[' || c == ']';
}

bool hasQueryKey(const httplib::Request& req, std::string_view key)
{
    return std::any_of(req.params.begin(), req.params.end(), [key](const auto& param) {
        const std::string& name = param.first;
        return std::equal(name.begin(), name.end(), key.begin(), key.end(),
                          [](char a, char b) { return std::tolower(a) == std::tolower(b); });
    });
}

// httplib takes a route as a regular expression: a path with dots matches
// only itself once they are escaped.
std::string exactRoute(std::string_view path)
{
    std::string route;
    for (const char c : path) {
        if (c == '.')
            route += '\\';
        route += c;
    }
    return route;
}

void reply(httplib::Response& res, int status, std::string body, std::string_view contentType)
{
    res.status = status;
    res.body = std::move(body);
    res.set_header("Content-Type", std::string(contentType));
}

} // namespace

struct CustomsService::Impl {
    explicit Impl(ServiceSettings s);

    void routes();
    // "http[s]://host:port" as the client addressed us, for links and the WSDL.
    std::string siteBase(const httplib::Request& req) const;
    void detailRoutes();
    void siteRoutes();
    httplib::Server::HandlerResponse error(const httplib::Request& req, httplib::Response& res);
    std::string tooLargeFault() const;

    ServiceSettings settings;
    CataloguePool catalogues;
    LiveSearch search;
    AnswerCache answers;
    NewsFeed home;
    NewsFeed bubble;
    SoapEndpoint soap;
    RequestLog log;
    httplib::Server http;
    int port = 0;
    bool binding = false;
    int listeningSocket = -1; // as handed to the socket options while binding
    std::mutex runMutex;
    bool stopAsked = false; // guarded by runMutex
    bool running = false;   // in run; guarded by runMutex
};

namespace {

NewsSource newsSource(const std::optional<std::filesystem::path>& file, const std::filesystem::path& database,
                      std::string list)
{
    return file ? newsFile(*file) : storedNews(database, std::move(list));
}

} // namespace

CustomsService::Impl::Impl(ServiceSettings s)
    : settings(std::move(s)),
      catalogues(settings.database),
      search(settings.database, settings.today),
      answers(settings.cacheBytes),
      home("mdefaut", newsSource(settings.newsFile, settings.database, "news"), settings.newsCheckInterval),
      bubble("maopao", newsSource(settings.bubbleFile, settings.database, "bubble"),
             settings.newsCheckInterval),
      soap(search, answers, home, bubble, settings.token),
      log(settings.logRequests)
{
    const size_t threads = std::max<size_t>(1, settings.threads);
    const size_t queued = settings.queuedConnections;
    // httplib takes ownership of the queue it is handed and deletes it.
    http.new_task_queue = [threads, queued] { return newThreadPool(threads, queued); };
    http.set_payload_max_length(settings.maxBody);
    http.set_tcp_nodelay(true);
    http.set_socket_options([this](socket_t socket) {
        // The address may be taken again at once after a stop, but not shared:
        // httplib's own options add SO_REUSEPORT, with which a second service
        // started on a port in use binds it too and takes half its connections.
        const int yes = 1;
        ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        if (binding)
            listeningSocket = socket;
    });
    http.set_keep_alive_max_count(10000);
    http.set_keep_alive_timeout(settings.idleTimeout.count());
    http.set_read_timeout(settings.ioTimeout);
    http.set_write_timeout(settings.ioTimeout);
    http.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response&) {
        log.begin(req);
        return httplib::Server::HandlerResponse::Unhandled;
    });
    // Called once the answer is written.
    http.set_logger([this](const httplib::Request& req, const httplib::Response& res) { log.end(req, res); });
    http.set_error_handler(httplib::Server::HandlerWithResponse(
        [this](const httplib::Request& req, httplib::Response& res) { return error(req, res); }));
    http.set_exception_handler([](const httplib::Request& req, httplib::Response& res, std::exception_ptr ep) {
        std::string what = "unknown error";
        try {
            std::rethrow_exception(ep);
        } catch (const std::exception& e) {
            what = e.what();
        } catch (...) {
        }
        logLine("error while answering " + req.method + " " + req.path + ": " + what);
        reply(res, 500, faultAnswer("soap:Server", "the service could not answer: " + what), xmlContentType);
    });
    routes();
}

std::string CustomsService::Impl::siteBase(const httplib::Request& req) const
{
    std::string host = req.get_header_value("Host");
    if (host.empty() || !std::all_of(host.begin(), host.end(), hostCharacter))
        host = settings.host + ":" + std::to_string(port);
    // Behind nginx's TLS server the client reached us over https; the links
    // it follows and the WSDL address say so.
    return std::string(siteScheme(req.remote_addr, req.get_header_value("X-Forwarded-Proto"))) + "://" + host;
}

void CustomsService::Impl::routes()
{
    // The body is read here rather than by httplib: httplib's length cap only
    // applies to bodies sent with Content-Length, and a chunked body would
    // otherwise be read whole, however large.
    http.Post("/Service.asmx", [this](const httplib::Request& req, httplib::Response& res,
                                      const httplib::ContentReader& content) {
        std::string body;
        bool tooLarge = false;
        const bool read = content([&](const char* data, size_t length) {
            tooLarge = body.size() + length > settings.maxBody;
            if (!tooLarge)
                body.append(data, length);
            return !tooLarge;
        });
        if (tooLarge || res.status == 413) {
            // What is left of the body is never read: the connection ends with this answer.
            res.set_header("Connection", "close");
            return reply(res, 413, tooLargeFault(), xmlContentType);
        }
        if (!read)
            return reply(res, 400, faultAnswer("soap:Client", "the request body could not be read"), xmlContentType);
        SoapEndpoint::Reply answer = soap.handle(body, siteBase(req));
        log.noteOperation(req, answer.operation);
        reply(res, answer.status, std::move(answer.body), xmlContentType);
    });
    http.Get("/Service.asmx", [this](const httplib::Request& req, httplib::Response& res) {
        const std::string base = siteBase(req);
        if (hasQueryKey(req, "wsdl"))
            reply(res, 200, wsdlDocument(base + "/", base + "/Service.asmx"), xmlContentType);
        else
            reply(res, 200, operationsPage(base + "/Service.asmx"), htmlContentType);
    });
    // For load balancers and monitoring: 200 once the database and both news
    // lists are readable, 503 with the reason otherwise.
    http.Get("/health", [this](const httplib::Request&, httplib::Response& res) {
        std::string missing;
        try {
            catalogues.lease()->notice();
        } catch (const std::exception& e) {
            missing += std::string("database: ") + e.what() + "\n";
        }
        if (!home.loaded())
            missing += "home news list not read\n";
        if (!bubble.loaded())
            missing += "bubble news list not read\n";
        if (missing.empty())
            reply(res, 200, "ok\n", "text/plain; charset=utf-8");
        else
            reply(res, 503, missing, "text/plain; charset=utf-8");
    });
    detailRoutes();
    siteRoutes();
}

// The pages the program's menu opens when its maker's site is this service.
void CustomsService::Impl::siteRoutes()
{
    http.Get("/", [](const httplib::Request&, httplib::Response& res) { reply(res, 200, homePage(), htmlContentType); });
    // The keyword is searched as the Commodity operation searches it; the
    // page is not cached, as browsers ask for it only when someone types.
    http.Get(exactRoute(searchPagePath), [this](const httplib::Request& req, httplib::Response& res) {
        const std::string keyword = req.get_param_value(std::string(searchKeywordParameter).c_str());
        std::vector<SearchHit> hits;
        if (!keyword.empty()) {
            const auto catalogue = search.current();
            for (const CommodityCode* code : catalogue->commodity().find(parseKeyword(keyword), maxRecords))
                hits.push_back({code->code, code->name});
        }
        reply(res, 200, searchPage(keyword, hits, maxRecords), htmlContentType);
    });
    http.Get(exactRoute(questionPagePath), [this](const httplib::Request&, httplib::Response& res) {
        reply(res, 200, questionPage(settings.contact), htmlContentType);
    });
}

void CustomsService::Impl::detailRoutes()
{
    http.Get(R"(/detail/tariff/(\d{2,10}))", [this](const httplib::Request& req, httplib::Response& res) {
        const std::string code = req.matches[1];
        const auto catalogue = catalogues.lease();
        auto path = catalogue->hsPath(code);
        const std::string today = dateToday(settings.today);
        auto lines = catalogue->tariffUnder(code, today);
        if (path.empty() && lines.empty())
            return reply(res, 404, notFoundPage("没有编码 " + code + " 的税则资料。"), htmlContentType);
        const std::string page = tariffPage(code, path, lines, catalogue->tariffHistory(code), today,
                                            catalogue->sampleNotice(dataset::tariff), siteBase(req));
        reply(res, 200, page, htmlContentType);
    });
    // The detail page's calculator. Any page may ask, a saved copy of it too:
    // the answer is public arithmetic.
    http.Get(exactRoute(calculationPath), [](const httplib::Request& req, httplib::Response& res) {
        res.set_header("Access-Control-Allow-Origin", "*");
        const bool readable = std::all_of(req.params.begin(), req.params.end(), [](const auto& param) {
            return validUtf8(param.first) && validUtf8(param.second);
        });
        if (!readable)
            return reply(res, 400, "{\"error\":\"parameters are not UTF-8\"}", jsonContentType);
        namespace parameter = calculationParameter;
        const auto get = [&req](std::string_view name, size_t id = 0) {
            return req.get_param_value(std::string(name).c_str(), id);
        };
        duty::Inputs inputs{get(parameter::duty),
                            std::string(get(parameter::dutyChoice) == "general" ? duty::generalName : duty::mfnName),
                            get(parameter::consumption), get(parameter::vat), get(parameter::value), {}};
        const size_t units = req.get_param_value_count(std::string(parameter::unit).c_str());
        for (size_t i = 0; i < units; ++i)
            inputs.quantities.emplace(get(parameter::unit, i), get(parameter::quantity, i));
        reply(res, 200, calculationAnswer(inputs), jsonContentType);
    });
    // The watch list of the desktop program: each asked line's rates in force
    // and its next scheduled change.
    http.Get(exactRoute(ratesPath), [this](const httplib::Request& req, httplib::Response& res) {
        const std::string name(ratesParameter);
        const size_t count = req.get_param_value_count(name.c_str());
        if (count == 0 || count > maxRatesCodes)
            return reply(res, 400, "give 1 to " + std::to_string(maxRatesCodes) + " code parameters\n",
                         "text/plain; charset=utf-8");
        std::vector<std::string> codes;
        for (size_t i = 0; i < count; ++i) {
            std::string code = req.get_param_value(name.c_str(), i);
            const bool digits = std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; });
            if (!digits || (code.size() != 8 && code.size() != 10))
                return reply(res, 400, "not a tariff line (8 or 10 digits): " + code.substr(0, 40) + "\n",
                             "text/plain; charset=utf-8");
            codes.push_back(std::move(code));
        }
        const std::string today = dateToday(settings.today);
        const auto catalogue = catalogues.lease();
        std::vector<LineRates> lines;
        for (const std::string& code : codes) {
            // The lines under a code start with it: only the very line is asked for.
            for (TariffLine& line : catalogue->tariffUnder(code, today))
                if (line.code == code)
                    lines.push_back({std::move(line), nextChange(catalogue->tariffHistory(code), code, today)});
        }
        reply(res, 200, ratesAnswer(lines, today), xmlContentType);
    });
    http.Get(R"(/detail/rebate/(\d{2,10}))", [this](const httplib::Request& req, httplib::Response& res) {
        const std::string code = req.matches[1];
        const auto catalogue = catalogues.lease();
        auto path = catalogue->hsPath(code);
        auto lines = catalogue->rebatesUnder(code);
        if (path.empty() && lines.empty())
            return reply(res, 404, notFoundPage("没有编码 " + code + " 的退税资料。"), htmlContentType);
        reply(res, 200, rebatePage(code, path, lines, catalogue->sampleNotice(dataset::rebates)), htmlContentType);
    });
    http.Get(R"(/detail/article/(\d{1,12}))", [this](const httplib::Request& req, httplib::Response& res) {
        const auto catalogue = catalogues.lease();
        const auto article = catalogue->article(std::stoll(req.matches[1]));
        if (!article)
            return reply(res, 404, notFoundPage("没有这篇法规文章。"), htmlContentType);
        reply(res, 200, articlePage(*article, catalogue->sampleNotice(dataset::articles)), htmlContentType);
    });
}

std::string CustomsService::Impl::tooLargeFault() const
{
    return faultAnswer("soap:Client", "the request body is larger than " + std::to_string(settings.maxBody) + " bytes");
}

httplib::Server::HandlerResponse CustomsService::Impl::error(const httplib::Request& req, httplib::Response& res)
{
    if (!res.body.empty())
        return httplib::Server::HandlerResponse::Unhandled;
    if (res.status == 413)
        reply(res, 413, tooLargeFault(), xmlContentType);
    else if (req.method == "POST")
        reply(res, res.status, faultAnswer("soap:Client", "no SOAP endpoint at " + req.path), xmlContentType);
    else
        reply(res, res.status, notFoundPage("这里没有页面：" + req.path), htmlContentType);
    return httplib::Server::HandlerResponse::Handled;
}

CustomsService::CustomsService(ServiceSettings settings) : impl_(std::make_unique<Impl>(std::move(settings))) {}

CustomsService::~CustomsService() = default;

int CustomsService::bind()
{
    Impl& i = *impl_;
    i.binding = true;
    const bool bound = i.settings.port == 0 ? (i.port = i.http.bind_to_any_port(i.settings.host)) > 0
                                            : i.http.bind_to_port(i.settings.host, i.settings.port);
    i.binding = false;
    if (!bound)
        throw std::runtime_error("cannot listen on " + i.settings.host + ":" + std::to_string(i.settings.port));
    if (i.settings.port != 0)
        i.port = i.settings.port;
    widenBacklog(i.listeningSocket);
    return i.port;
}

void CustomsService::run()
{
    Impl& i = *impl_;
    {
        const std::lock_guard lock(i.runMutex);
        if (i.stopAsked)
            return;
        i.running = true;
    }
    const bool listened = i.http.listen_after_bind();
    {
        const std::lock_guard lock(i.runMutex);
        i.running = false;
    }
    if (!listened)
        throw std::runtime_error("the listening socket failed");
}

void CustomsService::stop()
{
    Impl& i = *impl_;
    std::unique_lock lock(i.runMutex);
    i.stopAsked = true;
    // The library forgets a stop that comes before it listens (a SIGTERM just
    // after the start): wait until it listens, or until run has ended.
    while (i.running && !i.http.is_running()) {
        lock.unlock();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        lock.lock();
    }
    i.http.stop();
}

} // namespace tarvelo::server
