// One wizard at a time: where the lock may live, the answers a later start
// gets from wizards and from impostors, the running wizard's bounds against
// its callers, and the real program started twice, after a kill, after a
// normal end and beside a runtime folder another user controls.

#include "SingleInstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace std::chrono_literals;

Q_DECLARE_METATYPE(RunningWizard)

namespace {

constexpr uid_t kOtherUser = 4242;

bool MakeFolder(const QString& path, QFile::Permissions permissions, uid_t owner = ::geteuid())
{
    return QDir().mkpath(path) && QFile::setPermissions(path, permissions)
           && ::chown(QFile::encodeName(path), owner, uid_t(-1)) == 0;
}

constexpr QFile::Permissions kPrivate = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

// Asks from another thread, as a second process would, while this one
// answers; elapsedMs is how long the asking took.
RunningWizard AskFromAnotherThread(const CSingleInstance& later, qint64* elapsedMs = nullptr)
{
    RunningWizard answer = RunningWizard::NoAnswer;
    std::atomic<bool> done{false};
    QElapsedTimer clock;
    clock.start();
    std::thread asker([&] {
        answer = later.AskRunningWizard();
        done = true;
    });
    // This thread's event loop must keep running for the answer to come.
    const bool answeredInTime = QTest::qWaitFor([&] { return done.load(); }, 10000);
    asker.join();
    if (elapsedMs)
        *elapsedMs = clock.elapsed();
    if (!answeredInTime)
        QTest::qFail("no answer within 10 s", __FILE__, __LINE__);
    return answer;
}

// Something else listening on the wizard's socket, answering as kind says.
void Impersonate(QLocalServer& server, const QString& kind)
{
    QObject::connect(&server, &QLocalServer::newConnection, &server, [&server, kind] {
        QLocalSocket* caller = server.nextPendingConnection();
        if (kind == "garbage")
            caller->write("yes, brought\n");
        if (kind == "flood")
            caller->write(QByteArray(4 << 20, 'x'));
        if (kind == "drip")
        {
            auto* drip = new QTimer(caller);
            QObject::connect(drip, &QTimer::timeout, caller, [caller] { caller->write("x"); });
            drip->start(100);
        }
    });
}

QProcess* StartWizard(QObject* owner, const QString& runtime, const QString& cache = {})
{
    auto* wizard = new QProcess(owner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_RUNTIME_DIR", runtime);
    if (!cache.isEmpty())
        environment.insert("XDG_CACHE_HOME", cache);
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

// Ends the wizard as the session does; it leaves nothing behind.
void EndsLeavingNothing(QProcess* wizard, const CSingleInstance& place)
{
    wizard->terminate();
    QVERIFY(wizard->waitForFinished(10000));
    QCOMPARE(wizard->exitStatus(), QProcess::NormalExit);
    QCOMPARE(wizard->exitCode(), 0);
    QVERIFY(!QFile::exists(place.LockPath()));
    QVERIFY(!QFile::exists(place.SocketPath()));
}

int OpenDescriptors()
{
    const auto all = QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot;
    return int(QDir("/proc/self/fd").entryList(all).size());
}

}  // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    // Only a folder nobody else can enter holds the lock; anything else is
    // passed over, and with no such folder there is no lock at all.
    void runtimeFolder_data()
    {
        QTest::addColumn<QString>("runtime");  // private, open, foreign, link, relative, unset
        QTest::addColumn<QString>("cache");    // absent, foreign, group-writable
        QTest::addColumn<QString>("chosen");   // runtime, cache or none
        QTest::newRow("runtime 0700, ours") << "private"
                                            << "absent"
                                            << "runtime";
        QTest::newRow("runtime unset") << "unset"
                                       << "absent"
                                       << "cache";
        QTest::newRow("runtime world-writable") << "open"
                                                << "absent"
                                                << "cache";
        QTest::newRow("runtime another user's") << "foreign"
                                                << "absent"
                                                << "cache";
        QTest::newRow("runtime a symbolic link") << "link"
                                                 << "absent"
                                                 << "cache";
        QTest::newRow("runtime relative") << "relative"
                                          << "absent"
                                          << "cache";
        QTest::newRow("own folder another user's") << "open"
                                                   << "foreign"
                                                   << "none";
        QTest::newRow("own folder group-writable") << "open"
                                                   << "group-writable"
                                                   << "none";
    }

    void runtimeFolder()
    {
        QFETCH(QString, runtime);
        QFETCH(QString, cache);
        QFETCH(QString, chosen);
        if ((runtime == "foreign" || cache == "foreign") && ::geteuid() != 0)
            QSKIP("making a folder of another user's needs root");
        QTemporaryDir temp;
        const QString runtimePath = temp.filePath("runtime");
        const QString own = temp.filePath("cache/tarnix-setup");
        const QFile::Permissions open = QFile::Permissions(QFlag(0x7777));
        if (runtime == "link")
        {
            QVERIFY(MakeFolder(temp.filePath("elsewhere"), kPrivate));
            QVERIFY(QFile::link(temp.filePath("elsewhere"), runtimePath));
        }
        else if (runtime != "relative" && runtime != "unset")
            QVERIFY(MakeFolder(runtimePath, runtime == "open" ? open : kPrivate,
                               runtime == "foreign" ? kOtherUser : ::geteuid()));
        if (cache == "foreign")
            QVERIFY(MakeFolder(own, kPrivate, kOtherUser));
        if (cache == "group-writable")
            QVERIFY(
                MakeFolder(own, kPrivate | QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup));
        const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray savedCache = qgetenv("XDG_CACHE_HOME");
        if (runtime == "unset")
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", runtime == "relative" ? "runtime" : runtimePath.toUtf8());
        qputenv("XDG_CACHE_HOME", temp.filePath("cache").toUtf8());
        const QString folder = WizardRuntimeFolder();
        qputenv("XDG_RUNTIME_DIR", savedRuntime);
        qputenv("XDG_CACHE_HOME", savedCache);

        const QString expected = chosen == "runtime" ? runtimePath
                                 : chosen == "cache" ? own
                                                     : QString();
        QCOMPARE(folder, expected);
        if (chosen == "cache")
            QCOMPARE(QFile::permissions(own) & QFile::Permissions(QFlag(0x7077)), kPrivate);
        CSingleInstance instance(folder);
        QVERIFY(instance.BecomeTheOnlyWizard([] { return true; }));  // never kept from starting
        QCOMPARE(QFile::exists(instance.LockPath()), !folder.isEmpty());
    }

    // Anything but a wizard's answer, within the deadline and the message
    // limit, is no answer: the later start then runs.
    void laterStartIsAnswered_data()
    {
        QTest::addColumn<QString>("running");  // a wizard or what impersonates one
        QTest::addColumn<RunningWizard>("expected");
        QTest::newRow("brought to front") << "forward" << RunningWizard::BroughtToFront;
        QTest::newRow("desktop refuses") << "refuses" << RunningWizard::CannotComeFront;
        QTest::newRow("lock held, no wizard listening") << "none" << RunningWizard::NoAnswer;
        QTest::newRow("accepts and stays silent") << "silent" << RunningWizard::NoAnswer;
        QTest::newRow("a byte every 100 ms") << "drip" << RunningWizard::NoAnswer;
        QTest::newRow("4 MiB without a line break") << "flood" << RunningWizard::NoAnswer;
        QTest::newRow("a line that is no answer") << "garbage" << RunningWizard::NoAnswer;
    }

    void laterStartIsAnswered()
    {
        QFETCH(QString, running);
        QFETCH(RunningWizard, expected);
        QTemporaryDir folder;
        QVERIFY(MakeFolder(folder.path(), kPrivate));
        CSingleInstance first(folder.path());
        QLockFile bareLock(first.LockPath());
        QLocalServer impostor;
        int asked = 0;
        const bool wizard = running == "forward" || running == "refuses";
        if (wizard)
            QVERIFY(first.BecomeTheOnlyWizard([&] { return ++asked, running == "forward"; }));
        else
            QVERIFY(bareLock.tryLock(0));
        if (!wizard && running != "none")
        {
            QVERIFY(impostor.listen(first.SocketPath()));
            Impersonate(impostor, running);
        }

        CSingleInstance later(folder.path());
        QVERIFY(!later.BecomeTheOnlyWizard([] { return true; }));
        qint64 elapsedMs = 0;
        QCOMPARE(AskFromAnotherThread(later, &elapsedMs), expected);
        QCOMPARE(asked, wizard ? 1 : 0);
        QVERIFY2(elapsedMs < kAnswerDeadlineMs + 500, qPrintable(QString::number(elapsedMs)));
    }

    // What callers do to the running wizard costs it a few hundred bytes and
    // a second each at most; afterwards its socket is there and answers.
    void callersAreBounded_data()
    {
        QTest::addColumn<QString>("attack");
        QTest::newRow("1 MiB without a line break") << "flood";
        QTest::newRow("50 callers holding on, silent") << "crowd";
        QTest::newRow("no descriptor left for the next caller") << "descriptors";
    }

    void callersAreBounded()
    {
        QFETCH(QString, attack);
        QTemporaryDir folder;
        QVERIFY(MakeFolder(folder.path(), kPrivate));
        CSingleInstance first(folder.path());
        QVERIFY(first.BecomeTheOnlyWizard([] { return true; }));
        std::vector<std::unique_ptr<QLocalSocket>> callers;
        const auto call = [&] {
            callers.push_back(std::make_unique<QLocalSocket>());
            callers.back()->connectToServer(first.SocketPath());
            return callers.back()->state() != QLocalSocket::UnconnectedState;
        };
        const auto allHungUp = [&] {
            return std::all_of(callers.begin(), callers.end(), [](const auto& caller) {
                return caller->state() == QLocalSocket::UnconnectedState;
            });
        };
        const rlimit saved = [] {
            rlimit limit = {};
            getrlimit(RLIMIT_NOFILE, &limit);
            return limit;
        }();
        if (attack == "flood")
        {
            QVERIFY(call());
            callers.back()->write(QByteArray(1 << 20, 'x'));
            QTRY_VERIFY_WITH_TIMEOUT(allHungUp(), kAnswerDeadlineMs + 500);
        }
        if (attack == "crowd")
        {
            for (int i = 0; i < 50; ++i)
                call();
            QTRY_VERIFY_WITH_TIMEOUT(allHungUp(), 3 * kAnswerDeadlineMs);
        }
        if (attack == "descriptors")
        {
            // Callers take the last descriptors, so the wizard cannot accept.
            rlimit few = saved;
            few.rlim_cur = rlim_t(OpenDescriptors() + 2);
            QCOMPARE(setrlimit(RLIMIT_NOFILE, &few), 0);
            for (int i = 0; i < 4; ++i)
                call();
            QTest::qWait(500);
            QVERIFY(QFile::exists(first.SocketPath()));
            callers.clear();
            QCOMPARE(setrlimit(RLIMIT_NOFILE, &saved), 0);
        }
        QVERIFY(QFile::exists(first.SocketPath()));
        CSingleInstance later(folder.path());
        QTRY_COMPARE_WITH_TIMEOUT(AskFromAnotherThread(later), RunningWizard::BroughtToFront, 3000);
    }

    // The real program: a second start ends at once and leaves the first
    // running; once the first is killed, its lock does not stop a new start;
    // a normal end leaves nothing behind.
    void secondStartAndStaleLock()
    {
        QTemporaryDir runtime;
        QVERIFY(MakeFolder(runtime.path(), kPrivate));
        const CSingleInstance place(runtime.path());

        QProcess* first = StartWizard(this, runtime.path());
        QVERIFY(first->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(LockHolder(place.LockPath()) == first->processId(), 15000);

        QProcess* second = StartWizard(this, runtime.path());
        QVERIFY2(second->waitForFinished(15000), "a second wizard kept running");
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(first->state(), QProcess::Running);

        ::kill(pid_t(first->processId()), SIGKILL);
        QVERIFY(first->waitForFinished());
        QVERIFY(QFile::exists(place.LockPath()));  // left behind

        QProcess* third = StartWizard(this, runtime.path());
        QVERIFY(third->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(LockHolder(place.LockPath()) == third->processId(), 15000);
        QCOMPARE(third->state(), QProcess::Running);
        EndsLeavingNothing(third, place);
    }

    // A runtime folder anyone may write, with a lock held in it and a socket
    // that answers as a wizard: the wizard passes it over and starts, its
    // lock in its own folder.
    void openRuntimeFolderIsPassedOver()
    {
        QTemporaryDir temp;
        const QString open = temp.filePath("runtime");
        QVERIFY(MakeFolder(open, QFile::Permissions(QFlag(0x7777))));
        const CSingleInstance planted(open);
        QLockFile plantedLock(planted.LockPath());
        QVERIFY(plantedLock.tryLock(0));
        QLocalServer impostor;
        QVERIFY(impostor.listen(planted.SocketPath()));
        QObject::connect(&impostor, &QLocalServer::newConnection, &impostor,
                         [&] { impostor.nextPendingConnection()->write("brought\n"); });

        QProcess* wizard = StartWizard(this, open, temp.filePath("cache"));
        QVERIFY(wizard->waitForStarted());
        const CSingleInstance own(temp.filePath("cache/tarnix-setup"));
        QTRY_VERIFY_WITH_TIMEOUT(LockHolder(own.LockPath()) == wizard->processId(), 15000);
        QCOMPARE(wizard->state(), QProcess::Running);
        EndsLeavingNothing(wizard, own);
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_SingleInstance.moc"
