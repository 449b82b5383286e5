// The command-line searches: which arguments ask for what.
#include "shell/lookuprequest.h"

#include <gtest/gtest.h>

using namespace tarvelo;

namespace {

TEST(LookupRequest, ArgumentsAskForASearchOrAreRefusedWithAReason)
{
    const struct {
        QStringList arguments;
        bool asks;
        QString text;
        bool fromSelection;
        int category; // -1: the current tab
        bool error;
    } cases[] = {
        {{}, false, {}, false, -1, false},
        {{QStringLiteral("--platform-choice"), QStringLiteral("x")}, false, {}, false, -1, false},
        {{QStringLiteral("--search"), QStringLiteral(" 钢 \"卷\" & <b> ")}, true, QStringLiteral(" 钢 \"卷\" & <b> "), false, -1, false},
        {{QStringLiteral("--search"), QStringLiteral("8471"), QStringLiteral("--category"), QStringLiteral("export")}, true, QStringLiteral("8471"), false, 3, false},
        {{QStringLiteral("--category"), QStringLiteral("law"), QStringLiteral("--search"), QStringLiteral("海关法")}, true, QStringLiteral("海关法"), false, 0, false},
        {{QStringLiteral("--search-selection"), QStringLiteral("--category"), QStringLiteral("tariff")}, true, {}, true, 2, false},
        {{QStringLiteral("--search"), QStringLiteral("--category")}, true, QStringLiteral("--category"), false, -1, false},
        {{QStringLiteral("--search")}, false, {}, false, -1, true},
        {{QStringLiteral("--search"), QStringLiteral("x"), QStringLiteral("--category"), QStringLiteral("Tariff")}, false, {}, false, -1, true},
        {{QStringLiteral("--category"), QStringLiteral("commodity")}, false, {}, false, -1, true},
    };
    for (const auto& c : cases) {
        const LookupParse parse = parseLookup(c.arguments);
        const QString shown = c.arguments.join(QLatin1Char(' '));
        EXPECT_EQ(!parse.error.isEmpty(), c.error) << shown.toStdString();
        ASSERT_EQ(parse.request.has_value(), c.asks) << shown.toStdString();
        if (!c.asks)
            continue;
        EXPECT_EQ(parse.request->text, c.text) << shown.toStdString();
        EXPECT_EQ(parse.request->fromSelection, c.fromSelection) << shown.toStdString();
        EXPECT_EQ(parse.request->category.value_or(-1), c.category) << shown.toStdString();
    }
}

} // namespace
