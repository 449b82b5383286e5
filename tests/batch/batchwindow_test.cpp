// The goods-list window against the real service: the list runs off the
// user-interface thread, the table fills in with the lines to check marked,
// and Cancel ends a run without losing what was found.
#include "batchwindow/batchwindow.h"
#include "runningservice.h"
#include "service/httpexchange.h"
#include "support/loopbackserver.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace tarvelo {
namespace {

class BatchWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { service_ = new testkit::RunningService(); }
    static void TearDownTestSuite() { delete service_; }

    static batch::Connection connection() { return {.endpoint = service_->endpoint()}; }
    template <typename T>
    static T* part(const BatchWindow& window, const char* name)
    {
        return window.findChild<T*>(QString::fromLatin1(name));
    }

    static testkit::RunningService* service_;
};

testkit::RunningService* BatchWindowTest::service_ = nullptr;

TEST_F(BatchWindowTest, ALookedUpListFillsTheTableWithTheLinesToCheckMarked)
{
    BatchWindow window(connection());
    window.show();
    window.setListText(QStringLiteral("商品名称\t完税价格\n8471.30.00\t10000\n钢管\t5000\nqzxqzxqzx\n"));
    QSignalSpy finished(&window, &BatchWindow::finished);
    part<QPushButton>(window, "cmdStart")->click();
    EXPECT_TRUE(window.running());
    EXPECT_FALSE(part<QPushButton>(window, "cmdStart")->isEnabled());
    ASSERT_TRUE(finished.wait(60000));

    const auto* grid = part<QTableWidget>(window, "grdResults");
    ASSERT_EQ(grid->rowCount(), 4) << "three lines and the totals";
    EXPECT_EQ(grid->item(0, 4)->text(), QStringLiteral("84713000"));
    EXPECT_EQ(grid->item(1, 16)->text(), QStringLiteral("是"));
    EXPECT_NE(grid->item(1, 0)->background(), grid->item(0, 0)->background()) << "a line to check stands out";
    EXPECT_EQ(grid->item(2, 18)->text(), QStringLiteral("未找到"));
    EXPECT_EQ(grid->item(3, 1)->text(), QStringLiteral("合计"));
    EXPECT_EQ(part<QProgressBar>(window, "prgLines")->value(), 3);
    EXPECT_TRUE(part<QPushButton>(window, "cmdExport")->isEnabled());
    EXPECT_EQ(part<QLabel>(window, "lblStatus")->text(),
              QStringLiteral("共 3 行：找到 2（需核对 1），未找到 1，有误 0，未完成 0，已取消 0"));

    // 加入关注 hands on the found line of each chosen row; a row that found nothing has none.
    QSignalSpy watched(&window, &BatchWindow::watchRequested);
    auto* table = part<QTableWidget>(window, "grdResults");
    table->selectRow(0);
    table->selectionModel()->select(table->model()->index(2, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    part<QPushButton>(window, "cmdWatch")->click();
    ASSERT_EQ(watched.size(), 1);
    EXPECT_EQ(watched[0][0].toString(), QStringLiteral("84713000"));
}

TEST_F(BatchWindowTest, CancelEndsTheRunAndKeepsWhatWasFound)
{
    // Between the window and the service, a proxy passes on the first three
    // lines at once and holds the others until Cancel has been clicked (or
    // 30 s, should the test stop before): Cancel then comes mid-run however
    // fast the list would otherwise run.
    std::mutex mutex;
    std::condition_variable released;
    bool cancelClicked = false;
    std::atomic<int> asked = 0;
    testkit::LoopbackServer proxy([&](const testkit::CapturedRequest& request) {
        if (++asked > 3) {
            std::unique_lock lock(mutex);
            released.wait_for(lock, std::chrono::seconds(30), [&] { return cancelClicked; });
        }
        const service::HttpAnswer answer = service::postXml(service_->endpoint(), request.body, {});
        return testkit::ScriptedAnswer::ok(answer.body, answer.contentType);
    });
    BatchWindow window({.endpoint = proxy.endpoint()});
    window.show();
    QString list;
    for (int i = 0; i < 200; ++i)
        list += i % 2 ? QStringLiteral("鲜苹果\n") : QStringLiteral("84713000\n");
    window.setListText(list);
    QSignalSpy finished(&window, &BatchWindow::finished);
    part<QPushButton>(window, "cmdStart")->click();
    // The window answers while the list runs: a few lines come in, then Cancel.
    ASSERT_TRUE(QTest::qWaitFor([&] { return part<QProgressBar>(window, "prgLines")->value() >= 3; }, 30000));
    part<QPushButton>(window, "cmdCancel")->click();
    {
        const std::lock_guard lock(mutex);
        cancelClicked = true;
    }
    released.notify_all();
    ASSERT_TRUE(finished.wait(30000));

    int found = 0, cancelled = 0;
    for (const auto& row : window.table().rows) {
        found += !row[4].empty();
        cancelled += row[18] == "已取消";
    }
    EXPECT_GE(found, 3) << "lines under way when Cancel came are kept";
    EXPECT_GT(cancelled, 0);
    EXPECT_EQ(found + cancelled, 200);
}

TEST_F(BatchWindowTest, ClosingDuringARunCancelsItAndTheWindowGoesOnceItEnds)
{
    QPointer<BatchWindow> window = new BatchWindow(connection());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->setListText(QStringLiteral("84713000\n").repeated(5000));
    part<QPushButton>(*window, "cmdStart")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return part<QProgressBar>(*window, "prgLines")->value() >= 1; }, 30000));
    window->close();
    EXPECT_FALSE(window->isVisible()) << "gone from the screen at once";
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 30000));
}

} // namespace
} // namespace tarvelo

int main(int argc, char** argv)
{
    // Listing the tests at build time happens without a display too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
