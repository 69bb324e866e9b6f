#include "CErrorTipsDlg.h"

#include "CSaveIspDlg.h"
#include "CWizardEffects.h"
#include "CxSkinButton.h"
#include "PrimeRouterLink.h"

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
constexpr LabelStyle kCauseStyle{10, 1, 0, kAccentColour};
constexpr QColor kCloseTextColour{226, 226, 226};

// Inside the card of the picture; the heading keeps clear of its badge.
constexpr QRect kHeadingRect{56, 104, 620, 40};
constexpr QRect kCauseRect{56, 150, 620, 44};
constexpr QRect kText1Rect{56, 204, 520, 80};
constexpr QRect kText2Rect{56, 292, 520, 44};
constexpr QRect kCloseRect{626, 470, 110, 36};

}  // namespace

CErrorTipsDlg::CErrorTipsDlg(QWidget* owner)
    : CWizardPage(PageFrame{.Id = PageId::ErrorLightBox,
                            .Background = "pic/BG/LightBoxS.jpg",
                            .HasHeader = false,
                            .HasPrevNext = false,
                            .HasBottomBar = false,
                            .SeeThrough = true},
                  owner)
{
    setGraphicsEffect(new SeeThroughEffect(this));
    HeadingLabel()->setGeometry(kHeadingRect);
    m_cause = AddLabel(QString(), kCauseRect, kCauseStyle);
    m_cause->setWordWrap(true);
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
    const auto* applyPage = qobject_cast<const CSaveIspDlg*>(owner);
    ShowCause(applyPage ? applyPage->Cause() : FailureCause::None);
}

void CErrorTipsDlg::ShowCause(FailureCause cause)
{
    HeadingLabel()->setText(LightBoxHeading(cause));
    m_cause->setText(LightBoxCauseLine(cause));
}

QString LightBoxHeading(FailureCause cause)
{
    return SettingNotSaved(cause) ? "Sorry, we are unable to save your ISP settings."
                                  : "Settings saved, but no Internet connection yet.";
}

QString LightBoxCauseLine(FailureCause cause)
{
    switch (cause)
    {
    case FailureCause::None: return QString();
    case FailureCause::RouterNoAnswer: return kRouterNoAnswerText;
    case FailureCause::LoginRefused: return "Your router refused the login with its password.";
    case FailureCause::InternetServiceRefused:
        return "Your router did not accept the Internet service settings.";
    case FailureCause::WirelessNetworkRefused:
        return "Your router did not accept the wireless network settings.";
    case FailureCause::WirelessSecurityRefused:
        return "Your router did not accept the wireless security settings.";
    case FailureCause::RouterPasswordRefused:
        return "Your router did not accept the new router password.";
    case FailureCause::DslLineDown:
        return "The DSL line is not up: check the grey cable, the microfilter and that the DSL "
               "light on the router is lit.";
    case FailureCause::NoInternet:
        return "The DSL line is up, but the Internet did not answer: check your ISP user name "
               "and password.";
    case FailureCause::LineUnknown:
        return "The Internet did not answer, and the router did not show its DSL line state: "
               "check the grey cable, the DSL light and your ISP user name and password.";
    }
    return QString();
}

void CErrorTipsDlg::OnClose()
{
    accept();
    // Opened after accepting, which OpenNext refuses: another attempt runs
    // above a light box that is already ending.
    WizardEffects().OpenPageModally(*NextPage(Id(), FlowChoice::Close), this);
}

void CErrorTipsDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), kLightBoxKeyColour);
    // Under the picture; the card stays solid even where it is missing.
    painter.fillRect(PageLayout::kLightBoxRect, Qt::white);
}
