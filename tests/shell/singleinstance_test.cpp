// One program per user, with the real program as the other process.
#include "shell/singleinstance.h"
#include "support/tempfolder.h"

#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using tarvelo::SingleInstance;
using Role = SingleInstance::Role;

namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    SingleInstanceTest()
    {
        // A runtime folder is the user's alone.
        std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
    }

    ~SingleInstanceTest() override
    {
        for (auto& p : programs) {
            p->kill();
            p->waitForFinished(10000);
        }
    }

    QString runtime() const { return QString::fromStdString(folder.path().string()); }

    // Starts the real program with this test's runtime folder.
    QProcess& startProgram(const QStringList& arguments)
    {
        auto& p = *programs.emplace_back(std::make_unique<QProcess>());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(QStringLiteral(TARVELO_PROGRAM_BINARY), arguments);
        EXPECT_TRUE(p.waitForStarted(10000));
        return p;
    }

    // True once a program accepts connections on the socket.
    bool listening(int timeoutMs = 60000) const
    {
        const QString path = SingleInstance(runtime()).socketPath();
        return QTest::qWaitFor(
            [&] {
                QLocalSocket probe;
                probe.connectToServer(path);
                return probe.waitForConnected(200);
            },
            timeoutMs);
    }

    tarvelo::testkit::TempFolder folder;
    std::vector<std::unique_ptr<QProcess>> programs;
};

} // namespace

TEST_F(SingleInstanceTest, ASecondStartHandsItsWholeCommandLineOverAndEnds)
{
    SingleInstance running(runtime());
    ASSERT_EQ(running.claim({}), Role::Running);
    QSignalSpy received(&running, &SingleInstance::argumentsReceived);

    const QStringList arguments = {
        QStringLiteral("--search"), QStringLiteral("铜管 8411"), QStringLiteral("--search"), QStringLiteral("two\nlines"),
        QStringLiteral("--search"), QString(), QStringLiteral("--search"), QStringLiteral("-x"),
        QStringLiteral("--search"), QStringLiteral("\"quoted' \\ $HOME"), QStringLiteral("--search"), QStringLiteral("😀")};
    QProcess& second = startProgram(arguments);
    ASSERT_TRUE(received.wait(30000));
    EXPECT_EQ(received.first().first().toStringList(), arguments);
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    // A command line that is refused is not handed over.
    QProcess& wrong = startProgram({QStringLiteral("--bogus")});
    ASSERT_TRUE(wrong.waitForFinished(30000));
    EXPECT_EQ(wrong.exitCode(), 2);

    // A start with no arguments hands over an empty list.
    QProcess& third = startProgram({});
    ASSERT_TRUE(received.wait(30000));
    EXPECT_EQ(received.size(), 2);
    EXPECT_EQ(received.last().first().toStringList(), QStringList());
    ASSERT_TRUE(third.waitForFinished(30000));
    EXPECT_EQ(third.exitCode(), 0);
}

TEST_F(SingleInstanceTest, TheRunningProgramKeepsTheFieldAndACrashedOneDoesNotBlock)
{
    QProcess& first = startProgram({});
    ASSERT_TRUE(listening());

    QProcess& second = startProgram({QStringLiteral("--search-selection")});
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    // A crash leaves the lock file and the socket file behind.
    first.kill();
    ASSERT_TRUE(first.waitForFinished(10000));
    ASSERT_TRUE(QFileInfo::exists(SingleInstance(runtime()).socketPath()));

    QProcess& next = startProgram({});
    ASSERT_TRUE(listening());
    EXPECT_EQ(next.state(), QProcess::Running);
    // The new run is the one a later start reaches.
    EXPECT_EQ(SingleInstance(runtime()).claim({QStringLiteral("x")}), Role::HandedOver);
    EXPECT_EQ(next.state(), QProcess::Running);
}

TEST_F(SingleInstanceTest, AHeldLockWithoutAnyoneListeningIsReportedNotTakenOver)
{
    SingleInstance running(runtime());
    ASSERT_EQ(running.claim({}), Role::Running);
    QLocalServer::removeServer(running.socketPath());
    EXPECT_EQ(SingleInstance(runtime()).claim({}, 500), Role::NoAnswer);
}
