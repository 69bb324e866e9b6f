#include "CErrorTipsDlg.h"

#include "CWizardEffects.h"
#include "CxSkinButton.h"

#include <QBitmap>
#include <QPainter>

namespace {

constexpr LabelStyle kTipStyle{9, 1, 0, QColor(1, 0, 0)};
constexpr QColor kCloseTextColour{226, 226, 226};

// Inside the card of the picture; the heading keeps clear of its badge.
constexpr QRect kHeadingRect{56, 104, 620, 40};
constexpr QRect kText1Rect{56, 170, 520, 80};
constexpr QRect kText2Rect{56, 262, 520, 44};
constexpr QRect kCloseRect{626, 470, 110, 36};

PageFrame LightBoxFrame()
{
    PageFrame frame;
    frame.Id = PageId::ErrorLightBox;
    frame.Background = "pic/BG/LightBoxS.jpg";
    frame.HasHeader = false;
    frame.HasPrevNext = false;
    frame.HasBottomBar = false;
    return frame;
}

}  // namespace

CErrorTipsDlg::CErrorTipsDlg(QWidget* owner) : CWizardPage(LightBoxFrame(), owner)
{
    // The frame (title bar and border) is not drawn.
    setWindowFlag(Qt::FramelessWindowHint);
    HeadingLabel()->setGeometry(kHeadingRect);
    HeadingLabel()->setText("Sorry, we are unable to save your ISP settings.");
    AddLabel("Please ensure that: \n - you have entered the correct ISP information. \n - the "
             "blue Ethernet cable is connected securely to your PC and the router. ",
             kText1Rect, kTipStyle);
    AddLabel("Click Close to check or re-enter your ISP information, and then click Next to try "
             "again.",
             kText2Rect, kTipStyle);
    m_close = AddSkinButton("CLOSE", kCloseRect,
                            FacesPressedOver("pic/BUTTON/close1.bmp", "pic/BUTTON/close2.bmp"));
    m_close->SetTextColor(kCloseTextColour);
    m_close->setFont(EnlargedFont(4));
    connect(m_close, &QAbstractButton::clicked, this, &CErrorTipsDlg::OnClose);
    SetForwardButton(m_close);
}

void CErrorTipsDlg::OnClose()
{
    accept();
    // Another attempt starts from a fresh ISP and PVC page.
    WizardEffects().OpenPageModally(PageId::IspAndPvc, this);
}

void CErrorTipsDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), kLightBoxKeyColour);
    // Under the picture; the card stays solid even where it is missing.
    painter.fillRect(PageLayout::kLightBoxRect, Qt::white);
}

void CErrorTipsDlg::showEvent(QShowEvent* event)
{
    CWizardPage::showEvent(event);
    ApplyLayering();
}

void CErrorTipsDlg::ApplyLayering()
{
    // Constant opacity needs a compositing desktop; elsewhere it is ignored.
    setWindowOpacity(kLightBoxOpacity);
    // The mask is in the window's own units; on a scaled screen the grab has
    // more pixels than that (nearest pixels keep the key colour exact).
    const QImage drawn = grab().toImage().scaled(size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    setMask(QBitmap::fromImage(drawn.createMaskFromColor(kLightBoxKeyColour.rgb(), Qt::MaskInColor)));
}
