#include "commandline.h"

#include "platform/qt/hubapi.h"
#include "version.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

#include <array>
#include <utility>

namespace tarvelo {
namespace {

constexpr std::array<std::pair<const char*, QueryCategory>, 4> categoryNames{{
    {"law", QueryCategory::pe_article},
    {"commodity", QueryCategory::Commodity},
    {"tariff", QueryCategory::Tariff},
    {"export", QueryCategory::Export},
}};

const QString searchOption = QStringLiteral("search");
const QString selectionOption = QStringLiteral("search-selection");
const QString categoryOption = QStringLiteral("category");
const QString batchOption = QStringLiteral("batch");
const QString exportOption = QStringLiteral("export");
const QString watchOption = QStringLiteral("watch");
const QString helpOption = QStringLiteral("help");
const QString versionOption = QStringLiteral("version");

void describe(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Looks up China's customs data: tariff lines, commodity codes, export rebates, laws and policies.\n"
        "A running Tarvelo receives the request; otherwise Tarvelo starts and runs it."));
    parser.addOptions({
        {searchOption, QStringLiteral("Search TEXT, unchanged, as if typed into the search box."), QStringLiteral("TEXT")},
        {selectionOption, QStringLiteral("Search the text selected in any program (else the clipboard's).")},
        {categoryOption, QStringLiteral("The tab to search in: law, commodity, tariff or export (default: the current tab)."),
         QStringLiteral("NAME")},
        {batchOption, QStringLiteral("Open the goods-list window (批量查询), with the list in FILE (text, CSV or XLSX) if given.")},
        {exportOption, QStringLiteral("With --batch FILE: look the list up without a window and write OUT (.xlsx or .csv)."),
         QStringLiteral("OUT")},
        {watchOption, QStringLiteral("Watch the tariff line CODE (8 or 10 digits, or a tarvelo:watch?code=CODE link) "
                                     "and open the watch window (关注)."),
         QStringLiteral("CODE")},
        {{QStringLiteral("h"), helpOption}, QStringLiteral("Print this help and exit.")},
        {{QStringLiteral("v"), versionOption}, QStringLiteral("Print the version and exit.")},
    });
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The goods list of --batch."),
                                 QStringLiteral("[FILE]"));
}

QString usage(const QCommandLineParser& parser)
{
    // Read before any application object exists, so Qt cannot name the program.
    return parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("tarvelo"));
}

// The search the options ask for; the later of --search and
// --search-selection wins, as does the later of two categories.
QString readLookup(const QCommandLineParser& parser, CommandLine& line)
{
    LookupRequest request;
    bool asked = false;
    qsizetype searches = 0;
    for (const QString& name : parser.optionNames()) {
        if (name == searchOption) {
            request.text = parser.values(searchOption).at(searches++);
            request.fromSelection = false;
            asked = true;
        } else if (name == selectionOption) {
            request.text.clear();
            request.fromSelection = true;
            asked = true;
        }
    }
    if (parser.isSet(categoryOption)) {
        const QString wanted = parser.value(categoryOption);
        for (const auto& [known, value] : categoryNames)
            if (wanted == QLatin1String(known))
                request.category = static_cast<int16_t>(value);
        if (!request.category)
            return QStringLiteral("--category wants law, commodity, tariff or export, got \"%1\"").arg(wanted);
        if (!asked)
            return QStringLiteral("--category goes with --search or --search-selection");
    }
    if (asked)
        line.lookup = request;
    return {};
}

QString readBatch(const QCommandLineParser& parser, CommandLine& line)
{
    const QStringList files = parser.positionalArguments();
    if (!parser.isSet(batchOption)) {
        if (parser.isSet(exportOption))
            return QStringLiteral("--export goes with --batch FILE");
        if (!files.isEmpty())
            return QStringLiteral("unexpected argument \"%1\"").arg(files.first());
        return {};
    }
    if (line.lookup)
        return QStringLiteral("--batch cannot be combined with --search or --search-selection");
    if (files.size() > 1)
        return QStringLiteral("--batch takes one file, got %1").arg(files.size());
    BatchRequest request;
    request.file = files.value(0);
    request.output = parser.value(exportOption);
    if (parser.isSet(exportOption)) {
        // The list runs without a window, so it needs both files.
        if (request.file.isEmpty())
            return QStringLiteral("--export needs the list's file: --batch FILE --export OUT");
        const QString out = request.output.toLower();
        if (!out.endsWith(QLatin1String(".xlsx")) && !out.endsWith(QLatin1String(".csv")))
            return QStringLiteral("--export wants a file ending in .xlsx or .csv, got \"%1\"").arg(request.output);
    }
    line.batch = request;
    return {};
}

QString readWatch(const QCommandLineParser& parser, CommandLine& line)
{
    if (!parser.isSet(watchOption))
        return {};
    if (line.lookup || line.batch)
        return QStringLiteral("--watch cannot be combined with --search, --search-selection or --batch");
    // Detail pages link to tarvelo:watch?code=CODE, which the desktop hands to us.
    QString code = parser.value(watchOption).trimmed();
    const QString link = QStringLiteral("tarvelo:watch?code=");
    if (code.startsWith(link, Qt::CaseInsensitive))
        code = code.mid(link.size());
    static const QRegularExpression lineCode(QStringLiteral("^(\\d{8}|\\d{10})$"));
    if (!lineCode.match(code).hasMatch())
        return QStringLiteral("--watch wants a tariff line of 8 or 10 digits, got \"%1\"").arg(parser.value(watchOption));
    line.watch = code;
    return {};
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    describe(parser);
    CommandLine line;
    QString reason;
    if (!parser.parse(QStringList{QStringLiteral("tarvelo")} + arguments))
        reason = parser.errorText();
    else if (parser.isSet(helpOption))
        line.action = CommandLine::Action::Help;
    else if (parser.isSet(versionOption))
        line.action = CommandLine::Action::Version;
    else if (reason = readLookup(parser, line); reason.isEmpty() && (reason = readBatch(parser, line)).isEmpty())
        reason = readWatch(parser, line);

    if (!reason.isEmpty()) {
        line = CommandLine{};
        line.action = CommandLine::Action::Refused;
        line.text = reason + QLatin1String("\n\n") + usage(parser);
    } else if (line.action == CommandLine::Action::Help) {
        line.text = usage(parser);
    } else if (line.action == CommandLine::Action::Version) {
        line.text = QStringLiteral("%1 %2\n").arg(QLatin1String(version::title), QLatin1String(version::text));
    }
    return line;
}

QStringList forRunningCopy(const CommandLine& command, const QStringList& arguments)
{
    if (!command.batch || command.batch->file.isEmpty())
        return arguments;
    return {QStringLiteral("--batch"), QFileInfo(command.batch->file).absoluteFilePath()};
}

} // namespace tarvelo
