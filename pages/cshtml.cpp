#include "cshtml.h"

#include "cachefiles.h"
#include "frames.h"
#include "hiddenfolder.h"
#include "keptanswer.h"
#include "messages.h"
#include "paths.h"
#include "renderers.h"
#include "service/cp936.h"
#include "service/webserviceapi.h"

namespace tarvelo {

cshtml::cshtml(platform::Seams& seams) : seams_(seams) {}

void cshtml::pathn(std::string_view value)
{
    dirpath();
    pathn_ = pages::cacheFolderText(seams_.programFolder.path()) + pages::nativeName(value);
}

std::string cshtml::dirpath()
{
    if (const std::error_code ec = pages::ensureHiddenFolder(seams_.programFolder.path(), pages::cacheFolderName))
        reportFileError(ec);
    return std::string(pages::cacheFolderName);
}

std::chrono::system_clock::time_point cshtml::GetFileTime(const std::string& filepath) const
{
    return pages::lastModified(pages::toPath(filepath)).value_or(seams_.clock.now());
}

void cshtml::createhtml()
{
    if (pathn_.empty()) {
        reportFileError(std::make_error_code(std::errc::no_such_file_or_directory));
        return;
    }
    const std::string bytes = service::utf8ToCp936(bodystr_.empty() ? std::string_view("--") : bodystr_);
    if (const std::error_code ec = pages::replaceFile(pages::toPath(pathn_), bytes))
        reportFileError(ec);
}

std::string cshtml::htmlhead() const { return std::string(pages::frames::head); }
std::string cshtml::htmlheadno() const { return std::string(pages::frames::headNoScroll); }
std::string cshtml::htmlfoor() const { return std::string(pages::frames::foot); }

cshtml::Answer cshtml::ask(webserviceapi& api, std::string_view operation, std::string_view keyword,
                           const std::string& request)
{
    std::string text = api.webservice(request);
    platform::AnswerKeeper* kept = seams_.answers;
    if (!kept)
        return {std::move(text), {}};
    if (text != webserviceapi::failureText) {
        if (pages::worthKeeping(text))
            kept->keep(operation, keyword, text, seams_.clock.now());
        return {std::move(text), {}};
    }
    if (auto last = kept->find(operation, keyword))
        return {std::move(last->answer), pages::keptNotice(last->saved)};
    return {std::move(text), {}};
}

std::string cshtml::defaut()
{
    webserviceapi api(seams_);
    Answer answer = ask(api, "mdefaut", {}, api.mdefaut_head());
    return answer.notice + pages::homeFragment(answer.text);
}

std::string cshtml::maopao()
{
    webserviceapi api(seams_);
    return pages::bubbleFragment(api.webservice(api.mmaopao_head()));
}

std::string cshtml::readtxt(std::string_view filepath)
{
    dirpath();
    const std::string path = pages::cacheFolderText(seams_.programFolder.path()) + pages::nativeName(filepath);
    const std::optional<std::string> bytes = pages::readFile(pages::toPath(path));
    return bytes ? service::cp936ToUtf8(*bytes) : std::string();
}

std::string cshtml::Tariff(std::string_view str)
{
    webserviceapi api(seams_);
    const Answer answer = ask(api, "Tariff", str, api.Tariff_head(str));
    return answer.notice + resultFragment(pages::tariffFragment(answer.text), "海关税则");
}

std::string cshtml::Export(std::string_view str)
{
    webserviceapi api(seams_);
    const Answer answer = ask(api, "Export", str, api.Export_head(str));
    return answer.notice + resultFragment(pages::exportFragment(answer.text), "出口退税");
}

std::string cshtml::Commodity(std::string_view str)
{
    webserviceapi api(seams_);
    const Answer answer = ask(api, "Commodity", str, api.Commodity_head(str));
    return answer.notice + resultFragment(pages::commodityFragment(answer.text), "商品编码");
}

std::string cshtml::pe_article(std::string_view str)
{
    webserviceapi api(seams_);
    const Answer answer = ask(api, "PE_Article", str, api.pe_article_head(str));
    return answer.notice + resultFragment(pages::articlesFragment(answer.text), "法规政策");
}

std::string cshtml::resultFragment(pages::Fragment fragment, std::string_view category) const
{
    if (!fragment.hasRecords)
        seams_.messageBox.show(pages::messages::noResult(category), messages::appTitle, platform::Buttons::Ok);
    return std::move(fragment.text);
}

void cshtml::reportFileError(std::error_code ec) const
{
    std::string text(pages::messages::fileError);
    text += std::to_string(ec.value());
    seams_.messageBox.show(text, messages::appTitle, platform::Buttons::Ok);
}

} // namespace tarvelo
