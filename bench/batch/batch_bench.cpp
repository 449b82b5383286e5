// A goods list of 1,000 lines looked up against the bundled service on
// loopback, as the desktop's batch lookup does it. The lines are the
// keywords of the search benchmark's query sets (names, codes in several
// notations, misspellings, descriptions, product titles), in turn, each with
// a customs value and a quantity. Prints the wall time of the run, what was
// found, how well the mark points at wrong answers (each query names the
// headings a broker would accept) and the load average. Goal: 1,000 lines
// in at most 10 s.
//   batch_bench [LINES]
#include "batch/batchrun.h"
#include "runningservice.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct Query {
    std::string keyword;
    std::vector<std::string> headings; // the answers a broker would accept
};

std::vector<Query> queries()
{
    std::vector<Query> out;
    for (const char* name : {"queries.tsv", "descriptions.tsv"}) {
        std::ifstream in(std::string(TARVELO_SEARCH_QUERIES) + "/" + name);
        for (std::string line; std::getline(in, line);) {
            const size_t a = line.find('\t');
            if (line.empty() || line.front() == '#' || a == std::string::npos)
                continue;
            const size_t b = line.find('\t', a + 1);
            Query q{line.substr(a + 1, b - a - 1), {}};
            std::istringstream headings(b == std::string::npos ? "" : line.substr(b + 1));
            for (std::string h; headings >> h;)
                q.headings.push_back(h);
            out.push_back(std::move(q));
        }
    }
    return out;
}

std::string loadAverage()
{
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

} // namespace

int main(int argc, char* argv[])
{
    using namespace tarvelo::batch;
    const size_t lines = argc > 1 ? std::stoul(argv[1]) : 1000;
    const std::vector<Query> words = queries();
    std::string text;
    for (size_t i = 0; i < lines; ++i)
        text += words[i % words.size()].keyword + "\t" + std::to_string(100 + i * 7) + ".50\t" + std::to_string(1 + i % 9) + "\n";
    const std::vector<Item> items = goodsList(readPastedText(text)).items;

    std::fprintf(stderr, "starting the service (importing the bundled data)...\n");
    tarvelo::testkit::RunningService service;
    const Connection connection{.endpoint = service.endpoint()};
    // One line first, so that the timed run meets a warm service as a desktop would.
    runList({items.front()}, connection);

    const auto start = std::chrono::steady_clock::now();
    const std::vector<LineResult> results = runList(items, connection);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    size_t found = 0, uncertain = 0, notFound = 0, other = 0;
    // How well the mark points at the answers to check: a best answer is
    // wrong when its code starts with none of the query's headings.
    size_t wrong = 0, wrongMarked = 0, rightMarked = 0;
    for (size_t i = 0; i < results.size(); ++i) {
        const LineResult& r = results[i];
        found += r.state == LineResult::State::Found;
        uncertain += r.match.uncertain;
        notFound += r.state == LineResult::State::NotFound;
        other += r.state != LineResult::State::Found && r.state != LineResult::State::NotFound;
        if (!r.match.best)
            continue;
        const auto& accepted = words[i % words.size()].headings;
        const bool right = std::any_of(accepted.begin(), accepted.end(),
                                       [&](const std::string& h) { return r.match.best->code.starts_with(h); });
        wrong += !right;
        wrongMarked += !right && r.match.uncertain;
        rightMarked += right && r.match.uncertain;
    }
    std::printf("%zu lines in %.2f s (%.0f lines/s): %zu found, %zu of them marked, %zu not found, %zu other; "
                "load average %s\n",
                items.size(), seconds, items.size() / seconds, found, uncertain, notFound, other, loadAverage().c_str());
    std::printf("mark: %zu of %zu wrong best answers marked, %zu of %zu right ones\n", wrongMarked, wrong, rightMarked,
                found - wrong);
    return seconds <= 10.0 && other == 0 ? 0 : 1;
}
