#include "commandrun.h"

#include "export.h"

#include <cstdio>

namespace tarvelo::batch {

int runCommand(const std::string& file, const std::string& out, const Connection& connection)
{
    GoodsList list;
    try {
        list = goodsList(readListFile(file));
    } catch (const ListError& e) {
        std::fprintf(stderr, "tarvelo: %s: %s\n", file.c_str(), e.what());
        return 2;
    }
    if (list.items.empty()) {
        std::fprintf(stderr, "tarvelo: %s: the list holds no goods\n", file.c_str());
        return 2;
    }
    const std::vector<LineResult> results = runList(list.items, connection);
    try {
        const ExportTable table = exportTable(list.items, results);
        if (hasEnding(out, ".xlsx"))
            writeXlsx(table, out);
        else
            writeCsv(table, out);
    } catch (const std::runtime_error& e) {
        std::fprintf(stderr, "tarvelo: %s\n", e.what());
        return 2;
    }
    const auto count = [&results](LineResult::State state) {
        return std::count_if(results.begin(), results.end(), [state](const LineResult& r) { return r.state == state; });
    };
    const auto uncertain =
        std::count_if(results.begin(), results.end(), [](const LineResult& r) { return r.match.uncertain; });
    const auto notDone = count(LineResult::State::NotDone);
    std::fprintf(stderr, "tarvelo: %zu lines: %td found (%td to check), %td not found, %td refused, %td not done -> %s\n",
                 list.items.size(), count(LineResult::State::Found), uncertain, count(LineResult::State::NotFound),
                 count(LineResult::State::Refused), notDone, out.c_str());
    return notDone > 0 ? 1 : 0;
}

} // namespace tarvelo::batch
