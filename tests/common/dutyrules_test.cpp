// The duty and tax rules on the worked examples of the detail page's
// calculator, and the rates and numbers they read.
#include "dutyrules.h"

#include <gtest/gtest.h>

namespace tarvelo::duty {
namespace {

std::string amountOf(const Outcome& outcome, std::string_view id)
{
    for (const Step& s : outcome.steps)
        if (s.id == id)
            return s.amount;
    return "absent";
}

std::string textOf(const Outcome& outcome, std::string_view id)
{
    for (const Step& s : outcome.steps)
        if (s.id == id)
            return s.text;
    return {};
}

struct Line {
    std::string_view mfn, general, consumption, vat;
};
constexpr Line adValorem{"10%", "30%", "15%", "13%"};
constexpr Line specific{"7.5元/升", "7.5元/升", "220元/吨", "13%"};
constexpr Line compoundConsumption{"25%", "180%", "56%+0.003元/支", "13%"};
constexpr Line lacking{"", "", "", "13%"};
constexpr Line compoundDuty{"20%+1.5元/千克", "20%", "", "9%"};

TEST(DutyRules, WorkedExamples)
{
    const struct {
        std::string_view what;
        Line line;
        bool general;
        std::string value;
        std::map<std::string, std::string> quantities;
        std::string_view expected; // duty|consumption|vat|total|base text
    } examples[] = {
        {"ad valorem, compound base", adValorem, false, "10000", {},
         "1000.00|1941.18|1682.35|4623.53|组成计税价格 = (完税价格 + 关税) ÷ (1 − 消费税率) = (10000 + 1000) ÷ (1 − 15%) = "
         "≈12941.1765 元"},
        {"general rate chosen", adValorem, true, "10000", {}, "3000.00|2294.12|1988.24|7282.35|"
         "组成计税价格 = (完税价格 + 关税) ÷ (1 − 消费税率) = (10000 + 3000) ÷ (1 − 15%) = ≈15294.1176 元"},
        // Rounding the duty and consumption tax first would give a VAT of 168.27.
        {"rounded only at the end", adValorem, false, "1000.24", {},
         "100.02|194.16|168.28|462.46|组成计税价格 = (完税价格 + 关税) ÷ (1 − 消费税率) = (1000.24 + 100.024) ÷ (1 − 15%) = "
         "≈1294.4282 元"},
        {"specific duty and consumption tax", specific, false, "5000", {{"升", "1000"}, {"吨", "1.03"}},
         "7500.00|226.60|1654.46|9381.06|"},
        {"specific rate without a quantity", specific, false, "5000", {{"升", ""}, {"吨", "1.03"}},
         "needs-quantity|226.60|679.46|906.06|"},
        {"compound consumption tax", compoundConsumption, false, "100000", {{"支", "50000"}},
         "25000.00|159431.82|36976.14|221407.95|组成计税价格 = (完税价格 + 关税 + 从量消费税) ÷ (1 − 消费税率) = "
         "(100000 + 25000 + 150) ÷ (1 − 56%) = ≈284431.8182 元"},
        {"missing duty and consumption rates", lacking, false, "2000", {}, "missing|missing|260.00|260.00|"},
        {"compound duty", compoundDuty, false, "3333.33", {{"千克", "77.7"}}, "783.22|missing|370.49|1153.71|"},
        {"value not a number", adValorem, false, "12,5", {}, "absent|absent|absent|absent|"},
    };
    for (const auto& e : examples) {
        const Inputs in{std::string(e.general ? e.line.general : e.line.mfn),
                        std::string(e.general ? generalName : mfnName),
                        std::string(e.line.consumption),
                        std::string(e.line.vat),
                        e.value,
                        e.quantities};
        const Outcome out = calculate(in);
        const std::string shown = amountOf(out, "calc-duty-out") + "|" + amountOf(out, "calc-consumption-out") + "|" +
                                  amountOf(out, "calc-vat-out") + "|" + amountOf(out, "calc-total") + "|" +
                                  textOf(out, "calc-consumption-base");
        EXPECT_EQ(shown, e.expected) << e.what;
    }
}

// What each step says when something is missing: the working the page shows.
TEST(DutyRules, MissingPartsAreNamedAndLeftOutOfTheLaterBases)
{
    const Outcome lackingDuty = calculate({"", std::string(mfnName), "10%", "13%", "100", {}});
    EXPECT_EQ(textOf(lackingDuty, "calc-duty-out"), "关税：本税目缺少最惠国税率，未计算。");
    EXPECT_EQ(textOf(lackingDuty, "calc-consumption-base"),
              "组成计税价格 = (完税价格) ÷ (1 − 消费税率) = (100) ÷ (1 − 10%) = ≈111.1111 元（关税未算出，未计入）");
    EXPECT_EQ(textOf(lackingDuty, "calc-vat-out"),
              "增值税 = (完税价格 + 消费税) × 增值税率 = (100 + ≈11.1111) × 13% = 14.44 元（关税未算出，未计入）");
    EXPECT_EQ(textOf(lackingDuty, "calc-total"), "合计（不含关税） = ≈11.1111 + ≈14.4444 = 25.56 元");
    EXPECT_FALSE(lackingDuty.duty);

    const Outcome unreadable = calculate({"free", std::string(generalName), "", "5元/千克", "100", {}});
    EXPECT_EQ(textOf(unreadable, "calc-duty-out"), "关税：普通税率“free”无法识别，未计算。");
    EXPECT_EQ(textOf(unreadable, "calc-vat-out"), "增值税：增值税率“5元/千克”无法识别，未计算。");
    EXPECT_EQ(textOf(unreadable, "calc-total"), "合计（不含关税、消费税、增值税） = 0 = 0.00 元");

    EXPECT_EQ(textOf(calculate({"10%", std::string(mfnName), "", "13%", "  ", {}}), "calc-prompt"),
              "请输入完税价格（元）。");
    // Digits beyond what 128 bits hold are refused, not wrapped round.
    EXPECT_EQ(textOf(calculate({"10%", std::string(mfnName), "", "13%", std::string(31, '9'), {}}), "calc-prompt"),
              "完税价格应为不带符号的数字，例如 12500.00");
}

TEST(DutyRules, RatesAsTheScheduleWritesThem)
{
    const struct {
        std::string_view text;
        std::string_view percent; // empty: none
        std::string_view specific; // empty: none
        bool unreadable;
    } rates[] = {
        {"10%", "10%", "", false},
        {" 7.5 % ", "7.5%", "", false},
        {"7.5元/升", "", "7.5 元/升", false},
        {"56%+0.003元/支", "56%", "0.003 元/支", false},
        {"0.003 元 / 支 + 56 %", "56%", "0.003 元/支", false},
        {"", "", "", false},
        {"\xE3\x80\x80", "", "", false},               // an ideographic space alone: no rate
        {"\xE3\x80\x80" "9%\xC2\xA0", "9%", "", false}, // wide spaces around
        {"10%+5%", "", "", true},
        {"免税", "", "", true},
        {"5元/", "", "", true},
        {"5元/千 克", "", "", true},
        {"1.%", "", "", true},
    };
    for (const auto& r : rates) {
        const Rate rate = parseRate(r.text);
        EXPECT_EQ(rate.percent, r.percent) << r.text;
        EXPECT_EQ(rate.specific ? rate.specific->text : "", r.specific) << r.text;
        EXPECT_EQ(rate.unreadable, r.unreadable) << r.text;
    }
    EXPECT_EQ(quantityUnits("20%+1.5元/千克", "0.5元/千克"), std::vector<std::string>{"千克"});
    EXPECT_EQ(quantityUnits("7.5元/升", "220元/吨"), (std::vector<std::string>{"升", "吨"}));
}

} // namespace
} // namespace tarvelo::duty
