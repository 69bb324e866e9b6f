#pragma once
// The preparations page: three questions the user confirms with a tick each
// (ISP details at hand, firewall off, wireless adapter off) before the
// install mode page opens.

#include "CRunningTextPage.h"

#include <array>

class QCheckBox;

inline constexpr char kTickAllBoxesMessage[] =
    "To get to the next screen,you need to make sure you have ticked all the boxes on this screen.";

class CCheckDeviceTipsDlg : public CRunningTextPage
{
    Q_OBJECT

public:
    explicit CCheckDeviceTipsDlg(QWidget* owner);

    QCheckBox* CheckBox(int index) const { return m_boxes.at(index); }

protected:
    void OnNext() override;

private:
    int AddQuestion(int index, int top);
    void AddUserNote(int top);

    std::array<QCheckBox*, 3> m_boxes{};
};
