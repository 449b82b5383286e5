// Answers whose text is hostile to the page pipeline rather than to the
// browser: characters the code page lacks by the hundred thousand, and
// character references that name no character.
#include "lookups.h"
#include "pages/frames.h"
#include "pages/renderers.h"
#include "service/cp936.h"
#include "support/answers.h"
#include "support/loopbackserver.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace tarvelo;
using namespace tarvelo::robustness;
using tarvelo::testkit::repeated;
using namespace std::chrono_literals;

namespace {

template <class F>
std::chrono::steady_clock::duration timed(F f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::steady_clock::now() - start;
}

} // namespace

// Each such character becomes a reference in the page file. Writing used to
// take time quadratic in the length of the text: seconds for 100 000 emoji,
// hours for an answer of a few megabytes, with the program frozen meanwhile.
TEST(HostileText, CharactersTheCodePageLacksAreWrittenInLinearTime)
{
    struct Case {
        std::string_view text, bytes;
    } cases[] = {
        {"😀", "&#128512;"},
        {"\xEF\xBF\xBD", "&#65533;"},
        {"😀中", "&#128512;\xD6\xD0"},
    };
    for (const Case& c : cases) {
        const std::string text = repeated(c.text, 100000);
        std::string bytes;
        EXPECT_LT(timed([&] { bytes = service::utf8ToCp936(text); }), 1500ms);
        EXPECT_EQ(bytes, repeated(c.bytes, 100000));
    }
}

TEST(HostileText, CharactersAcrossConversionPiecesStayWhole)
{
    // Three-byte characters after one, two or three ASCII bytes straddle every
    // internal piece boundary in turn.
    for (const std::string_view prefix : {"a", "ab", "abc"}) {
        const std::string text = std::string(prefix) + repeated("中", 5000) + "x";
        EXPECT_EQ(service::utf8ToCp936(text), std::string(prefix) + repeated("\xD6\xD0", 5000) + "x");
    }
    EXPECT_EQ(service::utf8ToCp936(repeated("a", 255) + "\xE4\xB8"), repeated("a", 255) + "&#65533;&#65533;");
}

TEST(HostileText, HomeAnswerOfMegabytesOfEmojiIsWrittenPromptly)
{
    testkit::TempFolder folder;
    platform::fakes::FakePlatform fakes{folder.path()};
    const std::string body = "<r>" + repeated("😀", 1u << 20) + "</r>"; // 4 MB
    testkit::LoopbackServer server([&](const auto&) { return testkit::ScriptedAnswer::ok(body); });
    fakes.seams.endpointOverride = server.endpoint();
    std::string path;
    EXPECT_LT(timed([&] { path = runHome(fakes.seams); }), 10s);
    const std::string bytes = readBytes(path);
    EXPECT_TRUE(bytes.starts_with(pages::frames::headNoScroll));
    EXPECT_TRUE(bytes.ends_with("&#128512;</r></body>"));
    EXPECT_TRUE(fakes.messageBox.shown.empty());
}

// The XML parser turns a reference beyond U+10FFFF, or to a surrogate, into
// bytes that are not UTF-8; the page file gets a replacement character for
// them and stays valid code page 936.
TEST(HostileText, ReferencesToNoCharacterGiveReplacementsInThePageFile)
{
    const std::string answer = "<r><Table><ArticleID>1</ArticleID><HS_code>&#x21F600;|&#xD800;|&#1114112;</HS_code>"
                               "</Table></r>";
    const pages::Fragment f = pages::tariffFragment(answer);
    ASSERT_TRUE(f.hasRecords);
    const std::string bytes = service::utf8ToCp936(f.text);
    const std::string text = service::cp936ToUtf8(bytes);
    EXPECT_EQ(service::sanitizeUtf8(text), text);
    EXPECT_NE(text.find("|"), std::string::npos);
}
