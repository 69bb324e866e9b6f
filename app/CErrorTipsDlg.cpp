#include "CErrorTipsDlg.h"

#include "CPictureEx.h"
#include "CWizardEffects.h"
#include "CxSkinButton.h"

#include <QBitmap>
#include <QPainter>

namespace {

constexpr LabelStyle kTipStyle{9, 1, 0, QColor(1, 0, 0)};
constexpr QColor kCloseTextColour{226, 226, 226};

// Inside the box, relative to its top-left corner.
constexpr QRect kHeadingInBox{24, 20, 512, 40};
constexpr QRect kText1InBox{24, 76, 512, 90};
constexpr QRect kText2InBox{24, 172, 512, 44};
constexpr QRect kCloseInBox{426, 244, 110, 36};

QRect InBox(const QRect& rect)
{
    return rect.translated(PageLayout::kLightBoxRect.topLeft());
}

PageFrame LightBoxFrame()
{
    PageFrame frame;
    frame.Id = PageId::ErrorLightBox;
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
    CPictureEx* picture = BackgroundPicture();
    if (picture->Load(QString("pic/BG/LightBoxS.jpg")))
        picture->Draw();
    picture->move(PageLayout::kLightBoxRect.center() - QPoint(picture->width() / 2, picture->height() / 2));

    HeadingLabel()->setGeometry(InBox(kHeadingInBox));
    HeadingLabel()->setText("Sorry, we are unable to save your ISP settings.");
    AddLabel("Please ensure that: \n - you have entered the correct ISP information. \n - the "
             "blue Ethernet cable is connected securely to your PC and the router. ",
             InBox(kText1InBox), kTipStyle);
    AddLabel("Click Close to check or re-enter your ISP information, and then click Next to try "
             "again.",
             InBox(kText2InBox), kTipStyle);
    m_close = AddSkinButton("CLOSE", InBox(kCloseInBox),
                            FacesPressedOver("pic/BUTTON/close1.bmp", "pic/BUTTON/close2.bmp"));
    m_close->SetTextColor(kCloseTextColour);
    m_close->setFont(EnlargedFont(4));
    connect(m_close, &QAbstractButton::clicked, this, &CErrorTipsDlg::OnClose);
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
    // The box stays solid even where its picture is missing.
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
    const QImage drawn = grab().toImage();
    setMask(QBitmap::fromImage(drawn.createMaskFromColor(kLightBoxKeyColour.rgb(), Qt::MaskOutColor)));
}
