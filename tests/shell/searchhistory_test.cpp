// The search history: what is recorded, its order and bound, its file, and
// what the search box offers from it.
#include "fakeservice.h"
#include "platform/fakes/fakes.h"
#include "shell/hub.h"
#include "shell/searchhistory.h"
#include "support/tempfolder.h"
#include "testview.h"

#include <QFile>
#include <QMenu>
#include <QContextMenuEvent>
#include <QAbstractItemView>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace tarvelo;

namespace {

QString at(const testkit::TempFolder& folder, const char* name)
{
    return QString::fromStdString((folder.path() / name).string());
}

TEST(SearchHistory, RecordsNewestFirstPerCategoryBoundedAndKeptAcrossRuns)
{
    testkit::TempFolder folder;
    const QString file = at(folder, "data/history.json"); // the folder does not exist yet
    {
        SearchHistory history(file);
        history.add(2, QStringLiteral("steel"));
        history.add(2, QStringLiteral("  轴承 "));
        history.add(2, QStringLiteral("steel")); // a repeat moves to the front
        for (const QString& never : {QString(), QStringLiteral("   "), QStringLiteral("请输入货品名称或税则号列"),
                                     QStringLiteral("请输入法规的名称或关键词")})
            history.add(2, never);
        history.add(0, QStringLiteral("海关法 \"第一条\" & <b>"));
        history.add(7, QStringLiteral("退税")); // any index past 2 is Export
        EXPECT_EQ(history.recent(2), (QStringList{QStringLiteral("steel"), QStringLiteral("轴承")}));
        EXPECT_TRUE(history.recent(1).isEmpty());
        for (int i = 0; i < SearchHistory::limit + 5; ++i)
            history.add(1, QString::number(i));
        EXPECT_EQ(history.recent(1).size(), SearchHistory::limit);
        EXPECT_EQ(history.recent(1).front(), QString::number(SearchHistory::limit + 4));
    }
    SearchHistory again(file);
    EXPECT_EQ(again.recent(2), (QStringList{QStringLiteral("steel"), QStringLiteral("轴承")}));
    EXPECT_EQ(again.recent(0), QStringList{QStringLiteral("海关法 \"第一条\" & <b>")});
    EXPECT_EQ(again.recent(3), QStringList{QStringLiteral("退税")});
    EXPECT_EQ(again.recent(1).size(), SearchHistory::limit);
    again.clear();
    EXPECT_TRUE(SearchHistory(file).recent(2).isEmpty()) << "cleared for good";
}

TEST(SearchHistory, AnUnreadableFileIsMovedAsideNotLost)
{
    testkit::TempFolder folder;
    const QString file = at(folder, "history.json");
    QFile broken(file);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("{not json");
    broken.close();
    SearchHistory history(file);
    EXPECT_TRUE(history.recent(1).isEmpty());
    EXPECT_TRUE(QFile::exists(file + QStringLiteral(".bad")));
}

class HistoryInTheBox : public ::testing::Test {
protected:
    HistoryInTheBox()
    {
        fakes.seams.endpointOverride = service.endpoint();
        hub.setView(&view);
        hub.setHistory(&history);
        view.box.setHistory(&history);
    }

    testkit::TempFolder folder;
    testkit::FakeService service;
    platform::fakes::FakePlatform fakes{folder.path()};
    SearchHistory history{at(folder, "history.json")};
    Hub hub{fakes.seams};
    testkit::TestView view{hub};
};

TEST_F(HistoryInTheBox, LookupsAreOfferedInTheirOwnCategoryOnly)
{
    hub.setCurrentCategory(2);
    hub.Tariff(QStringLiteral("steel"));
    hub.Tariff(QStringLiteral("copper"));
    hub.Commodity(QStringLiteral("horse"));
    view.box.setText(QStringLiteral("c"));
    EXPECT_EQ(view.box.completions(), (QStringList{QStringLiteral("copper"), QStringLiteral("steel")}));
    // A tab click: new category, then its saved text goes into the box.
    hub.setCurrentCategory(1);
    hub.GetText1(1);
    EXPECT_EQ(view.box.completions(), QStringList{QStringLiteral("horse")});
}

// The completion list must not swallow the Enter that starts the search.
TEST_F(HistoryInTheBox, EnterSearchesWhileCompletionsAreOffered)
{
    hub.setCurrentCategory(2);
    hub.Tariff(QStringLiteral("steel plate"));
    view.box.setText(QString());
    view.box.show();
    view.box.activateWindow();
    view.box.setFocus();
    QSignalSpy entered(&view.box, &SearchBox::enterPressed);
    QTest::keyClicks(&view.box, QStringLiteral("ste"));
    ASSERT_TRUE(view.box.completer()->popup()->isVisible());
    QTest::keyClick(view.box.completer()->popup(), Qt::Key_Return);
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(view.box.text(), QStringLiteral("ste"));

}

TEST_F(HistoryInTheBox, TheContextMenuClearsTheHistory)
{
    hub.setCurrentCategory(2);
    hub.Tariff(QStringLiteral("steel"));
    view.box.show();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), view.box.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&view.box, &event);
    QMenu* menu = view.box.findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    QAction* clear = menu->findChild<QAction*>(QStringLiteral("clearHistory"));
    ASSERT_NE(clear, nullptr);
    clear->trigger();
    menu->close();
    EXPECT_TRUE(view.box.completions().isEmpty());
    EXPECT_TRUE(history.recent(2).isEmpty());
}

} // namespace
