#include "SingleInstance.h"

#include "LocalSocketLine.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <cstdlib>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kFrontRequest = "front\n";
const QByteArray kBroughtToFront = "brought\n";
const QByteArray kCannotComeFront = "cannot\n";

constexpr int kAcceptRetryMs = 200;

CSingleInstance* g_holder = nullptr;  // the instance holding the lock

// Ends a caller's exchange; its socket closes with it.
void Drop(QSocketNotifier& caller)
{
    caller.setEnabled(false);
    caller.deleteLater();
}

QString LockFilePath(const QString& folder)
{
    return QDir(folder).filePath("tarnix-setup.lock");
}

// A real folder (not a link) of this user's that nobody else may enter.
bool IsPrivateFolder(const QString& path)
{
    struct stat info = {};
    return QDir::isAbsolutePath(path) && ::lstat(QFile::encodeName(path), &info) == 0
           && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 0777) == 0700;
}

}  // namespace

QString WizardRuntimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (IsPrivateFolder(runtime))
        return runtime;
    // Not Qt's fallback: that lives in the shared /tmp, where another user
    // may have made it first.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!QDir::isAbsolutePath(cache) || !QDir().mkpath(cache))
        return {};
    const QString own = QDir(cache).filePath("tarnix-setup");
    ::mkdir(QFile::encodeName(own), 0700);
    return IsPrivateFolder(own) ? own : QString();
}

CSingleInstance::CSingleInstance(const QString& folder) : m_folder(folder)
{
}

CSingleInstance::~CSingleInstance()
{
    Release();
}

QString CSingleInstance::LockPath() const
{
    return LockFilePath(m_folder);
}

QString CSingleInstance::SocketPath() const
{
    return QDir(m_folder).filePath("tarnix-setup.socket");
}

bool CSingleInstance::BecomeTheOnlyWizard(std::function<bool()> bringToFront)
{
    if (m_folder.isEmpty())
        return true;
    m_lock = std::make_unique<QLockFile>(LockPath());
    // A lock whose process is gone counts as stale and is taken over.
    if (!m_lock->tryLock(0))
    {
        const bool heldByAnother = m_lock->error() == QLockFile::LockFailedError;
        m_lock.reset();
        return !heldByAnother;
    }
    m_bringToFront = std::move(bringToFront);
    Listen();
    static const bool registered = std::at_quick_exit(ReleaseAtQuickExit) == 0;
    Q_UNUSED(registered);
    g_holder = this;
    return true;
}

// A socket of our own rather than QLocalServer's, which closes itself and
// deletes the socket file when an accept fails, as it does when the
// process has no descriptor left.
bool CSingleInstance::Listen()
{
    const QByteArray path = QFile::encodeName(SocketPath());
    const std::optional<sockaddr_un> address = LocalSocketAddress(path);
    if (!address)
        return false;
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    // A socket file a killed wizard left behind; the lock says it is ours now.
    ::unlink(path.constData());
    if (listener < 0
        || ::bind(listener, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0
        || ::listen(listener, kMaxCallers) != 0)
    {
        if (listener >= 0)
            ::close(listener);
        return false;
    }
    m_listener = listener;
    m_listening = new QSocketNotifier(listener, QSocketNotifier::Read, this);
    connect(m_listening, &QSocketNotifier::activated, this, &CSingleInstance::AcceptCallers);
    return true;
}

void CSingleInstance::AcceptCallers()
{
    for (;;)
    {
        const int descriptor = ::accept4(m_listener, nullptr, nullptr,
                                         SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (descriptor >= 0)
        {
            if (m_callers < kMaxCallers)
                Serve(descriptor);
            else
                ::close(descriptor);
            continue;
        }
        if (errno == EINTR || errno == ECONNABORTED)
            continue;
        // Out of descriptors (or memory), the caller stays queued: wait
        // instead of being woken for it again at once.
        if (errno != EAGAIN && errno != EWOULDBLOCK)
        {
            m_listening->setEnabled(false);
            QTimer::singleShot(kAcceptRetryMs, m_listening,
                               [this] { m_listening->setEnabled(true); });
        }
        return;
    }
}

void CSingleInstance::Serve(int descriptor)
{
    auto* caller = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    ++m_callers;
    connect(caller, &QObject::destroyed, this, [this] { --m_callers; });
    // With no receiver, so that the socket is closed also when the wizard
    // ends while a caller is being answered.
    connect(caller, &QObject::destroyed, [descriptor] { ::close(descriptor); });
    auto received = std::make_shared<QByteArray>();
    connect(caller, &QSocketNotifier::activated, this,
            [this, caller, received] { Answer(*caller, *received); });
    QTimer::singleShot(kAnswerDeadlineMs, caller, [caller] { Drop(*caller); });
}

// Once the caller's whole line is in, it is answered and let go; so is a
// caller that hangs up first or sends too much.
void CSingleInstance::Answer(QSocketNotifier& caller, QByteArray& received)
{
    const int descriptor = int(caller.socket());
    char chunk[kMaxWizardMessage];
    const ssize_t count = ::recv(descriptor, chunk, sizeof chunk, 0);
    if (count < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (count > 0)
        received.append(chunk, count);
    const qsizetype end = received.indexOf('\n');
    if (end < 0 && count > 0 && received.size() < kMaxWizardMessage)
        return;
    if (end >= 0 && received.left(end + 1) == kFrontRequest)
    {
        const bool inFront = m_bringToFront && m_bringToFront();
        const QByteArray& answer = inFront ? kBroughtToFront : kCannotComeFront;
        // A few bytes into an empty socket buffer: sent whole, without waiting.
        ::send(descriptor, answer.constData(), std::size_t(answer.size()),
               MSG_NOSIGNAL | MSG_DONTWAIT);
    }
    Drop(caller);
}

RunningWizard CSingleInstance::AskRunningWizard() const
{
    const std::optional<QByteArray> answer = ExchangeLine(
        SocketPath(), kFrontRequest, QDeadlineTimer(kAnswerDeadlineMs), kMaxWizardMessage);
    if (answer == kBroughtToFront)
        return RunningWizard::BroughtToFront;
    return answer == kCannotComeFront ? RunningWizard::CannotComeFront : RunningWizard::NoAnswer;
}

void CSingleInstance::Release()
{
    if (g_holder == this)
        g_holder = nullptr;
    if (m_listener >= 0)
    {
        delete m_listening;
        m_listening = nullptr;
        ::close(m_listener);
        m_listener = -1;
        QFile::remove(SocketPath());
    }
    if (m_lock)
        m_lock->unlock();
    m_lock.reset();
}

void CSingleInstance::ReleaseAtQuickExit()
{
    if (g_holder)
        g_holder->Release();
}
