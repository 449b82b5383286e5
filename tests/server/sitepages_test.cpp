// The site's own pages as built, without a service: what the operator's
// contact text does to the question page.
#include "pages.h"

#include <gtest/gtest.h>

namespace tarvelo::server {
namespace {

TEST(SitePages, QuestionPageShowsTheOperatorsContactAsText)
{
    const std::string page = questionPage("关务热线 <010-1234> & service@example.cn");
    EXPECT_NE(page.find("联系方式：关务热线 &lt;010-1234&gt; &amp; service@example.cn"), std::string::npos) << page;
    EXPECT_EQ(page.find("<010-1234>"), std::string::npos);
    EXPECT_EQ(page.find("尚未在此公布联系方式"), std::string::npos);
}

TEST(SitePages, QuestionPageWithoutContactSaysWhomToAsk)
{
    const std::string page = questionPage("");
    EXPECT_NE(page.find("尚未在此公布联系方式"), std::string::npos) << page;
    EXPECT_EQ(page.find("联系方式："), std::string::npos);
}

TEST(SitePages, SearchPageSaysWhenTheListIsCut)
{
    const std::vector<SearchHit> two{{"8471", "自动数据处理设备"}, {"847130", "便携式"}};
    EXPECT_NE(searchPage("电脑", two, 2).find("只列出前 2 条"), std::string::npos);
    EXPECT_EQ(searchPage("电脑", two, 3).find("只列出前"), std::string::npos);
    EXPECT_EQ(searchPage("", {}, 200).find("没有找到"), std::string::npos) << "no keyword, no verdict";
}

} // namespace
} // namespace tarvelo::server
