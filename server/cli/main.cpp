// tarvelo-service: serves the customs-data SOAP service, or imports CSV data
// into its database. See --help.
#include "csv.h"
#include "customsservice.h"
#include "database.h"
#include "livesearch.h"
#include "options.h"
#include "searchcatalogue.h"
#include "searchsource.h"
#include "sqlite.h"
#include "today.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <pthread.h>
#include <thread>

namespace {

using namespace tarvelo::server;

int serve(ServiceSettings settings)
{
    // SIGINT and SIGTERM are taken by a thread of their own, which stops the
    // server; every thread started later inherits the blocked mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    ensureDatabase(settings.database);
    const std::string host = settings.host.find(':') == std::string::npos ? settings.host : "[" + settings.host + "]";
    CustomsService service(std::move(settings));
    const int port = service.bind();
    std::cout << "listening on http://" << host << ":" << port << "/Service.asmx" << std::endl;

    std::jthread signals([&service, stopSignals] {
        int received = 0;
        sigwait(&stopSignals, &received);
        service.stop();
    });
    // Wake the signal thread when the server ended on its own, also by an
    // error: the thread is joined on the way out.
    struct Wake {
        std::jthread& thread;
        ~Wake() { pthread_kill(thread.native_handle(), SIGTERM); }
    } wake{signals};
    service.run();
    return 0;
}

int import(const Import& command)
{
    // The new data's word indexes are built before it goes live, so that the
    // replicas open them instead of each building its own. Without them the
    // import still holds: each replica then builds them as it reads the data.
    std::string notBuilt;
    const auto buildIndexes = [&](const std::filesystem::path& copy) {
        try {
            const std::string today = dateToday({});
            const SearchCatalogue ahead(readSearchSource(copy, today), 0, today, wordIndexesOf(command.database));
        } catch (const std::exception& e) {
            notBuilt = e.what();
        }
    };
    ImportReport report = importFiles(command.database, command.files, buildIndexes);
    if (!notBuilt.empty())
        report.warnings.push_back("the search indexes were not built ahead (each replica builds its own): " + notBuilt);
    for (const std::string& warning : report.warnings)
        std::cerr << "tarvelo-service: warning: " << warning << "\n";
    for (const std::string& line : report.loaded)
        std::cout << "loaded " << line << "\n";
    std::cout << "imported into " << command.database.string() << std::endl;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const Command command = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        if (std::holds_alternative<ShowHelp>(command)) {
            std::cout << helpText();
            return 0;
        }
        if (const auto* s = std::get_if<Serve>(&command))
            return serve(s->settings);
        return import(std::get<Import>(command));
    } catch (const UsageError& e) {
        std::cerr << "tarvelo-service: " << e.what() << "\n(see tarvelo-service --help)\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "tarvelo-service: " << e.what() << "\n";
        return 1;
    }
}
