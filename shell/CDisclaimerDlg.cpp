#include "CDisclaimerDlg.h"

#include "TarnixVersion.h"

#include "CxSkinButton.h"

namespace {

constexpr LabelStyle kNoticeStyle{10, 1, 0, QColor(0, 0, 0)};
// Left of the picture's document mark.
constexpr QRect kVersionRect{60, 156, 520, 24};
constexpr QRect kRightsRect{60, 196, 520, 80};
constexpr QRect kWarningRect{60, 286, 520, 100};

}  // namespace

CDisclaimerDlg::CDisclaimerDlg(QWidget* owner)
    : CWizardPage(PageFrame{.Id = PageId::Disclaimer,
                            .Background = "pic/BG/7200.gif",
                            .Heading = "About the Tarnix Router Setup Wizard",
                            .HasPrevNext = false,
                            .HasBottomBar = false},
                  owner)
{
    AddLabel(QString("Version:") + kTarnixVersion, kVersionRect, kNoticeStyle);
    AddLabel("This program and its documentation are the property of Tarnix. Tarnix holds all "
             "rights in them, including copyright; no licence to copy, change or pass them on "
             "is given except to set up a Tarnix router with them.",
             kRightsRect, kNoticeStyle);
    AddLabel("Warning: reproducing or distributing this program, or any part of it, without "
             "written permission from Tarnix is against the law and may result in severe civil "
             "and criminal penalties, and will be prosecuted to the maximum extent possible.",
             kWarningRect, kNoticeStyle);
    m_close = AddSkinButton("CLOSE", PageLayout::kNextRect,
                            FacesPressedOver("pic/BUTTON/close1.bmp", "pic/BUTTON/close2.bmp"));
    m_close->setFont(EnlargedFont(4));
    connect(m_close, &QAbstractButton::clicked, this, &QDialog::accept);
    SetForwardButton(m_close);
}
