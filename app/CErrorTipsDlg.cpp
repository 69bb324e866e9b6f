#include "CErrorTipsDlg.h"

#include "CWizardEffects.h"
#include "CxSkinButton.h"

#include <QGraphicsEffect>
#include <QPainter>

#include <algorithm>

namespace {

// Draws the box and its controls at the box's opacity, leaving out every
// pixel of the key colour.
class SeeThroughEffect : public QGraphicsEffect
{
public:
    using QGraphicsEffect::QGraphicsEffect;

protected:
    void draw(QPainter* painter) override
    {
        QPoint offset;
        const QPixmap drawn = sourcePixmap(Qt::DeviceCoordinates, &offset, QGraphicsEffect::NoPad);
        if (drawn.isNull())
            return;
        QImage image = drawn.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QRgb key = kLightBoxKeyColour.rgb();
        for (int y = 0; y < image.height(); ++y)
        {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            std::replace(line, line + image.width(), key, QRgb(0));
        }
        painter->save();
        painter->setWorldTransform(QTransform());
        painter->setOpacity(kLightBoxOpacity);
        painter->drawImage(offset, image);
        painter->restore();
    }
};

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
    frame.SeeThrough = true;
    return frame;
}

}  // namespace

CErrorTipsDlg::CErrorTipsDlg(QWidget* owner) : CWizardPage(LightBoxFrame(), owner)
{
    setGraphicsEffect(new SeeThroughEffect(this));
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
