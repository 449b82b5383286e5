// The duty and tax calculator of the tariff detail page, run in headless
// Chromium on a page served by the real service: worked examples typed into
// the form, amounts read back from what the page shows.
#include "runningservice.h"
#include "soaphelpers.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvelo::testkit {
namespace {

void write(const std::filesystem::path& file, std::string_view text)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

std::string read(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Loads the file in headless Chromium and returns the document as it stands
// after its scripts ran, the service's answers to them included (virtual
// time stands still while a fetch is out); empty when Chromium fails.
std::string renderedDom(const std::filesystem::path& page, const std::filesystem::path& folder)
{
    const std::string profile = "--user-data-dir=" + (folder / "profile").string();
    const std::string url = "file://" + page.string();
    std::vector<std::string> args{TARVELO_CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                                  "--disable-background-networking", "--disable-component-update", "--disable-sync",
                                  "--virtual-time-budget=60000", profile, "--dump-dom", url};
    const auto out = folder / "dom.html";
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(fd, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? read(out) : std::string();
}

// Types each example into the form in turn and lists what the page shows
// once the service answered the last input: the data-amount of duty,
// consumption tax, VAT and total, and the text of the compound base when
// there is one.
constexpr std::string_view driver = R"(<script>
(async function () {
  const examples = %EXAMPLES%;
  const amount = function (id) { const p = document.getElementById(id); return p ? p.dataset.amount : 'absent'; };
  const rows = [];
  for (const e of examples) {
    const line = document.getElementById('calc-line');
    line.value = e[0];
    line.dispatchEvent(new Event('change'));
    const duty = document.getElementById('calc-duty');
    duty.value = e[1];
    duty.dispatchEvent(new Event('change'));
    for (const [unit, quantity] of Object.entries(e[3])) {
      const input = document.querySelector('.calc-quantity[data-unit="' + unit + '"]');
      input.value = quantity;
      input.dispatchEvent(new Event('input'));
    }
    const value = document.getElementById('calc-value');
    await new Promise(function (shown) {
      document.getElementById('calc-result').addEventListener('calc-shown', shown, {once: true});
      value.value = e[2];
      value.dispatchEvent(new Event('input'));
    });
    const base = document.getElementById('calc-consumption-base');
    rows.push([amount('calc-duty-out'), amount('calc-consumption-out'), amount('calc-vat-out'), amount('calc-total'),
               base ? base.textContent : ''].join('|'));
  }
  const pre = document.createElement('pre');
  pre.id = 'driver-results';
  pre.textContent = rows.join('\n');
  document.body.append(pre);
})();
</script>)";

struct Example {
    std::string_view what;
    std::string_view line, duty, value, quantities; // quantities: a JSON object by unit
    std::string_view expected;                      // duty|consumption|vat|total|base text
};

TEST(TariffCalculator, WorkedExamplesInABrowserEngine)
{
#ifndef TARVELO_CHROMIUM
    GTEST_SKIP() << "chromium was not found when the build was configured";
#else
    TempFolder folder;
    const auto db = (folder.path() / "calc.db").string();
    const auto schedule = folder.path() / "schedule.csv";
    write(schedule, "code,name,mfn,general,consumption,vat,unit,supervision\n"
                    "99000010,从价试验品,10%,30%,15%,13%,千克,\n"
                    "99000020,从量试验品,7.5元/升,7.5元/升,220元/吨,13%,升,\n"
                    "99000030,复合消费税试验品,25%,180%,56%+0.003元/支,13%,千支,\n"
                    "99000040,缺税率试验品,,,,13%,个,\n"
                    "99000060,复合关税试验品,20%+1.5元/千克,20%,,9%,千克,\n");
    std::string output;
    ASSERT_EQ(runServiceCommand({"import", "--db", db, "--tariff", schedule.string()}, output), 0) << output;
    RunningService service({"--db", db});
    const HttpReply page = httpGet(service.port(), "/detail/tariff/9900");
    ASSERT_EQ(page.status, 200) << page.body;

    const Example examples[] = {
        {"ad valorem, compound base", "99000010", "mfn", "10000", "{}",
         "1000.00|1941.18|1682.35|4623.53|组成计税价格 = (完税价格 + 关税) ÷ (1 − 消费税率) = (10000 + 1000) ÷ (1 − 15%) = "
         "≈12941.1765 元"},
        {"general rate chosen", "99000010", "general", "10000", "{}", "3000.00|2294.12|1988.24|7282.35|"
         "组成计税价格 = (完税价格 + 关税) ÷ (1 − 消费税率) = (10000 + 3000) ÷ (1 − 15%) = ≈15294.1176 元"},
        // Rounding the duty and consumption tax first would give a VAT of 168.27.
        {"rounded only at the end", "99000010", "mfn", "1000.24", "{}",
         "100.02|194.16|168.28|462.46|组成计税价格 = (完税价格 + 关税) ÷ (1 − 消费税率) = (1000.24 + 100.024) ÷ (1 − 15%) = "
         "≈1294.4282 元"},
        {"specific duty and consumption tax", "99000020", "mfn", "5000", R"({"升": "1000", "吨": "1.03"})",
         "7500.00|226.60|1654.46|9381.06|"},
        {"specific rate without a quantity", "99000020", "mfn", "5000", R"({"升": "", "吨": "1.03"})",
         "needs-quantity|226.60|679.46|906.06|"},
        {"compound consumption tax", "99000030", "mfn", "100000", R"({"支": "50000"})",
         "25000.00|159431.82|36976.14|221407.95|组成计税价格 = (完税价格 + 关税 + 从量消费税) ÷ (1 − 消费税率) = "
         "(100000 + 25000 + 150) ÷ (1 − 56%) = ≈284431.8182 元"},
        {"missing duty and consumption rates", "99000040", "mfn", "2000", "{}", "missing|missing|260.00|260.00|"},
        {"compound duty", "99000060", "mfn", "3333.33", R"({"千克": "77.7"})", "783.22|missing|370.49|1153.71|"},
        {"value not a number", "99000010", "mfn", "12,5", "{}", "absent|absent|absent|absent|"},
    };
    std::string list = "[";
    for (const Example& e : examples) {
        list += list.size() > 1 ? "," : "";
        list += "[\"" + std::string(e.line) + "\",\"" + std::string(e.duty) + "\",\"" + std::string(e.value) + "\"," +
                std::string(e.quantities) + "]";
    }
    list += "]";
    std::string script(driver);
    script.replace(script.find("%EXAMPLES%"), 10, list);
    std::string html = page.body;
    html.insert(html.rfind("</body>"), script);
    const auto file = folder.path() / "calculator.html";
    write(file, html);

    const std::string dom = renderedDom(file, folder.path());
    const size_t from = dom.find("<pre id=\"driver-results\">");
    ASSERT_NE(from, std::string::npos) << "the page or the driver did not run:\n" << dom.substr(0, 2000);
    const size_t start = dom.find('>', from) + 1;
    std::istringstream results(dom.substr(start, dom.find("</pre>", start) - start));
    for (const Example& e : examples) {
        std::string shown;
        std::getline(results, shown);
        EXPECT_EQ(shown, e.expected) << e.what;
    }
#endif
}

} // namespace
} // namespace tarvelo::testkit
