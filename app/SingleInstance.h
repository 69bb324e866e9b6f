#pragma once
// One wizard at a time. The first wizard holds a lock file in the user's
// runtime folder and listens on a local socket beside it; a later start finds
// the lock taken, asks the running wizard to come to the front and ends. The
// lock records the holder's process, so a lock left by a wizard that was
// killed or crashed is taken over instead of blocking every later start.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <functional>

// What the running wizard answered a later start.
enum class RunningWizard
{
    BroughtToFront,   // it showed itself above the other windows
    CannotComeFront,  // it runs, but this desktop does not let it come forward
    NoAnswer,         // the lock is held, but no wizard answered
};

class CSingleInstance : public QObject
{
    Q_OBJECT

public:
    // folder: where the lock and the socket live (the user's runtime folder).
    explicit CSingleInstance(const QString& folder);

    // Takes the lock and starts answering later starts with bringToFront,
    // which returns whether the window could come forward. False when another
    // wizard holds the lock.
    bool BecomeTheOnlyWizard(std::function<bool()> bringToFront);

    // For a later start: asks the running wizard to come to the front.
    RunningWizard AskRunningWizard() const;

    QString LockPath() const;

private:
    void Answer();

    QString m_folder;
    QLockFile m_lock;
    QLocalServer m_server;
    std::function<bool()> m_bringToFront;
};

// The user's runtime folder ($XDG_RUNTIME_DIR, or Qt's fallback).
QString WizardRuntimeFolder();
