#pragma once
// One wizard at a time. The first wizard holds a lock file in a folder only
// its user can reach and listens on a local socket beside it; a later start
// finds the lock taken, asks the running wizard to come to the front and ends.
// The lock records the holder's process, so a lock left by a wizard that was
// killed or crashed is taken over instead of blocking every later start.
// Nothing here may keep the wizard from starting: without a private folder
// the rule is not kept, and a later start that gets no proper answer within
// a second starts anyway.

#include <QLockFile>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QSocketNotifier;

// What the running wizard answered a later start.
enum class RunningWizard
{
    BroughtToFront,   // it showed itself above the other windows
    CannotComeFront,  // it runs, but this desktop does not let it come forward
    NoAnswer,         // no proper answer within the deadline
};

// A later start waits this long for the whole exchange, and the running
// wizard gives a caller this long; a message is at most kMaxWizardMessage bytes.
inline constexpr int kAnswerDeadlineMs = 1000;
inline constexpr int kMaxWizardMessage = 256;
// Callers the running wizard serves at once; more are turned away.
inline constexpr int kMaxCallers = 4;

class CSingleInstance : public QObject
{
    Q_OBJECT

public:
    // folder: where the lock and the socket live; empty when there is no
    // private place (WizardRuntimeFolder).
    explicit CSingleInstance(const QString& folder);
    // Stops answering and removes the socket and the lock, if held.
    ~CSingleInstance() override;

    // Takes the lock and starts answering later starts with bringToFront,
    // which returns whether the window could come forward. False only when
    // another wizard holds the lock; true also when no lock can be had here.
    // The lock and the socket are also removed when the program ends through
    // std::quick_exit.
    bool BecomeTheOnlyWizard(std::function<bool()> bringToFront);

    // For a later start: asks the running wizard to come to the front.
    RunningWizard AskRunningWizard() const;

    QString LockPath() const;
    QString SocketPath() const;

private:
    bool Listen();
    void AcceptCallers();
    void Serve(int descriptor);
    void Answer(QSocketNotifier& caller, QByteArray& received);
    void Release();
    static void ReleaseAtQuickExit();

    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    int m_listener = -1;
    QSocketNotifier* m_listening = nullptr;
    int m_callers = 0;
    std::function<bool()> m_bringToFront;
};

// The folder for the lock and the socket: $XDG_RUNTIME_DIR when it is a
// folder of this user's with mode 0700, else "tarnix-setup" in the user's
// cache folder, made 0700 and checked the same way. Empty when neither is
// such a folder.
QString WizardRuntimeFolder();
