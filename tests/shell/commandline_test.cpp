// The command line: which arguments ask for what, and which are refused.
#include "shell/commandline.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace tarvelo;

namespace {

using Action = CommandLine::Action;

QStringList words(std::initializer_list<const char*> list)
{
    QStringList out;
    for (const char* w : list)
        out.append(QString::fromUtf8(w));
    return out;
}

TEST(CommandLine, ArgumentsAskForASearchOrAreRefusedWithAReason)
{
    const struct {
        QStringList arguments;
        Action action;
        bool asks;
        QString text;
        bool fromSelection;
        int category;   // -1: the current tab
        QString reason; // the start of the refusal, or a word of Qt's own (whose language follows the program's)
    } cases[] = {
        {{}, Action::Run, false, {}, false, -1, {}},
        {words({"--search", " 钢 \"卷\" & <b> "}), Action::Run, true, QStringLiteral(" 钢 \"卷\" & <b> "), false, -1, {}},
        {words({"--search", "8471", "--category", "export"}), Action::Run, true, QStringLiteral("8471"), false, 3, {}},
        {words({"--category", "law", "--search", "海关法"}), Action::Run, true, QStringLiteral("海关法"), false, 0, {}},
        {words({"--search-selection", "--category", "tariff"}), Action::Run, true, {}, true, 2, {}},
        // A value that looks like an option is still the value.
        {words({"--search", "--category"}), Action::Run, true, QStringLiteral("--category"), false, -1, {}},
        // The later of the two search options wins.
        {words({"--search", "a", "--search-selection"}), Action::Run, true, {}, true, -1, {}},
        {words({"--search-selection", "--search", "b"}), Action::Run, true, QStringLiteral("b"), false, -1, {}},
        {words({"--search", "a", "--search", "b"}), Action::Run, true, QStringLiteral("b"), false, -1, {}},
        {words({"--search"}), Action::Refused, false, {}, false, -1, QStringLiteral("--search")},
        {words({"--search", "x", "--category", "Tariff"}), Action::Refused, false, {}, false, -1,
         QStringLiteral("--category wants law, commodity, tariff or export, got \"Tariff\"")},
        {words({"--category", "commodity"}), Action::Refused, false, {}, false, -1,
         QStringLiteral("--category goes with")},
        {words({"--bogus"}), Action::Refused, false, {}, false, -1, QStringLiteral("bogus")},
        {words({"8471"}), Action::Refused, false, {}, false, -1, QStringLiteral("unexpected argument \"8471\"")},
        {words({"--help", "--bogus"}), Action::Refused, false, {}, false, -1, QStringLiteral("bogus")},
        {words({"--search", "x", "--help"}), Action::Help, false, {}, false, -1, {}},
        {words({"-h"}), Action::Help, false, {}, false, -1, {}},
        {words({"--version"}), Action::Version, false, {}, false, -1, {}},
    };
    for (const auto& c : cases) {
        const CommandLine line = parseCommandLine(c.arguments);
        const std::string shown = c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(line.action, c.action) << shown << ": " << line.text.toStdString();
        ASSERT_EQ(line.lookup.has_value(), c.asks) << shown;
        if (c.action == Action::Refused) {
            EXPECT_TRUE(line.text.section(QLatin1Char('\n'), 0, 0).contains(c.reason)) << shown << ": " << line.text.toStdString();
            // The reason comes with the usage.
            EXPECT_TRUE(line.text.contains(QLatin1String("--search <TEXT>"))) << shown;
        }
        if (!c.asks)
            continue;
        EXPECT_EQ(line.lookup->text, c.text) << shown;
        EXPECT_EQ(line.lookup->fromSelection, c.fromSelection) << shown;
        EXPECT_EQ(line.lookup->category.value_or(-1), c.category) << shown;
    }
}

TEST(CommandLine, HelpNamesEveryOption)
{
    const QString help = parseCommandLine(words({"--help"})).text;
    for (const char* option : {"--search <TEXT>", "--search-selection", "--category <NAME>", "--batch", "--export <OUT>",
                               "--watch <CODE>", "--version"})
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option << " in\n" << help.toStdString();
}

TEST(CommandLine, BatchTakesAFileAndAnOutputOrIsRefused)
{
    const struct {
        QStringList arguments;
        bool asks;
        QString file, exportTo;
        QString reason;
    } cases[] = {
        {words({"--batch"}), true, {}, {}, {}},
        {words({"--batch", "货物.csv"}), true, QStringLiteral("货物.csv"), {}, {}},
        {words({"--batch", "a.txt", "--export", "out.XLSX"}), true, QStringLiteral("a.txt"), QStringLiteral("out.XLSX"), {}},
        {words({"--export", "o.csv", "--batch", "a.xlsx"}), true, QStringLiteral("a.xlsx"), QStringLiteral("o.csv"), {}},
        {words({"--batch", "--export", "o.csv"}), false, {}, {}, QStringLiteral("--export needs the list's file")},
        {words({"--batch", "a", "--export", "o.pdf"}), false, {}, {},
         QStringLiteral("--export wants a file ending in .xlsx or .csv")},
        {words({"--batch", "a", "--export"}), false, {}, {}, QStringLiteral("--export")},
        {words({"--batch", "a", "b"}), false, {}, {}, QStringLiteral("--batch takes one file")},
        {words({"a", "--export", "o.csv"}), false, {}, {}, QStringLiteral("--export goes with --batch FILE")},
        {words({"--batch", "a", "--search", "x"}), false, {}, {}, QStringLiteral("--batch cannot be combined")},
    };
    for (const auto& c : cases) {
        const CommandLine line = parseCommandLine(c.arguments);
        const std::string shown = c.arguments.join(QLatin1Char(' ')).toStdString();
        ASSERT_EQ(line.batch.has_value(), c.asks) << shown << ": " << line.text.toStdString();
        if (!c.asks) {
            EXPECT_EQ(line.action, Action::Refused) << shown;
            EXPECT_TRUE(line.text.section(QLatin1Char('\n'), 0, 0).contains(c.reason)) << shown << ": " << line.text.toStdString();
            continue;
        }
        EXPECT_EQ(line.action, Action::Run) << shown;
        EXPECT_EQ(line.batch->file, c.file) << shown;
        EXPECT_EQ(line.batch->output, c.exportTo) << shown;
    }
}

TEST(CommandLine, WatchTakesALineOrADetailPageLink)
{
    const struct {
        QStringList arguments;
        QString code; // empty: refused
        QString reason;
    } cases[] = {
        {words({"--watch", "22042100"}), QStringLiteral("22042100"), {}},
        {words({"--watch", "2402200010"}), QStringLiteral("2402200010"), {}},
        {words({"--watch", "tarvelo:watch?code=01012100"}), QStringLiteral("01012100"), {}},
        {words({"--watch", "2204.21"}), {}, QStringLiteral("--watch wants a tariff line of 8 or 10 digits, got \"2204.21\"")},
        {words({"--watch", "tarvelo:watch?code=1;rm"}), {}, QStringLiteral("--watch wants a tariff line")},
        {words({"--watch", "22042100", "--search", "x"}), {}, QStringLiteral("--watch cannot be combined")},
    };
    for (const auto& c : cases) {
        const CommandLine line = parseCommandLine(c.arguments);
        const std::string shown = c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(line.watch.value_or(QString()), c.code) << shown;
        if (c.code.isEmpty())
            EXPECT_TRUE(line.action == Action::Refused && line.text.startsWith(c.reason)) << shown << ": "
                                                                                           << line.text.toStdString();
    }
}

TEST(CommandLine, ARunningCopyGetsTheListFileByItsFullPath)
{
    const QString here = QDir::currentPath();
    const struct {
        QStringList arguments, handed;
    } cases[] = {
        {words({"--batch", "清单.csv"}), {QStringLiteral("--batch"), here + QStringLiteral("/清单.csv")}},
        {words({"--batch", "/data/清单.xlsx"}), words({"--batch", "/data/清单.xlsx"})},
        {words({"--batch"}), words({"--batch"})},
        {words({"--search", "list.csv"}), words({"--search", "list.csv"})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(forRunningCopy(parseCommandLine(c.arguments), c.arguments), c.handed)
            << c.arguments.join(QLatin1Char(' ')).toStdString();
}

} // namespace
