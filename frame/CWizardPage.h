#pragma once
// The common frame every wizard page is drawn in: title "Tarnix Setup Wizard",
// icon, the background picture, the two header labels, the heading, PREV and
// NEXT, the bottom bar (Technical Support, Troubleshooting, Disclaimer, Exit)
// and hover terms with tool tips. Pages are nested modal runs: a page's
// NEXT opens the following page (OpenNext, from the flow table in PageFlow.h)
// and returns when it has ended; PREV ends the page. A page opened above
// another is drawn inside the same top-level window, covering the pages
// beneath (only the top one is shown and takes input); a page opened with no
// owner is a window of its own. The close box closes the whole chain of pages
// down to the welcome page.
//
// A page derives from CWizardPage, passes a PageFrame describing what differs,
// adds its own labels and fields at PageLayout positions with the Add*
// helpers and overrides OnNext (and OnPrev where PREV does something else).

#include "CLabel.h"
#include "CPictureEx.h"
#include "CxSkinButton.h"
#include "PageFlow.h"
#include "PageLayout.h"
#include "RouterDefaults.h"

#include <QColor>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QRect>
#include <QString>

#include <atomic>

enum class CheckMessage;
class CFocusRing;
class QCheckBox;
class QComboBox;
class QEventLoop;
class QLabel;
class QLineEdit;
class QRadioButton;

inline constexpr char kWizardTitle[] = "Tarnix Setup Wizard";
inline constexpr char kProductLine[] = "Viveriva V300 AROV2+ Ovure Doridu + DER";
inline constexpr char kModelLabel[] = "KRX-5100A";
inline constexpr char kExitQuestion[] = "Are you sure that you want to leave the Wizard?";
inline constexpr char kExitCaption[] = "Exit";
// Added to the exit question while leaving would stop the apply run midway.
inline constexpr char kPartlySetUpWarning[] =
    "The router may be left partly set up. Running the wizard again puts it right.";

// The teal of the pictures, darkened so that text in it stays readable on the
// light panel (5.5:1 against its #F4F8FA).
inline constexpr QColor kAccentColour{0, 110, 133};
inline constexpr QColor kHeaderColour{237, 237, 237};
inline constexpr int kDefaultTipWidth = 223;

// The arguments of CLabel::StyleLabel.
struct LabelStyle
{
    int Size = 9;
    int Flags = 0;      // bit 0 bold, bit 1 underlined
    int Alignment = 0;  // 0 left, 1 centred, 2 right
    QColor Colour{0, 0, 0};
};
inline constexpr LabelStyle kHeadingStyle{20, 4, 0, kAccentColour};
inline constexpr LabelStyle kHeaderStyle{11, 1, 2, kHeaderColour};
inline constexpr LabelStyle kBodyStyle{9, 0, 0, QColor(0, 0, 0)};
inline constexpr LabelStyle kBoldBodyStyle{9, 1, 0, QColor(0, 0, 0)};
// A refusal shown beside a field.
inline constexpr LabelStyle kErrorStyle{9, 0, 0, kAccentColour};

// A skinned button's three faces (paths under pic/BUTTON, empty: none).
struct ButtonFaces
{
    QString Normal;
    QString Pressed;
    QString Over;
};
// "pic/BUTTON/next/next.bmp" + "next1.bmp": pressed shows the normal face.
ButtonFaces FacesPressedNormal(const QString& normal, const QString& over);
// Pressed shows the mouse-over face.
ButtonFaces FacesPressedOver(const QString& normal, const QString& over);

// The welcome and success pages' Technical Manual, Install PDF Reader and
// Advanced User Interface buttons.
struct DocumentButtons
{
    CxSkinButton* Manual = nullptr;
    CxSkinButton* Adobe = nullptr;
    CxSkinButton* AdvancedUi = nullptr;
};

// What differs between pages' frames.
struct PageFrame
{
    PageId Id = PageId::Welcome;
    // The background; with QuickBackground set, Background is used when
    // FirstInstallPath is true and QuickBackground when it is false.
    QString Background;
    QString QuickBackground;
    QString Heading;
    // What tells this page from others with the same heading, for those
    // who hear the page rather than see it.
    QString Subject;
    bool HasHeader = true;  // product line and model label
    bool HasPrevNext = true;
    bool HasBottomBar = true;
    bool ExitPressedLooksNormal = false;  // Power, ISP and PVC, ISP account, ...
    // The page beneath stays shown under this one (the light box).
    bool SeeThrough = false;
};

class CWizardPage : public QDialog
{
    Q_OBJECT

public:
    // owner is the page this one is opened above, or the window the chain
    // is drawn in; the page becomes a child of owner's window. Without an
    // owner the page is a top-level window of its own.
    CWizardPage(const PageFrame& frame, QWidget* owner);
    ~CWizardPage() override;

    PageId Id() const { return m_frame.Id; }
    // The picture chosen for this page when it was built.
    QString BackgroundPath() const { return m_backgroundPath; }

    // Null where the frame has no such element.
    CxSkinButton* PrevButton() const { return m_prev; }
    CxSkinButton* NextButton() const { return m_next; }
    CxSkinButton* TechnicalSupportButton() const { return m_support; }
    CxSkinButton* TroubleshootingButton() const { return m_troubleshooting; }
    CxSkinButton* DisclaimerButton() const { return m_disclaimer; }
    CxSkinButton* ExitButton() const { return m_exit; }
    CLabel* HeadingLabel() const { return m_heading; }
    // What names the page to a screen reader user when it opens: heading,
    // subject and the step its background's step bar shows ("Step 2 of 5:
    // Password"). The window's title starts with it.
    QString Announcement() const;
    // "Announcement - Tarnix Setup Wizard"; the program's name alone for a
    // page that announces nothing (the light box).
    QString TitleInWindow() const;
    // The step the background shows, or empty.
    QString StepBarText() const { return m_stepText; }
    // The button Enter presses wherever no button has the focus: NEXT, or
    // the page's own forward button (START, PRINT, CLOSE).
    CxSkinButton* ForwardButton() const { return m_forward ? m_forward : m_next; }
    CPictureEx* BackgroundPicture() const { return m_background; }

    // Where the window shows only the page's rows above visibleBottom, the
    // bottom buttons (PageLayout::kBottomButtonsTop down) move up with it,
    // above the rest, so they stay in sight; at the page's height they are
    // back in their places.
    void KeepBottomButtonsWithin(int visibleBottom);
    bool IsBottomButton(const QWidget* widget) const;
    // The height of the band the bottom buttons take.
    static int BottomButtonsHeight();

    // The dialog font enlarged by 1/divisor in size and half in weight: the
    // caption font of PREV, NEXT and CLOSE is EnlargedFont(4).
    QFont EnlargedFont(int divisor) const;

    // Runs the page until it ends and returns its result. Inside a window
    // the page is shown on top of its chain there, and the page beneath is
    // uncovered as it was when this one ends.
    int exec() override;
    // Ends the page; after this OpenPage opens nothing from it.
    void done(int result) override;
    // True once the page has ended or its chain is ending (the close box, a
    // termination signal); asked by router calls running on other threads.
    bool Ended() const { return m_ended; }

    // The page on top of the chain: the most recently run page that has
    // not ended (nullptr when none runs).
    static CWizardPage* TopPage();
    // Ends every running page drawn in window, the top one first.
    static void EndPagesIn(QWidget* window);
    // Before the close box ends the pages drawn in window: where one of them
    // would leave work half done, the exit question with its warning; true
    // when the pages may end.
    static bool ConfirmClosing(QWidget* window);

    // A line for the exit question while ending this page now would leave
    // something half done; empty (the default) when nothing would.
    virtual QString CloseWarning() const { return QString(); }

protected:
    // NEXT was clicked. Checks the fields, writes WizardSettings and opens the
    // next page with OpenNext. Default: nothing.
    virtual void OnNext();
    // PREV was clicked. Default: end this page as accepted, writing nothing.
    virtual void OnPrev();
    // Exit was clicked: the exit question; on OK this page ends and the
    // program ends with status 0.
    virtual void OnExit();
    void OnTechnicalSupport();
    void OnTroubleshooting();
    void OnDisclaimer();

    // Opens the page registered for id modally above this one and returns
    // when it has ended (its result code; -1 when nothing was opened, also
    // when this page is already closing).
    int OpenPage(PageId id);
    // OpenPage for the page the flow table puts after this one on choice.
    int OpenNext(FlowChoice choice);
    // The exit question, with warning as a second paragraph; true on OK.
    bool AskExitQuestion(const QString& warning = QString());
    // A plain message box with the program's name as caption and OK.
    void ShowPlainMessage(const QString& text, QMessageBox::Icon icon = QMessageBox::NoIcon);

    // Body elements over the background, at page coordinates.
    CLabel* AddLabel(const QString& text, const QRect& rect, const LabelStyle& style = kBodyStyle);
    // An underlined term in the accent colour whose tool tip is tipText
    // ("Term\nExplanation"), wrapped to at most tipWidth pixels. The term's
    // font is the dialog font enlarged by 1/fontDivisor. Tab reaches it as a
    // link; Enter or Space shows the explanation in a message, which a screen
    // reader reads and Escape closes.
    CLabel* AddTerm(const QString& term, const QString& tipText, const QRect& rect,
                    int tipWidth = kDefaultTipWidth, int fontDivisor = 4);
    QLineEdit* AddLineEdit(const QRect& rect, bool masked);
    QCheckBox* AddCheckBox(const QRect& rect, const QString& text = QString());
    QRadioButton* AddRadioButton(const QRect& rect, const QString& text = QString());
    // A skinned button with white caption text.
    CxSkinButton* AddSkinButton(const QString& caption, const QRect& rect,
                                const ButtonFaces& faces);

    // The document buttons (PageLayout::kDocumentButtonSize) at the given
    // top-left corners, opening the links read from default.ini now.
    DocumentButtons AddDocumentButtons(const QPoint (&at)[3]);

    // The Apply page's inactive PREV and NEXT: greyed faces, clicks ignored.
    void SetNavigationInactive();

    // For pages whose forward button is not NEXT.
    void SetForwardButton(CxSkinButton* button) { m_forward = button; }
    // Ties a caption to its field: the caption is the field's buddy and, with
    // its colon dropped, the field's name for assistive technology.
    static void LabelField(QLabel* caption, QWidget* field);
    // A list says the entry it shows to assistive technology.
    static void DescribeByShownEntry(QComboBox* list);
    // A label shown beside field when its input is refused: announced to
    // assistive technology each time it appears, and describing the field.
    static void MarkAsAlert(CLabel* label, QWidget* field);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void BuildFrame();
    void BuildHeader();
    void BuildPrevNext();
    void BuildBottomBar();
    // Shows the top running page of window (and, beneath a see-through page,
    // the one under it) and hides the others, keeping their focus.
    static void ArrangeWindow(QWidget* window);
    void Cover();
    void LoadBackground();
    void TakeFocus();
    void PutFrameButtonsLast();
    void PlaceInitialFocus();
    QWidget* FirstField() const;
    bool IsField(const QWidget* widget) const;
    void ExplainTerm(const CLabel* term);

    PageFrame m_frame;
    QString m_backgroundPath;
    QString m_stepText;
    bool m_navigationInactive = false;
    std::atomic<bool> m_ended{false};
    QEventLoop* m_loop = nullptr;
    QPointer<QWidget> m_focusWhenCovered;
    bool m_initialFocusPlaced = false;

    CPictureEx* m_background = nullptr;
    CLabel* m_heading = nullptr;
    CxSkinButton* m_prev = nullptr;
    CxSkinButton* m_next = nullptr;
    CxSkinButton* m_support = nullptr;
    CxSkinButton* m_troubleshooting = nullptr;
    CxSkinButton* m_disclaimer = nullptr;
    CxSkinButton* m_exit = nullptr;
    CxSkinButton* m_forward = nullptr;
    CFocusRing* m_focusRing = nullptr;
};

// tipText with line breaks added between words so that the tool tip window,
// in the tool tip font, is at most maxWidth pixels wide, or as wide as the
// tip's title (its first line, when more follow), which never breaks.
QString WrapToolTip(const QString& tipText, int maxWidth);

// A check's message as the pages show it.
QString CheckText(CheckMessage message);

// Tab goes through fields in reading order, then PREV, NEXT and the bottom
// bar; the first field has the focus when the page opens.
void SetReadingOrder(const CWizardPage& page, const QList<QWidget*>& fields);
