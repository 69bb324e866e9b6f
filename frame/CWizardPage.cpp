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
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QToolTip>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// The pages running now, in the order they started: the chain, bottom first.
std::vector<QPointer<CWizardPage>>& RunningPages()
{
    return WizardSession::Current().RunningPages;
}

// The background a covered page let go of, loaded and shown again.
void ShowPictureAgain(CWizardPage& page)
{
    CPictureEx* picture = page.BackgroundPicture();
    if (!picture->GetSize().isValid() && !page.BackgroundPath().isEmpty()
        && picture->Load(page.BackgroundPath()))
        picture->Draw();
}

// The tip text of a term, kept unwrapped for its explanation.
constexpr char kTermTipProperty[] = "tarnixTermTip";

bool IsTerm(const QObject* widget)
{
    return widget->property(kTermTipProperty).isValid();
}

// A skinned button's top in the page's own layout.
constexpr char kHomeTop[] = "tarnixHomeTop";

// Room the tool tip window keeps around its text.
constexpr int kTipPadding = 12;

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

QString WrapLine(const QString& line, const QFontMetrics& metrics, int width)
{
    QStringList lines;
    QString current;
    for (const QString& word : line.split(' '))
    {
        const QString candidate = current.isEmpty() ? word : current + ' ' + word;
        if (!current.isEmpty() && metrics.horizontalAdvance(candidate) > width)
        {
            lines << current;
            current = word;
        }
        else
        {
            current = candidate;
        }
    }
    lines << current;
    return lines.join('\n');
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

QString WrapToolTip(const QString& tipText, int maxWidth)
{
    const QFontMetrics metrics(QToolTip::font());
    const QStringList lines = tipText.split('\n');
    // A first line above others is the tip's title: where the font is too wide
    // for it, the tip widens rather than breaking the title.
    const int title = lines.size() > 1 ? metrics.horizontalAdvance(lines.front()) : 0;
    const int width = std::max(maxWidth - kTipPadding, title);
    QStringList wrapped;
    for (const QString& line : lines)
        wrapped << WrapLine(line, metrics, width);
    return wrapped.join('\n');
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
    if (!m_frame.QuickBackground.isEmpty() && !GetWizardSettings().FirstInstallPath)
        m_backgroundPath = m_frame.QuickBackground;
    m_background = new CPictureEx(this);
    m_background->move(0, 0);
    m_background->lower();
    HideFromAssistiveTechnology(m_background);
    // A missing picture is not reported: the page works without it.
    if (!m_backgroundPath.isEmpty() && m_background->Load(m_backgroundPath))
        m_background->Draw();
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
    setAccessibleName(isWindow() ? Announcement() + " - " + kWizardTitle : Announcement());
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

CLabel* CWizardPage::AddTerm(const QString& term, const QString& tipText, const QRect& rect,
                             int tipWidth, int fontDivisor)
{
    const int size = font().pointSize() + font().pointSize() / fontDivisor;
    auto* label = AddLabel(term, rect, {size, 2, 0, kAccentColour});
    label->setToolTip(WrapToolTip(tipText, tipWidth));
    label->setProperty(kTermTipProperty, tipText);
    label->setFocusPolicy(Qt::StrongFocus);
    label->installEventFilter(this);
    ShowAsLink(label);
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

int CWizardPage::exec()
{
    if (isWindow())
    {
        RunningPages().push_back(this);
        return QDialog::exec();
    }
    if (m_ended)
        return result();
    setResult(0);
    QEventLoop loop;
    m_loop = &loop;
    RunningPages().push_back(this);
    ArrangeWindow(window());
    window()->show();
    loop.exec(QEventLoop::DialogExec);
    m_loop = nullptr;
    return result();
}

void CWizardPage::LabelField(QLabel* caption, QWidget* field)
{
    QString name = caption->text().simplified();
    while (name.endsWith(':') || name.endsWith(' '))
        name.chop(1);
    field->setAccessibleName(name);
    // A control made of parts that take the focus (the address field): the
    // caption leads to the first part, and every part has the field's name.
    QList<QWidget*> parts;
    if (field->focusPolicy() == Qt::NoFocus)
        for (QWidget* part : field->findChildren<QWidget*>())
            if (part->focusPolicy() != Qt::NoFocus)
                parts << part;
    caption->setBuddy(parts.isEmpty() ? field : parts.front());
    for (QWidget* part : parts)
        part->setAccessibleName(name);
    if (auto* list = qobject_cast<QComboBox*>(field))
        DescribeByShownEntry(list);
}

// Readers find no value in Qt's closed list (its name is the entry shown,
// which they pass over for the caption, and its popup offers no selection
// to read), but they speak a focused control's description on focus and on
// every change: the list describes itself by the entry it shows.
void CWizardPage::DescribeByShownEntry(QComboBox* list)
{
    auto describe = [list] { Describe(list, list->currentText()); };
    connect(list, &QComboBox::currentIndexChanged, list, describe);
    describe();
}

void CWizardPage::MarkAsAlert(CLabel* label, QWidget* field)
{
    label->SetAlert(true, field);
}

void CWizardPage::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!std::exchange(m_initialFocusPlaced, true))
    {
        PutFrameButtonsLast();
        PlaceInitialFocus();
    }
}

// Tab reads the page's own controls first, in the order they were made, then
// PREV, NEXT and the bottom bar, and from Exit comes round to the first.
void CWizardPage::PutFrameButtonsLast()
{
    const QWidget* frameButtons[] = {m_prev,       m_next, m_support, m_troubleshooting,
                                     m_disclaimer, m_exit};
    auto isFrameButton = [&frameButtons](const QWidget* widget) {
        return std::find(std::begin(frameButtons), std::end(frameButtons), widget)
               != std::end(frameButtons);
    };
    QWidget* last = nullptr;
    for (QWidget* widget = nextInFocusChain(); widget && widget != this;
         widget = widget->nextInFocusChain())
        if (isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus
            && !isFrameButton(widget))
            last = widget;
    for (CxSkinButton* button :
         {m_prev, m_next, m_support, m_troubleshooting, m_disclaimer, m_exit})
        if (last && button)
        {
            setTabOrder(last, button);
            last = button;
        }
}

// A page opens on the field its constructor chose or its first field, else on
// its forward button; never on PREV, Exit, the bar or a link, where Enter
// would do what the user did not ask for.
void CWizardPage::PlaceInitialFocus()
{
    const QWidget* chosen = focusWidget();
    if (chosen && (IsField(chosen) || chosen == ForwardButton()))
        return;
    if (QWidget* first = FirstField())
        first->setFocus(Qt::OtherFocusReason);
    else if (CxSkinButton* forward = ForwardButton())
        forward->setFocus(Qt::OtherFocusReason);
}

// Fields are what Tab reaches that is not a skinned button.
bool CWizardPage::IsField(const QWidget* widget) const
{
    return widget != this && isAncestorOf(widget) && widget->isVisibleTo(this)
           && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus
           && !qobject_cast<const CxSkinButton*>(widget) && !IsTerm(widget);
}

QWidget* CWizardPage::FirstField() const
{
    for (QWidget* widget = nextInFocusChain(); widget && widget != this;
         widget = widget->nextInFocusChain())
        if (IsField(widget))
            return widget;
    return nullptr;
}

void CWizardPage::done(int result)
{
    m_ended = true;
    QDialog::done(result);
    if (m_loop)
        m_loop->exit();
    auto& running = RunningPages();
    running.erase(std::remove(running.begin(), running.end(), this), running.end());
    if (!isWindow())
        ArrangeWindow(window());
}

CWizardPage* CWizardPage::TopPage()
{
    auto& running = RunningPages();
    running.erase(std::remove(running.begin(), running.end(), nullptr), running.end());
    return running.empty() ? nullptr : running.back().data();
}

void CWizardPage::EndPagesIn(QWidget* window)
{
    std::vector<QPointer<CWizardPage>> pages = RunningPages();
    // All marked first: ending the top page then uncovers (and loads the
    // picture of) none of the pages that end right after it.
    for (const QPointer<CWizardPage>& page : pages)
        if (page && page->window() == window)
            page->m_ended = true;
    for (auto page = pages.rbegin(); page != pages.rend(); ++page)
        if (*page && (*page)->window() == window)
            (*page)->reject();
}

bool CWizardPage::ConfirmClosing(QWidget* window)
{
    // The close box pressed again while the question is up: one question.
    static bool asking = false;
    if (asking)
        return false;
    // A page that is a window of its own counts even when shown without a run.
    std::vector<QPointer<CWizardPage>> pages = RunningPages();
    if (auto* page = qobject_cast<CWizardPage*>(window))
        pages.push_back(page);
    for (auto page = pages.rbegin(); page != pages.rend(); ++page)
        if (*page && (*page)->window() == window && !(*page)->CloseWarning().isEmpty())
        {
            const QScopedValueRollback<bool> guard(asking, true);
            return (*page)->AskExitQuestion((*page)->CloseWarning());
        }
    return true;
}

void CWizardPage::ArrangeWindow(QWidget* window)
{
    std::vector<CWizardPage*> chain;  // bottom first
    for (CWizardPage* page : RunningPages())
        if (page && !page->m_ended && !page->isWindow() && page->window() == window)
            chain.push_back(page);
    if (chain.empty())
    {
        // The chain has ended; a page that is a window of its own stays.
        if (!qobject_cast<CWizardPage*>(window))
        {
            window->hide();
            window->setWindowTitle(kWizardTitle);
        }
        return;
    }
    // The title names the page on top, so a screen reader announces each
    // page as it opens or is uncovered.
    window->setWindowTitle(chain.back()->Announcement() + " - " + kWizardTitle);
    std::size_t lowestShown = chain.size() - 1;
    while (lowestShown > 0 && chain[lowestShown]->m_frame.SeeThrough)
        --lowestShown;
    // Shown first, covered after: focus never falls to a page beneath.
    for (std::size_t index = lowestShown; index < chain.size(); ++index)
    {
        ShowPictureAgain(*chain[index]);
        chain[index]->show();
        chain[index]->raise();
    }
    chain.back()->TakeFocus();
    for (std::size_t index = 0; index < lowestShown; ++index)
        chain[index]->Cover();
}

void CWizardPage::Cover()
{
    if (isHidden())
        return;
    QWidget* focus = QApplication::focusWidget();
    m_focusWhenCovered = isAncestorOf(focus) ? focus : nullptr;
    hide();
    // A covered page keeps no picture: a long chain would hold a page-sized
    // picture for every step. The same file is shown again when uncovered.
    m_background->UnLoad();
}

void CWizardPage::TakeFocus()
{
    // Back where the user left it, or where the page chose, or the first
    // field of the page.
    QWidget* target = m_focusWhenCovered ? m_focusWhenCovered.data() : focusWidget();
    m_focusWhenCovered = nullptr;
    if (target && isAncestorOf(target) && target->isVisible() && target->isEnabled())
        target->setFocus(Qt::OtherFocusReason);
    else if (!isAncestorOf(QApplication::focusWidget()))
    {
        setFocus(Qt::OtherFocusReason);
        focusNextPrevChild(true);
    }
}

bool CWizardPage::focusNextPrevChild(bool next)
{
    if (isWindow())
        return QDialog::focusNextPrevChild(next);
    // Tab goes round this page only: a page shown beneath a see-through one
    // is out of reach.
    QWidget* start = QApplication::focusWidget();
    if (!isAncestorOf(start))
        start = this;
    QWidget* candidate = start;
    do
    {
        candidate = next ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        const bool takesTab = (candidate->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
        if (isAncestorOf(candidate) && takesTab && candidate->isVisible() && candidate->isEnabled())
        {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    } while (candidate != start);
    return false;
}

void CWizardPage::closeEvent(QCloseEvent* event)
{
    // The close box ends the whole chain: every page drawn in this window,
    // down to the welcome page, which ends the program. The window asks
    // first where a page would be left half done.
    const bool closing = isWindow() ? ConfirmClosing(this) : window()->close();
    if (!closing)
    {
        event->ignore();
        return;
    }
    if (isWindow())
        EndPagesIn(this);
    reject();
    event->accept();
}

bool CWizardPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && IsTerm(watched))
    {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
        {
            ExplainTerm(static_cast<const CLabel*>(watched));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// The tip's title line is the message's caption, the rest its text.
void CWizardPage::ExplainTerm(const CLabel* term)
{
    const QString tip = term->property(kTermTipProperty).toString();
    const qsizetype lineBreak = tip.indexOf('\n');
    const QString caption = lineBreak < 0 ? term->text() : tip.left(lineBreak).trimmed();
    WizardEffects().ShowMessage(this, tip.mid(lineBreak + 1), caption, QMessageBox::NoIcon,
                                QMessageBox::Ok);
}

void CWizardPage::keyPressEvent(QKeyEvent* event)
{
    // Escape would end the page without PREV's or the close box's meaning.
    if (event->key() == Qt::Key_Escape)
    {
        event->accept();
        return;
    }
    // Enter that no field took for itself presses the forward button, as a
    // default button would.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    CxSkinButton* forward = ForwardButton();
    if (enter && forward && forward->isVisible() && forward->isEnabled())
    {
        event->accept();
        forward->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

QString CheckText(CheckMessage message)
{
    const std::string_view text = CheckMessageText(message);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void SetReadingOrder(const CWizardPage& page, const QList<QWidget*>& fields)
{
    QList<QWidget*> order = fields;
    const QList<QWidget*> frameButtons = {page.PrevButton(),
                                          page.NextButton(),
                                          page.TechnicalSupportButton(),
                                          page.TroubleshootingButton(),
                                          page.DisclaimerButton(),
                                          page.ExitButton()};
    for (QWidget* button : frameButtons)
        if (button)
            order << button;
    for (qsizetype index = 1; index < order.size(); ++index)
        QWidget::setTabOrder(order[index - 1], order[index]);
    if (!fields.isEmpty())
        fields.front()->setFocus(Qt::OtherFocusReason);
}
