#include "options.h"

#include "today.h"

#include <charconv>
#include <set>

namespace tarvelo::server {
namespace {

// Walks the arguments, handing out option values. An option given twice is
// refused: which of the two was meant cannot be told.
class Arguments {
public:
    explicit Arguments(const std::vector<std::string>& args) : args_(args) {}
    bool done() const { return at_ >= args_.size(); }
    const std::string& next() { return args_[at_++]; }
    const std::string& value(const std::string& option)
    {
        once(option);
        if (done())
            throw UsageError(option + " needs a value");
        return next();
    }
    // Notes an option without a value.
    void once(const std::string& option)
    {
        if (!seen_.insert(option).second)
            throw UsageError(option + " is given more than once");
    }

private:
    const std::vector<std::string>& args_;
    size_t at_ = 0;
    std::set<std::string, std::less<>> seen_;
};

long number(const std::string& text, const std::string& option, long low, long high)
{
    long n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || n < low || n > high)
        throw UsageError(option + " wants a number from " + std::to_string(low) + " to " + std::to_string(high) +
                         ", got \"" + text + "\"");
    return n;
}

const std::string& date(const std::string& text, const std::string& option)
{
    if (!isDate(text))
        throw UsageError(option + " wants a date like 2026-01-01, got \"" + text + "\"");
    return text;
}

// "127.0.0.1:8936", "localhost:0" or "[::1]:8936".
void parseListen(const std::string& text, ServiceSettings& settings)
{
    const auto colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0)
        throw UsageError("--listen wants HOST:PORT, got \"" + text + "\"");
    std::string host = text.substr(0, colon);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    settings.host = host;
    settings.port = static_cast<int>(number(text.substr(colon + 1), "--listen", 0, 65535));
}

Serve parseServe(Arguments& a)
{
    Serve serve;
    ServiceSettings& s = serve.settings;
    while (!a.done()) {
        const std::string& option = a.next();
        if (option == "--listen")
            parseListen(a.value(option), s);
        else if (option == "--db")
            s.database = a.value(option);
        else if (option == "--threads")
            s.threads = static_cast<size_t>(number(a.value(option), option, 1, 1024));
        else if (option == "--news")
            s.newsFile = a.value(option);
        else if (option == "--bubble")
            s.bubbleFile = a.value(option);
        else if (option == "--token")
            s.token = a.value(option);
        else if (option == "--cache-mb")
            s.cacheBytes = static_cast<size_t>(number(a.value(option), option, 0, 4096)) << 20;
        else if (option == "--quiet") {
            a.once(option);
            s.logRequests = false;
        } else if (option == "--today")
            s.today = date(a.value(option), option);
        else if (option == "--contact")
            s.contact = a.value(option);
        else
            throw UsageError("unknown option \"" + option + "\"");
    }
    return serve;
}

Import parseImport(Arguments& a)
{
    Import import;
    ImportFiles& f = import.files;
    while (!a.done()) {
        const std::string& option = a.next();
        if (option == "--db")
            import.database = a.value(option);
        else if (option == "--tariff")
            f.tariff = a.value(option);
        else if (option == "--rebates")
            f.rebates = a.value(option);
        else if (option == "--articles")
            f.articles = a.value(option);
        else if (option == "--news")
            f.news = a.value(option);
        else if (option == "--bubble")
            f.bubble = a.value(option);
        else if (option == "--hs")
            f.hs = a.value(option);
        else if (option == "--sections")
            f.sections = a.value(option);
        else if (option == "--references")
            f.references = a.value(option);
        else if (option == "--effective")
            f.effective = date(a.value(option), option);
        else if (option == "--strict") {
            a.once(option);
            f.strict = true;
        } else if (option == "--allow-empty") {
            a.once(option);
            f.allowEmpty = true;
        } else
            throw UsageError("unknown import option \"" + option + "\"");
    }
    if (!f.tariff && !f.rebates && !f.articles && !f.news && !f.bubble && !f.hs && !f.references)
        throw UsageError("import needs at least one CSV file");
    if (!f.effective.empty() && !f.tariff)
        throw UsageError("--effective dates a tariff file: give --tariff as well");
    return import;
}

} // namespace

Command parseCommandLine(const std::vector<std::string>& args)
{
    for (const std::string& arg : args)
        if (arg == "--help" || arg == "-h")
            return ShowHelp{};
    Arguments a(args);
    if (!a.done() && args.front() == "import") {
        a.next();
        return parseImport(a);
    }
    return parseServe(a);
}

std::string helpText()
{
    return R"(tarvelo-service: the customs-data SOAP service of the Tarvelo desktop program.

Usage:
  tarvelo-service [--listen HOST:PORT] [--db FILE] [--threads N]
                  [--news FILE] [--bubble FILE] [--token TEXT] [--cache-mb N] [--quiet]
                  [--today YYYY-MM-DD] [--contact TEXT]
  tarvelo-service import [--db FILE] [--tariff CSV [--effective YYYY-MM-DD]]
                  [--rebates CSV] [--articles CSV]
                  [--news CSV] [--bubble CSV] [--hs CSV --sections CSV]
                  [--references CSV] [--strict] [--allow-empty]
  tarvelo-service --help

An option may be given once.

Serving:
  --listen HOST:PORT  address to listen on (default 127.0.0.1:8936). Port 0 picks
                      a free port. The address is printed on standard output as
                      "listening on http://HOST:PORT/Service.asmx" once bound.
  --db FILE           the database (default tarvelo-service.db). A missing file is
                      created and filled from the data built into the program:
                      the HS nomenclature and a SAMPLE schedule (not legal rates).
  --threads N         request threads (default 64). An open connection holds its
                      thread until it has been idle for 5 s: give more threads
                      than concurrent connections (behind nginx: its max_conns).
  --news FILE         home news list (operation mdefaut), CSV with the columns
  --bubble FILE       title,link,date; bubble list (operation maopao), the same.
                      The files are checked about once a second and read again
                      when they change: save the file to publish. Without these
                      options the lists stored in the database are served.
                      Links starting with "/" point into this service.
  --token TEXT        the access token requests must carry in <taken>
                      (default: the token built into the desktop program).
  --cache-mb N        memory for rendered search answers (default 64, 0: off).
                      Repeated searches are answered from it; it is emptied
                      within about a second after an import changes the database.
  --today YYYY-MM-DD  answer with the rates in force on that day instead of
                      today (the local date of this machine), for checking a
                      schedule before it takes effect.
  --contact TEXT      how users reach the operator of this service (an address,
                      a telephone number), shown on the question page
                      /gs/Ask/Add_Question.asp; without it the page tells them
                      to ask whoever installed the program.
  --quiet             no request log. Otherwise one line per request goes to
                      standard error: time, client, method, path, operation,
                      status, answer size, time taken.

SOAP 1.1 on POST /Service.asmx: the operation is the first element of soap:Body,
recognised by its local name in any namespace: Tariff, Commodity, Export and
PE_Article with <keyword>, mdefaut and maopao without; all with <taken>. A
SOAPAction header is not required and not looked at. Wrong token, malformed XML
or an unknown operation give a SOAP fault with status 500; a body over 1 MiB a
fault with status 413. GET /Service.asmx?WSDL gives the WSDL, GET /Service.asmx
an overview; /detail/tariff/CODE, /detail/rebate/CODE and /detail/article/ID are
the pages the answers link to. GET / is a home page linking the commodity-code
search /so/Search.asp?keyword=TEXT and the question page /gs/Ask/Add_Question.asp.
GET /health answers 200 once the database and the news lists are loaded, 503
otherwise.

Importing replaces whole tables, in one transaction (all or nothing), except
for a dated tariff: --effective YYYY-MM-DD adds the file as the schedule in
force from that day, replacing only an earlier import of the same day; lines
the file leaves out keep their earlier rates. Answers give each line's rates in
force today; the detail page of a line lists its rate history. The import
works in a copy of the database that is then renamed over it: running services
move to the new file within about a second, without a failed request.

Files are UTF-8 (a byte-order mark is allowed) or GB18030/GBK, as Excel saves
them on Chinese Windows. Every value is checked first: codes, rates (empty, 13%,
6.5%, 7.5元/升, or parts joined by +: 56%+0.003元/支), real calendar dates, and
no code twice in a file (a tariff code twice only with different effective
dates). Anything wrong refuses the import with exit status 1, naming the file
and line (the header is line 1), and leaves the database as it was. A code
under a subheading the HS nomenclature lacks is reported and imported.
  --strict       refuse codes the HS nomenclature lacks as well.
  --allow-empty  accept a file without data rows, which empties its table
                 (refused otherwise).
The database records which file each table came from and when; detail pages
note sample data only where the table they show is still the sample. Files
left by an import that was killed are removed by the next one.

Columns (first row is the header; more columns are ignored; quoted fields may
hold commas and line breaks):
  --tariff    code,name,mfn,general,consumption,vat,unit,supervision[,description]
              code: 8 or 10 digits; description: English text, taken from the HS
              subheading when empty or absent; an optional effective column
              dates single rows (YYYY-MM-DD, empty: the --effective date)
  --rebates   code,name,unit,rate[,description]
  --articles  id,title,updated,source,body    updated like 2024-03-01T09:30:00+08:00;
              body paragraphs separated by line breaks
  --news, --bubble   title,link,date
  --hs        section,hscode,description,parent,level   (levels 2, 4, 6 are kept)
  --sections  section,name
  --references  term,hscode   everyday goods terms pointing to codes (2 to 10
              digits, dots allowed; a term may point to several codes); they
              replace the terms imported before, the terms built into the
              program stay
)";
}

} // namespace tarvelo::server
