// One wizard at a time: the answers a later start gets, and the real program
// started twice, and again after the first was killed.

#include "SingleInstance.h"

#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <csignal>
#include <thread>

using namespace std::chrono_literals;

Q_DECLARE_METATYPE(RunningWizard)

namespace {

// The runtime folder's rules: the user's own, 0700.
bool MakePrivate(const QTemporaryDir& folder)
{
    return folder.isValid()
           && QFile::setPermissions(folder.path(),
                                    QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Asks from another thread, as a second process would, while this one answers.
RunningWizard AskFromAnotherThread(const CSingleInstance& later)
{
    RunningWizard answer = RunningWizard::NoAnswer;
    std::atomic<bool> done{false};
    std::thread asker([&] {
        answer = later.AskRunningWizard();
        done = true;
    });
    // This thread's event loop must keep running for the answer to come.
    const bool answeredInTime = QTest::qWaitFor([&] { return done.load(); }, 10000);
    asker.join();
    if (!answeredInTime)
        QTest::qFail("no answer within 10 s", __FILE__, __LINE__);
    return answer;
}

QProcess* StartWizard(QObject* owner, const QString& runtime)
{
    auto* wizard = new QProcess(owner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_RUNTIME_DIR", runtime);
    wizard->setProcessEnvironment(environment);
    wizard->setProgram(TARNIX_CONNECT_PATH);
    wizard->setArguments({"--router", "127.0.0.1:9"});
    wizard->start();
    return wizard;
}

// The process id recorded in the lock file (its first line).
qint64 LockHolder(const QString& lockPath)
{
    QFile lock(lockPath);
    return lock.open(QIODevice::ReadOnly) ? lock.readLine().trimmed().toLongLong() : 0;
}

}  // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void laterStartIsAnswered_data()
    {
        QTest::addColumn<int>("running");  // 0 none listening, 1 comes forward, 2 cannot
        QTest::addColumn<RunningWizard>("expected");
        QTest::newRow("brought to front") << 1 << RunningWizard::BroughtToFront;
        QTest::newRow("desktop refuses") << 2 << RunningWizard::CannotComeFront;
        QTest::newRow("lock held, no wizard listening") << 0 << RunningWizard::NoAnswer;
    }

    void laterStartIsAnswered()
    {
        QFETCH(int, running);
        QFETCH(RunningWizard, expected);
        QTemporaryDir folder;
        QVERIFY(MakePrivate(folder));
        CSingleInstance first(folder.path());
        QLockFile bareLock(first.LockPath());
        int asked = 0;
        if (running == 0)
            QVERIFY(bareLock.tryLock(0));
        else
            QVERIFY(first.BecomeTheOnlyWizard([&] { return ++asked, running == 1; }));

        CSingleInstance later(folder.path());
        QVERIFY(!later.BecomeTheOnlyWizard([] { return true; }));
        QCOMPARE(AskFromAnotherThread(later), expected);
        QCOMPARE(asked, running == 0 ? 0 : 1);
    }

    // The real program: a second start ends at once and leaves the first
    // running; once the first is killed, its lock does not stop a new start.
    void secondStartAndStaleLock()
    {
        QTemporaryDir runtime;
        QVERIFY(MakePrivate(runtime));
        const QString lockPath = CSingleInstance(runtime.path()).LockPath();

        QProcess* first = StartWizard(this, runtime.path());
        QVERIFY(first->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(LockHolder(lockPath) == first->processId(), 15000);

        QProcess* second = StartWizard(this, runtime.path());
        QVERIFY2(second->waitForFinished(15000), "a second wizard kept running");
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(first->state(), QProcess::Running);

        ::kill(pid_t(first->processId()), SIGKILL);
        QVERIFY(first->waitForFinished());
        QVERIFY(QFile::exists(lockPath));  // left behind

        QProcess* third = StartWizard(this, runtime.path());
        QVERIFY(third->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(LockHolder(lockPath) == third->processId(), 15000);
        QCOMPARE(third->state(), QProcess::Running);
        third->terminate();
        QVERIFY(third->waitForFinished());
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_SingleInstance.moc"
