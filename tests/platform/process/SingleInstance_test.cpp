#include "platform/process/SingleInstance.h"
#include "tests/support/LimiteArchivos.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/file.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

using zav::SingleInstance;

namespace {

// Kills a child left waiting, whatever way the test leaves.
struct ChildGuard {
    pid_t pid;
    ~ChildGuard()
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
};

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString folder() const { return dir_.path(); }

    // Runs body in a child process; returns the child's pid after it has signalled
    // through the pipe (or exited).
    template <typename F>
    pid_t Child(F body, bool stayAlive)
    {
        int fds[2];
        EXPECT_EQ(pipe(fds), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            close(fds[0]);
            const char ok = body() ? '1' : '0';
            (void)!write(fds[1], &ok, 1);
            if (stayAlive)
                pause();
            _exit(0); // no destructor runs: the lock is left behind as after a crash
        }
        close(fds[1]);
        char ok = 0;
        EXPECT_EQ(read(fds[0], &ok, 1), 1);
        close(fds[0]);
        EXPECT_EQ(ok, '1') << "the child could not take the lock";
        return pid;
    }

    QTemporaryDir dir_;
};

TEST_F(SingleInstanceTest, SecondHolderFailsUntilTheFirstReleases)
{
    SingleInstance first(folder());
    ASSERT_TRUE(first.TryAcquire(QStringLiteral("KZ947")));
    EXPECT_TRUE(first.TryAcquire(QStringLiteral("KZ947"))) << "asking again for what it holds";

    SingleInstance second(folder());
    EXPECT_FALSE(second.TryAcquire(QStringLiteral("KZ947")));
    EXPECT_FALSE(second.IsHeld());
    EXPECT_TRUE(second.TryAcquire(QStringLiteral("0947REP"))) << "another program has its own lock";

    first.Release();
    SingleInstance third(folder());
    EXPECT_TRUE(third.TryAcquire(QStringLiteral("KZ947")));
}

TEST_F(SingleInstanceTest, DestructionReleases)
{
    {
        SingleInstance first(folder());
        ASSERT_TRUE(first.TryAcquire(QStringLiteral("KZ947")));
    }
    SingleInstance again(folder());
    EXPECT_TRUE(again.TryAcquire(QStringLiteral("KZ947")));
}

TEST_F(SingleInstanceTest, LockOfALiveProcessHoldsWhateverItsAge)
{
    const pid_t pid = Child(
        [&] {
            static SingleInstance held(folder());
            return held.TryAcquire(QStringLiteral("KZ947"));
        },
        true);
    ChildGuard guard{pid};
    SingleInstance mine(folder());
    EXPECT_FALSE(mine.TryAcquire(QStringLiteral("KZ947")));
    // Age alone must not make it stale: a copy may run all day.
    const QString path = mine.LockPath(QStringLiteral("KZ947"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    f.close();
    EXPECT_FALSE(mine.TryAcquire(QStringLiteral("KZ947")));

    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    guard.pid = 0;
    EXPECT_TRUE(mine.TryAcquire(QStringLiteral("KZ947"))) << "the holder is gone";
}

TEST_F(SingleInstanceTest, StaleLockOfADeadProcessIsTakenOver)
{
    const pid_t pid = Child(
        [&] {
            auto* held = new SingleInstance(folder());
            return held->TryAcquire(QStringLiteral("KZ947"));
        },
        false);
    waitpid(pid, nullptr, 0);
    SingleInstance mine(folder());
    ASSERT_TRUE(QFile::exists(mine.LockPath(QStringLiteral("KZ947")))) << "the dead process left its lock";
    EXPECT_TRUE(mine.TryAcquire(QStringLiteral("KZ947")));
}

// A process killed between creating its lock and writing its owner leaves a lock that
// names nobody: no live process holds it, so it is taken over.
TEST_F(SingleInstanceTest, ALockWhoseOwnerCannotBeReadIsTakenOver)
{
    const struct {
        const char* what;
        QByteArray contenido;
    } cases[] = {
        {"empty", {}},
        {"owner cut", "12"},
        {"not a pid", "abc\nKZ947\nhost\n"},
        {"binary", QByteArray("\0\xff\x01", 3)},
    };
    for (const auto& c : cases) {
        SingleInstance mine(folder());
        const QString path = mine.LockPath(QStringLiteral("KZ947"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << c.what;
        f.write(c.contenido);
        f.close();
        EXPECT_EQ(mine.Toma(QStringLiteral("KZ947")), SingleInstance::Resultado::Tomado) << c.what;
        SingleInstance other(folder());
        EXPECT_EQ(other.Toma(QStringLiteral("KZ947")), SingleInstance::Resultado::OtraCopia) << c.what;
    }
}

// The same empty lock, while the process that made it is still writing it (it holds it
// from its creation): it is that process's, not stale.
TEST_F(SingleInstanceTest, AnEmptyLockALiveProcessHoldsIsNotTaken)
{
    SingleInstance mine(folder());
    const QString path = mine.LockPath(QStringLiteral("KZ947"));
    const pid_t pid = Child(
        [&] {
            const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_EXCL, 0666);
            return fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        },
        true);
    ChildGuard guard{pid};
    EXPECT_EQ(mine.Toma(QStringLiteral("KZ947")), SingleInstance::Resultado::OtraCopia);
    EXPECT_TRUE(QFile::exists(path));

    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    guard.pid = 0;
    EXPECT_EQ(mine.Toma(QStringLiteral("KZ947")), SingleInstance::Resultado::Tomado);
}

// A lock that cannot be written is not another copy: it says why, and leaves nothing.
TEST_F(SingleInstanceTest, ALockThatCannotBeWrittenIsToldApart)
{
    QFile regular(dir_.filePath(QStringLiteral("archivo")));
    ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
    regular.close();
    {
        SingleInstance s(dir_.filePath(QStringLiteral("archivo/run")));
        EXPECT_EQ(s.Toma(QStringLiteral("0947REP")), SingleInstance::Resultado::NoSeEscribe);
        EXPECT_EQ(s.Error(), QString::fromLocal8Bit(std::strerror(ENOTDIR)));
        EXPECT_FALSE(s.IsHeld());
    }
    {
        // A full disk: the file is made, its owner cannot be written.
        SingleInstance s(folder());
        {
            LimiteArchivos lleno(0);
            EXPECT_EQ(s.Toma(QStringLiteral("0947REP")), SingleInstance::Resultado::NoSeEscribe);
        }
        EXPECT_EQ(s.Error(), QString::fromLocal8Bit(std::strerror(EFBIG)));
        EXPECT_FALSE(s.IsHeld());
        EXPECT_EQ(QDir(folder()).entryList({QStringLiteral("0947REP*")}, QDir::Files | QDir::Hidden), QStringList{})
            << "nothing left behind";
        EXPECT_EQ(s.Toma(QStringLiteral("0947REP")), SingleInstance::Resultado::Tomado) << "once there is room";
    }
}

TEST(SingleInstanceFolder, DefaultsToAWritableFolder)
{
    SingleInstance s;
    const QString path = s.LockPath(QStringLiteral("platform_process_tests_probe"));
    EXPECT_TRUE(path.startsWith(SingleInstance::DefaultFolder()));
    EXPECT_TRUE(s.TryAcquire(QStringLiteral("platform_process_tests_probe")));
    s.Release();
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
