// Page renderers, from any answer text to page text: the first byte picks the
// renderer, the rest is the answer. Every renderer's page starts with its own
// opening text and ends with its closing text whatever the answer holds, a
// fragment without records says so, and the page survives the conversion to
// the bytes of a cache file and back as valid text. (Valid UTF-8 in does not
// always give valid UTF-8 out: the XML parser writes a character reference
// beyond U+10FFFF or to a surrogate as bytes that are not UTF-8; the file
// conversion turns those into replacement characters.)
#include "pages/renderers.h"
#include "service/cp936.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using tarvelo::pages::Fragment;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// A table page: always framed, header row first, "</table>" last.
void checkTable(const Fragment& f, std::string_view empty)
{
    require(f.text.starts_with("<table border='0' align='center'"));
    require(f.text.ends_with("</table>"));
    if (!f.hasRecords)
        require(f.text == empty);
    else
        require(f.text.size() > empty.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const unsigned selector = data[0] % 6;
    const std::string_view answer(reinterpret_cast<const char*>(data + 1), size - 1);

    std::string page;
    switch (selector) {
    case 0: {
        static const std::string empty = tarvelo::pages::tariffFragment("").text;
        const Fragment f = tarvelo::pages::tariffFragment(answer);
        checkTable(f, empty);
        page = f.text;
        break;
    }
    case 1: {
        static const std::string empty = tarvelo::pages::commodityFragment("").text;
        const Fragment f = tarvelo::pages::commodityFragment(answer);
        checkTable(f, empty);
        page = f.text;
        break;
    }
    case 2: {
        static const std::string empty = tarvelo::pages::exportFragment("").text;
        const Fragment f = tarvelo::pages::exportFragment(answer);
        checkTable(f, empty);
        page = f.text;
        break;
    }
    case 3: {
        const Fragment f = tarvelo::pages::articlesFragment(answer);
        // Without records the articles page has nothing at all.
        if (!f.hasRecords)
            require(f.text.empty());
        else
            require(f.text.starts_with("\r<style type=\"text/css\">\r") && f.text.ends_with("</span></div>\r"));
        page = f.text;
        break;
    }
    case 4:
    case 5: {
        static const std::string homeEmpty = tarvelo::pages::homeFragment("");
        static const std::string bubbleEmpty = tarvelo::pages::bubbleFragment("");
        const std::string& empty = selector == 4 ? homeEmpty : bubbleEmpty;
        page = selector == 4 ? tarvelo::pages::homeFragment(answer) : tarvelo::pages::bubbleFragment(answer);
        // The style block, then the decoded answer, which is never longer.
        require(page.starts_with(empty));
        require(page.size() - empty.size() <= answer.size());
        break;
    }
    }
    const std::string bytes = tarvelo::service::utf8ToCp936(page);
    require(page.empty() || !bytes.empty());
    const std::string back = tarvelo::service::cp936ToUtf8(bytes);
    require(tarvelo::service::sanitizeUtf8(back) == back);
    return 0;
}
