#include "platform/process/ProgramEnd.h"
#include "platform/process/SingleInstance.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

using namespace zav;

namespace {

class ProgramEndTest : public ::testing::Test {
protected:
    void SetUp() override { ClearCloseHooks(); }
    void TearDown() override { ClearCloseHooks(); }
};

TEST_F(ProgramEndTest, InterceptorThrowsWithTheCodeAfterHooksRanOnce)
{
    ProgramEndInterceptor end;
    QStringList ran;
    AddCloseHook([&] { ran << QStringLiteral("base"); });
    AddCloseHook([&] { ran << QStringLiteral("util"); });

    try {
        TerminaPrograma(3);
        FAIL() << "TerminaPrograma returned";
    } catch (const ProgramEnded& e) {
        EXPECT_EQ(e.code, 3);
    }
    EXPECT_EQ(ran, (QStringList{QStringLiteral("base"), QStringLiteral("util")}));
    EXPECT_EQ(end.Count(), 1);

    EXPECT_THROW(TerminaPrograma(), ProgramEnded);
    EXPECT_EQ(ran.size(), 2) << "hooks run once";
    EXPECT_EQ(end.Count(), 2);
    EXPECT_EQ(end.LastCode(), 0);
}

TEST_F(ProgramEndTest, AFailingHookDoesNotStopTheOthersNorTheEnd)
{
    ProgramEndInterceptor end;
    bool second = false;
    AddCloseHook([] { throw std::runtime_error("3051"); });
    AddCloseHook([&] { second = true; });
    EXPECT_THROW(TerminaPrograma(1), ProgramEnded);
    EXPECT_TRUE(second);
}

TEST_F(ProgramEndTest, HookThatEndsAgainDoesNotLoop)
{
    ProgramEndInterceptor end;
    int runs = 0;
    AddCloseHook([&] {
        ++runs;
        TerminaPrograma(9); // throws inside the hook; swallowed as a failing hook
    });
    EXPECT_THROW(TerminaPrograma(2), ProgramEnded);
    EXPECT_EQ(runs, 1);
}

TEST_F(ProgramEndTest, RealEndRunsHooksReleasesLocksAndExitsWithTheCode)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString marker = dir.filePath(QStringLiteral("closed"));
    const pid_t pid = fork();
    if (pid == 0) {
        auto* lock = new SingleInstance(dir.path());
        if (!lock->TryAcquire(QStringLiteral("KZ947")))
            _exit(100);
        AddCloseHook([&] {
            QFile f(marker);
            if (f.open(QIODevice::WriteOnly))
                f.write("base cerrada");
        });
        TerminaPrograma(4);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 4);
    EXPECT_TRUE(QFile::exists(marker)) << "close hook ran before the end";
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("KZ947.lock")))) << "lock released on the way out";
}

} // namespace
