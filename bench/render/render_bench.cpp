#include "pages/frames.h"
#include "pages/records.h"
#include "pages/renderers.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace {

using namespace tarvelo;

// A Tariff answer as the service sends it: a SOAP envelope around a data set
// with one Table element per tariff line.
std::string tariffAnswer(int records)
{
    std::string s = R"(<?xml version="1.0" encoding="utf-8"?>)"
                    R"(<soap:Envelope xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/"><soap:Body>)"
                    R"(<TariffResponse xmlns="http://127.0.0.1:8936/"><TariffResult><NewDataSet>)";
    for (int i = 0; i < records; ++i) {
        const std::string id = std::to_string(i);
        s += "\n  <Table>\n    <ArticleID>" + id + "</ArticleID>\n    <HS_code>0101" + id +
             "</HS_code>\n    <Product_name>改良种用马 &amp; 其他 " + id +
             "</Product_name>\n    <MFN>0</MFN>\n    <Gen>0</Gen>\n    <GST></GST>\n    <VAT>13</VAT>\n"
             "    <Unit>千克/头</Unit>\n    <SC>AB</SC>\n"
             "    <EN_Description>Pure-bred breeding horses, live &lt;b&gt;" + id +
             "&lt;/b&gt;</EN_Description>\n  </Table>";
    }
    s += "\n</NewDataSet></TariffResult></TariffResponse></soap:Body></soap:Envelope>";
    return s;
}

const std::string& answerOf(int records)
{
    static std::map<int, std::string> answers;
    auto [it, made] = answers.try_emplace(records);
    if (made)
        it->second = tariffAnswer(records);
    return it->second;
}

void TariffPage(benchmark::State& state)
{
    const std::string& answer = answerOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const pages::Fragment fragment = pages::tariffFragment(answer);
        std::string page;
        page.reserve(pages::frames::head.size() + fragment.text.size() + pages::frames::foot.size());
        page += pages::frames::head;
        page += fragment.text;
        page += pages::frames::foot;
        benchmark::DoNotOptimize(page.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * answer.size()));
}

void ParseOnly(benchmark::State& state)
{
    const std::string& answer = answerOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        pugi::xml_document doc;
        benchmark::DoNotOptimize(
            doc.load_buffer(answer.data(), answer.size(), pages::answerParseOptions, pugi::encoding_utf8));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * answer.size()));
}

} // namespace

BENCHMARK(TariffPage)->Arg(100)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ParseOnly)->Arg(100)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMicrosecond);
