#include "SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

constexpr int kAnswerWaitMs = 2000;
const QByteArray kFrontRequest = "front\n";
const QByteArray kBroughtToFront = "brought\n";
const QByteArray kCannotComeFront = "cannot\n";

QString SocketPath(const QString& folder)
{
    return QDir(folder).filePath("tarnix-setup.socket");
}

QString LockFilePath(const QString& folder)
{
    return QDir(folder).filePath("tarnix-setup.lock");
}

}  // namespace

QString WizardRuntimeFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

CSingleInstance::CSingleInstance(const QString& folder)
    : m_folder(folder), m_lock(LockFilePath(folder))
{
    connect(&m_server, &QLocalServer::newConnection, this, &CSingleInstance::Answer);
}

QString CSingleInstance::LockPath() const
{
    return LockFilePath(m_folder);
}

bool CSingleInstance::BecomeTheOnlyWizard(std::function<bool()> bringToFront)
{
    // A lock whose process is gone counts as stale and is taken over.
    if (!m_lock.tryLock(0))
        return false;
    m_bringToFront = std::move(bringToFront);
    // A socket file a killed wizard left behind; the lock says it is ours now.
    QLocalServer::removeServer(SocketPath(m_folder));
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(SocketPath(m_folder));
    return true;
}

void CSingleInstance::Answer()
{
    while (QLocalSocket* caller = m_server.nextPendingConnection())
    {
        connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
        connect(caller, &QLocalSocket::readyRead, caller, [this, caller] {
            if (!caller->canReadLine())
                return;
            const bool request = caller->readLine() == kFrontRequest;
            if (!request)
                return caller->disconnectFromServer();
            const bool inFront = m_bringToFront && m_bringToFront();
            caller->write(inFront ? kBroughtToFront : kCannotComeFront);
            caller->disconnectFromServer();
        });
    }
}

RunningWizard CSingleInstance::AskRunningWizard() const
{
    QLocalSocket socket;
    socket.connectToServer(SocketPath(m_folder));
    if (!socket.waitForConnected(kAnswerWaitMs))
        return RunningWizard::NoAnswer;
    socket.write(kFrontRequest);
    if (!socket.waitForBytesWritten(kAnswerWaitMs))
        return RunningWizard::NoAnswer;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(kAnswerWaitMs))
            return RunningWizard::NoAnswer;
    const QByteArray answer = socket.readLine();
    if (answer == kBroughtToFront)
        return RunningWizard::BroughtToFront;
    return answer == kCannotComeFront ? RunningWizard::CannotComeFront : RunningWizard::NoAnswer;
}
