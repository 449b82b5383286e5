// Relevance of the search over the bundled data. Each line of the query set
// names a kind (zh, en, code, traditional, misspelling), a keyword and the
// headings a broker would accept; a Commodity result counts when its code
// starts with one of them. Prints hit@1, hit@5 and the mean reciprocal rank
// (over all 200 records) per kind, and the queries missing from the top 5.
//   search_bench [QUERIES.tsv]
#include "database.h"
#include "keyword.h"
#include "searchcatalogue.h"

#include <unistd.h>

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
    double reciprocal = 0;
};

} // namespace

int main(int argc, char** argv)
{
    try {
        const auto queries = readQueries(argc > 1 ? argv[1] : TARVELO_SEARCH_QUERIES);
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
        std::clock_t searching = 0;
        for (const Query& q : queries) {
            const std::clock_t before = std::clock();
            const auto found = catalogue->commodity().find(parseKeyword(q.keyword), 200);
            searching += std::clock() - before;
            size_t rank = 0;
            for (size_t i = 0; i < found.size() && rank == 0; ++i)
                for (const std::string& h : q.headings)
                    if (found[i]->code.starts_with(h))
                        rank = i + 1;
            Score& s = scores[q.kind];
            ++s.queries;
            s.hit1 += rank == 1;
            s.hit5 += rank >= 1 && rank <= 5;
            s.reciprocal += rank ? 1.0 / static_cast<double>(rank) : 0.0;
            if (rank == 0 || rank > 5) {
                std::string first = found.empty() ? "nothing" : found.front()->code + " " + found.front()->name;
                misses.push_back(q.kind + "\t" + q.keyword + "\trank " + (rank ? std::to_string(rank) : "-") +
                                 "\tfirst: " + first.substr(0, 80));
            }
        }
        const auto ms = [](auto a, auto b) { return std::chrono::duration<double, std::milli>(b - a).count(); };
        std::printf("bundled database filled in %.0f ms, search catalogue read in %.0f ms\n\n", ms(start, filled),
                    ms(filled, read));
        std::printf("%-12s %7s %7s %7s %6s\n", "kind", "queries", "hit@1", "hit@5", "MRR");
        for (const auto& [kind, s] : scores)
            std::printf("%-12s %7d %6.1f%% %6.1f%% %6.3f\n", kind.c_str(), s.queries, 100.0 * s.hit1 / s.queries,
                        100.0 * s.hit5 / s.queries, s.reciprocal / s.queries);
        std::printf("\nprocessor time per Commodity search: %.0f µs (mean of %zu)\n",
                    1e6 * static_cast<double>(searching) / CLOCKS_PER_SEC / static_cast<double>(queries.size()),
                    queries.size());
        std::printf("\nnot in the first five:\n");
        for (const std::string& m : misses)
            std::printf("  %s\n", m.c_str());
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "search_bench: " << e.what() << "\n";
        return 2;
    }
}
