#pragma once
// The preparations page: three questions the user confirms with a tick each
// (ISP details at hand, the firewall lets the computer reach the router,
// wireless adapter off) before the install mode page opens. Under the
// wireless question a line tells whether a wireless adapter of the computer
// is connected, read again every 2 s off the user-interface thread.

#include "CRunningTextPage.h"

#include <array>

class QCheckBox;
struct HostNetworkState;

inline constexpr char kTickAllBoxesMessage[] =
    "To get to the next screen,you need to make sure you have ticked all the boxes on this screen.";

class CCheckDeviceTipsDlg : public CRunningTextPage
{
    Q_OBJECT

public:
    explicit CCheckDeviceTipsDlg(QWidget* owner);

    QCheckBox* CheckBox(int index) const { return m_boxes.at(index); }
    CLabel* WirelessStatusLabel() const { return m_wirelessStatus; }

signals:
    // A read of the host network has been shown.
    void WirelessStatusShown();

protected:
    void OnNext() override;

private:
    int AddQuestion(int index, int top);
    void AddUserNote(int top);

    std::array<QCheckBox*, 3> m_boxes{};
    CLabel* m_wirelessStatus = nullptr;
};

// The line under the wireless question for what the computer has.
QString WirelessStatusText(const HostNetworkState& state);
