#include "cshtml.h"

#include "cachefiles.h"
#include "frames.h"
#include "hiddenfolder.h"
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

std::string cshtml::defaut()
{
    webserviceapi api(seams_);
    return pages::homeFragment(api.webservice(api.mdefaut_head()));
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
    return resultFragment(pages::tariffFragment(api.webservice(api.Tariff_head(str))), "海关税则");
}

std::string cshtml::Export(std::string_view str)
{
    webserviceapi api(seams_);
    return resultFragment(pages::exportFragment(api.webservice(api.Export_head(str))), "出口退税");
}

std::string cshtml::Commodity(std::string_view str)
{
    webserviceapi api(seams_);
    return resultFragment(pages::commodityFragment(api.webservice(api.Commodity_head(str))), "商品编码");
}

std::string cshtml::pe_article(std::string_view str)
{
    webserviceapi api(seams_);
    return resultFragment(pages::articlesFragment(api.webservice(api.pe_article_head(str))), "法规政策");
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
