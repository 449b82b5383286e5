// Relevance of the search over the bundled data. Each line of a query set
// names a kind (zh, en, code, traditional, misspelling; zh-desc, en-desc,
// title-zh, title-en, mixed, zh-trad), a keyword and the headings a broker
// would accept; a Commodity result counts when its code starts with one of
// them. Prints per kind hit@1, hit@5, the mean reciprocal rank (over all 200
// records), the share of empty answers and the processor time per search
// (median and 99th percentile), then the queries missing from the top 5.
// Each search's time is taken twice: the first time it runs, and again once
// every query has run, when a long-running service's index has long since
// read what the query's words need.
//   search_bench [QUERIES.tsv...]   (default: queries.tsv and descriptions.tsv)
#include "database.h"
#include "keyword.h"
#include "searchcatalogue.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace tarvelo::server;

struct Query {
    std::string kind;
    std::string keyword;
    std::vector<std::string> headings;
};

std::vector<Query> readQueries(const std::string& file)
{
    std::ifstream in(file);
    if (!in)
        throw std::runtime_error("cannot read " + file);
    std::vector<Query> queries;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line.front() == '#')
            continue;
        const size_t a = line.find('\t');
        const size_t b = line.find('\t', a + 1);
        if (a == std::string::npos || b == std::string::npos)
            throw std::runtime_error("not kind<TAB>query<TAB>headings: " + line);
        Query q{line.substr(0, a), line.substr(a + 1, b - a - 1), {}};
        std::istringstream headings(line.substr(b + 1));
        for (std::string h; headings >> h;)
            q.headings.push_back(h);
        queries.push_back(std::move(q));
    }
    return queries;
}

struct Score {
    int queries = 0;
    int hit1 = 0;
    int hit5 = 0;
    int empty = 0;
    double reciprocal = 0;
    std::vector<double> first; // processor time per search, the first time it runs
    std::vector<double> again; // and once every query has run
};

double threadMicros()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

double percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<size_t>(share * static_cast<double>(values.size())))];
}

} // namespace

int main(int argc, char** argv)
{
    try {
        std::vector<Query> queries;
        const std::vector<std::string> files =
            argc > 1 ? std::vector<std::string>(argv + 1, argv + argc)
                     : std::vector<std::string>{TARVELO_SEARCH_QUERIES "/queries.tsv", TARVELO_SEARCH_QUERIES "/descriptions.tsv"};
        for (const std::string& file : files)
            for (Query& q : readQueries(file))
                queries.push_back(std::move(q));
        const auto folder = std::filesystem::temp_directory_path() / ("tarvelo-search-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        const auto start = std::chrono::steady_clock::now();
        ensureDatabase(folder / "bench.db");
        const auto filled = std::chrono::steady_clock::now();
        const auto catalogue = std::make_unique<const SearchCatalogue>(
            readSearchSource(folder / "bench.db", "9999-12-31"), 0, "9999-12-31"); // the newest rates
        const auto read = std::chrono::steady_clock::now();
        std::filesystem::remove_all(folder);

        std::map<std::string, Score> scores;
        std::vector<std::string> misses;
        const auto timedFind = [&](const Query& q, std::vector<double>& times) {
            const double before = threadMicros();
            auto found = catalogue->commodity().find(parseKeyword(q.keyword), 200);
            times.push_back(threadMicros() - before);
            return found;
        };
        for (const Query& q : queries) {
            const auto found = timedFind(q, scores[q.kind].first);
            size_t rank = 0;
            for (size_t i = 0; i < found.size() && rank == 0; ++i)
                for (const std::string& h : q.headings)
                    if (found[i]->code.starts_with(h))
                        rank = i + 1;
            Score& s = scores[q.kind];
            ++s.queries;
            s.empty += found.empty();
            s.hit1 += rank == 1;
            s.hit5 += rank >= 1 && rank <= 5;
            s.reciprocal += rank ? 1.0 / static_cast<double>(rank) : 0.0;
            if (rank == 0 || rank > 5) {
                std::string first = found.empty() ? "nothing" : found.front()->code + " " + found.front()->name;
                misses.push_back(q.kind + "\t" + q.keyword + "\trank " + (rank ? std::to_string(rank) : "-") +
                                 "\tfirst: " + first.substr(0, 80));
            }
        }
        for (const Query& q : queries)
            timedFind(q, scores[q.kind].again);
        const auto ms = [](auto a, auto b) { return std::chrono::duration<double, std::milli>(b - a).count(); };
        std::printf("bundled database filled in %.0f ms, search catalogue read in %.0f ms\n\n", ms(start, filled),
                    ms(filled, read));
        std::printf("%-12s %7s %7s %7s %6s %6s %25s %25s\n", "", "", "", "", "", "", "first search µs",
                    "again µs");
        std::printf("%-12s %7s %7s %7s %6s %6s %12s %12s %12s %12s\n", "kind", "queries", "hit@1", "hit@5", "MRR",
                    "empty", "median", "p99", "median", "p99");
        for (const auto& [kind, s] : scores)
            std::printf("%-12s %7d %6.1f%% %6.1f%% %6.3f %5.1f%% %12.0f %12.0f %12.0f %12.0f\n", kind.c_str(),
                        s.queries, 100.0 * s.hit1 / s.queries, 100.0 * s.hit5 / s.queries, s.reciprocal / s.queries,
                        100.0 * s.empty / s.queries, percentile(s.first, 0.5), percentile(s.first, 0.99),
                        percentile(s.again, 0.5), percentile(s.again, 0.99));
        std::printf("\nnot in the first five:\n");
        for (const std::string& m : misses)
            std::printf("  %s\n", m.c_str());
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "search_bench: " << e.what() << "\n";
        return 2;
    }
}
