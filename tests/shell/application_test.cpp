#include "platform/fakes/fakes.h"
#include "shell/application.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

namespace {

// An object whose event handling fails the way a file-system call can.
class Failing : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw std::filesystem::filesystem_error("stat", "/cache/softdefaut.html",
                                                    std::make_error_code(std::errc::permission_denied));
        return QObject::event(e);
    }
};

} // namespace

TEST(Application, AFailureEscapingACommandIsReportedAndTheProgramGoesOn)
{
    auto* app = qobject_cast<tarvelo::Application*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    static tarvelo::platform::fakes::FakeMessageBox box; // the application keeps it
    app->setMessageBox(box);

    Failing target;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&target, &event));
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown.front().caption, "Tarvelo");
    EXPECT_EQ(box.shown.front().text.rfind("操作没有完成：", 0), 0u);
    EXPECT_NE(box.shown.front().text.find("softdefaut.html"), std::string::npos);

    // Events that do not fail go through as before.
    QEvent other(static_cast<QEvent::Type>(QEvent::User + 1));
    QCoreApplication::sendEvent(&target, &other);
    EXPECT_EQ(box.shown.size(), 1u);
}
