#pragma once
// The Ethernet page: how to cable the computer to the router's first LAN port.
// Under the instructions a line tells whether a wired adapter of the computer
// has a link and an address in the router's network, read again every 2 s
// off the user-interface thread.

#include "CRunningTextPage.h"

#include <chrono>

enum class WiredLinkState;

inline constexpr std::chrono::milliseconds kWiredStatusPeriod{2000};

class CEthLineDlg : public CRunningTextPage
{
    Q_OBJECT

public:
    explicit CEthLineDlg(QWidget* owner);

    CLabel* WiredStatusLabel() const { return m_wiredStatus; }

signals:
    // A read of the host network has been shown.
    void WiredStatusShown();

protected:
    void OnNext() override;

private:
    CLabel* m_wiredStatus = nullptr;
};

// The line the Ethernet page shows for state.
QString WiredStatusText(WiredLinkState state);
