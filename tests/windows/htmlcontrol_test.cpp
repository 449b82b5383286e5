#include "platform/win/htmlcontrol.h"

#include <gtest/gtest.h>

using namespace tarvelo::platform::win;
using namespace std::chrono;

namespace {

class HtmlControlHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        window = CreateWindowExW(0, L"STATIC", L"page", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_TRUE(window);
    }
    void TearDown() override
    {
        DestroyWindow(window);
        OleUninitialize();
    }

    int childWindows() const
    {
        int count = 0;
        EnumChildWindows(
            window, [](HWND, LPARAM counter) { return ++*reinterpret_cast<int*>(counter), TRUE; },
            reinterpret_cast<LPARAM>(&count));
        return count;
    }

    HWND window = nullptr;
};

} // namespace

TEST_F(HtmlControlHost, WithoutAWindowThereIsNoControl)
{
    std::string failure;
    EXPECT_FALSE(HtmlControl::create(nullptr, milliseconds{100}, failure));
    EXPECT_FALSE(failure.empty());
}

// Where the system has an HTML engine the control comes with an empty page and
// takes a local file; elsewhere (Wine here) it is refused in time, with a
// reason, and leaves nothing in the window, which goes on as before.
TEST_F(HtmlControlHost, EitherAWorkingControlOrAReasonAndAnEmptyWindow)
{
    std::string failure;
    const auto start = steady_clock::now();
    auto control = HtmlControl::create(window, seconds{2}, failure);
    EXPECT_LT(steady_clock::now() - start, seconds{10});
    if (control) {
        EXPECT_TRUE(failure.empty());
        EXPECT_GT(childWindows(), 0);
        EXPECT_TRUE(control->navigate(L"about:blank"));
        control->fit();
    } else {
        EXPECT_FALSE(failure.empty());
        EXPECT_EQ(childWindows(), 0);
        EXPECT_TRUE(IsWindow(window));
    }
}
