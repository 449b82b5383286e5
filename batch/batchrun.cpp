#include "batchrun.h"

#include "service/cp936.h"
#include "service/envelope.h"
#include "service/httpexchange.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace tarvelo::batch {
namespace {

// Lines asked at once: enough to keep a loopback or LAN service busy
// without crowding a shared one.
constexpr size_t workers = 4;
// A hosted service's proxy answers 429 to an address that asks faster than
// it allows (packaging/nginx): the line is asked again after a pause, a few times.
constexpr int busyRetries = 10;
constexpr auto busyPause = std::chrono::milliseconds(1000);

std::string joinUnits(const std::vector<std::string>& units)
{
    std::string text;
    for (const std::string& u : units)
        text += (text.empty() ? "" : "、") + u;
    return text;
}

class ListRun {
public:
    ListRun(const std::vector<Item>& items, const Connection& connection, std::stop_token stop,
            const LineSettled& settled)
        : items_(items), connection_(connection), stop_(std::move(stop)), settled_(settled), results_(items.size())
    {
    }

    std::vector<LineResult> run()
    {
        {
            std::vector<std::jthread> threads;
            for (size_t i = 0; i < std::min(workers, items_.size()); ++i)
                threads.emplace_back([this] { work(); });
        }
        return std::move(results_);
    }

private:
    void work()
    {
        for (size_t i = next_++; i < items_.size(); i = next_++)
            settle(i, lookUp(items_[i]));
    }

    LineResult lookUp(const Item& item)
    {
        LineResult result;
        if (!item.problem.empty()) {
            result.state = LineResult::State::Refused;
            result.note = item.problem;
            return result;
        }
        if (stop_.stop_requested()) {
            result.state = LineResult::State::Cancelled;
            result.note = "已取消";
            return result;
        }
        if (unreachable_) {
            result.note = "服务连接中断，未查询";
            return result;
        }
        const std::string request = service::envelope("Tariff", searchKeyword(item.goods));
        service::HttpAnswer answer;
        for (int attempt = 0;; ++attempt) {
            answer = service::postXml(connection_.endpoint, request, connection_.timeouts, connection_.caFile);
            if (!answer.delivered || answer.status != 429 || attempt == busyRetries)
                break;
            if (!pause(busyPause)) {
                result.state = LineResult::State::Cancelled;
                result.note = "已取消";
                return result;
            }
        }
        if (!answer.delivered) {
            unreachable_ = true;
            result.note = "服务连接中断，未查询";
            return result;
        }
        if (answer.status != 200) {
            result.note = "服务答复出错（HTTP " + std::to_string(answer.status) + "），未查询";
            return result;
        }
        const std::string text = service::toUtf8(answer.body, service::charsetOf(answer.contentType));
        result.match = judge(item.goods, tariffHits(text));
        result.note = result.match.note;
        if (!result.match.best) {
            result.state = LineResult::State::NotFound;
            return result;
        }
        result.state = LineResult::State::Found;
        if (!item.value.empty()) {
            result.taxes = taxesOf(item, *result.match.best);
            const TariffHit& line = *result.match.best;
            // The list's quantity has no unit of its own: say which one it was taken in.
            const auto units = duty::quantityUnits(line.mfn, line.consumption);
            std::string counted;
            if (units.size() > 1)
                counted = "从量税率有" + joinUnits(units) + "两个计量单位，数量按" + units.front() + "计";
            else if (!units.empty() && !item.quantity.empty())
                counted = "数量按" + units.front() + "计";
            if (!counted.empty())
                result.note += (result.note.empty() ? "" : "；") + counted;
        }
        return result;
    }

    // Waits, unless the run is stopped meanwhile; false when it was.
    bool pause(std::chrono::milliseconds length)
    {
        std::mutex waiting;
        std::unique_lock lock(waiting);
        std::condition_variable_any wake;
        wake.wait_for(lock, stop_, length, [] { return false; });
        return !stop_.stop_requested();
    }

    void settle(size_t index, LineResult result)
    {
        const std::scoped_lock lock(settling_);
        results_[index] = std::move(result);
        if (settled_)
            settled_(index, results_[index]);
    }

    const std::vector<Item>& items_;
    const Connection& connection_;
    const std::stop_token stop_;
    const LineSettled& settled_;
    std::vector<LineResult> results_;
    std::atomic<size_t> next_ = 0;
    std::atomic<bool> unreachable_ = false;
    std::mutex settling_;
};

} // namespace

duty::Outcome taxesOf(const Item& item, const TariffHit& line)
{
    duty::Inputs inputs{line.mfn, std::string(duty::mfnName), line.consumption, line.vat, item.value, {}};
    // The list has one quantity: it counts in the unit of the line's first specific rate.
    const auto units = duty::quantityUnits(line.mfn, line.consumption);
    if (!units.empty())
        inputs.quantities.emplace(units.front(), item.quantity);
    return duty::calculate(inputs);
}

std::vector<LineResult> runList(const std::vector<Item>& items, const Connection& connection, std::stop_token stop,
                                const LineSettled& settled)
{
    return ListRun(items, connection, std::move(stop), settled).run();
}

} // namespace tarvelo::batch
