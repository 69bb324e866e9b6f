#include "CWizardPage.h"

#include "AccessibleRoles.h"
#include "CFocusRing.h"
#include "CLabel.h"
#include "CPictureEx.h"
#include "CWizardEffects.h"
#include "CxSkinButton.h"
#include "DocumentLinks.h"
#include "InputChecks.h"
#include "WizardPalette.h"
#include "WizardSession.h"
#include "WizardSettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QFontInfo>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <utility>

namespace {

// A skinned button's top in the page's own layout.
constexpr char kHomeTop[] = "tarnixHomeTop";

const ButtonFaces kInactivePrevFaces{"pic/BUTTON/pre/prev3.bmp", "pic/BUTTON/pre/prev3.bmp",
                                     "pic/BUTTON/pre/prev3.bmp"};
const ButtonFaces kInactiveNextFaces{"pic/BUTTON/next/next3.bmp", "pic/BUTTON/next/next3.bmp",
                                     "pic/BUTTON/next/next3.bmp"};

constexpr const char* kStepNames[] = {"Hardware", "Password", "Internet", "Wireless", "Done"};
constexpr int kStepCount = int(std::size(kStepNames));

// The step a background's step bar marks, 1 to kStepCount, by the picture's
// number; 0 for the pictures without the bar.
int StepShownBy(const QString& background)
{
    static const std::pair<const char*, int> kSteps[] = {
        {"2100", 1}, {"2200", 1}, {"2300", 1}, {"2410", 2}, {"2420", 2}, {"3170", 2}, {"2510", 3},
        {"2600", 3}, {"3200", 3}, {"3300", 3}, {"2700", 4}, {"3400", 4}, {"2901", 5}};
    const QString number = QFileInfo(background).baseName();
    for (const auto& [picture, step] : kSteps)
        if (number == QLatin1String(picture))
            return step;
    return 0;
}

void ApplyFaces(CxSkinButton* button, const ButtonFaces& faces)
{
    button->SetSkin(faces.Normal, faces.Pressed, faces.Over, QString(), QString(), QString(), 0, 0,
                    0);
}

void ApplyStyle(CLabel* label, const LabelStyle& style)
{
    label->StyleLabel(style.Size, style.Flags, style.Alignment, style.Colour);
}

}  // namespace

ButtonFaces FacesPressedNormal(const QString& normal, const QString& over)
{
    return {normal, normal, over};
}

ButtonFaces FacesPressedOver(const QString& normal, const QString& over)
{
    return {normal, over, over};
}

CWizardPage::CWizardPage(const PageFrame& frame, QWidget* owner)
    : QDialog(owner ? owner->window() : nullptr), m_frame(frame)
{
    if (owner)
        setWindowFlags(Qt::Widget);  // drawn inside the owner's window
    else
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                       | Qt::WindowCloseButtonHint);
    setFont(QFont("Arial", 8));
    setPalette(WizardPalette());
    setFixedSize(PageLayout::kPageSize);
    if (owner)
    {
        move(0, 0);  // the window's whole content
        hide();      // until it runs
    }
    BuildFrame();
    m_focusRing = new CFocusRing(this);
}

CWizardPage::~CWizardPage() = default;

void CWizardPage::KeepBottomButtonsWithin(int visibleBottom)
{
    const int lift = std::min(visibleBottom - PageLayout::kPageSize.height(), 0);
    for (auto* button : findChildren<CxSkinButton*>(QString(), Qt::FindDirectChildrenOnly))
        if (IsBottomButton(button))
        {
            button->move(button->x(), button->property(kHomeTop).toInt() + lift);
            if (lift < 0)
                button->raise();
        }
}

bool CWizardPage::IsBottomButton(const QWidget* widget) const
{
    const QVariant homeTop = widget->property(kHomeTop);
    return widget->parentWidget() == this && homeTop.isValid()
           && homeTop.toInt() >= PageLayout::kBottomButtonsTop;
}

int CWizardPage::BottomButtonsHeight()
{
    return PageLayout::kPageSize.height() - PageLayout::kBottomButtonsTop;
}

QFont CWizardPage::EnlargedFont(int divisor) const
{
    QFont enlarged = font();
    const int height = QFontInfo(enlarged).pixelSize();
    const int weight = enlarged.weight();
    enlarged.setPixelSize(height + height / divisor);
    enlarged.setWeight(static_cast<QFont::Weight>(std::min(weight + weight / 2, 1000)));
    return enlarged;
}

void CWizardPage::BuildFrame()
{
    setWindowIcon(QApplication::windowIcon());

    m_backgroundPath = m_frame.Background;
    if (!m_frame.QuickBackground.isEmpty() && !WizardSession::Current().Settings.FirstInstallPath)
        m_backgroundPath = m_frame.QuickBackground;
    m_background = new CPictureEx(this);
    m_background->move(0, 0);
    m_background->lower();
    HideFromAssistiveTechnology(m_background);
    if (const int step = StepShownBy(m_backgroundPath))
    {
        m_stepText =
            QString("Step %1 of %2: %3").arg(step).arg(kStepCount).arg(kStepNames[step - 1]);
        auto* stepBar = new QWidget(this);
        stepBar->setGeometry(PageLayout::kStepBarRect);
        stepBar->setAttribute(Qt::WA_TransparentForMouseEvents);
        ShowAsText(stepBar, m_stepText);
    }

    if (m_frame.HasHeader)
        BuildHeader();
    m_heading = AddLabel(m_frame.Heading, PageLayout::kHeadingRect, kHeadingStyle);
    ShowAsHeading(m_heading);
    if (m_frame.HasPrevNext)
        BuildPrevNext();
    if (m_frame.HasBottomBar)
        BuildBottomBar();
    setWindowTitle(kWizardTitle);
    // A screen reader names the page by this as the focus enters it, then
    // reads the page's text.
    setAccessibleName(isWindow() ? TitleInWindow() : Announcement());
}

QString CWizardPage::TitleInWindow() const
{
    const QString announcement = Announcement();
    return announcement.isEmpty() ? QString(kWizardTitle) : announcement + " - " + kWizardTitle;
}

QString CWizardPage::Announcement() const
{
    QString announcement = m_frame.Heading.trimmed();
    if (!m_frame.Subject.isEmpty())
    {
        while (announcement.endsWith('.'))
            announcement.chop(1);
        announcement += ": " + m_frame.Subject;
    }
    if (!m_stepText.isEmpty())
        announcement += ", " + m_stepText;
    return announcement;
}

void CWizardPage::BuildHeader()
{
    CLabel* productLine = AddLabel(kProductLine, PageLayout::kProductLineRect, kHeaderStyle);
    CLabel* model = AddLabel(kModelLabel, PageLayout::kModelLabelRect, kHeaderStyle);
    // Read once, on the first page; the window's title names the program.
    if (m_frame.Id != PageId::Welcome)
        for (CLabel* label : {productLine, model})
            HideFromAssistiveTechnology(label);
}

void CWizardPage::BuildPrevNext()
{
    m_prev = AddSkinButton(
        "PREV", PageLayout::kPrevRect,
        FacesPressedNormal("pic/BUTTON/pre/prev.bmp", "pic/BUTTON/pre/prev1.bmp"));
    m_next = AddSkinButton(
        "NEXT", PageLayout::kNextRect,
        FacesPressedNormal("pic/BUTTON/next/next.bmp", "pic/BUTTON/next/next1.bmp"));
    m_prev->setFont(EnlargedFont(4));
    m_next->setFont(EnlargedFont(4));
    m_prev->SetMnemonic('P');
    m_next->SetMnemonic('N');
    connect(m_prev, &QAbstractButton::clicked, this, [this] {
        if (!m_navigationInactive)
            OnPrev();
    });
    connect(m_next, &QAbstractButton::clicked, this, [this] {
        if (!m_navigationInactive)
            OnNext();
    });
}

void CWizardPage::BuildBottomBar()
{
    auto barRect = [](int index) {
        return QRect(QPoint(PageLayout::kBarButtonLeft[index], PageLayout::kBarButtonTop),
                     PageLayout::kBarButtonSize);
    };
    m_support = AddSkinButton(
        "Technical Support", barRect(0),
        FacesPressedOver("pic/BUTTON/technical_support/technical_support.bmp",
                         "pic/BUTTON/technical_support/technical_support1.bmp"));
    m_troubleshooting = AddSkinButton(
        "Troubleshooting", barRect(1),
        FacesPressedOver("pic/BUTTON/trouble_shooting/trouble_shooting.bmp",
                         "pic/BUTTON/trouble_shooting/trouble_shooting1.bmp"));
    // The disclaimer's pictures are named the other way round.
    m_disclaimer = AddSkinButton(
        "Disclaimer", barRect(2),
        FacesPressedOver("pic/BUTTON/disclaim/disclaim1.bmp", "pic/BUTTON/disclaim/disclaim.bmp"));
    const QString exitNormal = "pic/BUTTON/exit/exit.bmp";
    const QString exitOver = "pic/BUTTON/exit/exit1.bmp";
    m_exit = AddSkinButton("Exit", barRect(3),
                           m_frame.ExitPressedLooksNormal ? FacesPressedNormal(exitNormal, exitOver)
                                                          : FacesPressedOver(exitNormal, exitOver));
    m_exit->SetMnemonic('X');
    connect(m_support, &QAbstractButton::clicked, this, &CWizardPage::OnTechnicalSupport);
    connect(m_troubleshooting, &QAbstractButton::clicked, this, &CWizardPage::OnTroubleshooting);
    connect(m_disclaimer, &QAbstractButton::clicked, this, &CWizardPage::OnDisclaimer);
    connect(m_exit, &QAbstractButton::clicked, this, &CWizardPage::OnExit);
}

void CWizardPage::OnNext()
{
}

void CWizardPage::OnPrev()
{
    accept();
}

void CWizardPage::OnExit()
{
    if (!AskExitQuestion(CloseWarning()))
        return;
    // The process ends first, so nothing the page would wait for on closing
    // (the Apply page's worker inside a router request) holds the exit up.
    WizardEffects().EndProgram(0);
    reject();
}

void CWizardPage::OnTechnicalSupport()
{
    OpenWebPage(this, kSupportSiteUrl);
}

void CWizardPage::OnTroubleshooting()
{
    OpenPage(PageId::Troubleshooting);
}

void CWizardPage::OnDisclaimer()
{
    OpenPage(PageId::Disclaimer);
}

int CWizardPage::OpenPage(PageId id)
{
    if (m_ended)
        return -1;
    return WizardEffects().OpenPageModally(id, this);
}

int CWizardPage::OpenNext(FlowChoice choice)
{
    const std::optional<PageId> next = NextPage(Id(), choice);
    return next ? OpenPage(*next) : -1;
}

bool CWizardPage::AskExitQuestion(const QString& warning)
{
    const QString text = warning.isEmpty() ? QString(kExitQuestion)
                                           : QString(kExitQuestion) + "\n\n" + warning;
    return WizardEffects().ShowMessage(this, text, kExitCaption, QMessageBox::NoIcon,
                                       QMessageBox::Ok | QMessageBox::Cancel)
           == QMessageBox::Ok;
}

void CWizardPage::ShowPlainMessage(const QString& text, QMessageBox::Icon icon)
{
    WizardEffects().ShowMessage(this, text, ProgramName(), icon, QMessageBox::Ok);
}

CLabel* CWizardPage::AddLabel(const QString& text, const QRect& rect, const LabelStyle& style)
{
    auto* label = new CLabel(text, this);
    label->setGeometry(rect);
    label->setWordWrap(true);
    ApplyStyle(label, style);
    return label;
}

QLineEdit* CWizardPage::AddLineEdit(const QRect& rect, bool masked)
{
    auto* edit = new QLineEdit(this);
    edit->setGeometry(rect);
    ShowAsField(edit);
    if (masked)
        KeepSecretFromAssistiveTechnology(edit);
    return edit;
}

QCheckBox* CWizardPage::AddCheckBox(const QRect& rect, const QString& text)
{
    auto* box = new QCheckBox(text, this);
    box->setGeometry(rect);
    return box;
}

QRadioButton* CWizardPage::AddRadioButton(const QRect& rect, const QString& text)
{
    auto* button = new QRadioButton(text, this);
    button->setGeometry(rect);
    return button;
}

CxSkinButton* CWizardPage::AddSkinButton(const QString& caption, const QRect& rect,
                                         const ButtonFaces& faces)
{
    auto* button = new CxSkinButton(caption, this);
    ApplyFaces(button, faces);
    button->setGeometry(rect);
    button->setProperty(kHomeTop, rect.top());
    button->SetTextColor(Qt::white);
    return button;
}

DocumentButtons CWizardPage::AddDocumentButtons(const QPoint (&at)[3])
{
    auto rowRect = [&at](int index) { return QRect(at[index], PageLayout::kDocumentButtonSize); };
    const DocumentLinks links = ReadDocumentLinks();
    DocumentButtons buttons;
    buttons.Manual = AddSkinButton(
        "Technical Manual", rowRect(0),
        FacesPressedOver("pic/BUTTON/technical_manual/technical_manual.bmp",
                         "pic/BUTTON/technical_manual/technical_manual1.bmp"));
    buttons.Adobe = AddSkinButton(kPdfReaderButtonCaption, rowRect(1),
                                  FacesPressedOver("pic/BUTTON/Adobe-Reader/Adobe-Reader.bmp",
                                                   "pic/BUTTON/Adobe-Reader/Adobe-Reader1.bmp"));
    buttons.AdvancedUi = AddSkinButton("Advanced User Interface", rowRect(2),
                                       FacesPressedOver("pic/BUTTON/advanced_ui/advanced_ui.bmp",
                                                        "pic/BUTTON/advanced_ui/advanced_ui1.bmp"));
    buttons.Manual->SetMnemonic('M');
    buttons.Adobe->SetMnemonic('R');
    buttons.AdvancedUi->SetMnemonic('A');
    connect(buttons.Manual, &QAbstractButton::clicked, this,
            [this, link = links.ManualLink] { OpenManualLink(this, link); });
    connect(buttons.Adobe, &QAbstractButton::clicked, this,
            [this, link = links.AdobeLink] { OpenAdobeLink(this, link); });
    connect(buttons.AdvancedUi, &QAbstractButton::clicked, this,
            [this] { OpenRouterWebInterface(this); });
    return buttons;
}

void CWizardPage::SetNavigationInactive()
{
    m_navigationInactive = true;
    if (m_prev)
        ApplyFaces(m_prev, kInactivePrevFaces);
    if (m_next)
        ApplyFaces(m_next, kInactiveNextFaces);
}

QString CheckText(CheckMessage message)
{
    const std::string_view text = CheckMessageText(message);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
