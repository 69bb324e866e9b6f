#pragma once
// The test class of tst_TarnixSetup: tarnix-setup run against the router
// emulator. tst_TarnixSetup.cpp holds what reaches the router and what the
// program prints; RefusalTests.cpp what is refused before anything is sent.

#include "RouterSim.h"

#include <QObject>
#include <QStringList>

class TestTarnixSetup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void help();
    void applyExitCodes_data();
    void applyExitCodes();
    void refusedValues_data();
    void refusedValues();
    void usageErrors_data();
    void usageErrors();
    void uncarriableValues_data();
    void uncarriableValues();
    void routerTextReachesTheTerminalSafe_data();
    void routerTextReachesTheTerminalSafe();
    void applyWritesTheRouter();
    void applyProtocols_data();
    void applyProtocols();
    void secretsFromEnvironment();
    void login();
    void readWireless();
    void dslStatus();

private:
    QStringList Apply(const QStringList& options) const;
    QString ProbeUrl() const { return QString("http://%1/support").arg(m_sim.Address().c_str()); }

    RouterSim m_sim;
};
