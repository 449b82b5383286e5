#include "dutyrules.h"

#include <algorithm>

namespace tarvelo::duty {
namespace {

const Fraction zero(0);
const Fraction one(1);

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Trims ASCII white space, the no-break space and the ideographic space.
std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view ascii = " \t\n\r\f\v";
    constexpr std::string_view wide[] = {"\xC2\xA0", "\xE3\x80\x80"};
    for (bool cut = true; cut && !text.empty();) {
        cut = true;
        if (ascii.find(text.front()) != std::string_view::npos)
            text.remove_prefix(1);
        else if (ascii.find(text.back()) != std::string_view::npos)
            text.remove_suffix(1);
        else if (const auto* w = std::find_if(std::begin(wide), std::end(wide),
                                              [&](std::string_view s) { return text.starts_with(s); });
                 w != std::end(wide))
            text.remove_prefix(w->size());
        else if (const auto* w = std::find_if(std::begin(wide), std::end(wide),
                                              [&](std::string_view s) { return text.ends_with(s); });
                 w != std::end(wide))
            text.remove_suffix(w->size());
        else
            cut = false;
    }
    return text;
}

// Digits with an optional decimal part, nothing around them.
bool isNumber(std::string_view text)
{
    const size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view decimals = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    const auto digits = [](std::string_view s) { return !s.empty() && std::all_of(s.begin(), s.end(), isDigit); };
    return digits(whole) && (dot == std::string_view::npos || digits(decimals));
}

// A figure inside a formula: exact when it ends within four decimals, else marked.
std::string figure(const Fraction& x)
{
    std::string text = x.fixed(4);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return ((x * Fraction(10000)).denominator() == 1 ? "" : "≈") + text;
}

std::string money(const Fraction& x)
{
    return x.fixed(2);
}

std::string lacking(const Rate& rate, std::string_view name)
{
    if (rate.unreadable)
        return std::string(name) + "“" + rate.text + "”无法识别";
    return "本税目缺少" + std::string(name);
}

// "10%" or "10 %"
bool readPercent(std::string_view part, Rate& rate)
{
    if (!part.ends_with('%'))
        return false;
    const std::string_view number = trimmed(part.substr(0, part.size() - 1));
    const auto percent = parseDecimal(number);
    if (!percent)
        return false;
    rate.adValorem = *percent / Fraction(100);
    rate.percent = std::string(number) + "%";
    return true;
}

// "7.5元/升", spaces allowed around 元 and the slash; the unit is one word.
bool readSpecific(std::string_view part, Rate& rate)
{
    constexpr std::string_view yuan = "元";
    const size_t at = part.find(yuan);
    if (at == std::string_view::npos)
        return false;
    const std::string_view number = trimmed(part.substr(0, at));
    std::string_view unit = trimmed(part.substr(at + yuan.size()));
    const auto amount = parseDecimal(number);
    if (!amount || !unit.starts_with('/'))
        return false;
    unit = trimmed(unit.substr(1));
    if (unit.empty() || unit.find_first_of(" \t\n\r\f\v") != std::string_view::npos ||
        unit.find("\xC2\xA0") != std::string_view::npos || unit.find("\xE3\x80\x80") != std::string_view::npos)
        return false;
    rate.specific = Rate::Specific{*amount, std::string(unit), std::string(number) + " 元/" + std::string(unit)};
    return true;
}

struct SpecificPart {
    Fraction amount;
    std::string figures; // "1000 升 × 7.5 元/升"
};

// The specific part of a rate, none when its quantity is not given.
std::optional<SpecificPart> specificPart(const Rate::Specific& rate, const Inputs& in)
{
    const auto typed = in.quantities.find(rate.unit);
    const auto quantity = typed == in.quantities.end() ? std::nullopt : parseDecimal(typed->second);
    if (!quantity)
        return std::nullopt;
    return SpecificPart{*quantity * rate.amount, figure(*quantity) + " " + rate.unit + " × " + rate.text};
}

class Working {
public:
    explicit Working(const Inputs& in) : in_(in) {}
    Outcome run();

private:
    void step(std::string_view id, std::string amount, std::string text)
    {
        out_.steps.push_back({std::string(id), std::move(amount), std::move(text)});
    }
    void dutyStep(const Fraction& value);
    void consumptionStep(const Fraction& value);
    void vatStep(const Fraction& value);
    void totalStep();

    const Inputs& in_;
    Outcome out_;
};

void Working::dutyStep(const Fraction& value)
{
    const Rate rate = parseRate(in_.dutyRate);
    if (!rate.present())
        return step(stepId::duty, std::string(missingRate), "关税：" + lacking(rate, in_.dutyName) + "，未计算。");
    const auto spec = rate.specific ? specificPart(*rate.specific, in_) : SpecificPart{zero, {}};
    if (!spec)
        return step(stepId::duty, std::string(missingQuantity), "关税：请输入数量（" + rate.specific->unit + "）。");
    const Fraction duty = (rate.adValorem ? value * *rate.adValorem : zero) + spec->amount;
    std::string formula, figures;
    if (rate.adValorem) {
        formula = "完税价格 × " + in_.dutyName;
        figures = figure(value) + " × " + rate.percent;
    }
    if (rate.specific) {
        formula += rate.adValorem ? " + 数量 × 单位税额" : "数量 × 单位税额";
        figures += (rate.adValorem ? " + " : "") + spec->figures;
    }
    out_.duty = duty;
    step(stepId::duty, money(duty), "关税 = " + formula + " = " + figures + " = " + money(duty) + " 元");
}

// On the compound base: (value + duty + specific part) ÷ (1 − rate).
void Working::consumptionStep(const Fraction& value)
{
    const Rate rate = parseRate(in_.consumptionRate);
    if (!rate.present() || (rate.adValorem && !(*rate.adValorem < one)))
        return step(stepId::consumption, std::string(missingRate), "消费税：" + lacking(rate, "消费税率") + "，未计算。");
    const auto spec = rate.specific ? specificPart(*rate.specific, in_) : SpecificPart{zero, {}};
    if (!spec)
        return step(stepId::consumption, std::string(missingQuantity), "消费税：请输入数量（" + rate.specific->unit + "）。");
    if (!rate.adValorem) {
        out_.consumption = spec->amount;
        return step(stepId::consumption, money(spec->amount),
                    "消费税 = 数量 × 单位税额 = " + spec->figures + " = " + money(spec->amount) + " 元");
    }
    const Fraction& a = *rate.adValorem;
    const Fraction base = (value + out_.duty.value_or(zero) + spec->amount) / (one - a);
    const std::string dutyFigure = out_.duty ? " + " + figure(*out_.duty) : "";
    const std::string specFigure = rate.specific ? " + " + figure(spec->amount) : "";
    step(stepId::consumptionBase, figure(base),
         "组成计税价格 = (完税价格" + std::string(out_.duty ? " + 关税" : "") +
             (rate.specific ? " + 从量消费税" : "") + ") ÷ (1 − 消费税率) = (" + figure(value) + dutyFigure + specFigure +
             ") ÷ (1 − " + rate.percent + ") = " + figure(base) + " 元" + (out_.duty ? "" : "（关税未算出，未计入）"));
    const Fraction consumption = base * a + spec->amount;
    out_.consumption = consumption;
    step(stepId::consumption, money(consumption),
         "消费税 = 组成计税价格 × 消费税率" + std::string(rate.specific ? " + 数量 × 单位税额" : "") + " = " +
             figure(base) + " × " + rate.percent + (rate.specific ? " + " + spec->figures : "") + " = " +
             money(consumption) + " 元");
}

// On value + duty + consumption tax; the rate is ad valorem only.
void Working::vatStep(const Fraction& value)
{
    Rate rate = parseRate(in_.vatRate);
    if (!rate.adValorem || rate.specific) {
        rate.unreadable = rate.unreadable || rate.specific.has_value();
        return step(stepId::vat, std::string(missingRate), "增值税：" + lacking(rate, "增值税率") + "，未计算。");
    }
    const Fraction vat = (value + out_.duty.value_or(zero) + out_.consumption.value_or(zero)) * *rate.adValorem;
    out_.vat = vat;
    std::string notes = out_.duty ? "" : "关税";
    if (!out_.consumption)
        notes += notes.empty() ? "消费税" : "、消费税";
    step(stepId::vat, money(vat),
         "增值税 = (完税价格" + std::string(out_.duty ? " + 关税" : "") + (out_.consumption ? " + 消费税" : "") +
             ") × 增值税率 = (" + figure(value) + (out_.duty ? " + " + figure(*out_.duty) : "") +
             (out_.consumption ? " + " + figure(*out_.consumption) : "") + ") × " + rate.percent + " = " + money(vat) +
             " 元" + (notes.empty() ? "" : "（" + notes + "未算出，未计入）"));
}

void Working::totalStep()
{
    std::string missing, figures;
    Fraction total = zero;
    for (const auto& [tax, name] : {std::pair{&out_.duty, "关税"}, {&out_.consumption, "消费税"}, {&out_.vat, "增值税"}}) {
        if (*tax) {
            total = total + **tax;
            figures += (figures.empty() ? "" : " + ") + figure(**tax);
        } else {
            missing += (missing.empty() ? "" : "、") + std::string(name);
        }
    }
    out_.total = total;
    step(stepId::total, money(total),
         (missing.empty() ? "合计" : "合计（不含" + missing + "）") + " = " + (figures.empty() ? "0" : figures) + " = " +
             money(total) + " 元");
}

Outcome Working::run()
{
    const std::optional<Fraction> value = parseDecimal(in_.value);
    if (!value) {
        step(stepId::prompt, "",
             trimmed(in_.value).empty() ? "请输入完税价格（元）。" : "完税价格应为不带符号的数字，例如 12500.00");
        return std::move(out_);
    }
    dutyStep(*value);
    consumptionStep(*value);
    vatStep(*value);
    totalStep();
    return std::move(out_);
}

} // namespace

std::optional<Fraction> parseDecimal(std::string_view text)
{
    text = trimmed(text);
    // Thirty digits keep every later product within 128 bits in practice.
    if (!isNumber(text) || text.size() > 30)
        return std::nullopt;
    Fraction::Term digits = 0, scale = 1;
    bool decimals = false;
    for (const char c : text) {
        if (c == '.') {
            decimals = true;
            continue;
        }
        digits = digits * 10 + (c - '0');
        if (decimals)
            scale *= 10;
    }
    return Fraction(digits, scale);
}

Rate parseRate(std::string_view text)
{
    Rate rate;
    rate.text = trimmed(text);
    if (rate.text.empty())
        return rate;
    std::string_view rest = rate.text;
    while (true) {
        const size_t plus = rest.find('+');
        const std::string_view part = trimmed(rest.substr(0, plus));
        const bool read = (!rate.adValorem && readPercent(part, rate)) || (!rate.specific && readSpecific(part, rate));
        if (!read) {
            Rate unreadable;
            unreadable.text = std::move(rate.text);
            unreadable.unreadable = true;
            return unreadable;
        }
        if (plus == std::string_view::npos)
            return rate;
        rest.remove_prefix(plus + 1);
    }
}

std::vector<std::string> quantityUnits(std::string_view dutyRate, std::string_view consumptionRate)
{
    std::vector<std::string> units;
    for (const std::string_view text : {dutyRate, consumptionRate}) {
        const Rate rate = parseRate(text);
        if (rate.specific && std::find(units.begin(), units.end(), rate.specific->unit) == units.end())
            units.push_back(rate.specific->unit);
    }
    return units;
}

Outcome calculate(const Inputs& inputs)
{
    try {
        return Working(inputs).run();
    } catch (const FractionOverflow&) {
        return Outcome{{{std::string(stepId::prompt), "", "数字过大，无法计算。"}}, {}, {}, {}, {}};
    }
}

} // namespace tarvelo::duty
