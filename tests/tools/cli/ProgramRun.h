#pragma once
// tarnix-setup run as a script runs it (the built program, TARNIX_SETUP_PATH):
// its exit code and what it printed.

#include <QProcess>
#include <QStringList>

struct Outcome
{
    int ExitCode = -1;  // also when it crashed or had to be ended
    QString Out;
    QString Err;
};

// The caller's environment without any secret the program would pick up.
inline QProcessEnvironment CleanEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"TARNIX_PPP_PASSWORD", "TARNIX_WIFI_KEY", "TARNIX_ROUTER_PASSWORD",
                             "TARNIX_NEW_ROUTER_PASSWORD"})
        environment.remove(name);
    return environment;
}

// Runs the program to its end; one that runs past 30 s is killed.
inline Outcome Run(const QStringList& arguments,
                   const QProcessEnvironment& environment = CleanEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(TARNIX_SETUP_PATH, arguments);
    Outcome outcome;
    if (!process.waitForFinished(30000))
    {
        process.kill();
        process.waitForFinished();
        return outcome;
    }
    outcome.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.Out = QString::fromUtf8(process.readAllStandardOutput());
    outcome.Err = QString::fromUtf8(process.readAllStandardError());
    return outcome;
}
