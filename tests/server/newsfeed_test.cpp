// News lists: markup, escaping and re-reading the file when it changes.
#include "listanswer.h"
#include "newsfeed.h"
#include "runningservice.h"
#include "soaphelpers.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <chrono>
#include <fstream>
#include <thread>

namespace tarvelo::server {
namespace {

using namespace std::chrono_literals;

void write(const std::filesystem::path& file, std::string_view text)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

// The text of the result element, as the pages decode it.
std::string decodedList(const std::string& answer, std::string_view result)
{
    const auto texts = testkit::elementTexts(answer, result);
    return texts.size() == 1 ? texts.front() : std::string("<missing>");
}

TEST(NewsMarkup, LinksTitlesAndDatesAreEscapedIntoValidMarkup)
{
    const std::string html = newsMarkup({{"A & B <new>", "/detail/article/1", "2024-03-01"},
                                         {"O'Hara", "https://example.org/?a=1&b='2'", ""}},
                                        "http://host:8936");
    EXPECT_EQ(html, "<ul><li><a href='http://host:8936/detail/article/1' target='_blank'>A &amp; B &lt;new&gt;</a>"
                    " <span style='color:#999;font-size:12px'>2024-03-01</span></li><li><a href='https://example.org/?a=1&amp;b=&#39;2&#39;'"
                    " target='_blank'>O'Hara</a></li></ul>");
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(html.c_str()));
    EXPECT_EQ(newsMarkup({}, "http://host"), "<ul></ul>");
}

class NewsFile : public ::testing::Test {
protected:
    std::filesystem::path file() const { return folder.path() / "news.csv"; }
    testkit::TempFolder folder;
};

TEST_F(NewsFile, FollowsTheFileAndKeepsTheLastGoodList)
{
    write(file(), "title,link,date\nFirst,/detail/article/1,2024-01-01\n");
    NewsFeed feed("mdefaut", newsFile(file()), 0ms);
    EXPECT_TRUE(feed.loaded());
    const auto first = listAnswer(feed, Operation::mdefaut, "urn:ns", "http://h");
    EXPECT_NE(decodedList(*first, "mdefautResult").find(">First</a>"), std::string::npos) << *first;
    EXPECT_EQ(listAnswer(feed, Operation::mdefaut, "urn:ns", "http://h"), first) << "unchanged lists are served from the cache";

    write(file(), "title,link,date\nSecond,/detail/article/2,2024-01-02\nThird,/detail/article/3,\n");
    const std::string second = decodedList(*listAnswer(feed, Operation::mdefaut, "urn:ns", "http://h"), "mdefautResult");
    EXPECT_EQ(second.find("First"), std::string::npos);
    EXPECT_NE(second.find(">Second</a>"), std::string::npos);
    EXPECT_NE(second.find(">Third</a>"), std::string::npos);

    write(file(), "title,wrong\nBroken,1\n");
    EXPECT_EQ(decodedList(*listAnswer(feed, Operation::mdefaut, "urn:ns", "http://h"), "mdefautResult"), second);
    std::filesystem::remove(file());
    EXPECT_EQ(decodedList(*listAnswer(feed, Operation::mdefaut, "urn:ns", "http://h"), "mdefautResult"), second);
}

TEST_F(NewsFile, NoticesAFileRenamedOverItWithTheSameTimeAndSize)
{
    // As rsync -a or cp -p followed by mv leave it: only the inode differs.
    write(file(), "title,link,date\nOld,/a,\n");
    NewsFeed feed("maopao", newsFile(file()), 0ms);
    const auto copy = folder.path() / "news.csv.new";
    write(copy, "title,link,date\nNew,/b,\n");
    std::filesystem::last_write_time(copy, std::filesystem::last_write_time(file()));
    std::filesystem::rename(copy, file());
    EXPECT_NE(listAnswer(feed, Operation::maopao, "", "http://h")->find("New"), std::string::npos);
}

TEST_F(NewsFile, ChecksTheFileAtMostOncePerInterval)
{
    write(file(), "title,link,date\nOld,/a,\n");
    NewsFeed feed("maopao", newsFile(file()), 1h);
    write(file(), "title,link,date\nNew,/b,\n");
    EXPECT_NE(listAnswer(feed, Operation::maopao, "", "http://h")->find("Old"), std::string::npos);
}

TEST_F(NewsFile, AnyListSourceIsServedInTheRequestsNamespace)
{
    write(file(), "");
    const NewsSource stored{file(), [](const auto&) { return std::vector<NewsItem>{{"Stored", "/detail/article/1", ""}}; }};
    NewsFeed feed("maopao", stored, 0ms);
    const std::string answer = *listAnswer(feed, Operation::maopao, "http://127.0.0.1:8936/", "http://h:1");
    EXPECT_NE(answer.find(R"(<maopaoResponse xmlns="http://127.0.0.1:8936/"><maopaoResult>)"), std::string::npos);
    EXPECT_NE(decodedList(answer, "maopaoResult").find("href='http://h:1/detail/article/1'"), std::string::npos);
}

TEST_F(NewsFile, TheRunningServicePublishesAnEditedFileWithoutRestart)
{
    const auto bubble = folder.path() / "bubble.csv";
    write(file(), "title,link,date\nMorning news,/detail/article/1,2024-05-01\n");
    write(bubble, "title,link,date\nBubble one,/detail/article/2,\n");
    testkit::RunningService service({"--news", file().string(), "--bubble", bubble.string()});
    const auto ask = [&](std::string_view op) {
        return testkit::httpPost(service.port(), testkit::soapRequest(op, "", testkit::validToken)).body;
    };
    EXPECT_NE(ask("mdefaut").find("Morning news"), std::string::npos);
    EXPECT_NE(ask("maopao").find("Bubble one"), std::string::npos);

    write(bubble, "title,link,date\nBubble two,/detail/article/3,\n");
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    std::string answer;
    do {
        std::this_thread::sleep_for(100ms);
        answer = ask("maopao");
    } while (answer.find("Bubble two") == std::string::npos && std::chrono::steady_clock::now() < deadline);
    EXPECT_NE(answer.find("Bubble two"), std::string::npos) << answer;
    EXPECT_EQ(answer.find("Bubble one"), std::string::npos);
    EXPECT_NE(ask("mdefaut").find("Morning news"), std::string::npos);
}

} // namespace
} // namespace tarvelo::server
