#include "fakeservice.h"
#include "platform/fakes/fakes.h"
#include "shell/hub.h"
#include "support/tempfolder.h"
#include "testview.h"

#include <QFocusEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace tarvelo;

namespace {

const QString goods = QStringLiteral("请输入货品名称或税则号列");
const QString law = QStringLiteral("请输入法规的名称或关键词");

class SearchBoxTest : public ::testing::Test {
protected:
    SearchBoxTest()
    {
        hub.setView(&view);
        hub.setCurrentCategory(1);
    }

    void leaveBox(Qt::FocusReason reason = Qt::TabFocusReason)
    {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(&view.box, &out);
    }

    // What the hub keeps for category index.
    QString saved(int16_t index)
    {
        const QString shown = view.box.text();
        const QSignalBlocker quiet(view.box);
        hub.GetText1(index);
        const QString text = view.box.text();
        view.box.setText(shown);
        return text;
    }

    testkit::TempFolder folder;
    platform::fakes::FakePlatform fakes{folder.path()};
    Hub hub{fakes.seams};
    testkit::TestView view{hub};
};

TEST_F(SearchBoxTest, StartsWithTheGoodsPlaceholder)
{
    EXPECT_EQ(view.box.text(), goods);
    EXPECT_EQ(view.box.objectName(), QStringLiteral("Text1"));
    EXPECT_DOUBLE_EQ(view.box.font().pointSizeF(), 14.25);
}

TEST_F(SearchBoxTest, AClickClearsAPlaceholderOnly)
{
    QTest::mouseClick(&view.box, Qt::LeftButton);
    EXPECT_EQ(view.box.text(), QString());
    QTest::mouseClick(&view.box, Qt::LeftButton);
    EXPECT_EQ(view.box.text(), QString());

    view.box.setText(QStringLiteral("steel"));
    QTest::mouseClick(&view.box, Qt::LeftButton);
    EXPECT_EQ(view.box.text(), QStringLiteral("steel"));
}

TEST_F(SearchBoxTest, DeletingEverythingKeepsTheLastTypedText)
{
    hub.setCurrentCategory(2);
    view.box.clear();
    QTest::keyClicks(&view.box, QStringLiteral("ab"));
    EXPECT_EQ(saved(2), QStringLiteral("ab"));
    QTest::keyClick(&view.box, Qt::Key_Backspace);
    QTest::keyClick(&view.box, Qt::Key_Backspace);
    EXPECT_EQ(view.box.text(), QString());
    EXPECT_EQ(saved(2), QStringLiteral("a"));

    leaveBox();
    EXPECT_EQ(view.box.text(), QStringLiteral("a"));
    EXPECT_EQ(saved(1), goods);
}

TEST_F(SearchBoxTest, LeavingAnUntouchedEmptyBoxBringsBackThePlaceholder)
{
    hub.setCurrentCategory(0);
    view.box.clear();
    leaveBox();
    EXPECT_EQ(view.box.text(), law);
}

TEST_F(SearchBoxTest, OnlyAFocusChangeInsideTheWindowBringsBackThePlaceholder)
{
    const struct {
        Qt::FocusReason reason;
        bool placeholderBack;
    } cases[] = {
        {Qt::TabFocusReason, true},
        {Qt::MouseFocusReason, true},
        {Qt::OtherFocusReason, true},
        // Switching to another program, say to copy a code from it.
        {Qt::ActiveWindowFocusReason, false},
        // The box's own context menu.
        {Qt::PopupFocusReason, false},
    };
    for (const auto& c : cases) {
        view.box.clear();
        leaveBox(c.reason);
        EXPECT_EQ(view.box.text(), c.placeholderBack ? goods : QString()) << "focus reason " << c.reason;
    }
}

TEST_F(SearchBoxTest, EachCategoryGetsItsOwnTextBack)
{
    view.box.clear();
    QTest::keyClicks(&view.box, QStringLiteral("steel"));

    // A tab click: the category changes first, then its text comes back.
    hub.setCurrentCategory(0);
    hub.GetText1(0);
    EXPECT_EQ(view.box.text(), law);
    hub.setCurrentCategory(1);
    hub.GetText1(1);
    EXPECT_EQ(view.box.text(), QStringLiteral("steel"));
    EXPECT_EQ(saved(0), law);
}

TEST_F(SearchBoxTest, AHandTypedPlaceholderIsNotSavedAndIsClearedByAClick)
{
    view.box.clear();
    view.box.insert(law); // typed by hand
    EXPECT_EQ(saved(1), goods);
    QTest::mouseClick(&view.box, Qt::LeftButton);
    EXPECT_EQ(view.box.text(), QString());
}

TEST_F(SearchBoxTest, EnterAsksForTheSearchAndStillReachesTheBox)
{
    QSignalSpy enter(&view.box, &SearchBox::enterPressed);
    QSignalSpy returned(&view.box, &QLineEdit::returnPressed);
    QTest::keyClick(&view.box, Qt::Key_Return);
    QTest::keyClick(&view.box, Qt::Key_Enter);
    QTest::keyClick(&view.box, Qt::Key_A);
    EXPECT_EQ(enter.count(), 2);
    EXPECT_EQ(returned.count(), 2);
}

} // namespace
